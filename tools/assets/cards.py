"""Card faces of the five deck styles.

A face is 200 x 282.9 units (the 1 : 1.4144 card shape), white with a grey
border and rounded corners. The rank and a small suit sign sit in the top
left corner and, turned half round, in the bottom right one; they are large
on purpose, since a fanned hand shows little else of most cards. Number cards
carry their pips, aces one large sign, court cards a figure or a large
letter.

Folders and ranks (rank 6..14 of the program's cards):
  style 0 "FraChSvg"  French faces, indices 6 7 8 9 10 V D R A, figure courts
  style 1 "GerChSvg"  Swiss-German faces, 6 7 8 9 banner U O K A
  style 2 "FraSvg"    French faces, 6 7 8 9 10 V D R A, letter courts
  style 3 "NapSvg"    Neapolitan faces, 3 4 5 6 7 S C R A (the program names
                      ranks 6..10 of this style Trois..Sept)
  style 4 "Fun1Svg"   French faces in a four-colour palette, cartoon courts
"""

import figures
import glyphs
import suits
from svgkit import document, el, group, mix, num, translate, use

WIDTH = 200.0
HEIGHT = 282.9
CENTRE_Y = HEIGHT / 2.0

FOLDERS = {0: "FraChSvg", 1: "GerChSvg", 2: "FraSvg", 3: "NapSvg", 4: "Fun1Svg"}

_FRENCH = {6: "6", 7: "7", 8: "8", 9: "9", 10: "10", 11: "V", 12: "D", 13: "R", 14: "A"}
_GERMAN = {6: "6", 7: "7", 8: "8", 9: "9", 10: "10", 11: "U", 12: "O", 13: "K", 14: "A"}
_NEAPOLITAN = {6: "3", 7: "4", 8: "5", 9: "6", 10: "7", 11: "S", 12: "C", 13: "R", 14: "A"}
INDEX = {0: _FRENCH, 1: _GERMAN, 2: _FRENCH, 3: _NEAPOLITAN, 4: _FRENCH}

# French faces are double-ended: the lower half of the card is the upper
# half turned round. The Swiss-German and Neapolitan faces stand upright.
DOUBLE_ENDED = {0: True, 1: False, 2: True, 3: False, 4: True}

# Corner index geometry (card units).
_INDEX_X = 10.0
_INDEX_Y = 11.0
_INDEX_SCALE = 3.6
_INDEX_STROKE = 2.4
_INDEX_SUIT_Y = 90.0
_INDEX_SUIT_SIZE = 42.0

# Pip columns and rows.
_LEFT = 76.0
_MIDDLE = 100.0
_RIGHT = 124.0
_ROWS3 = (60.0, CENTRE_Y, HEIGHT - 60.0)
_ROWS4 = (56.0, 56.0 + (HEIGHT - 112.0) / 3.0, HEIGHT - 56.0 - (HEIGHT - 112.0) / 3.0, HEIGHT - 56.0)

BORDER = "#6b6b6b"


def pip_count(style, rank):
    if style == 3:
        return rank - 3
    return rank


def pip_layout(count):
    """Centres of the pips of a number card."""
    if count >= 9:
        # Nine and ten pips take four rows: the columns move apart a little
        # and the pips shrink (pip_size) so that the middle ones stay clear.
        four = [(x, y) for y in _ROWS4 for x in (_LEFT - 5.0, _RIGHT + 5.0)]
        if count == 9:
            return four + [(_MIDDLE, CENTRE_Y)]
        return four + [(_MIDDLE, (_ROWS4[0] + _ROWS4[1]) / 2.0), (_MIDDLE, (_ROWS4[2] + _ROWS4[3]) / 2.0)]
    top, middle, bottom = _ROWS3
    mid_high = (top + middle) / 2.0
    mid_low = (middle + bottom) / 2.0
    if count == 3:
        return [(_MIDDLE, y) for y in _ROWS3]
    if count == 4:
        return [(x, y) for y in (top, bottom) for x in (_LEFT, _RIGHT)]
    if count == 5:
        return pip_layout(4) + [(_MIDDLE, middle)]
    if count == 6:
        return [(x, y) for y in _ROWS3 for x in (_LEFT, _RIGHT)]
    if count == 7:
        return pip_layout(6) + [(_MIDDLE, mid_high)]
    if count == 8:
        return pip_layout(6) + [(_MIDDLE, mid_high), (_MIDDLE, mid_low)]
    raise ValueError(count)


def pip_size(style, count):
    if count <= 5:
        return 46.0
    if count >= 9:
        return 34.0
    if style in (1, 3):
        return 40.0
    return 38.0


def _index(style, suit, rank):
    text = INDEX[style][rank]
    width = glyphs.text_width(text)
    # Two-character indices are squeezed a little so that they keep the
    # column of the single ones.
    squeeze = min(1.0, glyphs.GLYPH_WIDTH / width) if len(text) > 1 else 1.0
    x = _INDEX_X + (glyphs.GLYPH_WIDTH * _INDEX_SCALE - width * _INDEX_SCALE * squeeze) / 2.0
    scale = f"scale({num(_INDEX_SCALE * squeeze)},{num(_INDEX_SCALE)})"
    rank_path = el("path", d=glyphs.text_path(text), transform=f"translate({num(x)},{num(_INDEX_Y)}) {scale}",
                   fill="none", stroke=suits.ink(style, suit), stroke_width=_INDEX_STROKE,
                   stroke_linecap="round", stroke_linejoin="round")
    centre_x = _INDEX_X + glyphs.GLYPH_WIDTH * _INDEX_SCALE / 2.0
    suit_sign = use("s", translate(centre_x, _INDEX_SUIT_Y, _INDEX_SUIT_SIZE / 100.0))
    return group(rank_path + suit_sign, id="i")


def _frame(style):
    face = "#ffffff"
    if style == 4:
        face = "#fffdf6"
    return el("rect", x=1.5, y=1.5, width=WIDTH - 3, height=HEIGHT - 3, rx=12, fill=face,
              stroke=BORDER, stroke_width=3)


def _pips(style, suit, rank):
    count = pip_count(style, rank)
    size = pip_size(style, count) / 100.0
    out = []
    for x, y in pip_layout(count):
        turned = DOUBLE_ENDED[style] and y > CENTRE_Y + 1.0
        out.append(use("s", translate(x, y, size, 180 if turned else None)))
    return "".join(out)


def _ace(style, suit):
    out = ""
    if style in (0, 2):
        out += el("circle", cx=100, cy=CENTRE_Y, r=58, fill="none", stroke=suits.ink(style, suit),
                  stroke_width=2, stroke_dasharray="3,5")
    if style == 4:
        out += el("circle", cx=100, cy=CENTRE_Y, r=60, fill=mix(suits.ink(style, suit), "#ffffff", 0.85))
    # The slender Neapolitan clubs and swords need more height to weigh as
    # much as the round signs.
    scale = 1.3 if style == 3 and suit >= 3 else 0.9
    return out + use("s", translate(100, CENTRE_Y, scale))


def _banner(style, suit):
    """The Swiss-German ten: a banner bearing the suit."""
    ink = suits.ink(style, suit)
    cloth = mix(ink, "#ffffff", 0.82)
    pole = el("path", d="M62,34V252", stroke="#6d4c2f", stroke_width=7, stroke_linecap="round")
    knob = el("circle", cx=62, cy=32, r=7, fill="#f2b632", stroke="#6d4c2f", stroke_width=2)
    flag = el("path", d="M65,46C95,36 125,58 156,46V170C125,182 95,160 65,170Z", fill=cloth,
              stroke=ink, stroke_width=4, stroke_linejoin="round")
    fringe = el("path", d="M65,170C95,160 125,182 156,170", fill="none", stroke="#f2b632",
                stroke_width=5, stroke_dasharray="4,3")
    return pole + knob + flag + fringe + use("s", translate(110, 108, 0.62))


def card_svg(style, suit, rank):
    defs = suits.sign_group(style, suit, "s") + _index(style, suit, rank)
    body = _frame(style) + use("i") + use("i", f"rotate(180,{num(WIDTH / 2)},{num(CENTRE_Y)})")
    if rank == 14:
        body += _ace(style, suit)
    elif rank >= 11:
        body += figures.court(style, suit, rank)
    elif style == 1 and rank == 10:
        body += _banner(style, suit)
    else:
        body += _pips(style, suit, rank)
    return document(WIDTH, HEIGHT, body, defs)


def all_cards():
    """(relative path, SVG text) of every card face of every style."""
    for style, folder in FOLDERS.items():
        for suit in range(1, 5):
            for rank in range(6, 15):
                yield f"{folder}/{suit}/{rank}.svg", card_svg(style, suit, rank)
