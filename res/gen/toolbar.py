# SPDX-License-Identifier: GPL-3.0-or-later
"""The eight toolbar images, 16 x 15 design units, on a transparent ground.

Drawn at 1 pixel per unit (16 x 15) and 2 pixels per unit (32 x 30) from
the same shapes. Shapes on whole units give crisp edges at both sizes;
outlines are one pixel at 1x and two at 2x.
"""

from shapes import Box, Capsule, Disc, PixelCanvas, Polygon, arc, polyline

CLEAR = (0, 0, 0, 0)
INK = (0, 0, 0, 255)
PAPER = (255, 255, 255, 255)
FOLD = (200, 204, 212, 255)
FOLDER_BACK = (214, 160, 32, 255)
FOLDER_FRONT = (255, 222, 96, 255)
DISK = (40, 84, 176, 255)
DISK_DARK = (24, 48, 112, 255)
METAL = (208, 212, 220, 255)
LABEL_LINE = (150, 160, 180, 255)
BAR = (72, 88, 120, 255)
BAR_LIGHT = (140, 156, 190, 255)
SPEAKER = (168, 172, 184, 255)
SPEAKER_DARK = (96, 100, 112, 255)
CROSS = (224, 24, 24, 255)
ARROW = (24, 96, 200, 255)
PRINTER = (188, 192, 200, 255)
PRINTER_DARK = (112, 116, 128, 255)
LAMP = (0, 200, 0, 255)
HELP = (24, 88, 208, 255)

WIDTH, HEIGHT = 16, 15


def new_page(cv):
    page = Polygon([(3, 1), (10, 1), (13, 4), (13, 14), (3, 14)])
    cv.outlined(page, PAPER, INK)
    cv.outlined(Polygon([(10, 1), (13, 4), (10, 4)]), FOLD, INK)


def open_folder(cv):
    back = Polygon([(1, 2), (5, 2), (6, 3), (12, 3), (12, 13), (1, 13)])
    cv.outlined(back, FOLDER_BACK, INK)
    cv.outlined(Box(3, 5, 11, 9), PAPER, INK)                # a sheet peeping out
    front = Polygon([(1, 13), (4, 7), (15, 7), (12, 13)])
    cv.outlined(front, FOLDER_FRONT, INK)


def diskette(cv):
    body = Polygon([(1, 1), (13, 1), (15, 3), (15, 14), (1, 14)])
    cv.outlined(body, DISK, INK)
    cv.outlined(Box(4, 1, 12, 6), METAL, INK)                # shutter
    cv.paint(Box(9, 2, 11, 5), DISK_DARK)                    # its window
    cv.outlined(Box(3, 8, 13, 14), PAPER, INK)               # label
    cv.paint(Box(5, 10, 11, 11) | Box(5, 12, 11, 13), LABEL_LINE)


def pause(cv):
    for x in (3, 9):
        cv.outlined(Box(x, 2, x + 4, 13), BAR, INK)
        cv.paint(Box(x + 1, 3, x + 2, 12), BAR_LIGHT)


def sound_off(cv):
    speaker = Box(1, 5, 5, 10) | Polygon([(4, 5), (9, 1), (9, 14), (4, 10)])
    cv.outlined(speaker, SPEAKER, INK)
    cv.paint(Box(2, 6, 4, 9), SPEAKER_DARK)
    cv.paint(polyline([(10.5, 5.5), (11.5, 6.5), (11.5, 8.5), (10.5, 9.5)], 1.0), INK)     # sound waves
    cv.paint(polyline([(12.5, 3.5), (13.5, 5.0), (13.5, 10.0), (12.5, 11.5)], 1.0), INK)
    cv.paint(Capsule(2.0, 13.0, 14.0, 2.0, 2.2), CROSS)


def auto_resize(cv):
    cv.outlined(Box(1, 1, 9, 9), PAPER, INK)
    cv.paint(Box(8, 4, 12, 6) | Polygon([(12, 1.5), (15.5, 5), (12, 8.5)]), ARROW)   # right
    cv.paint(Box(4, 8, 6, 12) | Polygon([(1.5, 11), (5, 14.5), (8.5, 11)]), ARROW)   # down


def printer(cv):
    cv.outlined(Box(4, 1, 12, 7), PAPER, INK)                # paper going in
    body = Box(1, 6, 15, 12)
    cv.outlined(body, PRINTER, INK)
    cv.paint(Box(2, 10, 14, 11), PRINTER_DARK)
    cv.paint(Box(12, 7, 13, 8), LAMP)
    cv.outlined(Box(4, 9, 12, 15), PAPER, INK)               # paper coming out
    cv.paint(Box(6, 11, 10, 12) | Box(6, 13, 9, 14), LABEL_LINE)


def about(cv):
    hook = arc(8.0, 5.0, 3.0, 3.0, 170, 395, 3.4, steps=10) | Capsule(10.3, 7.0, 8.0, 8.6, 3.4)
    dot = Disc(8.0, 12.9, 1.9)
    cv.outlined(hook | dot, HELP, INK)


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
