"""Raster pictures of the table: card backs, trump buttons, icons, seasonal
art and the five themes' table textures.

Each picture is written here as SVG at its final pixel size; the Qt tool
tools/svg_to_png.cpp turns the list into PNG files (see gen_assets.py).
Sizes follow how the table draws them:
  - card backs at 256 x 362 (the card shape; the table scales them to the
    rendered card size, then to a power of two for its textures);
  - trump buttons 128 x 128 (icons of at most a third of a button's side,
    35 x 35 on the cloth's name plates);
  - icons 128 x 128 (26-pixel buttons at up to four device pixels per
    pixel, and the message-box picture);
  - seasonal pictures 128 x 128 (drawn at a fifteenth of the table width);
  - background and cloth 1024 x 1024 (the name plates are 500 x 47 boxes on
    the cloth, 8 pixels from its edges);
  - slate 512 x 576 (scoreboard text from x 78, lines down to y 436, in a
    font of 0.12 x its width);
  - bubbles 512 x 205 (text centred in the band y 15..115, the 0.7 x 0.28
    shape of the bubble objects);
  - button textures of the widget themes: alien and wood 256 x 256, racing
    512 x 512, candy 1024 x 1024. They are tiled under push buttons and tabs
    with black text on them (white while pressed, over the texture darkened
    by a quarter), so they stay light and quiet; their body is slightly
    translucent, which keeps an alpha channel in the PNG files.
"""

import math

import suits
from svgkit import Lcg, document, el, group, mix, num, polygon_points, star, translate

FOLDERS = {0: "FraChSvg", 1: "GerChSvg", 2: "FraSvg", 3: "NapSvg", 4: "Fun1Svg"}
ACCENT = {0: "#c8102e", 1: "#2f6b1f", 2: "#1d3f8f", 3: "#a86b00", 4: "#8e44ad"}
THEMES = ("wood", "alien", "racing", "candy", "nature")

BACK_SIZE = (256, 362)
BUTTON_SIZE = 128
ICON_SIZE = 128
SEASON_SIZE = 128
TABLE_SIZE = 1024
SLATE_SIZE = (512, 576)
BUBBLE_SIZE = (512, 205)


def _linear(ident, x1, y1, x2, y2, stops):
    inner = "".join(_stop(offset, colour, opacity) for offset, colour, opacity in stops)
    return (f'<linearGradient id="{ident}" gradientUnits="userSpaceOnUse" x1="{num(x1)}" y1="{num(y1)}"'
            f' x2="{num(x2)}" y2="{num(y2)}">{inner}</linearGradient>')


def _radial(ident, cx, cy, r, stops):
    inner = "".join(_stop(offset, colour, opacity) for offset, colour, opacity in stops)
    return (f'<radialGradient id="{ident}" gradientUnits="userSpaceOnUse" cx="{num(cx)}" cy="{num(cy)}"'
            f' r="{num(r)}" fx="{num(cx)}" fy="{num(cy)}">{inner}</radialGradient>')


def _stop(offset, colour, opacity=1.0):
    extra = f' stop-opacity="{num(opacity)}"' if opacity != 1.0 else ""
    return f'<stop offset="{num(offset)}" stop-color="{colour}"{extra}/>'


def _clip_segment(x1, y1, x2, y2, left, top, right, bottom):
    """The part of a segment inside a rectangle (Liang-Barsky), or None."""
    dx, dy = x2 - x1, y2 - y1
    t0, t1 = 0.0, 1.0
    for p, q in ((-dx, x1 - left), (dx, right - x1), (-dy, y1 - top), (dy, bottom - y1)):
        if p == 0:
            if q < 0:
                return None
            continue
        t = q / p
        if p < 0:
            t0 = max(t0, t)
        else:
            t1 = min(t1, t)
        if t0 > t1:
            return None
    return (x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy)


def _lattice(left, top, right, bottom, spacing, stroke, width, opacity):
    """Diagonal lines both ways across a rectangle, kept inside it."""
    lines = []
    span = (right - left) + (bottom - top)
    steps = int(span / spacing) + 2
    for i in range(-steps, steps + 1):
        c = left + i * spacing
        for x1, y1, x2, y2 in ((c, top, c + span, top + span), (c, bottom, c + span, bottom - span)):
            seg = _clip_segment(x1, y1, x2, y2, left, top, right, bottom)
            if seg:
                lines.append(f"M{num(seg[0])},{num(seg[1])}L{num(seg[2])},{num(seg[3])}")
    return el("path", d="".join(lines), fill="none", stroke=stroke, stroke_width=width,
              stroke_opacity=num(opacity))


# --- Card backs --------------------------------------------------------------

def card_back(style):
    w, h = 200.0, 282.9
    fx, fy, fw, fh = 12.0, 12.0, w - 24.0, h - 24.0
    colours = {0: "#b71c1c", 1: "#1e5631", 2: "#1d3f8f", 3: "#7b1d2b", 4: "#6a2c91"}
    field = colours[style]
    defs = _linear("f", 0, 0, w, h, [(0, mix(field, "#ffffff", 0.12), 1.0), (1, mix(field, "#000000", 0.18), 1.0)])
    body = el("rect", x=1.5, y=1.5, width=w - 3, height=h - 3, rx=12, fill="#ffffff", stroke="#6b6b6b",
              stroke_width=3)
    body += el("rect", x=fx, y=fy, width=fw, height=fh, rx=8, fill="url(#f)")
    inner = (fx + 8, fy + 8, fx + fw - 8, fy + fh - 8)
    if style == 0:
        cross = "M-2.5,-7H2.5V-2.5H7V2.5H2.5V7H-2.5V2.5H-7V-2.5H-2.5Z"
        pieces = []
        for row in range(11):
            for col in range(7):
                x = inner[0] + 10 + col * 23.0 + (11.5 if row % 2 else 0.0)
                y = inner[1] + 10 + row * 23.0
                if x < inner[2] - 6 and y < inner[3] - 6:
                    pieces.append(el("path", d=cross, transform=translate(x, y), fill="#ffffff",
                                     fill_opacity="0.28"))
        body += "".join(pieces)
        # A white cross on red, as on the Swiss flag.
        body += el("circle", cx=w / 2, cy=h / 2, r=40, fill="#d52b1e", stroke="#ffffff", stroke_width=4)
        body += el("path", d=cross, transform=translate(w / 2, h / 2, 3.6), fill="#ffffff")
    elif style == 1:
        body += _lattice(*inner, 20, "#f2c94c", 1.6, 0.55)
        body += el("ellipse", cx=w / 2, cy=h / 2, rx=52, ry=66, fill="#fbf3dc", stroke="#f2c94c", stroke_width=4)
        for suit, (dx, dy) in zip(range(1, 5), ((-20, -26), (20, -26), (-20, 26), (20, 26))):
            body += group(suits.german(suit), transform=translate(w / 2 + dx, h / 2 + dy, 0.34))
    elif style == 2:
        body += _lattice(*inner, 12, "#ffffff", 1.0, 0.35)
        body += el("path", d=f"M{num(w / 2)},{num(h / 2 - 70)}L{num(w / 2 + 50)},{num(h / 2)}"
                             f"L{num(w / 2)},{num(h / 2 + 70)}L{num(w / 2 - 50)},{num(h / 2)}Z",
                   fill="#ffffff", stroke="#f2c94c", stroke_width=3)
        for suit, (dx, dy) in zip(range(1, 5), ((0, -30), (18, 0), (0, 30), (-18, 0))):
            body += group(suits.french(suit, suits.CLASSIC_PALETTE), transform=translate(w / 2 + dx, h / 2 + dy, 0.2))
    elif style == 3:
        for row in range(12):
            for col in range(8):
                x = inner[0] + 8 + col * 20.0 + (10 if row % 2 else 0)
                y = inner[1] + 8 + row * 21.5
                if x < inner[2] - 4 and y < inner[3] - 4:
                    body += el("circle", cx=x, cy=y, r=4, fill="#f2c94c", fill_opacity="0.55")
        body += el("circle", cx=w / 2, cy=h / 2, r=48, fill="#7b1d2b", stroke="#f2c94c", stroke_width=4)
        body += group(suits.neapolitan(1), transform=translate(w / 2, h / 2, 0.8))
    else:
        rng = Lcg(4)
        palette = list(suits.FUN_PALETTE.values()) + ["#ffeb3b", "#ffffff"]
        for _ in range(120):
            x = rng.uniform(inner[0] + 4, inner[2] - 4)
            y = rng.uniform(inner[1] + 4, inner[3] - 4)
            colour = palette[int(rng.next() * len(palette))]
            body += el("circle", cx=x, cy=y, r=rng.uniform(2.0, 5.0), fill=colour, fill_opacity="0.85")
        body += el("circle", cx=w / 2, cy=h / 2, r=44, fill="#ffd54a", stroke="#3a2a1a", stroke_width=3)
        body += el("circle", cx=w / 2 - 15, cy=h / 2 - 10, r=6, fill="#3a2a1a")
        body += el("circle", cx=w / 2 + 15, cy=h / 2 - 10, r=6, fill="#3a2a1a")
        body += el("path", d=f"M{num(w / 2 - 24)},{num(h / 2 + 10)}Q{num(w / 2)},{num(h / 2 + 36)} {num(w / 2 + 24)},{num(h / 2 + 10)}",
                   fill="none", stroke="#3a2a1a", stroke_width=5, stroke_linecap="round")
    body += el("rect", x=fx + 4, y=fy + 4, width=fw - 8, height=fh - 8, rx=6, fill="none", stroke="#ffffff",
               stroke_width=2, stroke_opacity="0.8")
    return document(BACK_SIZE[0], BACK_SIZE[1], body, defs, view_box=f"0 0 {num(w)} {num(h)}")


# --- Trump buttons -----------------------------------------------------------

def _arrow(points, colour, head=True):
    """A thick polyline ending in an arrow head, outlined in a darker shade."""
    dark = mix(colour, "#000000", 0.45)
    (x1, y1), (x2, y2) = points[-2], points[-1]
    angle = math.atan2(y2 - y1, x2 - x1)
    back = 30.0
    tip = (x2 + 6 * math.cos(angle), y2 + 6 * math.sin(angle))
    base = (x2 - back * math.cos(angle), y2 - back * math.sin(angle))
    side = (-math.sin(angle) * 28.0, math.cos(angle) * 28.0)
    head_points = [tip, (base[0] + side[0], base[1] + side[1]), (base[0] - side[0], base[1] - side[1])]
    line_points = points[:-1] + [base] if head else points
    line = "M" + "L".join(f"{num(x)},{num(y)}" for x, y in line_points)
    out = el("path", d=line, fill="none", stroke=dark, stroke_width=30, stroke_linecap="round",
             stroke_linejoin="round")
    if head:
        out += el("polygon", points=polygon_points(head_points), fill=dark, stroke=dark, stroke_width=8,
                  stroke_linejoin="round")
    out += el("path", d=line, fill="none", stroke=colour, stroke_width=20, stroke_linecap="round",
              stroke_linejoin="round")
    if head:
        out += el("polygon", points=polygon_points(head_points), fill=colour)
    return out


def trump_button(style, mode):
    accent = ACCENT[style]
    size = BUTTON_SIZE
    if 1 <= mode <= 4:
        body = group(suits.sign(style, mode), transform=translate(64, 64, 1.12))
    elif mode == 5:
        body = _arrow([(64, 12), (64, 112)], accent)
    elif mode == 6:
        body = _arrow([(64, 116), (64, 16)], accent)
    elif mode == 7:
        body = _arrow([(16, 102), (42, 40), (70, 102), (108, 26)], accent)
    elif mode == 8:
        body = _arrow([(16, 26), (42, 88), (70, 26), (108, 102)], accent)
    elif mode in (9, 10):
        opacity = "1" if mode == 9 else "0.45"
        body = "".join(group(suits.sign(style, suit), transform=translate(x, y, 0.5), opacity=opacity)
                       for suit, (x, y) in zip(range(1, 5), ((34, 34), (94, 34), (34, 94), (94, 94))))
        if mode == 10:
            body += el("circle", cx=64, cy=64, r=54, fill="none", stroke="#d32f2f", stroke_width=10)
            body += el("path", d="M26,26L102,102", stroke="#d32f2f", stroke_width=10, stroke_linecap="round")
    else:
        body = _arrow([(36, 116), (36, 14)], accent) + _arrow([(92, 14), (92, 116)], accent)
    return document(size, size, body)


# --- Icons -------------------------------------------------------------------

def _disc(colour):
    return el("circle", cx=64, cy=64, r=58, fill=colour, stroke=mix(colour, "#000000", 0.35), stroke_width=5)


def _chain(broken):
    """Two chain links along the diagonal, joined or pulled apart."""
    link = "M-17,-12H17A12,12 0 0,1 17,12H-17A12,12 0 0,1 -17,-12Z"
    centres = ((38, 90), (90, 38)) if broken else ((49, 79), (79, 49))
    out = "".join(el("path", d=link, transform=f"translate({x},{y}) rotate(-45)", fill="none", stroke="#ffffff",
                     stroke_width=9) for x, y in centres)
    if broken:
        out += el("path", d="M50,50L40,40M78,78L88,88M60,42L60,30M68,86L68,98", stroke="#ffffff", stroke_width=6,
                  stroke_linecap="round")
    return out


def _gear(cx, cy, outer, inner, teeth, colour):
    points = []
    for i in range(teeth * 4):
        angle = 2 * math.pi * i / (teeth * 4)
        radius = outer if i % 4 in (1, 2) else inner
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return el("polygon", points=polygon_points(points), fill=colour, stroke=mix(colour, "#000000", 0.4),
              stroke_width=4, stroke_linejoin="round")


def icon(name):
    s = ICON_SIZE
    white = "#ffffff"
    if name == "back":
        body = _disc("#2c7be5") + el("polygon", points="26,64 62,30 62,50 102,50 102,78 62,78 62,98", fill=white)
    elif name == "forward":
        body = _disc("#2c7be5") + el("polygon", points="102,64 66,30 66,50 26,50 26,78 66,78 66,98", fill=white)
    elif name == "right":
        body = _disc("#2e9e5b") + el("path", d="M50,30L84,64L50,98", fill="none", stroke=white, stroke_width=16,
                                     stroke_linecap="round", stroke_linejoin="round")
    elif name == "question":
        body = (_disc("#f39c12")
                + el("path", d="M42,46C42,22 86,20 86,46C86,62 64,62 64,78V82", fill="none", stroke=white,
                     stroke_width=14, stroke_linecap="round")
                + el("circle", cx=64, cy=102, r=8, fill=white))
    elif name == "settings":
        body = _gear(64, 64, 60, 46, 9, "#78909c") + el("circle", cx=64, cy=64, r=18, fill="#eceff1",
                                                           stroke="#37474f", stroke_width=5)
    elif name == "bug":
        legs = "".join(el("path", d=f"M{x1},{y1}L{x2},{y2}", stroke="#1b1b1b", stroke_width=6,
                          stroke_linecap="round")
                       for x1, y1, x2, y2 in ((40, 56, 16, 46), (38, 76, 12, 78), (42, 94, 20, 112),
                                              (88, 56, 112, 46), (90, 76, 116, 78), (86, 94, 108, 112)))
        spots = "".join(el("circle", cx=x, cy=y, r=r, fill="#1b1b1b")
                        for x, y, r in ((48, 64, 7), (80, 64, 7), (46, 92, 6), (82, 92, 6), (64, 104, 5)))
        body = (legs
                + el("path", d="M52,30L40,10M76,30L88,10", stroke="#1b1b1b", stroke_width=5, stroke_linecap="round")
                + el("circle", cx=64, cy=38, r=18, fill="#1b1b1b")
                + el("ellipse", cx=64, cy=78, rx=34, ry=40, fill="#e53935", stroke="#1b1b1b", stroke_width=5)
                + el("path", d="M64,40V118", stroke="#1b1b1b", stroke_width=4) + spots
                + el("circle", cx=57, cy=34, r=4, fill=white) + el("circle", cx=71, cy=34, r=4, fill=white))
    elif name == "connected":
        body = _disc("#2e9e44") + _chain(False)
    elif name == "disconnected":
        body = _disc("#d32f2f") + _chain(True)
    elif name == "inprogress":
        body = _disc("#f39c12") + "".join(el("circle", cx=x, cy=64, r=11, fill=white) for x in (34, 64, 94))
    elif name == "cup":
        defs = _linear("g", 20, 0, 108, 0, [(0, "#ffe082", 1.0), (0.5, "#ffc107", 1.0), (1, "#c68a00", 1.0)])
        body = (el("path", d="M30,26C4,26 8,66 40,66M98,26C124,26 120,66 88,66", fill="none", stroke="#c68a00",
                   stroke_width=9)
                + el("path", d="M28,14H100V40C100,70 84,84 64,84C44,84 28,70 28,40Z", fill="url(#g)",
                     stroke="#8a6100", stroke_width=4)
                + el("path", d="M56,84H72V100H56Z", fill="#ffc107", stroke="#8a6100", stroke_width=3)
                + el("path", d="M36,100H92L98,118H30Z", fill="#6d4c41", stroke="#3e2723", stroke_width=4)
                + el("polygon", points=polygon_points(star(64, 46, 16, 7, 5)), fill="#fff8e1"))
        return document(s, s, body, defs)
    elif name == "tomato":
        body = (el("circle", cx=64, cy=72, r=50, fill="#e53935", stroke="#8e1b12", stroke_width=4)
                + el("ellipse", cx=44, cy=56, rx=12, ry=8, fill=white, fill_opacity="0.45")
                + el("polygon", points=polygon_points(star(64, 26, 30, 10, 5, -90)), fill="#43a047",
                     stroke="#1b5e20", stroke_width=3)
                + el("path", d="M64,22V6", stroke="#1b5e20", stroke_width=6, stroke_linecap="round"))
    elif name == "achievement":
        body = (el("path", d="M36,4H58L72,56H50Z", fill="#1e88e5", stroke="#0d47a1", stroke_width=3)
                + el("path", d="M92,4H70L56,56H78Z", fill="#e53935", stroke="#8e1b12", stroke_width=3)
                + el("circle", cx=64, cy=82, r=40, fill="#ffc107", stroke="#8a6100", stroke_width=5)
                + el("circle", cx=64, cy=82, r=29, fill="none", stroke="#fff3c4", stroke_width=3)
                + el("polygon", points=polygon_points(star(64, 84, 22, 9, 5)), fill="#fff8e1",
                     stroke="#8a6100", stroke_width=2))
    else:
        raise ValueError(name)
    return document(s, s, body)


def connected_carpet():
    """The online sign painted on the cloth: a translucent globe."""
    s = 256
    lines = ("M128,20V236M20,128H236M40,70H216M40,186H216"
             "M128,20C70,60 70,196 128,236M128,20C186,60 186,196 128,236")
    body = (el("circle", cx=128, cy=128, r=108, fill="#ffffff", fill_opacity="0.18", stroke="#ffffff",
               stroke_opacity="0.7", stroke_width=10)
            + el("path", d=lines, fill="none", stroke="#ffffff", stroke_opacity="0.7", stroke_width=7))
    return document(s, s, body)


def seasonal(name):
    s = SEASON_SIZE
    if name == "flocon1":
        arm = ("M64,64V10M64,30L50,18M64,30L78,18M64,46L52,38M64,46L76,38")
        arms = "".join(el("path", d=arm, transform=f"rotate({a},64,64)", fill="none", stroke="#5d9cd6",
                          stroke_width=11, stroke_linecap="round") for a in range(0, 360, 60))
        arms += "".join(el("path", d=arm, transform=f"rotate({a},64,64)", fill="none", stroke="#ffffff",
                           stroke_width=6, stroke_linecap="round") for a in range(0, 360, 60))
        body = arms
    elif name == "flower1":
        petals = "".join(el("ellipse", cx=64, cy=34, rx=17, ry=28, transform=f"rotate({a},64,64)", fill="#f48fb1",
                            stroke="#c2185b", stroke_width=3) for a in range(0, 360, 72))
        body = petals + el("circle", cx=64, cy=64, r=16, fill="#ffd54a", stroke="#c68a00", stroke_width=3)
    elif name == "sun1":
        rays = el("polygon", points=polygon_points(star(64, 64, 62, 38, 12)), fill="#ff9800")
        body = (rays + el("circle", cx=64, cy=64, r=36, fill="#ffd54a", stroke="#f57c00", stroke_width=4)
                + el("circle", cx=52, cy=58, r=4, fill="#6d4c00") + el("circle", cx=76, cy=58, r=4, fill="#6d4c00")
                + el("path", d="M48,72Q64,88 80,72", fill="none", stroke="#6d4c00", stroke_width=4,
                     stroke_linecap="round"))
    elif name == "leaf1":
        leaf = ("M64,8C84,26 104,40 112,62C104,60 98,62 96,66C104,74 104,86 100,96C90,92 80,92 72,98"
                "L66,104L62,104L56,98C48,92 38,92 28,96C24,86 24,74 32,66C30,62 24,60 16,62"
                "C24,40 44,26 64,8Z")
        body = (el("path", d=leaf, fill="#e67e22", stroke="#a04000", stroke_width=4, stroke_linejoin="round")
                + el("path", d="M64,20V122M64,60L36,78M64,60L92,78M64,40L46,52M64,40L82,52", fill="none",
                     stroke="#a04000", stroke_width=3, stroke_linecap="round"))
    else:
        raise ValueError(name)
    return document(s, s, body)


# --- Table textures ----------------------------------------------------------

def _vignette(size, strength):
    defs = _radial("v", size / 2, size / 2, size * 0.75,
                   [(0.45, "#000000", 0.0), (1.0, "#000000", strength)])
    return defs, el("rect", x=0, y=0, width=size, height=size, fill="url(#v)")


def _stitch(size, inset, colour, opacity):
    return el("rect", x=inset, y=inset, width=size - 2 * inset, height=size - 2 * inset, rx=40, fill="none",
              stroke=colour, stroke_opacity=num(opacity), stroke_width=4, stroke_dasharray="14,10")


def background(theme):
    s = TABLE_SIZE
    rng = Lcg(11 + THEMES.index(theme))
    vdefs, vignette = _vignette(s, 0.55)
    defs = vdefs
    body = ""
    if theme == "wood":
        tones = ("#8b5a2b", "#7a4e24", "#94633a", "#815327")
        plank = s / 8
        for i in range(8):
            y = i * plank
            body += el("rect", x=0, y=y, width=s, height=plank, fill=tones[i % 4])
            grain = []
            for _ in range(9):
                gy = y + rng.uniform(10, plank - 10)
                amp = rng.uniform(3, 10)
                seg = s / 4
                d = f"M0,{num(gy)}"
                for k in range(4):
                    x0 = k * seg
                    d += (f"C{num(x0 + seg / 3)},{num(gy - amp)} {num(x0 + 2 * seg / 3)},{num(gy + amp)}"
                          f" {num(x0 + seg)},{num(gy)}")
                grain.append(d)
            body += el("path", d="".join(grain), fill="none", stroke="#3e2410", stroke_opacity="0.22",
                       stroke_width=2)
            joint = (i * 389) % s
            body += el("path", d=f"M{num(joint)},{num(y)}V{num(y + plank)}", stroke="#3e2410", stroke_width=4)
            body += el("path", d=f"M0,{num(y + plank - 2)}H{s}", stroke="#3e2410", stroke_width=5)
            kx = rng.uniform(60, s - 60)
            body += el("ellipse", cx=kx, cy=y + plank / 2, rx=14, ry=7, fill="#5a3416", fill_opacity="0.55")
    elif theme == "alien":
        defs += _radial("sky", s / 2, s / 2, s * 0.72, [(0, "#2a1650", 1.0), (1, "#05030f", 1.0)])
        body += el("rect", x=0, y=0, width=s, height=s, fill="url(#sky)")
        for i, (cx, cy, r, colour) in enumerate(((260, 300, 300, "#d81b60"), (760, 620, 340, "#00bfa5"),
                                                 (420, 820, 220, "#7c4dff"))):
            defs += _radial(f"n{i}", cx, cy, r, [(0, colour, 0.35), (1, colour, 0.0)])
            body += el("circle", cx=cx, cy=cy, r=r, fill=f"url(#n{i})")
        stars = []
        for _ in range(260):
            stars.append(el("circle", cx=rng.uniform(0, s), cy=rng.uniform(0, s), r=rng.uniform(0.8, 2.6),
                            fill="#ffffff", fill_opacity=num(rng.uniform(0.4, 1.0))))
        body += "".join(stars)
        defs += _radial("p", 830, 170, 110, [(0, "#ffb74d", 1.0), (1, "#bf360c", 1.0)])
        body += el("circle", cx=860, cy=200, r=90, fill="url(#p)")
        body += el("ellipse", cx=860, cy=200, rx=150, ry=34, transform="rotate(-18,860,200)", fill="none",
                   stroke="#ffe0b2", stroke_opacity="0.7", stroke_width=8)
    elif theme == "racing":
        defs += _linear("a", 0, 0, 0, s, [(0, "#46464a", 1.0), (1, "#2c2c2f", 1.0)])
        body += el("rect", x=0, y=0, width=s, height=s, fill="url(#a)")
        specks = []
        for _ in range(900):
            specks.append(f"M{num(rng.uniform(0, s))},{num(rng.uniform(0, s))}h2v2h-2z")
        body += el("path", d="".join(specks), fill="#8a8a8f", fill_opacity="0.35")
        for x in (200, 824):
            body += el("path", d=f"M{x},0V{s}", stroke="#f5f5f5", stroke_width=14, stroke_dasharray="60,50")
        for y0 in (0, s - 48):
            for k in range(0, s, 64):
                colour = "#e53935" if (k // 64) % 2 == 0 else "#f5f5f5"
                body += el("polygon", points=f"{k},{y0} {k + 64},{y0} {k + 64 + 16},{y0 + 48} {k + 16},{y0 + 48}",
                           fill=colour)
    elif theme == "candy":
        body += el("rect", x=0, y=0, width=s, height=s, fill="#ffd1e3")
        stripes = []
        for k in range(-s, s, 80):
            stripes.append(f"M{k},0L{k + 40},0L{k + 40 + s},{s}L{k + s},{s}Z")
        body += el("path", d="".join(stripes), fill="#ffb3cf")
        colours = ("#ff4081", "#40c4ff", "#ffeb3b", "#69f0ae", "#ffffff", "#b388ff")
        for _ in range(260):
            x, y = rng.uniform(0, s), rng.uniform(0, s)
            body += el("rect", x=-7, y=-2.5, width=14, height=5, rx=2.5,
                       transform=f"translate({num(x)},{num(y)}) rotate({num(rng.uniform(0, 180))})",
                       fill=colours[int(rng.next() * len(colours))])
    else:
        defs += _linear("m", 0, 0, 0, s, [(0, "#7cc453", 1.0), (1, "#3d8b2e", 1.0)])
        body += el("rect", x=0, y=0, width=s, height=s, fill="url(#m)")
        blades = {"#2e6b1f": [], "#9ad46a": []}
        for i in range(700):
            x, y = rng.uniform(0, s), rng.uniform(0, s + 20)
            height = rng.uniform(14, 34)
            lean = rng.uniform(-8, 8)
            key = "#2e6b1f" if i % 3 else "#9ad46a"
            blades[key].append(f"M{num(x)},{num(y)}Q{num(x + lean / 2)},{num(y - height / 2)} {num(x + lean)},{num(y - height)}")
        for colour, paths in blades.items():
            body += el("path", d="".join(paths), fill="none", stroke=colour, stroke_width=3, stroke_linecap="round",
                       stroke_opacity="0.8")
        for _ in range(70):
            x, y = rng.uniform(0, s), rng.uniform(0, s)
            colour = "#ffffff" if rng.next() < 0.6 else "#ffeb3b"
            body += el("circle", cx=x, cy=y, r=5, fill=colour) + el("circle", cx=x, cy=y, r=2, fill="#ffb300")
    return document(s, s, body + vignette, defs)


def cloth(theme):
    """The table cloth; black name plates must read near its edges (white on
    the racing cloth)."""
    s = TABLE_SIZE
    rng = Lcg(31 + THEMES.index(theme))
    body = ""
    defs = ""
    if theme == "wood":
        defs = _radial("c", s / 2, s / 2, s * 0.7, [(0, "#5cb86a", 1.0), (1, "#3c9a4d", 1.0)])
        body = el("rect", x=0, y=0, width=s, height=s, fill="url(#c)") + _stitch(s, 66, "#ffffff", 0.35)
    elif theme == "alien":
        defs = _radial("c", s / 2, s / 2, s * 0.7, [(0, "#b4f5d8", 1.0), (1, "#84dcb6", 1.0)])
        body = el("rect", x=0, y=0, width=s, height=s, fill="url(#c)")
        hexes = []
        r = 38.0
        dx, dy = r * math.sqrt(3), r * 1.5
        for row in range(-1, int(s / dy) + 2):
            for col in range(-1, int(s / dx) + 2):
                cx = col * dx + (dx / 2 if row % 2 else 0)
                cy = row * dy
                points = [(cx + r * math.cos(math.radians(60 * k + 30)), cy + r * math.sin(math.radians(60 * k + 30)))
                          for k in range(6)]
                hexes.append("M" + "L".join(f"{num(x)},{num(y)}" for x, y in points) + "Z")
        body += el("path", d="".join(hexes), fill="none", stroke="#2e9e74", stroke_opacity="0.3", stroke_width=2)
        body += _stitch(s, 66, "#1f7a58", 0.6)
    elif theme == "racing":
        cell = 16
        weave = []
        for y in range(0, s, cell):
            for x in range(0, s, cell):
                if (x // cell + y // cell) % 2 == 0:
                    weave.append(f"M{x},{y}h{cell}v{cell}h-{cell}z")
        defs = _radial("l", s / 2, s / 2, s * 0.6, [(0, "#ffffff", 0.1), (1, "#ffffff", 0.0)])
        body = (el("rect", x=0, y=0, width=s, height=s, fill="#1c1c1e")
                + el("path", d="".join(weave), fill="#29292c")
                + el("rect", x=0, y=0, width=s, height=s, fill="url(#l)")
                + el("rect", x=64, y=64, width=s - 128, height=s - 128, rx=40, fill="none", stroke="#e53935",
                     stroke_width=6))
        for cx, cy in ((0, 0), (s - 96, 0), (0, s - 96), (s - 96, s - 96)):
            for k in range(36):
                if (k // 6 + k % 6) % 2 == 0:
                    body += el("rect", x=cx + (k % 6) * 16, y=cy + (k // 6) * 16, width=16, height=16,
                               fill="#f5f5f5", fill_opacity="0.85")
    elif theme == "candy":
        defs = _radial("c", s / 2, s / 2, s * 0.7, [(0, "#ffe6f0", 1.0), (1, "#ffc8de", 1.0)])
        body = el("rect", x=0, y=0, width=s, height=s, fill="url(#c)")
        dots = []
        for row in range(16):
            for col in range(16):
                x = col * 64 + (32 if row % 2 else 0) + 16
                y = row * 64 + 32
                dots.append(f"M{x - 9},{y}a9,9 0 1,0 18,0a9,9 0 1,0 -18,0z")
        body += el("path", d="".join(dots), fill="#ffffff", fill_opacity="0.5")
        body += _stitch(s, 66, "#ff69a4", 0.7)
    else:
        defs = _radial("c", s / 2, s / 2, s * 0.7, [(0, "#b2de7c", 1.0), (1, "#95cc5c", 1.0)])
        body = el("rect", x=0, y=0, width=s, height=s, fill="url(#c)")
        leaf = "M0,-40C22,-20 22,20 0,40C-22,20 -22,-20 0,-40ZM0,-34V34"
        for cx, cy in ((0, 0), (s, 0), (0, s), (s, s)):
            for _ in range(7):
                x = cx + (rng.uniform(20, 170) if cx == 0 else -rng.uniform(20, 170))
                y = cy + (rng.uniform(20, 170) if cy == 0 else -rng.uniform(20, 170))
                body += el("path", d=leaf, transform=f"translate({num(x)},{num(y)}) rotate({num(rng.uniform(0, 360))})",
                           fill="#5f9e32", fill_opacity="0.35", stroke="#3e7a1f", stroke_opacity="0.35",
                           stroke_width=3)
        body += _stitch(s, 66, "#4e7d2a", 0.45)
    return document(s, s, body, defs)


def slate(theme):
    """The scoreboard; its text is white, red on racing and black on candy."""
    w, h = SLATE_SIZE
    frame = 36
    colours = {
        "wood": ("#a0703c", "#6b4423", "#3a4044", "#24282a"),
        "alien": ("#8d99a8", "#4a5563", "#1d2833", "#0f151c"),
        "racing": ("#2a2a2d", "#111113", "#232326", "#18181a"),
        "candy": ("#ff8fb8", "#e75b93", "#fff7fa", "#ffe6f0"),
        "nature": ("#7a9a44", "#4e6b2a", "#4f5e54", "#37423b"),
    }
    f1, f2, b1, b2 = colours[theme]
    defs = (_linear("f", 0, 0, w, h, [(0, f1, 1.0), (1, f2, 1.0)])
            + _linear("b", 0, 0, 0, h, [(0, b1, 1.0), (1, b2, 1.0)]))
    body = el("rect", x=2, y=2, width=w - 4, height=h - 4, rx=22, fill="url(#f)", stroke=mix(f2, "#000000", 0.4),
              stroke_width=4)
    if theme == "candy":
        stripes = "".join(f"M{k},0L{k + 24},0L{k + 24 + h},{h}L{k + h},{h}Z" for k in range(-h, w, 48))
        body = (el("rect", x=2, y=2, width=w - 4, height=h - 4, rx=22, fill="#ffffff")
                + el("path", d=stripes, fill="#ff8fb8")
                + el("rect", x=2, y=2, width=w - 4, height=h - 4, rx=22, fill="none", stroke="#d81b60", stroke_width=4))
    if theme == "wood":
        rng = Lcg(5)
        grain = "".join(f"M6,{num(y)}C{num(w / 3)},{num(y - 6)} {num(2 * w / 3)},{num(y + 6)} {w - 6},{num(y)}"
                        for y in (rng.uniform(8, h - 8) for _ in range(16)))
        body += el("path", d=grain, fill="none", stroke="#3e2410", stroke_opacity="0.25", stroke_width=2)
    body += el("rect", x=frame, y=frame, width=w - 2 * frame, height=h - 2 * frame, rx=8, fill="url(#b)",
               stroke=mix(b2, "#000000", 0.5), stroke_width=3)
    if theme == "alien":
        body += el("rect", x=frame + 6, y=frame + 6, width=w - 2 * frame - 12, height=h - 2 * frame - 12, rx=6,
                   fill="none", stroke="#39ff9f", stroke_opacity="0.45", stroke_width=3)
        for x, y in ((18, 18), (w - 18, 18), (18, h - 18), (w - 18, h - 18)):
            body += el("circle", cx=x, cy=y, r=6, fill="#cfd8dc", stroke="#37474f", stroke_width=2)
    elif theme == "racing":
        weave = "".join(f"M{x},{y}h8v8h-8z" for y in range(frame, h - frame, 8) for x in range(frame, w - frame, 8)
                        if ((x - frame) // 8 + (y - frame) // 8) % 2 == 0)
        body += el("path", d=weave, fill="#2b2b2f", fill_opacity="0.8")
        body += el("rect", x=frame - 6, y=frame - 6, width=w - 2 * frame + 12, height=h - 2 * frame + 12, rx=10,
                   fill="none", stroke="#e53935", stroke_width=5)
    elif theme == "nature":
        leaf = "M0,-13C8,-6 8,6 0,13C-8,6 -8,-6 0,-13Z"
        for k in range(12):
            x = 40 + k * 40
            body += el("path", d=leaf, transform=f"translate({x},18) rotate({45 if k % 2 else -45})", fill="#a5d86b")
            body += el("path", d=leaf, transform=f"translate({x},{h - 18}) rotate({45 if k % 2 else -45})",
                       fill="#a5d86b")
    elif theme == "wood":
        for x, y in ((18, 18), (w - 18, 18), (18, h - 18), (w - 18, h - 18)):
            body += el("circle", cx=x, cy=y, r=5, fill="#d7ccc8", stroke="#3e2410", stroke_width=2)
    return document(w, h, body, defs)


BUBBLE_STYLE = {
    "wood": ("#ffffff", "#3e2410"),
    "alien": ("#eafff4", "#1f9e6e"),
    "racing": ("#ffffff", "#d32f2f"),
    "candy": ("#fff0f6", "#d81b60"),
    "nature": ("#fbfff0", "#4e7d2a"),
}


def bubble(theme, network):
    """A speech bubble; text goes in the band y 15..115 (x 0..460 for the
    network notice, whose right end carries a little globe)."""
    w, h = BUBBLE_SIZE
    fill, line = BUBBLE_STYLE[theme]
    if network:
        fill = mix(fill, "#fff3b0", 0.5)
    body_rect = dict(x=6, y=6, width=w - 12, height=146, rx=64)
    tail = [(132, 140), (84, 200), (214, 140)] if not network else [(372, 140), (432, 198), (446, 140)]
    inner_tail = [(140, 134), (94, 190), (204, 134)] if not network else [(380, 134), (429, 188), (439, 134)]
    body = (el("polygon", points=polygon_points(tail), fill=fill, stroke=line, stroke_width=7, stroke_linejoin="round")
            + el("rect", fill=fill, stroke=line, stroke_width=7, **body_rect)
            + el("polygon", points=polygon_points(inner_tail), fill=fill))
    if network:
        lines = "M462,54V102M438,78H486M441,66H483M441,90H483M462,54C448,63 448,93 462,102M462,54C476,63 476,93 462,102"
        body += el("circle", cx=462, cy=78, r=24, fill="#bbdefb", stroke="#1565c0", stroke_width=4)
        body += el("path", d=lines, fill="none", stroke="#1565c0", stroke_width=3)
    return document(w, h, body)


# --- Widget theme button textures ---------------------------------------------

BUTTON_TEXTURE_OPACITY = 0.94
BUTTON_TEXTURES = {"alienbutton": 256, "woodbutton": 256, "racingbackground": 512, "candybackground": 1024}


def _wrapped(x, y, size, make):
    """A shape and its copies shifted by one tile, so the texture tiles
    without seams where the shape crosses an edge."""
    out = ""
    for dx in (-size, 0, size):
        for dy in (-size, 0, size):
            px, py = x + dx, y + dy
            if -60 < px < size + 60 and -60 < py < size + 60:
                out += make(px, py)
    return out


def button_texture(name):
    s = BUTTON_TEXTURES[name]
    rng = Lcg(71 + sorted(BUTTON_TEXTURES).index(name))
    base = {"alienbutton": "#cfd8d4", "woodbutton": "#e8c896", "racingbackground": "#d6d6d8",
            "candybackground": "#c9588d"}[name]
    body = el("rect", x=0, y=0, width=s, height=s, fill=base, fill_opacity=num(BUTTON_TEXTURE_OPACITY))
    defs = ""
    if name == "woodbutton":
        # Long wavy grain across the tile, periodic in x so it tiles.
        grain = []
        for i in range(22):
            y = (i + 0.5) * s / 22 + rng.uniform(-3, 3)
            amp = rng.uniform(1.5, 4.5)
            d = f"M0,{num(y)}"
            for k in range(4):
                x0 = k * s / 4
                d += f"C{num(x0 + s / 12)},{num(y - amp)} {num(x0 + s / 6)},{num(y + amp)} {num(x0 + s / 4)},{num(y)}"
            grain.append(d)
        body += el("path", d="".join(grain[0::2]), fill="none", stroke="#a8743c", stroke_opacity="0.35",
                   stroke_width=1.6)
        body += el("path", d="".join(grain[1::2]), fill="none", stroke="#c99a5e", stroke_opacity="0.4",
                   stroke_width=3)
        for _ in range(2):
            kx, ky = rng.uniform(0, s), rng.uniform(0, s)
            body += _wrapped(kx, ky, s, lambda x, y: el("ellipse", cx=x, cy=y, rx=11, ry=4.5, fill="#9a6430",
                                                        fill_opacity="0.3"))
    elif name == "alienbutton":
        # A faint honeycomb with a few glowing cells.
        side = s / 8
        cells = []
        for row in range(-1, 10):
            for col in range(-1, 10):
                cx = col * side + (side / 2 if row % 2 else 0)
                cy = row * s / 8
                points = []
                for k in range(6):
                    angle = math.radians(60 * k + 30)
                    points.append((cx + side * 0.55 * math.cos(angle), cy + side * 0.55 * math.sin(angle)))
                cells.append("M" + "L".join(f"{num(x)},{num(y)}" for x, y in points) + "Z")
        body += el("path", d="".join(cells), fill="none", stroke="#5f7f76", stroke_opacity="0.2", stroke_width=1.5)
        for _ in range(6):
            row, col = int(rng.next() * 8), int(rng.next() * 8)
            cx = col * side + (side / 2 if row % 2 else 0)
            cy = row * s / 8
            body += _wrapped(cx, cy, s, lambda x, y: el("circle", cx=x, cy=y, r=side * 0.3, fill="#7df0c0",
                                                        fill_opacity="0.3"))
    elif name == "racingbackground":
        # A soft chequered flag, brushed across.
        square = s / 16
        checks = []
        for row in range(16):
            for col in range(16):
                if (row + col) % 2 == 0:
                    checks.append(f"M{num(col * square)},{num(row * square)}h{num(square)}v{num(square)}h-{num(square)}z")
        body += el("path", d="".join(checks), fill="#9a9aa0", fill_opacity="0.22")
        strokes = []
        for _ in range(160):
            y = rng.uniform(0, s)
            x = rng.uniform(0, s)
            length = rng.uniform(40, 160)
            strokes.append(f"M{num(x)},{num(y)}h{num(length)}")
            if x + length > s:
                strokes.append(f"M{num(x - s)},{num(y)}h{num(length)}")
        body += el("path", d="".join(strokes), stroke="#ffffff", stroke_opacity="0.25", stroke_width=1)
    else:
        # Diagonal ribbon stripes and sprinkles.
        stripes = []
        for k in range(-s, s, 128):
            stripes.append(f"M{k},0L{k + 48},0L{k + 48 + s},{s}L{k + s},{s}Z")
        body += el("path", d="".join(stripes), fill="#f4a6c6", fill_opacity="0.35")
        colours = ("#ffffff", "#80d8ff", "#fff59d", "#b9f6ca", "#ea80fc")
        for _ in range(240):
            x, y = rng.uniform(0, s), rng.uniform(0, s)
            angle = rng.uniform(0, 180)
            colour = colours[int(rng.next() * len(colours))]
            body += _wrapped(x, y, s, lambda px, py: el(
                "rect", x=-6, y=-2, width=12, height=4, rx=2,
                transform=f"translate({num(px)},{num(py)}) rotate({num(angle)})", fill=colour,
                fill_opacity="0.7"))
    return document(s, s, body, defs)


ICONS = ("back", "forward", "right", "question", "settings", "bug", "connected", "disconnected", "inprogress",
         "cup", "tomato", "achievement")
SEASONS = ("flocon1", "flower1", "sun1", "leaf1")


def all_pictures():
    """(path under the resource root, width, height, SVG text) of each PNG."""
    for style, folder in FOLDERS.items():
        yield f"Cartes/{folder}/back.png", BACK_SIZE[0], BACK_SIZE[1], card_back(style)
        for mode in range(1, 12):
            yield f"Cartes/{folder}/{mode}_btn.png", BUTTON_SIZE, BUTTON_SIZE, trump_button(style, mode)
    for name in ICONS:
        yield f"images/{name}.png", ICON_SIZE, ICON_SIZE, icon(name)
    yield "images/connected_carpet.png", 256, 256, connected_carpet()
    for name in SEASONS:
        yield f"images/{name}.png", SEASON_SIZE, SEASON_SIZE, seasonal(name)
    for theme in THEMES:
        yield f"images/{theme}/background.png", TABLE_SIZE, TABLE_SIZE, background(theme)
        yield f"images/{theme}/tapis.png", TABLE_SIZE, TABLE_SIZE, cloth(theme)
        yield f"images/{theme}/ardoise.png", SLATE_SIZE[0], SLATE_SIZE[1], slate(theme)
        yield f"images/{theme}/cartoon_bulle.png", BUBBLE_SIZE[0], BUBBLE_SIZE[1], bubble(theme, False)
        yield f"images/{theme}/network_bulle.png", BUBBLE_SIZE[0], BUBBLE_SIZE[1], bubble(theme, True)
    for name, size in BUTTON_TEXTURES.items():
        yield f"images/{name}.png", size, size, button_texture(name)
