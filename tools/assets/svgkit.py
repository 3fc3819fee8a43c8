"""Small helpers to write compact SVG text.

Every generator writes SVG through these so that numbers are printed the same
way on every run (fixed rounding, no locale) and files stay small.
"""

import math


def num(value):
    """A number with at most two decimals and no trailing zeros."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    if text in ("-0", ""):
        return "0"
    return text


def attrs(**kwargs):
    """Attribute text; underscores in names become dashes, None is skipped."""
    parts = []
    for key, value in kwargs.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        if name == "href":
            name = "xlink:href"
        if isinstance(value, float):
            value = num(value)
        parts.append(f'{name}="{value}"')
    return " ".join(parts)


def el(tag, **kwargs):
    return f"<{tag} {attrs(**kwargs)}/>"


def group(content, **kwargs):
    head = attrs(**kwargs)
    return f"<g {head}>{content}</g>" if head else f"<g>{content}</g>"


def translate(x, y, scale=None, rotate=None):
    text = f"translate({num(x)},{num(y)})"
    if rotate:
        text += f" rotate({num(rotate)})"
    if scale is not None and scale != 1:
        text += f" scale({num(scale)})"
    return text


def use(ref, transform=None, **kwargs):
    return el("use", href=f"#{ref}", transform=transform, **kwargs)


def document(width, height, body, defs="", view_box=None, size=True):
    box = view_box or f"0 0 {num(width)} {num(height)}"
    dims = f' width="{num(width)}" height="{num(height)}"' if size else ""
    head = (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"'
            f' version="1.2" baseProfile="tiny" viewBox="{box}"{dims}>')
    defs_text = f"<defs>{defs}</defs>" if defs else ""
    return f"{head}{defs_text}{body}</svg>\n"


def polygon_points(points):
    return " ".join(f"{num(x)},{num(y)}" for x, y in points)


def star(cx, cy, outer, inner, count, start_deg=-90.0):
    """Points of a star with `count` tips."""
    points = []
    for i in range(count * 2):
        radius = outer if i % 2 == 0 else inner
        angle = math.radians(start_deg + i * 180.0 / count)
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def mix(colour_a, colour_b, t):
    """Blend two #rrggbb colours; t = 0 gives a, 1 gives b."""
    a = [int(colour_a[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(colour_b[i:i + 2], 16) for i in (1, 3, 5)]
    out = [round(a[i] + (b[i] - a[i]) * t) for i in range(3)]
    return "#" + "".join(f"{c:02x}" for c in out)


class Lcg:
    """A tiny deterministic generator (same numbers on every Python)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 4294967296.0

    def uniform(self, low, high):
        return low + (high - low) * self.next()
