"""Status icons of the online lobby's tabs: a person whose colour and badge
tell a friend's status, the friends tab's three pages, and the servers tab's
card table.

They are reached at the resource root without an extension (":/user",
":/table"); resources/CMakeLists.txt gives each PNG of lobby/ its alias.
Drawn at 64 x 64: the trees show them at 16 to 30 pixels, at up to two
device pixels per pixel. Each is readable by its shape as well as its
colour, so that the badge still tells the status at 16 pixels.
"""

from svgkit import document, el, mix, num

ICON_SIZE = 64

GREEN = "#2e9e44"
RED = "#d32f2f"
ORANGE = "#ef8f00"
BLUE = "#1e6fd9"
GREY = "#8a8f96"
WHITE = "#ffffff"


def _person(colour, shift=0.0):
    """Head and shoulders, a little left of centre to leave room for a badge."""
    dark = mix(colour, "#000000", 0.4)
    light = mix(colour, "#ffffff", 0.35)
    cx = 26 + shift
    shoulders = (f"M{num(cx - 20)},58C{num(cx - 20)},40 {num(cx - 12)},34 {num(cx)},34"
                 f"C{num(cx + 12)},34 {num(cx + 20)},40 {num(cx + 20)},58Z")
    return (el("path", d=shoulders, fill=colour, stroke=dark, stroke_width=2.5, stroke_linejoin="round")
            + el("circle", cx=cx, cy=20, r=12, fill=colour, stroke=dark, stroke_width=2.5)
            + el("ellipse", cx=cx - 4, cy=16, rx=4, ry=3, fill=light, fill_opacity="0.8"))


def _badge(colour, mark):
    """A round badge at the lower right with a white mark."""
    dark = mix(colour, "#000000", 0.35)
    return el("circle", cx=47, cy=46, r=15, fill=colour, stroke=dark, stroke_width=2.5) + mark


def _stroke(d, width=5.0):
    return el("path", d=d, fill="none", stroke=WHITE, stroke_width=width, stroke_linecap="round",
              stroke_linejoin="round")


def _check():
    return _stroke("M40,46L45,52L55,40")


def _cross():
    return _stroke("M41,40L53,52M53,40L41,52")


def _question():
    return (_stroke("M42,41C42,34 53,34 53,41C53,45 47,45 47,49", 4.0)
            + el("circle", cx=47, cy=54.5, r=2.4, fill=WHITE))


def _clock():
    return (el("circle", cx=47, cy=46, r=9, fill="none", stroke=WHITE, stroke_width=3)
            + _stroke("M47,40V46L51,49", 3.0))


def _plus_minus():
    return _stroke("M41,42H53M47,36V48M41,54H53", 3.6)


def table():
    """A round green table seen from above with four cards and four seats."""
    seats = "".join(el("circle", cx=x, cy=y, r=7, fill="#8d5a2b", stroke="#5b3716", stroke_width=2)
                    for x, y in ((32, 6), (58, 32), (32, 58), (6, 32)))
    cloth = (el("circle", cx=32, cy=32, r=24, fill="#6d4c2f", stroke="#3e2a17", stroke_width=2.5)
             + el("circle", cx=32, cy=32, r=19.5, fill="#2e7d32", stroke="#1b5e20", stroke_width=1.5))
    cards = ""
    for angle, colour in ((-20, RED), (10, "#1b1b1b"), (40, RED)):
        cards += el("rect", x=-5.5, y=-8, width=11, height=16, rx=1.8, fill=WHITE, stroke="#555555",
                    stroke_width=1, transform=f"translate(32,33) rotate({angle}) translate(0,-3)")
        cards += el("circle", cx=0, cy=-3, r=2.2, fill=colour,
                    transform=f"translate(32,33) rotate({angle}) translate(0,-3)")
    return document(ICON_SIZE, ICON_SIZE, seats + cloth + cards)


def icon(name):
    if name == "table":
        return table()
    if name == "user":
        body = _person(GREEN, 6)
    elif name == "user_busy":
        body = _person(ORANGE) + _badge(ORANGE, _clock())
    elif name == "user_red":
        body = _person(RED, 6)
    elif name == "user_red_cross":
        body = _person(GREY) + _badge(RED, _cross())
    elif name == "user_interrogation":
        body = _person(BLUE) + _badge(ORANGE, _question())
    elif name == "user_ok":
        body = _person(BLUE) + _badge(GREEN, _check())
    elif name == "user_plus_minus":
        body = _person(BLUE) + _badge(GREY, _plus_minus())
    else:
        raise ValueError(name)
    return document(ICON_SIZE, ICON_SIZE, body)


ICONS = ("table", "user", "user_busy", "user_red", "user_red_cross", "user_interrogation", "user_ok",
         "user_plus_minus")


def all_icons():
    """(path under the resource root, width, height, SVG text) of each PNG."""
    for name in ICONS:
        yield f"lobby/{name}.png", ICON_SIZE, ICON_SIZE, icon(name)
