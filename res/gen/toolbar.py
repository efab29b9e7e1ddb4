# SPDX-License-Identifier: GPL-3.0-or-later
"""The eight toolbar images, 16 x 15 design units, on a transparent ground.

Drawn at 1, 2 and 3 pixels per unit (16 x 15, 32 x 30, 48 x 45) from the
same shapes. Shapes on whole units give crisp edges at every size; outlines
are one pixel per unit.

Each image must read on a light toolbar and on a dark one. On a light one
the black outline carries the shape; on a dark one it vanishes, so what
lies just inside it must stand out there: the fills next to an outline are
light (a contrast of more than 3:1 with a dark grey toolbar), and the few
parts drawn without an outline (the arrows, the waves, the red cross) are
of a middle tone that keeps 3:1 against both a light and a dark toolbar.
"""

from shapes import Box, Capsule, Disc, PixelCanvas, Polygon, arc, polyline

CLEAR = (0, 0, 0, 0)
INK = (0, 0, 0, 255)
PAPER = (255, 255, 255, 255)
FOLD = (200, 204, 212, 255)
FOLDER_BACK = (214, 160, 32, 255)
FOLDER_FRONT = (255, 222, 96, 255)
DISK = (90, 140, 235, 255)
DISK_DARK = (24, 48, 112, 255)
METAL = (208, 212, 220, 255)
LABEL_LINE = (150, 160, 180, 255)
BAR = (110, 140, 180, 255)
BAR_LIGHT = (190, 205, 230, 255)
SPEAKER = (168, 172, 184, 255)
SPEAKER_DARK = (96, 100, 112, 255)
PRINTER = (188, 192, 200, 255)
PRINTER_DARK = (112, 116, 128, 255)
LAMP = (0, 200, 0, 255)
# Middle tones (relative luminance about 0.245) for what has no black
# outline at its edge: more than 3:1 against a toolbar from #f0f0f0 up to
# white and from black up to #3c3c3c.
CREASE = (135, 136, 140, 255)
CROSS = (240, 78, 78, 255)
ARROW = (88, 133, 228, 255)
WAVE = (102, 133, 204, 255)
HELP = ARROW

WIDTH, HEIGHT = 16, 15
# Pixels per unit, and where each set goes under res/: the program gives Qt
# all three, so that a screen of device pixel ratio 1, 2 or 3 draws one 1:1.
SCALES = ((1, "toolbar"), (2, "toolbar/2x"), (3, "toolbar/3x"))


def new_page(cv):
    page = Polygon([(3, 1), (10, 1), (13, 4), (13, 14), (3, 14)])
    cv.outlined(page, PAPER, INK)
    # The folded corner's lines are grey: its diagonal is the page's edge and
    # must show on a dark toolbar too.
    cv.outlined(Polygon([(10, 1), (13, 4), (10, 4)]), FOLD, CREASE)


def open_folder(cv):
    back = Polygon([(1, 2), (5, 2), (6, 3), (12, 3), (12, 13), (1, 13)])
    cv.outlined(back, FOLDER_BACK, INK)
    cv.outlined(Box(3, 5, 10, 9), PAPER, INK)                # a sheet peeping out
    front = Polygon([(3, 13), (5, 7), (14, 7), (14, 13)])
    cv.outlined(front, FOLDER_FRONT, INK)


def diskette(cv):
    body = Polygon([(1, 1), (13, 1), (15, 3), (15, 14), (1, 14)])
    cv.outlined(body, DISK, INK)
    cv.outlined(Box(4, 1, 12, 6), METAL, INK)                # shutter
    cv.paint(Box(9, 3, 11, 5), DISK_DARK)                    # its window
    cv.outlined(Box(3, 8, 13, 14), PAPER, INK)               # label
    cv.paint(Box(5, 10, 11, 11) | Box(5, 12, 11, 13), LABEL_LINE)


def pause(cv):
    for x in (3, 9):
        cv.outlined(Box(x, 2, x + 4, 13), BAR, INK)
        cv.paint(Box(x + 1, 3, x + 2, 12), BAR_LIGHT)


def sound_off(cv):
    speaker = Box(1, 5, 5, 10) | Polygon([(4, 5), (8, 1), (10, 1), (10, 14), (8, 14), (4, 10)])
    cv.outlined(speaker, SPEAKER, INK)
    cv.paint(Box(3, 6, 4, 9), SPEAKER_DARK)
    cv.paint(polyline([(10.5, 5.5), (11.5, 6.5), (11.5, 8.5), (10.5, 9.5)], 1.0), WAVE)    # sound waves
    cv.paint(polyline([(12.5, 3.5), (13.5, 5.0), (13.5, 10.0), (12.5, 11.5)], 1.0), WAVE)
    cv.paint(Capsule(2.0, 13.0, 14.0, 2.0, 2.2), CROSS)


def auto_resize(cv):
    cv.outlined(Box(1, 1, 9, 9), PAPER, INK)
    cv.paint(Box(8, 4, 12, 6) | Polygon([(12, 1.5), (15.5, 5), (12, 8.5)]), ARROW)   # right
    cv.paint(Box(4, 8, 6, 12) | Polygon([(1.5, 11), (5, 14.5), (8.5, 11)]), ARROW)   # down


def printer(cv):
    cv.outlined(Box(4, 1, 12, 7), PAPER, INK)                # paper going in
    body = Box(1, 6, 15, 12)
    cv.outlined(body, PRINTER, INK)
    cv.paint(Box(2, 8, 14, 9), PRINTER_DARK)                 # the slot
    cv.paint(Box(12, 7, 13, 8), LAMP)
    cv.outlined(Box(4, 9, 12, 15), PAPER, INK)               # paper coming out
    cv.paint(Box(6, 11, 10, 12) | Box(6, 13, 9, 14), LABEL_LINE)


def about(cv):
    hook = arc(8.0, 5.0, 3.0, 3.0, 170, 395, 3.4, steps=10) | Capsule(10.3, 7.0, 8.0, 8.6, 3.4)
    dot = Disc(8.0, 12.9, 1.9)
    # No outline: its round ends would leave dark rims a dark toolbar hides.
    cv.paint(hook | dot, HELP)


IMAGES = [
    ("new", new_page),
    ("open", open_folder),
    ("save", diskette),
    ("pause", pause),
    ("sound_off", sound_off),
    ("auto_resize", auto_resize),
    ("print", printer),
    ("about", about),
]


def render(draw, scale):
    cv = PixelCanvas(WIDTH * scale, HEIGHT * scale, scale, CLEAR)
    draw(cv)
    return cv.px


def images(scale):
    return [(name, render(draw, scale)) for name, draw in IMAGES]
