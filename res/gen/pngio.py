# SPDX-License-Identifier: GPL-3.0-or-later
"""Minimal PNG writer and reader (standard library only).

Images are lists of rows; each row is a list of pixels, a pixel being an
(r, g, b) or (r, g, b, a) tuple of 0..255 integers. The writer picks the
smallest faithful encoding that the consumer can rely on:

* ``write_indexed``: colour type 3 (palette), used for the tiles, whose
  colours are counted and limited;
* ``write_rgba``: colour type 6, used for images with transparency.

No ancillary chunks are written (no time, no gamma, no text), so the same
pixels always give the same bytes.
"""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _png(width, height, bit_depth, colour_type, raw_rows, extra_chunks=()):
    ihdr = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    # Filter type 0 on every row keeps the encoder trivial and deterministic.
    raw = b"".join(b"\x00" + row for row in raw_rows)
    out = [SIGNATURE, _chunk(b"IHDR", ihdr)]
    out.extend(extra_chunks)
    out.append(_chunk(b"IDAT", zlib.compress(raw, 9)))
    out.append(_chunk(b"IEND", b""))
    return b"".join(out)


def encode_indexed(pixels, palette):
    """Encode RGB pixels with the given palette (list of (r, g, b)).

    Every pixel must be in the palette. 4-bit indices are used when the
    palette has at most 16 entries, 8-bit otherwise.
    """
    height = len(pixels)
    width = len(pixels[0])
    index = {c: i for i, c in enumerate(palette)}
    depth = 4 if len(palette) <= 16 else 8
    rows = []
    for row in pixels:
        idx = [index[p[:3]] for p in row]
        if depth == 8:
            rows.append(bytes(idx))
        else:
            if len(idx) % 2:
                idx.append(0)
            rows.append(bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2)))
    plte = _chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    return _png(width, height, depth, 3, rows, [plte])


def encode_rgba(pixels):
    height = len(pixels)
    width = len(pixels[0])
    rows = []
    for row in pixels:
        rows.append(bytes(v for p in row for v in (p if len(p) == 4 else p + (255,))))
    return _png(width, height, 8, 6, rows)


# --- reading -------------------------------------------------------------

def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def decode(data):
    """Decode a non-interlaced PNG of colour type 2, 3 or 6 (8-bit, or
    1/2/4-bit for palettes).

    Returns (width, height, info, pixels) where pixels are (r, g, b, a)
    tuples and info holds 'colour_type', 'bit_depth', 'palette' and
    'chunks' (the chunk kinds in file order).
    """
    if data[:8] != SIGNATURE:
        raise ValueError("not a PNG file")
    pos = 8
    idat = b""
    palette = None
    trns = None
    chunks = []
    width = height = depth = ctype = None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("bad CRC in chunk %r" % kind)
        chunks.append(kind.decode("ascii"))
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, comp, filt, interlace = struct.unpack(">IIBBBBB", body)
            if interlace:
                raise ValueError("interlaced PNGs are not supported")
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"tRNS":
            trns = body
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    raw = zlib.decompress(idat)
    if ctype == 3:
        channels = 1
    elif ctype == 2:
        channels = 3
    elif ctype == 6:
        channels = 4
    else:
        raise ValueError("unsupported colour type %d" % ctype)
    if ctype != 3 and depth != 8:
        raise ValueError("unsupported bit depth %d" % depth)
    stride = (width * channels * depth + 7) // 8
    bpp = max(1, channels * depth // 8)
    prev = bytearray(stride)
    pixels = []
    p = 0
    for _ in range(height):
        ftype = raw[p]
        line = bytearray(raw[p + 1:p + 1 + stride])
        p += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 255
            elif ftype == 2:
                line[i] = (line[i] + b) & 255
            elif ftype == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif ftype == 4:
                line[i] = (line[i] + _paeth(a, b, c)) & 255
        prev = line
        row = []
        if ctype == 3:
            per_byte = 8 // depth
            mask = (1 << depth) - 1
            for x in range(width):
                byte = line[x // per_byte]
                shift = 8 - depth * (x % per_byte + 1)
                i = (byte >> shift) & mask
                alpha = trns[i] if trns is not None and i < len(trns) else 255
                row.append(palette[i] + (alpha,))
        elif ctype == 2:
            for x in range(width):
                row.append(tuple(line[3 * x:3 * x + 3]) + (255,))
        else:
            for x in range(width):
                row.append(tuple(line[4 * x:4 * x + 4]))
        pixels.append(row)
    info = {"colour_type": ctype, "bit_depth": depth, "palette": palette, "chunks": chunks}
    return width, height, info, pixels
