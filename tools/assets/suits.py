"""Suit signs of the five deck styles, drawn in a box from -50 to 50.

Suit numbers follow the program's names (library/NomsDeCouleurs.cpp):
French faces (styles 0, 2, 4): 1 clubs, 2 diamonds, 3 spades, 4 hearts;
Swiss-German faces (style 1): 1 shields, 2 roses, 3 bells, 4 acorns;
Neapolitan faces (style 3): 1 coins, 2 cups, 3 clubs, 4 swords.

Every suit also has an ink colour (corner rank, figure robes) chosen so that
the four suits of a deck differ by colour as well as by shape: at the
smallest card size the colour is what the eye reads first.
"""

import math

from svgkit import el, group, num, polygon_points, star

# --- French shapes -----------------------------------------------------------

HEART = ("M0,46C-6,36 -50,8 -50,-18C-50,-36 -36,-46 -24,-46C-12,-46 -4,-38 0,-28"
         "C4,-38 12,-46 24,-46C36,-46 50,-36 50,-18C50,8 6,36 0,46Z")
DIAMOND = "M0,-50C9,-34 22,-15 38,0C22,15 9,34 0,50C-9,34 -22,15 -38,0C-22,-15 -9,-34 0,-50Z"
SPADE = ("M0,-48C-8,-34 -50,-12 -50,12C-50,30 -30,38 -13,28C-14,37 -19,44 -26,48H26"
         "C19,44 14,37 13,28C30,38 50,30 50,12C50,-12 8,-34 0,-48Z")
CLUB_STEM = "M-5,6C-5,28 -12,42 -24,48H24C12,42 5,28 5,6Z"


def _club(fill, stroke=None, stroke_width=None):
    style = dict(fill=fill, stroke=stroke, stroke_width=stroke_width)
    parts = [el("circle", cx=0, cy=-24, r=21, **style),
             el("circle", cx=-23, cy=9, r=21, **style),
             el("circle", cx=23, cy=9, r=21, **style),
             el("path", d=CLUB_STEM, **style)]
    if stroke:
        # The outlines of the three lobes cross inside; a plain fill over the
        # middle hides those inner lines.
        parts += [el("circle", cx=0, cy=-24, r=21 - stroke_width / 2.0, fill=fill),
                  el("circle", cx=-23, cy=9, r=21 - stroke_width / 2.0, fill=fill),
                  el("circle", cx=23, cy=9, r=21 - stroke_width / 2.0, fill=fill),
                  el("path", d="M-14,-6L14,-6L14,20L-14,20Z", fill=fill)]
    else:
        parts.append(el("circle", cx=0, cy=4, r=12, fill=fill))
    return "".join(parts)


def french(suit, palette, outlined=False):
    """A French suit sign; `palette` maps suit number to fill colour."""
    fill = palette[suit]
    if suit == 1:
        if outlined:
            return _club(fill, _darker(fill), 4.0)
        return _club(fill)
    shape = {2: DIAMOND, 3: SPADE, 4: HEART}[suit]
    if outlined:
        highlight = {2: "M-20,-6C-14,-16 -8,-26 -3,-34", 3: "M-36,6C-34,-8 -20,-18 -10,-26",
                     4: "M-38,-22C-38,-32 -30,-38 -22,-38"}[suit]
        return (el("path", d=shape, fill=fill, stroke=_darker(fill), stroke_width=4)
                + el("path", d=highlight, fill="none", stroke="#ffffff", stroke_width=5,
                     stroke_linecap="round", stroke_opacity="0.7"))
    return el("path", d=shape, fill=fill)


def _darker(colour, factor=0.6):
    values = [int(colour[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(v * factor):02x}" for v in values)


# --- Swiss-German shapes -----------------------------------------------------

def german(suit):
    if suit == 1:  # shield: yellow field, red chief, black pale
        outline = "M-40,-46H40C40,-8 36,24 0,48C-36,24 -40,-8 -40,-46Z"
        return (el("path", d=outline, fill="#f5c518")
                + el("path", d="M-40,-46H40V-22H-40Z", fill="#d32f2f")
                + el("path", d="M-9,-22H9V38L0,45L-9,38Z", fill="#1b1b1b")
                + el("path", d=outline, fill="none", stroke="#1b1b1b", stroke_width=5,
                     stroke_linejoin="round"))
    if suit == 2:  # rose: green sepals, red petals, yellow heart
        sepals = el("polygon", points=polygon_points(star(0, 0, 50, 16, 5, -54)), fill="#3c8d2f")
        petals = "".join(
            el("circle", cx=num(24 * math.cos(math.radians(-90 + 72 * i))),
               cy=num(24 * math.sin(math.radians(-90 + 72 * i))), r=20,
               fill="#d62d20", stroke="#8e1b12", stroke_width=3)
            for i in range(5))
        middle = el("circle", cx=0, cy=0, r=22, fill="#d62d20")
        heart = el("circle", cx=0, cy=0, r=12, fill="#f7d23e", stroke="#8e1b12", stroke_width=3)
        return sepals + petals + middle + heart
    if suit == 3:  # bell: gold sphere, red band, black slot, top loop
        return (el("circle", cx=0, cy=-37, r=8, fill="none", stroke="#7a4a00", stroke_width=5)
                + el("circle", cx=0, cy=6, r=40, fill="#f0b323", stroke="#7a4a00", stroke_width=4)
                + el("path", d="M-39.5,-1H39.5A40,40 0 0,1 39.5,13H-39.5A40,40 0 0,1 -39.5,-1Z",
                     fill="#c62828")
                + el("circle", cx=0, cy=27, r=6, fill="#1b1b1b")
                + el("path", d="M0,27V45", stroke="#1b1b1b", stroke_width=5)
                + el("circle", cx=-16, cy=-14, r=7, fill="#ffffff", fill_opacity="0.6"))
    # acorn: brown nut, green cup, stem
    return (el("path", d="M0,-26L5,-48", stroke="#2d4a17", stroke_width=7, stroke_linecap="round")
            + el("ellipse", cx=0, cy=14, rx=25, ry=33, fill="#b8732a", stroke="#5a3210",
                 stroke_width=4)
            + el("path", d="M-31,-2C-31,-32 31,-32 31,-2C20,5 -20,5 -31,-2Z", fill="#4e7d2a",
                 stroke="#2d4a17", stroke_width=4)
            + el("path", d="M-20,-12L-8,-2M-6,-22L8,-4M10,-20L20,-8", stroke="#2d4a17",
                 stroke_width=3)
            + el("ellipse", cx=-10, cy=16, rx=6, ry=12, fill="#ffffff", fill_opacity="0.35"))


# --- Neapolitan shapes -------------------------------------------------------

def neapolitan(suit):
    if suit == 1:  # coin
        return (el("circle", cx=0, cy=0, r=46, fill="#f2c94c", stroke="#9c6b00", stroke_width=4)
                + el("circle", cx=0, cy=0, r=31, fill="#e0a526", stroke="#9c6b00", stroke_width=3)
                + el("polygon", points=polygon_points(star(0, 0, 22, 9, 8)), fill="#c0392b")
                + el("circle", cx=0, cy=0, r=7, fill="#f2c94c", stroke="#7b1d14", stroke_width=2))
    if suit == 2:  # cup
        bowl = ("M-34,-38H34C34,-10 20,4 6,7V21C6,28 22,34 26,46H-26C-22,34 -6,28 -6,21V7"
                "C-20,4 -34,-10 -34,-38Z")
        return (el("path", d=bowl, fill="#d64541", stroke="#7b1d14", stroke_width=4,
                   stroke_linejoin="round")
                + el("path", d="M-34,-46H34V-34H-34Z", fill="#f2c94c", stroke="#7b1d14",
                     stroke_width=4)
                + el("ellipse", cx=0, cy=15, rx=11, ry=5, fill="#f2c94c", stroke="#7b1d14",
                     stroke_width=2)
                + el("path", d="M-22,-28C-22,-16 -16,-8 -8,-4", fill="none", stroke="#ffffff",
                     stroke_width=4, stroke_opacity="0.5", stroke_linecap="round"))
    if suit == 3:  # club (cudgel), leaning right
        return group(
            el("path", d="M-10,48L-19,-34C-20,-52 20,-52 19,-34L10,48Z", fill="#3f8f3f",
               stroke="#1e4d1e", stroke_width=4, stroke_linejoin="round")
            + el("circle", cx=-19, cy=-10, r=7, fill="#3f8f3f", stroke="#1e4d1e", stroke_width=3)
            + el("circle", cx=17, cy=8, r=7, fill="#3f8f3f", stroke="#1e4d1e", stroke_width=3)
            + el("path", d="M-11,30H11V48H-11Z", fill="#8b5a2b", stroke="#1e4d1e", stroke_width=3),
            transform="rotate(28)")
    # sword, leaning left
    return group(
        el("path", d="M0,-52L15,-36V18H-15V-36Z", fill="#6f9be0", stroke="#1f4e8c",
           stroke_width=4, stroke_linejoin="round")
        + el("path", d="M0,-42V14", stroke="#244a7a", stroke_width=2)
        + el("path", d="M-28,18H28V28H-28Z", fill="#f2c94c", stroke="#7a5a00", stroke_width=3)
        + el("path", d="M-6,28H6V42H-6Z", fill="#8b5a2b", stroke="#5a3210", stroke_width=2)
        + el("circle", cx=0, cy=46, r=6, fill="#f2c94c", stroke="#7a5a00", stroke_width=2),
        transform="rotate(-28)")


# --- Styles ------------------------------------------------------------------

CLASSIC_PALETTE = {1: "#141414", 2: "#cc0a1e", 3: "#141414", 4: "#cc0a1e"}
FUN_PALETTE = {1: "#23a04a", 2: "#ff8a00", 3: "#3b4fd8", 4: "#e8336f"}

INK = {
    0: CLASSIC_PALETTE,
    1: {1: "#1b1b1b", 2: "#c62828", 3: "#b86e00", 4: "#2f6b1f"},
    2: CLASSIC_PALETTE,
    3: {1: "#a86b00", 2: "#c0392b", 3: "#2e7d32", 4: "#1f4e8c"},
    4: {1: "#1d8a3e", 2: "#e67300", 3: "#3b4fd8", 4: "#e0245e"},
}


def sign(style, suit):
    """The SVG elements of a suit sign of a style, in the -50..50 box."""
    if style == 1:
        return german(suit)
    if style == 3:
        return neapolitan(suit)
    if style == 4:
        return french(suit, FUN_PALETTE, outlined=True)
    return french(suit, CLASSIC_PALETTE)


def ink(style, suit):
    return INK[style][suit]


def sign_group(style, suit, ident):
    return group(sign(style, suit), id=ident)
