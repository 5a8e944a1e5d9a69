#!/usr/bin/env python3
"""Draws the program icons (editor and VEL compiler) from one list of shapes and writes them
as SVG and as PNG at 16, 32, 48 and 256 pixels, without any imaging library. Run from this
folder. Shapes are in a 256 x 256 design grid: polygons with a fill colour."""
import struct
import zlib

PAGE = [(48, 16), (172, 16), (212, 56), (212, 240), (48, 240)]
FOLD = [(172, 16), (212, 56), (172, 56)]


def outlined(points, width):
    """The polygon and a slightly larger black one behind it: an outline without strokes."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    cx, cy = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2
    sx = (max(xs) - min(xs) + 2 * width) / max(1, max(xs) - min(xs))
    sy = (max(ys) - min(ys) + 2 * width) / max(1, max(ys) - min(ys))
    return [(cx + (x - cx) * sx, cy + (y - cy) * sy) for x, y in points]


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def text_lines(y_from, y_to, colour):
    return [(rect(76, y, 184, y + 10), colour) for y in range(y_from, y_to, 28)]


def page_shapes():
    return [(outlined(PAGE, 8), '#000000'), (PAGE, '#FFFFFF'), (FOLD, '#C0C0C0')]


def editor_icon():
    z = [(84, 92), (176, 92), (176, 116), (118, 196), (176, 196), (176, 220), (84, 220),
         (84, 196), (142, 116), (84, 116)]
    return page_shapes() + text_lines(52, 80, '#808080') + [(z, '#C81E1E')]


def compiler_icon():
    arrow = [(96, 100), (150, 100), (150, 76), (200, 136), (150, 196), (150, 172), (96, 172)]
    return page_shapes() + text_lines(52, 80, '#808080') + [
        (rect(72, 124, 100, 148), '#1F4FBF'), (arrow, '#1F4FBF'),
        (rect(76, 204, 184, 214), '#808080')]


def svg(shapes):
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
           'viewBox="0 0 256 256">']
    for points, colour in shapes:
        pts = ' '.join('%g,%g' % p for p in points)
        out.append('  <polygon points="%s" fill="%s"/>' % (pts, colour))
    out.append('</svg>')
    return '\n'.join(out) + '\n'


def inside(points, x, y):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def raster(shapes, size, samples=4):
    """RGBA rows; each pixel averages samples x samples points for smooth edges."""
    scale = 256 / size
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for points, fill in shapes:
                        if inside(points, x, y):
                            colour = fill
                    if colour:
                        r += int(colour[1:3], 16)
                        g += int(colour[3:5], 16)
                        b += int(colour[5:7], 16)
                        a += 1
            n = samples * samples
            row += bytes((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(bytes(row))
    return rows


def png(rows, size):
    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b''.join(b'\0' + row for row in rows)
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    for name, shapes in (('zkedit32', editor_icon()), ('velwcomp', compiler_icon())):
        with open(name + '.svg', 'w') as f:
            f.write(svg(shapes))
        for size in (16, 32, 48, 256):
            with open('%s-%d.png' % (name, size), 'wb') as f:
                f.write(png(raster(shapes, size, 4 if size < 256 else 2), size))
