#!/usr/bin/env python3
"""Writes the seed corpus of the two fuzz targets (corpus/rtf, corpus/wmf).

Small, valid inputs that reach every part of the reader and the player; the fuzzer
mutates them. Run from anywhere; only the Python standard library is needed."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def rec(function, words=(), raw=b""):
    body = b"".join(struct.pack("<H", w & 0xFFFF) for w in words) + raw
    if len(body) % 2:
        body += b"\0"
    return struct.pack("<IH", 3 + len(body) // 2, function) + body


def colorref(r, g, b):
    return (r | (g << 8), b)


def font(height, face, charset=0, weight=400, escapement=0):
    raw = struct.pack("<hhhhh8B", height, 0, escapement, escapement, weight, 0, 0, 0, charset, 0, 0, 0, 0)
    return rec(0x02FB, raw=raw + face.encode("latin-1")[:31] + b"\0")


def text_out(x, y, s):
    b = s if len(s) % 2 == 0 else s + b"\0"
    return rec(0x0521, [len(s)], b + struct.pack("<hh", y, x))


def ext_text_out(x, y, s, dx=(), options=0, rect=None):
    head = struct.pack("<hhhH", y, x, len(s), options)
    if rect:
        head += struct.pack("<hhhh", *rect)
    b = s if len(s) % 2 == 0 else s + b"\0"
    return rec(0x0A32, raw=head + b + b"".join(struct.pack("<h", d) for d in dx))


def metafile(records, placeable=None):
    body = b"".join(records) + rec(0x0000)
    objects = sum(1 for r in records if struct.unpack("<H", r[4:6])[0] in (0x02FA, 0x02FB, 0x02FC))
    maxrec = max(struct.unpack("<I", r[:4])[0] for r in records)
    head = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(body) // 2, objects, maxrec, 0)
    if placeable is None:
        return head + body
    left, top, right, bottom, inch = placeable
    p = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, inch, 0)
    checksum = 0
    for i in range(0, 20, 2):
        checksum ^= struct.unpack("<H", p[i:i + 2])[0]
    return p + struct.pack("<H", checksum) + head + body


def png(width, height, rgb):
    raw = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def dib(width, height):
    row = b"".join(bytes((255 * x // width, 0, 255 - 255 * x // width)) for x in range(width))
    row += b"\0" * ((4 - len(row) % 4) % 4)
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 0, 0, 0, 0) + row * height


def shapes():
    r, g, b = colorref(200, 0, 0), colorref(0, 0, 255), colorref(0, 0, 0)
    return metafile([
        rec(0x0103, [8]), rec(0x020B, [0, 0]), rec(0x020C, [600, 800]),
        rec(0x02FA, [0, 15, 0, *b]), rec(0x02FC, [0, *r, 0]), rec(0x02FC, [2, *g, 3]),
        rec(0x012D, [0]), rec(0x012D, [1]), rec(0x041B, [300, 300, 50, 50]),
        rec(0x012D, [2]), rec(0x0418, [500, 700, 350, 400]),
        rec(0x0106, [2]), rec(0x0324, [4, 10, 10, 100, 10, 100, 100, 10, 100]),
        rec(0x0325, [3, 0, 0, 400, 300, 800, 0]), rec(0x0214, [580, 0]), rec(0x0213, [580, 800]),
        rec(0x001E), rec(0x01F0, [1]), rec(0x0127, [-1]),
        rec(0x061C, [40, 40, 590, 790, 520, 600]), rec(0x0817, [0, 400, 300, 800, 590, 790, 310, 410]),
        rec(0x081A, [0, 100, 300, 0, 590, 200, 400, 10]), rec(0x0830, [0, 0, 100, 300, 590, 390, 400, 210]),
        rec(0x0538, [2, 3, 3, 0, 0, 50, 0, 0, 50, 60, 60, 90, 60, 60, 90]),
        rec(0x0416, [500, 700, 100, 100]), rec(0x041B, [600, 800, 0, 0]),
    ])


def text():
    return metafile([
        rec(0x020B, [0, 0]), rec(0x020C, [300, 1200]), rec(0x0102, [1]), rec(0x0209, colorref(0, 0, 0)),
        rec(0x012E, [24]), font(-200, "Times New Roman", 0, 700), rec(0x012D, [0]),
        text_out(20, 220, b"R = "), font(-200, "Symbol", 2), rec(0x012D, [1]),
        ext_text_out(400, 220, b"abr", [100, 100, 100]), rec(0x012E, [6 | 8]),
        font(-120, "Arial", 0, 400, 900), rec(0x012D, [2]), text_out(900, 280, b"x\xe9"),
        rec(0x0102, [2]), rec(0x0201, colorref(255, 255, 0)),
        ext_text_out(700, 100, b"op", [], 6, (650, 20, 1000, 140)), rec(0x012E, [1]),
        rec(0x0214, [50, 50]), text_out(0, 0, b"cp"), text_out(0, 0, b"cp"),
    ])


def with_bitmap():
    d = dib(8, 4)
    return metafile([
        rec(0x020B, [0, 0]), rec(0x020C, [40, 80]),
        rec(0x0F43, [0x0020, 0x00CC, 0, 4, 8, 0, 0, 40, 80, 0, 0], d),
        rec(0x0B41, [0x0020, 0x00CC, 4, 8, 0, 0, 20, 40, 10, 10], d),
        rec(0x061D, [0x0062, 0x00FF, 10, 10, 0, 0]),
    ])


def formula_rtf_object(wmf):
    hexdata = wmf.hex()
    lines = "\n".join(hexdata[i:i + 128] for i in range(0, len(hexdata), 128))
    return ("{\\object\\objemb{\\*\\objclass Equation.3}\\objw1200\\objh300"
            "{\\*\\objdata 0105000002000000}{\\result{\\pict\\wmetafile8\\picw2117\\pich529"
            "\\picwgoal1200\\pichgoal300\n" + lines + "}}}")


HEAD = ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
        "{\\f1\\fswiss Arial;}{\\f2\\froman\\fcharset2 Symbol;}{\\f3\\fcharset161 WP Greek Century;}}"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;}\n")


def main():
    small_formula = metafile([
        rec(0x020B, [0, 0]), rec(0x020C, [100, 400]), rec(0x0102, [1]),
        font(-80, "Symbol", 2), rec(0x012D, [0]), text_out(10, 10, b"r"),
        rec(0x02FA, [0, 5, 0, 0, 0]), rec(0x012D, [1]), rec(0x0214, [50, 100]), rec(0x0213, [50, 380]),
    ])
    pic = png(3, 2, (10, 200, 30))
    rtf = {
        "minimal.rtf": "{\\rtf1\\ansi Hello\\par}",
        "formatting.rtf": HEAD + "\\pard\\qc\\f1\\fs32\\b\\cf2 T\\'edtulo\\par\\pard\\qj\\li340\\fi-340\\tx340"
                          "\\f0\\fs24\\lang3082 \\'95\\tab {\\i n} y {\\b v} H{\\sub 2}O x{\\super 2} "
                          "{\\dn6 low}{\\up6 high}\\u945?\\uc2\\u946xy{\\f2 abDW\\'b6}{\\f3\\'e1}"
                          "\\emdash\\line\\~\\-\\_\\{\\}\\\\{\\ul u\\ulnone}{\\strike s}\\par}",
        "object.rtf": HEAD + "x = " + formula_rtf_object(small_formula) + "\\par}",
        "png.rtf": HEAD + "{\\*\\shppict{\\pict\\pngblip\\picw3\\pich2\\picwgoal45\\pichgoal30\\picscalex200 "
                   + pic.hex() + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}\\par}",
        "bin.rtf": HEAD + "{\\pict\\pngblip\\bin" + str(len(pic)) + " " + pic.decode("latin-1") + "}}",
        "destinations.rtf": HEAD + "{\\info{\\title t}}{\\stylesheet{\\s0 Normal;}}{\\*\\generator g;}"
                            "{\\*\\unknown {\\nested}}{\\header h}{\\field{\\*\\fldinst HYPERLINK x}"
                            "{\\fldrslt link}}{\\v hidden}\\cell\\row\\page visible}",
        "codepage.rtf": "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\\'c4\\'e0 \\'80}",
        "dib.rtf": HEAD + "{\\pict\\dibitmap0\\picw8\\pich4 " + dib(8, 4).hex() + "}}",
        "truncated.rtf": HEAD + "{\\b open {\\i deeper \\'4",
    }
    wmf = {
        "shapes.wmf": shapes(),
        "text.wmf": text(),
        "placeable.wmf": shapes_placeable(),
        "bitmap.wmf": with_bitmap(),
        "formula.wmf": small_formula,
    }
    for folder, files in (("rtf", rtf), ("wmf", wmf)):
        os.makedirs(os.path.join(HERE, "corpus", folder), exist_ok=True)
        for name, content in files.items():
            data = content.encode("latin-1") if isinstance(content, str) else content
            with open(os.path.join(HERE, "corpus", folder, name), "wb") as f:
                f.write(data)


def shapes_placeable():
    records = [rec(0x02FC, [0, 0, 0, 0]), rec(0x012D, [0]), rec(0x0418, [1000, 1440, 0, 0])]
    return metafile(records, placeable=(0, 0, 1440, 1000, 1440))


if __name__ == "__main__":
    main()
