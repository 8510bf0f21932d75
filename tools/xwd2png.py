#!/usr/bin/env python3
"""Converts an X window dump (xwd, 24/32 bits per pixel) to PNG, cropped:
xwd2png.py IN.xwd OUT.png [X Y W H]. Only the standard library is used."""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    ncolors = fields[19]
    offset = header_size + ncolors * 12
    if bits_per_pixel not in (24, 32):
        sys.exit("xwd2png: only true-colour dumps of 24 or 32 bits per pixel are supported")
    step = bits_per_pixel // 8
    pixels = data[offset:]
    order = "little" if byte_order == 0 else "big"

    def shift(mask):
        s = 0
        while mask and not mask & 1:
            mask >>= 1
            s += 1
        return s

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + width * step]
        row = bytearray()
        for i in range(0, len(line), step):
            v = int.from_bytes(line[i:i + step], order)
            row += bytes(((v & red_mask) >> rs, (v & green_mask) >> gs, (v & blue_mask) >> bs))
        rows.append(row)
    return width, height, rows


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + bytes(r) for r in rows)

    def chunk(kind, body):
        c = struct.pack(">I", len(body)) + kind + body
        return c + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)


def main():
    width, height, rows = read_xwd(sys.argv[1])
    x, y, w, h = 0, 0, width, height
    if len(sys.argv) >= 7:
        x, y, w, h = (int(v) for v in sys.argv[3:7])
        x, y = max(0, x), max(0, y)
        w, h = min(w, width - x), min(h, height - y)
    rows = [r[x * 3:(x + w) * 3] for r in rows[y:y + h]]
    write_png(sys.argv[2], w, h, rows)


if __name__ == "__main__":
    main()
