"""Court cards: a framed panel with a stylised figure or a large letter.

The panel spans x 48..152 and y 30..252.9 of the card, clear of the corner
indices. Double-ended styles draw the upper half and repeat it turned round;
upright styles draw one full-height figure.
"""

import glyphs
import suits
from svgkit import el, group, mix, num, translate, use

PANEL_X = 48.0
PANEL_Y = 30.0
PANEL_W = 104.0
PANEL_H = 222.9
HALF_H = PANEL_H / 2.0
CARD_CENTRE = (100.0, 141.45)

SKIN = "#f6d2b0"
LINE = "#3a2a1a"
GOLD = "#f2b632"
GOLD_LINE = "#8a6100"

JACK, QUEEN, KING = 11, 12, 13


def _panel(fill, stroke):
    return el("rect", x=PANEL_X, y=PANEL_Y, width=PANEL_W, height=PANEL_H, rx=6, fill=fill,
              stroke=stroke, stroke_width=2)


def _turned(content):
    cx, cy = CARD_CENTRE
    return content + group(content, transform=f"rotate(180,{num(cx)},{num(cy)})")


# --- A bust in a 104-wide box, head centre at (52, head_y) -------------------

def bust(kind, robe, trim, hair, head_y, bottom, cartoon=False):
    """Head, headwear and robe of a figure; `kind` is the court rank."""
    dy = head_y - 48.0

    def at(y):
        return num(y + dy)

    out = []
    shoulders = 74.0 + dy
    out.append(el("path", d=f"M4,{num(bottom)}C6,{num(shoulders + 14)} 18,{num(shoulders + 2)} 34,{num(shoulders)}"
                          f"H70C86,{num(shoulders + 2)} 98,{num(shoulders + 14)} 100,{num(bottom)}Z",
                  fill=robe, stroke=LINE, stroke_width=1.5))
    out.append(el("path", d=f"M34,{num(shoulders)}L52,{num(shoulders + 22)}L70,{num(shoulders)}Z",
                  fill=trim, stroke=LINE, stroke_width=1.2))
    out.append(el("rect", x=46, y=at(60), width=12, height=16, fill=SKIN))
    if kind == QUEEN:
        out.append(el("path", d=f"M35,{at(44)}C33,{at(68)} 39,{at(80)} 45,{at(76)}L45,{at(42)}Z"
                                f"M69,{at(44)}C71,{at(68)} 65,{at(80)} 59,{at(76)}L59,{at(42)}Z",
                      fill=hair, stroke=LINE, stroke_width=1))
    face_r = 19.0 if cartoon else 16.0
    out.append(el("circle", cx=52, cy=at(48), r=face_r, fill="#ffd54a" if cartoon else SKIN,
                  stroke=LINE, stroke_width=1.5))
    if cartoon:
        for x in (45.0, 59.0):
            out.append(el("circle", cx=x, cy=at(45), r=5, fill="#ffffff", stroke=LINE, stroke_width=1))
            out.append(el("circle", cx=x + 1, cy=at(46), r=2.4, fill=LINE))
        out.append(el("path", d=f"M42,{at(54)}Q52,{at(64)} 62,{at(54)}", fill="none", stroke=LINE,
                      stroke_width=2.2, stroke_linecap="round"))
        out.append(el("circle", cx=39, cy=at(53), r=3.5, fill="#ff8a80", fill_opacity="0.8"))
        out.append(el("circle", cx=65, cy=at(53), r=3.5, fill="#ff8a80", fill_opacity="0.8"))
    else:
        out.append(el("circle", cx=46.5, cy=at(47), r=1.8, fill=LINE))
        out.append(el("circle", cx=57.5, cy=at(47), r=1.8, fill=LINE))
        out.append(el("path", d=f"M47.5,{at(55)}Q52,{at(58)} 56.5,{at(55)}", fill="none", stroke=LINE,
                      stroke_width=1.3))
    if kind == KING and not cartoon:
        out.append(el("path", d=f"M37,{at(52)}C38,{at(70)} 66,{at(70)} 67,{at(52)}C60,{at(61)} 44,{at(61)} 37,{at(52)}Z",
                      fill=hair, stroke=LINE, stroke_width=1))
    if kind == JACK:
        if not cartoon:
            out.append(el("path", d=f"M36,{at(44)}C37,{at(32)} 67,{at(32)} 68,{at(44)}C60,{at(38)} 44,{at(38)} 36,{at(44)}Z",
                          fill=hair))
        out.append(el("path", d=f"M64,{at(30)}C80,{at(16)} 86,{at(10)} 93,{at(5)}C87,{at(18)} 81,{at(26)} 70,{at(34)}Z",
                      fill=trim, stroke=LINE, stroke_width=1))
        out.append(el("ellipse", cx=52, cy=at(32), rx=21, ry=8, fill=robe, stroke=LINE, stroke_width=1.5))
    elif kind == QUEEN:
        out.append(el("path", d=f"M38,{at(34)}L40,{at(23)}L46,{at(29)}L52,{at(18)}L58,{at(29)}L64,{at(23)}L66,{at(34)}Z",
                      fill=GOLD, stroke=GOLD_LINE, stroke_width=1.3, stroke_linejoin="round"))
        out.append(el("circle", cx=52, cy=at(28), r=2.5, fill=trim))
    else:
        out.append(el("path", d=f"M35,{at(36)}V{at(16)}L43.5,{at(26)}L52,{at(11)}L60.5,{at(26)}L69,{at(16)}V{at(36)}Z",
                      fill=GOLD, stroke=GOLD_LINE, stroke_width=1.3, stroke_linejoin="round"))
        out.append(el("path", d=f"M35,{at(32)}H69", stroke=trim, stroke_width=3))
    return "".join(out)


def _french_figure(style, suit, rank):
    ink = suits.ink(style, suit)
    # Queens and kings dress in their suit's colour, jacks in the other one.
    in_suit_colour = (suit in (2, 4)) != (rank == JACK)
    robe = "#c8102e" if in_suit_colour else "#2f5fb3"
    hair = {JACK: "#7a4a1f", QUEEN: "#f0c14b", KING: "#9e9e9e"}[rank]
    half = bust(rank, robe, GOLD, hair, 48.0, HALF_H)
    half += use("s", translate(52, 97, 0.2))
    half += use("s", translate(14, 14, 0.17))
    content = _panel("#fff6dc", ink) + _turned(group(half, transform=translate(PANEL_X, PANEL_Y)))
    return content + el("path", d=f"M{num(PANEL_X)},{num(CARD_CENTRE[1])}H{num(PANEL_X + PANEL_W)}",
                        stroke=ink, stroke_width=1.5)


def _letter_figure(style, suit, rank):
    """Style 2: a large letter under an ornament, with the suit beside it."""
    ink = suits.ink(style, suit)
    letter = {JACK: "V", QUEEN: "D", KING: "R"}[rank]
    scale = 4.8
    width = glyphs.text_width(letter) * scale
    x = PANEL_X + (PANEL_W - width) / 2.0
    y = PANEL_Y + 36.0
    half = el("path", d=glyphs.text_path(letter), transform=f"translate({num(x)},{num(y)}) scale({num(scale)})",
              fill="none", stroke=ink, stroke_width=2.4, stroke_linecap="round", stroke_linejoin="round")
    ornament = {
        KING: f"M82,{num(y - 6)}V{num(y - 22)}L89,{num(y - 14)}L100,{num(y - 27)}L111,{num(y - 14)}L118,{num(y - 22)}V{num(y - 6)}Z",
        QUEEN: f"M85,{num(y - 6)}L87,{num(y - 18)}L93,{num(y - 12)}L100,{num(y - 23)}L107,{num(y - 12)}L113,{num(y - 18)}L115,{num(y - 6)}Z",
        JACK: f"M87,{num(y - 7)}C94,{num(y - 25)} 106,{num(y - 25)} 113,{num(y - 7)}Z",
    }[rank]
    half += el("path", d=ornament, fill=GOLD, stroke=GOLD_LINE, stroke_width=1.5, stroke_linejoin="round")
    half += use("s", translate(PANEL_X + 16, PANEL_Y + 96, 0.2))
    half += use("s", translate(PANEL_X + PANEL_W - 16, PANEL_Y + 96, 0.2))
    frame = el("rect", x=PANEL_X + 5, y=PANEL_Y + 5, width=PANEL_W - 10, height=PANEL_H - 10, rx=4,
               fill="none", stroke=GOLD, stroke_width=2)
    tint = mix(ink, "#ffffff", 0.92)
    return (_panel(tint, ink) + frame + _turned(half)
            + el("path", d=f"M{num(PANEL_X + 14)},{num(CARD_CENTRE[1])}H{num(PANEL_X + PANEL_W - 14)}",
                 stroke=ink, stroke_width=1.2, stroke_dasharray="4,3"))


def _fun_figure(style, suit, rank):
    ink = suits.ink(style, suit)
    robe = ink
    trim = {JACK: "#ffffff", QUEEN: "#ffeb3b", KING: "#ffffff"}[rank]
    half = bust(rank, robe, trim, "#6d4c41", 50.0, HALF_H, cartoon=True)
    half += use("s", translate(52, 98, 0.18))
    content = _panel(mix(ink, "#ffffff", 0.8), ink)
    content += _turned(group(half, transform=translate(PANEL_X, PANEL_Y)))
    return content


def _upright_figure(style, suit, rank):
    """Swiss-German Under, Ober, King and Neapolitan Sota, Cabal, Rey."""
    ink = suits.ink(style, suit)
    tint = "#fbf3dc"
    robe = mix(ink, "#ffffff", 0.15)
    trim = "#ffffff" if style == 1 else GOLD
    hair = {JACK: "#7a4a1f", QUEEN: "#5d4037", KING: "#9e9e9e"}[rank]
    panel = _panel(tint, ink)
    if style == 3 and rank == QUEEN:
        return panel + group(_horse(ink) + use("s", translate(52, 40, 0.42)),
                             transform=translate(PANEL_X, PANEL_Y))
    # Under, Ober and Sota wear a feathered cap, the kings a crown.
    kind = KING if rank == KING else JACK
    if style == 1 and rank == QUEEN:
        # The Ober raises his sign above his head.
        figure = bust(kind, robe, trim, hair, 110.0, PANEL_H) + use("s", translate(52, 36, 0.44))
    elif rank == JACK:
        # The Under (and the Sota) hold theirs low, in front.
        figure = bust(kind, robe, trim, hair, 56.0, PANEL_H) + use("s", translate(52, 172, 0.46))
    else:
        figure = bust(kind, robe, trim, hair, 60.0, PANEL_H) + use("s", translate(52, 158, 0.4))
    return panel + group(figure, transform=translate(PANEL_X, PANEL_Y))


def _horse(ink):
    head = ("M72,222V150C74,120 66,104 50,100L30,114C20,118 13,111 16,103L40,76C44,66 52,60 60,62"
            "L62,50L69,61C86,69 94,92 94,122V222Z")
    mane = "M63,62C82,68 98,92 98,132L93,132C93,96 82,76 66,68Z"
    return (el("path", d=head, fill="#a0683a", stroke=LINE, stroke_width=2, stroke_linejoin="round")
            + el("path", d=mane, fill="#3b2412")
            + el("circle", cx=47, cy=84, r=3.5, fill=LINE)
            + el("path", d="M30,112L58,92L74,120", fill="none", stroke=ink, stroke_width=3)
            + el("path", d="M72,190H94", stroke=ink, stroke_width=6))


def court(style, suit, rank):
    if style == 0:
        return _french_figure(style, suit, rank)
    if style == 2:
        return _letter_figure(style, suit, rank)
    if style == 4:
        return _fun_figure(style, suit, rank)
    return _upright_figure(style, suit, rank)
