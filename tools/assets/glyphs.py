"""Stroke glyphs of the card indices.

The corner ranks are drawn as stroked paths rather than text, so that a card
looks the same whatever fonts a machine has and stays legible at the smallest
rendering size. Each glyph sits in a box 10 wide and 14 tall, y downwards.
"""

GLYPH_WIDTH = 10.0
GLYPH_HEIGHT = 14.0

# Path data and the advance width of each glyph.
GLYPHS = {
    "A": ("M0.5,14L5,0L9.5,14M2.3,8.9H7.7", 10),
    "V": ("M0.5,0L5,14L9.5,0", 10),
    "D": ("M1.2,0V14H4C11.4,14 11.4,0 4,0Z", 10),
    "R": ("M1.2,14V0H5.4C10,0 10,7.2 5.4,7.2H1.2M5.2,7.2L9.6,14", 10),
    "U": ("M1,0V9.2C1,15.2 9,15.2 9,9.2V0", 10),
    "O": ("M5,0C-1.5,0 -1.5,14 5,14C11.5,14 11.5,0 5,0Z", 10),
    "K": ("M1.2,0V14M9.5,0L1.2,8.8M4.4,5.4L9.6,14", 10),
    "S": ("M9,2.2C7.6,0 1.2,-0.6 1,3.6C0.8,7.6 9.3,6.2 9.3,10.4C9.3,14.8 2,14.8 0.7,11.6", 10),
    "C": ("M9.3,2.4C7.9,0.4 6.4,0 5,0C-1.3,0 -1.3,14 5,14C6.4,14 7.9,13.6 9.3,11.6", 10),
    "1": ("M0.5,3.2L3.8,0V14", 5),
    "0": ("M3.5,0C-1,0 -1,14 3.5,14C8,14 8,0 3.5,0Z", 7),
    "3": ("M1,1.6C2.4,-0.6 9,-0.8 9,3.4C9,6.2 6.4,7 4,7C7.2,7 9.6,8.2 9.6,10.6C9.6,15.2 1.6,15 0.5,12", 10),
    "4": ("M7.2,14V0L0.5,9.6H9.8", 10),
    "5": ("M9,0H1.8L1,6.4C3.4,5 9.6,4.6 9.6,9.6C9.6,15 2,15 0.6,11.6", 10),
    "6": ("M8.6,1.2C7.4,0.2 6.2,0 5,0C1.6,0 0.6,4 0.6,8.4C0.6,12.6 2.4,14 5,14C7.8,14 9.4,12.2 "
          "9.4,9.6C9.4,7 7.6,5.2 5,5.2C2.6,5.2 1,6.6 0.7,8.4", 10),
    "7": ("M0.5,0H9.5L3.6,14", 10),
    "8": ("M5,6.8C1.5,6.8 1.5,0 5,0C8.5,0 8.5,6.8 5,6.8C0.7,6.8 0.7,14 5,14C9.3,14 9.3,6.8 5,6.8Z", 10),
    "9": ("M1.4,12.8C2.6,13.8 3.8,14 5,14C8.4,14 9.4,10 9.4,5.6C9.4,1.4 7.6,0 5,0C2.2,0 0.6,1.8 "
          "0.6,4.4C0.6,7 2.4,8.8 5,8.8C7.4,8.8 9,7.4 9.3,5.6", 10),
}

_SPACING = 0.6


def text_width(text):
    widths = [GLYPHS[c][1] for c in text]
    return sum(widths) + _SPACING * (len(widths) - 1)


def text_path(text):
    """One path for a short text, in glyph units, starting at x = 0.

    Only absolute commands are used by the glyphs, so each glyph is moved by
    rewriting its x coordinates.
    """
    pieces = []
    x = 0.0
    for c in text:
        data, advance = GLYPHS[c]
        pieces.append(_shift(data, x) if x else data)
        x += advance + _SPACING
    return "".join(pieces)


def _shift(data, dx):
    """Moves absolute path data right by dx (commands M, L, H, V, C, Z)."""
    out = []
    command = ""
    number = ""
    values = []

    def flush_number():
        nonlocal number
        if number:
            values.append(float(number))
            number = ""

    def emit():
        if not command:
            return
        shifted = []
        if command == "H":
            shifted = [v + dx for v in values]
        elif command == "V":
            shifted = list(values)
        else:
            for i, v in enumerate(values):
                shifted.append(v + dx if i % 2 == 0 else v)
        text = command
        for i, v in enumerate(shifted):
            part = f"{v:.2f}".rstrip("0").rstrip(".")
            if i and command not in ("H", "V"):
                text += ("," if i % 2 else " ") + part
            else:
                text += part
        out.append(text)

    for ch in data:
        if ch.isalpha():
            flush_number()
            emit()
            command = ch
            values = []
        elif ch in ", ":
            flush_number()
        elif ch == "-" and number:
            flush_number()
            number = ch
        else:
            number += ch
    flush_number()
    emit()
    return "".join(out)
