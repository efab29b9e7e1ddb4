# SPDX-License-Identifier: GPL-3.0-or-later
"""Shapes as signed distance functions, and two rasterisers.

All art is described as geometry in *design units* (a tile is 24 units
wide, a toolbar button 16 x 15 units, an icon 1 unit) and rasterised at a
chosen number of pixels per unit. A shape answers ``sd(x, y)``: the signed
distance from the point to its border, negative inside.

* ``PixelCanvas`` gives hard-edged pixel art: a pixel belongs to a shape
  when the centre of the pixel lies inside it. The density may be any
  number of pixels per unit (1.25, 1.5, ...). Outlines are made by eroding
  the shape's pixel mask by a whole number of pixels (the density rounded,
  at least one), so they are even and never blurred. ``snap`` and ``stroke``
  put small features on the pixel grid of each density, so a line drawn one
  outline wide comes out exactly that wide wherever it lies.
* ``SmoothCanvas`` gives anti-aliased art (the application icon): coverage
  is estimated from the signed distance at the pixel centre.

Only +, -, *, / and sqrt are used on floats, together with the polynomial
``sin``/``cos`` below, so the results are the same on every machine.
"""

import math

PI = 3.141592653589793


def sin(x):
    """Sine from a Taylor polynomial after range reduction (|error| < 1e-9)."""
    two_pi = 2.0 * PI
    x = x - two_pi * round(x / two_pi)
    if x > PI / 2:
        x = PI - x
    elif x < -PI / 2:
        x = -PI - x
    x2 = x * x
    term = x
    total = x
    for n in range(1, 9):
        term = -term * x2 / ((2 * n) * (2 * n + 1))
        total += term
    return total


def cos(x):
    return sin(x + PI / 2)


def exp(x):
    """e**x by scaling and squaring a short Taylor series."""
    m = 0
    while abs(x) > 0.25:
        x /= 2.0
        m += 1
    total = 1.0
    term = 1.0
    for n in range(1, 12):
        term = term * x / n
        total += term
    for _ in range(m):
        total *= total
    return total


# --- shapes -----------------------------------------------------------------

class Shape:
    def sd(self, x, y):
        raise NotImplementedError

    def bbox(self):
        """(x0, y0, x1, y1) in units; a point outside it is outside the shape."""
        raise NotImplementedError

    def __or__(self, other):
        return Union(self, other)

    def __and__(self, other):
        return Intersection(self, other)

    def __sub__(self, other):
        return Difference(self, other)

    def grown(self, d):
        return Offset(self, d)


class Disc(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def sd(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return math.sqrt(dx * dx + dy * dy) - self.r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)


class Ellipse(Shape):
    """Axis-aligned ellipse; the distance is approximate but its sign is exact."""

    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry

    def sd(self, x, y):
        u, v = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        return (math.sqrt(u * u + v * v) - 1.0) * min(self.rx, self.ry)

    def bbox(self):
        return (self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry)


class Box(Shape):
    """Rectangle from (x0, y0) to (x1, y1), optionally with rounded corners."""

    def __init__(self, x0, y0, x1, y1, radius=0.0):
        self.x0, self.y0, self.x1, self.y1 = min(x0, x1), min(y0, y1), max(x0, x1), max(y0, y1)
        self.radius = radius

    def sd(self, x, y):
        cx, cy = (self.x0 + self.x1) / 2, (self.y0 + self.y1) / 2
        hx = (self.x1 - self.x0) / 2 - self.radius
        hy = (self.y1 - self.y0) / 2 - self.radius
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - self.radius

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)


class Capsule(Shape):
    """A line segment from (x0, y0) to (x1, y1), ``width`` thick, round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, width / 2

    def sd(self, x, y):
        ax, ay = x - self.x0, y - self.y0
        bx, by = self.x1 - self.x0, self.y1 - self.y0
        bb = bx * bx + by * by
        t = 0.0 if bb == 0 else max(0.0, min(1.0, (ax * bx + ay * by) / bb))
        dx, dy = ax - bx * t, ay - by * t
        return math.sqrt(dx * dx + dy * dy) - self.r

    def bbox(self):
        r = self.r
        return (min(self.x0, self.x1) - r, min(self.y0, self.y1) - r,
                max(self.x0, self.x1) + r, max(self.y0, self.y1) + r)


class Polygon(Shape):
    def __init__(self, points):
        self.pts = list(points)

    def sd(self, x, y):
        pts = self.pts
        n = len(pts)
        best = None
        inside = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            ee = ex * ex + ey * ey
            t = 0.0 if ee == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ee))
            dx, dy = wx - ex * t, wy - ey * t
            d = dx * dx + dy * dy
            if best is None or d < best:
                best = d
            if (yi > y) != (yj > y):
                xc = xi + (y - yi) * (xj - xi) / (yj - yi)
                if x < xc:
                    inside = not inside
            j = i
        d = math.sqrt(best)
        return -d if inside else d

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return (min(xs), min(ys), max(xs), max(ys))


def polyline(points, width):
    """A thick line through the points (round joins)."""
    shape = None
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        seg = Capsule(x0, y0, x1, y1, width)
        shape = seg if shape is None else shape | seg
    return shape


def arc_points(cx, cy, rx, ry, a0, a1, steps=12):
    """Points on an elliptical arc; angles in degrees, 0 = right, 90 = down."""
    pts = []
    for i in range(steps + 1):
        a = (a0 + (a1 - a0) * i / steps) * PI / 180.0
        pts.append((cx + rx * cos(a), cy + ry * sin(a)))
    return pts


def arc(cx, cy, rx, ry, a0, a1, width, steps=12):
    return polyline(arc_points(cx, cy, rx, ry, a0, a1, steps), width)


class Union(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sd(self, x, y):
        return min(self.a.sd(x, y), self.b.sd(x, y))

    def bbox(self):
        a, b = self.a.bbox(), self.b.bbox()
        return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


class Intersection(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sd(self, x, y):
        return max(self.a.sd(x, y), self.b.sd(x, y))

    def bbox(self):
        a, b = self.a.bbox(), self.b.bbox()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Difference(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sd(self, x, y):
        return max(self.a.sd(x, y), -self.b.sd(x, y))

    def bbox(self):
        return self.a.bbox()


class Offset(Shape):
    def __init__(self, a, d):
        self.a, self.d = a, d

    def sd(self, x, y):
        return self.a.sd(x, y) - self.d

    def bbox(self):
        b = self.a.bbox()
        d = max(self.d, 0.0)
        return (b[0] - d, b[1] - d, b[2] + d, b[3] + d)


def map_point(kind, size, u, v):
    """Where the mirror or quarter turn ``kind`` (see Mapped) takes (u, v)."""
    s = size
    return {
        "id": lambda: (u, v),
        "flip_x": lambda: (s - u, v),
        "flip_y": lambda: (u, s - v),
        "transpose": lambda: (v, u),
        "rot_cw": lambda: (s - v, u),
        "rot_ccw": lambda: (v, s - u),
    }[kind]()


class Mapped(Shape):
    """A shape seen through a mirror or a quarter turn of the tile.

    ``kind`` is one of 'id', 'flip_x', 'flip_y', 'transpose' (swap x and y),
    'rot_cw' and 'rot_ccw'; ``size`` is the side of the square it acts in.
    Distances are preserved, so outlines stay exact.
    """

    def __init__(self, a, kind, size):
        self.a, self.kind, self.size = a, kind, size

    def _inv(self, x, y):
        s = self.size
        k = self.kind
        if k == "id":
            return x, y
        if k == "flip_x":
            return s - x, y
        if k == "flip_y":
            return x, s - y
        if k == "transpose":
            return y, x
        if k == "rot_cw":  # a point (u, v) of the source lands at (s - v, u)
            return y, s - x
        if k == "rot_ccw":  # (u, v) lands at (v, s - u)
            return s - y, x
        raise ValueError(k)

    def sd(self, x, y):
        return self.a.sd(*self._inv(x, y))

    def bbox(self):
        x0, y0, x1, y1 = self.a.bbox()
        pts = [map_point(self.kind, self.size, u, v) for u, v in ((x0, y0), (x1, y1))]
        return (min(p[0] for p in pts), min(p[1] for p in pts),
                max(p[0] for p in pts), max(p[1] for p in pts))


# --- hard-edged pixel art ------------------------------------------------------

class Mask:
    """A set of pixels, kept over a padded area so that erosion near the
    border of the image sees the shape's true extent beyond it."""

    def __init__(self, pixels, pad, width, height):
        self.px = pixels  # set of (x, y), x and y may be negative or >= size
        self.pad, self.width, self.height = pad, width, height

    def __and__(self, other):
        return Mask(self.px & other.px, self.pad, self.width, self.height)

    def __or__(self, other):
        return Mask(self.px | other.px, self.pad, self.width, self.height)

    def __sub__(self, other):
        return Mask(self.px - other.px, self.pad, self.width, self.height)

    def eroded(self, pixels):
        """Remove ``pixels`` layers from the border, alternating 4- and
        8-neighbourhoods so that thick outlines stay even around curves."""
        cur = self.px
        n4 = ((1, 0), (-1, 0), (0, 1), (0, -1))
        n8 = n4 + ((1, 1), (1, -1), (-1, 1), (-1, -1))
        for i in range(pixels):
            nb = n4 if i % 2 == 0 else n8
            cur = {(x, y) for (x, y) in cur if all((x + dx, y + dy) in cur for dx, dy in nb)}
        return Mask(cur, self.pad, self.width, self.height)

    def border(self, pixels):
        return self - self.eroded(pixels)


class PixelCanvas:
    def __init__(self, width, height, scale, background):
        self.width, self.height, self.scale = width, height, scale
        self.px = [[background] * width for _ in range(height)]
        self.pad = int(math.ceil(3 * scale))
        # Outline width in whole pixels: the density rounded half up, so 1 px
        # up to 1.25 pixels per unit, 2 px from 1.5 to 2.25, 3 px from 2.5 to 3.
        self.lw = max(1, int(math.floor(scale + 0.5)))

    def snap(self, u, n):
        """The unit coordinate nearest ``u`` on which a run of ``n`` pixels is
        centred exactly: a pixel centre when n is odd, a pixel edge when even."""
        p = u * self.scale
        off = 0.5 if n % 2 else 0.0
        lo = math.floor(p - off) + off
        hi = lo + 1.0
        if p - lo < hi - p:
            q = lo
        elif hi - p < p - lo:
            q = hi
        else:  # halfway: lean towards the middle, so mirrored features stay mirrored
            q = hi if p < self.width / 2 else lo
        return q / self.scale

    def span(self, u):
        """Whole number of pixels that ``u`` units cover at this density."""
        return max(1, int(math.floor(u * self.scale + 0.5)))

    def stroke(self, points, k=1, px=None):
        """A thick line through ``points`` (units), ``k`` outline widths (or
        ``px`` pixels) wide, with every vertex snapped to the pixel grid so
        that straight runs are exactly that many pixels thick at any density."""
        n = k * self.lw if px is None else px
        pts = [(self.snap(x, n), self.snap(y, n)) for x, y in points]
        # a tenth of a pixel more than n keeps ties at the border out
        return polyline(pts, (n + 0.1) / self.scale) if len(pts) > 1 else \
            Capsule(pts[0][0], pts[0][1], pts[0][0], pts[0][1], (n + 0.1) / self.scale)

    def mask(self, shape):
        s = self.scale
        x0, y0, x1, y1 = shape.bbox()
        lo_x = max(-self.pad, int(math.floor(x0 * s)) - 1)
        hi_x = min(self.width + self.pad, int(math.ceil(x1 * s)) + 1)
        lo_y = max(-self.pad, int(math.floor(y0 * s)) - 1)
        hi_y = min(self.height + self.pad, int(math.ceil(y1 * s)) + 1)
        pts = set()
        for py in range(lo_y, hi_y):
            uy = (py + 0.5) / s
            for px in range(lo_x, hi_x):
                if shape.sd((px + 0.5) / s, uy) <= 0.0:
                    pts.add((px, py))
        return Mask(pts, self.pad, self.width, self.height)

    def paint(self, what, colour):
        """Paint a Shape or a Mask with one colour."""
        m = what if isinstance(what, Mask) else self.mask(what)
        for (x, y) in m.px:
            if 0 <= x < self.width and 0 <= y < self.height:
                self.px[y][x] = colour

    def outlined(self, shape, fill, line=(0, 0, 0), width=None):
        """Fill a shape and ring it with an outline inside its edge.
        Returns the shape's mask."""
        w = self.lw if width is None else width
        m = self.mask(shape)
        self.paint(m, line)
        if fill is not None:
            self.paint(m.eroded(w), fill)
        return m

    def grid(self, x, y, rows, colours):
        """Copy a small hand-drawn text grid at pixel (x, y); '.' is skipped."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != "." and ch != " ":
                    self.px[y + j][x + i] = colours[ch]

    def flipped_x(self):
        c = PixelCanvas(self.width, self.height, self.scale, None)
        c.px = [list(reversed(row)) for row in self.px]
        return c

    def colours(self):
        return {p for row in self.px for p in row}


# --- anti-aliased art -------------------------------------------------------------

class SmoothCanvas:
    """RGBA canvas with coverage from the signed distance (one pixel ramp)."""

    def __init__(self, size, units=1.0):
        self.size = size
        self.scale = size / units
        # premultiplied r, g, b, a as floats
        self.px = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]

    def paint(self, shape, colour, opacity=1.0):
        s = self.scale
        x0, y0, x1, y1 = shape.bbox()
        lo_x = max(0, int(math.floor(x0 * s)) - 1)
        hi_x = min(self.size, int(math.ceil(x1 * s)) + 2)
        lo_y = max(0, int(math.floor(y0 * s)) - 1)
        hi_y = min(self.size, int(math.ceil(y1 * s)) + 2)
        r, g, b = (c / 255.0 for c in colour[:3])
        for py in range(lo_y, hi_y):
            uy = (py + 0.5) / s
            row = self.px[py]
            for px in range(lo_x, hi_x):
                d = shape.sd((px + 0.5) / s, uy) * s
                cov = 0.5 - d
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                a = cov * opacity
                p = row[px]
                k = 1.0 - a
                p[0] = r * a + p[0] * k
                p[1] = g * a + p[1] * k
                p[2] = b * a + p[2] * k
                p[3] = a + p[3] * k

    def outlined(self, shape, fill, line=(0, 0, 0), width=None):
        """Fill with the outline colour, then the fill inset by ``width`` units."""
        w = (1.0 / self.scale) if width is None else width
        self.paint(shape, line)
        self.paint(shape.grown(-w), fill)

    def pixels(self):
        out = []
        for row in self.px:
            line = []
            for r, g, b, a in row:
                if a <= 0.0:
                    line.append((0, 0, 0, 0))
                    continue
                line.append((min(255, int(r / a * 255.0 + 0.5)), min(255, int(g / a * 255.0 + 0.5)),
                             min(255, int(b / a * 255.0 + 0.5)), min(255, int(a * 255.0 + 0.5))))
            out.append(line)
        return out
