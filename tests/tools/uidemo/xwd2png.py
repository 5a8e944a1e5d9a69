#!/usr/bin/env python3
"""Turns an X window dump (xwd, 24/32 bits per pixel, as Xvfb's root gives) into a PNG.
With --light X Y W H it instead checks that at least half of that area is light (a painted
dialog, not a black rectangle): exit 0 when it is, 1 when not."""
import struct
import sys
import zlib


def light_share(data, x0, y0, w, h):
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    pixels = data[header_size + 12 * fields[19]:]
    step = bits_per_pixel // 8
    light = total = 0
    for y in range(max(y0, 0), min(y0 + h, height), 2):
        for x in range(max(x0, 0), min(x0 + w, width), 2):
            at = y * bytes_per_line + x * step
            # The three colour bytes sit together in both byte orders; alpha or padding aside.
            rgb = pixels[at:at + 3] if byte_order == 0 else pixels[at + step - 3:at + step]
            total += 1
            light += sum(rgb) > 3 * 160
    return light / total if total else 0.0


def convert(data):
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask, ncolors = fields[14], fields[15], fields[16], fields[19]
    if bits_per_pixel not in (24, 32):
        raise ValueError("only 24 and 32 bits per pixel")
    pixels = data[header_size + 12 * ncolors:]
    step = bits_per_pixel // 8
    fmt = "<I" if byte_order == 0 else ">I"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        line = pixels[y * bytes_per_line:(y + 1) * bytes_per_line]
        for x in range(width):
            chunk = line[x * step:x * step + step] + b"\0" * (4 - step)
            (v,) = struct.unpack(fmt, chunk)
            rows += bytes(((v & red_mask) >> rs, (v & green_mask) >> gs, (v & blue_mask) >> bs))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if sys.argv[1] == "--light":
        with open(sys.argv[2], "rb") as f:
            share = light_share(f.read(), *(int(v) for v in sys.argv[3:7]))
        sys.exit(0 if share >= 0.5 else 1)
    with open(sys.argv[1], "rb") as f:
        png = convert(f.read())
    with open(sys.argv[2], "wb") as f:
        f.write(png)
