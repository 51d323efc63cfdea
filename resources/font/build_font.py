#!/usr/bin/python3
"""Generates the music font Keystave.ttf and its code table SYMBOLS.md.

    /usr/bin/python3 resources/font/build_font.py [--out DIR]

Needs Debian's python3-fontforge (hence /usr/bin/python3). The glyphs come
from the sources beside this script: outlines adapted from Noto Music and Noto
Serif (sources/*.svg, OFL.txt) and geometric shapes drawn in
glyphs_notation.py and glyphs_symbols.py. The output is byte-for-byte
reproducible: the font's dates come from a fixed SOURCE_DATE_EPOCH.
"""

import argparse
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source folder clean
os.environ["SOURCE_DATE_EPOCH"] = "1704067200"  # 2024-01-01, the font's creation date

import fontforge  # noqa: E402

import glyphs_notation  # noqa: E402
import outlines  # noqa: E402
import glyphs_symbols  # noqa: E402
import symbol_table  # noqa: E402
import symbols_doc  # noqa: E402
from metrics import ASCENT, CELL, DESCENT, EM  # noqa: E402

FAMILY = "Keystave"
VERSION = "1.000"
COPYRIGHT = ("Copyright 2018 Google Inc. (Noto Music outlines), Copyright 2015 Google LLC "
             "(Noto Serif outlines), Copyright 2024 the Keystaves authors.")
LICENSE = ("This Font Software is licensed under the SIL Open Font License, Version 1.1 "
           "(see OFL.txt beside the font sources).")


def new_font():
    font = fontforge.font()
    font.encoding = "UnicodeBmp"
    font.em = EM
    font.ascent = ASCENT
    font.descent = EM - ASCENT
    font.fontname = FAMILY
    font.familyname = FAMILY
    font.fullname = FAMILY
    font.weight = "Regular"
    font.version = VERSION
    font.copyright = COPYRIGHT
    font.os2_vendor = "KSTV"
    font.os2_version = 4
    font.os2_weight = 400
    font.os2_fstype = 0
    # One cell for every metric set, so every platform reports the same height.
    for attr in ("hhea_ascent_add", "hhea_descent_add", "os2_typoascent_add",
                 "os2_typodescent_add", "os2_winascent_add", "os2_windescent_add"):
        setattr(font, attr, False)
    font.hhea_ascent = ASCENT
    font.hhea_descent = -DESCENT
    font.hhea_linegap = 0
    font.os2_typoascent = ASCENT
    font.os2_typodescent = -DESCENT
    font.os2_typolinegap = 0
    font.os2_winascent = ASCENT
    font.os2_windescent = DESCENT
    font.os2_use_typo_metrics = True
    font.appendSFNTName("English (US)", "License", LICENSE)
    font.appendSFNTName("English (US)", "License URL", "https://openfontlicense.org")
    font.appendSFNTName("English (US)", "Descriptor",
                        "Music glyphs for keystave notation: heads, rests, flags, clefs and "
                        "the symbols of the Keystaves editor.")
    return font


def add_glyph(font, code, layer, advance):
    g = font.createChar(code, "k%02X" % code if code != 0x20 else "space")
    g.foreground = layer
    g.removeOverlap()
    g.correctDirection()
    g.addExtrema()
    g.round()
    g.width = int(advance)
    return g


def add_notdef(font):
    g = font.createChar(-1, ".notdef")
    top, bottom = ASCENT - 60, ASCENT - CELL + 100
    g.foreground = outlines.combine(outlines.rect(60, bottom, 540, top),
                                    outlines.rect(120, bottom + 60, 480, top - 60))
    g.correctDirection()
    g.width = 600


def build(out_dir):
    font = new_font()
    add_notdef(font)
    space = font.createChar(0x20, "space")
    space.width = 300

    roles = glyphs_notation.builders()
    for code in symbol_table.role_codes():
        layer, advance = roles[code]()
        add_glyph(font, code, layer, advance)
    for code in symbol_table.SYMBOL_ORDER:
        layer, advance = glyphs_symbols.build(code)
        add_glyph(font, code, layer, advance)

    ttf = os.path.join(out_dir, "Keystave.ttf")
    font.generate(ttf, flags=("opentype", "omit-instructions"))
    brace_advance = font[ord("P")].width
    set_average_width(ttf, brace_advance)
    symbols_doc.write(os.path.join(out_dir, "SYMBOLS.md"), font)
    font.close()
    return ttf


def _checksum(data):
    data = data + b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def set_average_width(path, value):
    """Sets OS/2 xAvgCharWidth and fixes the checksums.

    GDI takes a font's requested width as its average character width; making
    that the brace's advance means a brace drawn with width 150 is 150 wide.
    """
    with open(path, "rb") as f:
        data = bytearray(f.read())
    num_tables = struct.unpack(">H", data[4:6])[0]
    tables = {}
    for k in range(num_tables):
        rec = 12 + 16 * k
        tag = bytes(data[rec:rec + 4]).decode("latin-1")
        _, offset, length = struct.unpack(">III", data[rec + 4:rec + 16])
        tables[tag] = (rec, offset, length)
    rec, offset, length = tables["OS/2"]
    struct.pack_into(">h", data, offset + 2, value)
    struct.pack_into(">I", data, rec + 4, _checksum(bytes(data[offset:offset + length])))
    _, head_off, _ = tables["head"]
    struct.pack_into(">I", data, head_off + 8, 0)
    adjust = (0xB1B0AFBA - _checksum(bytes(data))) & 0xFFFFFFFF
    struct.pack_into(">I", data, head_off + 8, adjust)
    with open(path, "wb") as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=HERE, help="output folder (default: beside this script)")
    args = parser.parse_args()
    print(build(args.out))


if __name__ == "__main__":
    main()
