# SPDX-License-Identifier: GPL-3.0-or-later
"""The application icon: a crawler coiled up on a patch of board.

The picture is a short list of drawing operations in a 256 x 256 design
space. The same list is rasterised, anti-aliased, into the PNG sizes and
written out as the scalable SVG, so the two always agree. Small sizes use a
simpler coil with fewer, larger pieces, and 16 pixels is drawn by hand.
"""

from shapes import Box, Disc, Ellipse, SmoothCanvas, cos, sin, PI

SIZES = [16, 32, 48, 64, 128, 256]
SPACE = 256.0

BOARD = (40, 196, 40)
BOARD_EDGE = (0, 104, 0)
BOARD_LIGHT = (112, 232, 96)
INK = (0, 0, 0)
YELLOW = (255, 226, 24)
YELLOW_LIGHT = (255, 248, 168)
YELLOW_SHADE = (226, 164, 0)
WHITE = (255, 255, 255)
MOUTH = (120, 0, 16)
TONGUE = (250, 104, 112)
CHEEK = (255, 150, 90)


def _round(v):
    return round(v, 3)


def coil(detail):
    """Centres and radii of the pieces, from the tail (inside) to the head.

    The pieces follow a spiral that winds inwards from the head; each
    piece sits one piece-width along the curve from the one before.
    """
    cx, cy = 116.0, 136.0
    if detail == "small":
        head_r, start_r, end_r, radius0, radius1, turn = 62.0, 74.0, 62.0, 40.0, 34.0, 0.62
    else:
        head_r, start_r, end_r, radius0, radius1, turn = 42.0, 86.0, 14.0, 26.0, 10.0, 1.4
    angle0 = -0.30 * PI                   # the head sits up and to the right
    pieces = []
    t = 0.0
    total = turn * 2 * PI
    while t <= total:
        f = t / total
        r = start_r - (start_r - end_r) * f
        rad = radius0 - (radius0 - radius1) * f
        a = angle0 - t
        pieces.append((_round(cx + r * cos(a)), _round(cy + r * sin(a)), _round(rad)))
        t += 1.45 * rad / r
    head = pieces[0]
    body = list(reversed(pieces[1:]))
    return body, (head[0], head[1], head_r)


def ops(detail):
    """The drawing as (kind, ...) tuples in design units."""
    out = []
    w = 7.0 if detail == "small" else 5.0        # outline width
    out.append(("rrect", 8.0, 8.0, 248.0, 248.0, 44.0, BOARD, BOARD_EDGE, w + 3.0))
    out.append(("gloss", 20.0, 20.0, 236.0, 120.0, 34.0, BOARD_LIGHT, 0.35))
    body, head = coil(detail)
    for (x, y, r) in body:
        out.append(("ball", x, y, r, w))
    hx, hy, hr = head
    out.append(("ball", hx, hy, hr, w))
    # face, looking out of the picture
    ex = 0.36 * hr
    for sx in (-1, 1):
        out.append(("ellipse", hx + sx * ex, hy - 0.28 * hr, 0.15 * hr, 0.24 * hr, INK))
        if detail == "full":
            out.append(("ellipse", hx + sx * ex - 0.05 * hr, hy - 0.36 * hr, 0.055 * hr, 0.07 * hr, WHITE))
            out.append(("ellipse", hx + sx * 0.66 * hr, hy + 0.16 * hr, 0.14 * hr, 0.09 * hr, CHEEK))
    out.append(("smile", hx, hy + 0.08 * hr, 0.52 * hr, w if detail == "small" else w * 0.9))
    return [tuple(_round(v) if isinstance(v, float) else v for v in op) for op in out]


def detail_for(size):
    return "small" if size <= 32 else "full"


# --- raster --------------------------------------------------------------------

# At 16 pixels smoothing only blurs, so that size is drawn by hand: a
# smiling head with a short curl of body below it, on the board.
ICON_16 = [
    ".DDDDDDDDDDDDDD.",
    "DGGGGGGKKKKKGGGD",
    "DGGGGGKYYYYYKGGD",
    "DGGGGKYLYYYYYKGD",
    "DGGGGKYYKYKYYKGD",
    "DGGGGKYYKYKYYKGD",
    "DGGGGKYKYYYKYKGD",
    "DGGGGKYYKKKYYKGD",
    "DGKKKKKYYYYYKGGD",
    "DKYYYKKKKKKKGGGD",
    "DKLYYKGGGGGGGGGD",
    "DKYYYKKKGGKGGGGD",
    "DGKKKKYYKKYKGGGD",
    "DGGGGKYYKGKGGGGD",
    "DGGGGGKKGGGGGGGD",
    ".DDDDDDDDDDDDDD.",
]
ICON_16_COLOURS = {"D": BOARD_EDGE, "G": BOARD, "K": INK, "Y": YELLOW, "L": YELLOW_LIGHT}


def render_16():
    return [[(0, 0, 0, 0) if ch == "." else ICON_16_COLOURS[ch] + (255,) for ch in row] for row in ICON_16]


def render(size):
    if size == 16:
        return render_16()
    cv = SmoothCanvas(size, SPACE)
    px = 1.0 / cv.scale                  # one pixel in design units
    for op in ops(detail_for(size)):
        kind = op[0]
        if kind == "rrect":
            _, x0, y0, x1, y1, rad, fill, edge, w = op
            w = max(w, px)
            box = Box(x0, y0, x1, y1, rad)
            cv.paint(box, edge)
            cv.paint(box.grown(-w), fill)
        elif kind == "gloss":
            _, x0, y0, x1, y1, rad, colour, opacity = op
            cv.paint(Box(x0, y0, x1, y1, rad), colour, opacity)
        elif kind == "ball":
            _, x, y, r, w = op
            w = max(w, px)
            cv.paint(Disc(x, y, r), INK)
            cv.paint(Disc(x, y, r - w), YELLOW)
            cv.paint(Disc(x, y, r - w) - Disc(x - 0.12 * r, y - 0.12 * r, r - w), YELLOW_SHADE)
            cv.paint(Ellipse(x - 0.38 * r, y - 0.42 * r, 0.26 * r, 0.17 * r), YELLOW_LIGHT)
        elif kind == "ellipse":
            _, x, y, rx, ry, colour = op
            cv.paint(Ellipse(x, y, rx, ry), colour)
        elif kind == "smile":
            _, x, y, r, w = op
            w = max(w, 1.5 * px)
            mouth = Disc(x, y, r) - Box(x - r - 1, y - r - 1, x + r + 1, y)
            cv.paint(mouth, INK)
            cv.paint(mouth.grown(-w), MOUTH)
            cv.paint((Disc(x, y + r, 0.55 * r)) & mouth.grown(-w), TONGUE)
    return cv.pixels()


# --- SVG -------------------------------------------------------------------------

def _hex(c):
    return "#%02x%02x%02x" % c


def _n(v):
    s = ("%.2f" % v).rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def svg():
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">']
    for op in ops("full"):
        kind = op[0]
        if kind == "rrect":
            _, x0, y0, x1, y1, rad, fill, edge, w = op
            lines.append('  <rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" stroke-width="%s"/>'
                         % (_n(x0 + w / 2), _n(y0 + w / 2), _n(x1 - x0 - w), _n(y1 - y0 - w), _n(rad - w / 2),
                            _hex(fill), _hex(edge), _n(w)))
        elif kind == "gloss":
            _, x0, y0, x1, y1, rad, colour, opacity = op
            lines.append('  <rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" fill-opacity="%s"/>'
                         % (_n(x0), _n(y0), _n(x1 - x0), _n(y1 - y0), _n(rad), _hex(colour), _n(opacity)))
        elif kind == "ball":
            _, x, y, r, w = op
            inner = r - w
            lines.append('  <g>')
            lines.append('    <circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (_n(x), _n(y), _n(r), _hex(INK)))
            lines.append('    <circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (_n(x), _n(y), _n(inner), _hex(YELLOW_SHADE)))
            lines.append('    <circle cx="%s" cy="%s" r="%s" fill="%s"/>'
                         % (_n(x - 0.12 * r), _n(y - 0.12 * r), _n(inner), _hex(YELLOW)))
            lines.append('    <circle cx="%s" cy="%s" r="%s" fill="none" stroke="%s" stroke-width="%s"/>'
                         % (_n(x), _n(y), _n(r - w / 2), _hex(INK), _n(w)))
            lines.append('    <ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"/>'
                         % (_n(x - 0.38 * r), _n(y - 0.42 * r), _n(0.26 * r), _n(0.17 * r), _hex(YELLOW_LIGHT)))
            lines.append('  </g>')
        elif kind == "ellipse":
            _, x, y, rx, ry, colour = op
            lines.append('  <ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"/>'
                         % (_n(x), _n(y), _n(rx), _n(ry), _hex(colour)))
        elif kind == "smile":
            _, x, y, r, w = op
            # the same half disc as the raster: outline inside radius r,
            # flat edge on y; the stroke is centred on the path, so the
            # path runs half a stroke inside both edges
            rr = r - w / 2
            top = y + w / 2
            dx = (rr * rr - (w / 2) * (w / 2)) ** 0.5
            half = "M %s %s A %s %s 0 0 1 %s %s Z" % (_n(x + dx), _n(top), _n(rr), _n(rr), _n(x - dx), _n(top))
            lines.append('  <clipPath id="mouth"><path d="%s"/></clipPath>' % half)
            lines.append('  <path d="%s" fill="%s"/>' % (half, _hex(MOUTH)))
            lines.append('  <circle cx="%s" cy="%s" r="%s" fill="%s" clip-path="url(#mouth)"/>'
                         % (_n(x), _n(y + r), _n(0.55 * r), _hex(TONGUE)))
            lines.append('  <path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>'
                         % (half, _hex(INK), _n(w)))
    lines.append('</svg>')
    return "\n".join(lines) + "\n"
