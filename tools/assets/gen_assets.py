#!/usr/bin/env python3
"""Writes the program's generated assets (Python 3 standard library only).

  gen_assets.py RESOURCES WORK

writes into the RESOURCES folder the card faces (Cartes/<style>/<suit>/
<rank>.svg) and the sound effects (sound/<kind>/<name>.wav), and into the
WORK folder the SVG sources of the raster pictures (the lobby's status
icons under lobby/ among them) with the list
pictures.txt (one "source<TAB>target<TAB>width<TAB>height" line each) that
tools/svg_to_png renders into RESOURCES. The same files come out on every
run. The build target zb_regenerate_assets runs both steps; see
tools/README.md.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cards  # noqa: E402
import lobby_icons  # noqa: E402
import pictures  # noqa: E402
import sounds  # noqa: E402


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description="Writes the generated assets.")
    parser.add_argument("resources", help="the resources folder of the sources")
    parser.add_argument("work", help="a scratch folder for the picture sources")
    args = parser.parse_args()

    for relative, text in cards.all_cards():
        write_text(os.path.join(args.resources, "Cartes", relative), text)

    for relative, (make, level) in sounds.EFFECTS.items():
        path = os.path.join(args.resources, "sound", relative + ".wav")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        sounds.write_wav(path, make(), level)

    lines = []
    for relative, width, height, text in list(pictures.all_pictures()) + list(lobby_icons.all_icons()):
        source = os.path.join(os.path.abspath(args.work), "svg", relative[:-len(".png")] + ".svg")
        write_text(source, text)
        lines.append(f"{source}\t{relative}\t{width}\t{height}\n")
    write_text(os.path.join(args.work, "pictures.txt"), "".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
