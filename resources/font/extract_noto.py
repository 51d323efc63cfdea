#!/usr/bin/python3
"""Copies the Noto outlines the Keystave font adapts into sources/*.svg.

Run once, with Debian's fonts-noto-core installed, when the set of borrowed
glyphs changes; build_font.py then works from the SVG files alone. Each glyph
becomes one <path> whose id is "u" + its code point in hex, whose data-advance
is its advance width and whose d attribute holds the outline in the source
font's units with y pointing up (the group transform only flips it for viewing).

    /usr/bin/python3 resources/font/extract_noto.py
"""

import os
import sys

import fontforge

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source folder clean
import symbol_table  # noqa: E402

NOTO_DIR = "/usr/share/fonts/truetype/noto"

MUSIC_CODEPOINTS = [
    0x1D10B, 0x1D10C, 0x1D10D, 0x1D110, 0x1D111, 0x1D112, 0x1D113, 0x1D114, 0x1D11E,
    0x1D122, 0x1D12A, 0x1D12B, 0x1D134, 0x1D135, 0x1D136, 0x1D137, 0x1D138, 0x1D139,
    0x1D13D, 0x1D13E, 0x1D13F, 0x1D140, 0x1D157, 0x1D158, 0x1D15D, 0x1D15E, 0x1D15F,
    0x1D160, 0x1D161, 0x1D162, 0x1D167, 0x1D168, 0x1D169, 0x1D16E, 0x1D17D, 0x1D17E,
    0x1D17F, 0x1D18C, 0x1D18D, 0x1D18E, 0x1D18F, 0x1D190, 0x1D191, 0x1D192, 0x1D193,
    0x1D194, 0x1D195, 0x1D196, 0x1D197, 0x1D198, 0x1D1AE, 0x1D1AF, 0x1D1B0, 0x266D,
    0x266E, 0x266F,
]


def serif_sets():
    italic = symbol_table.text_characters("italic")
    bold_italic = sorted(set(symbol_table.text_characters("bolditalic")) | {"3"})
    return [
        ("noto-serif-italic.svg", "NotoSerif-Italic.ttf", [ord(c) for c in italic]),
        ("noto-serif-bolditalic.svg", "NotoSerif-BoldItalic.ttf", [ord(c) for c in bold_italic]),
        ("noto-serif-bold.svg", "NotoSerif-Bold.ttf", [ord(c) for c in "12345"]),
    ]


def fmt(v):
    v = round(v, 3)
    return ("%d" % v) if v == int(v) else ("%g" % v)


def contour_path(contour):
    """SVG path data of one closed TrueType contour (quadratic, implied points
    made explicit)."""
    pts = [(p.x, p.y, p.on_curve) for p in contour]
    # Start on an on-curve point.
    start = next((k for k, p in enumerate(pts) if p[2]), None)
    if start is None:
        a, b = pts[0], pts[1]
        pts.insert(0, ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, True))
        start = 0
    pts = pts[start:] + pts[:start]
    out = ["M %s %s" % (fmt(pts[0][0]), fmt(pts[0][1]))]
    n = len(pts)
    k = 1
    pending = None
    while k <= n:
        x, y, on = pts[k % n]
        if on:
            if pending is None:
                if k < n:
                    out.append("L %s %s" % (fmt(x), fmt(y)))
            else:
                out.append("Q %s %s %s %s" % (fmt(pending[0]), fmt(pending[1]), fmt(x), fmt(y)))
                pending = None
        else:
            if pending is not None:
                mx, my = (pending[0] + x) / 2, (pending[1] + y) / 2
                out.append("Q %s %s %s %s" % (fmt(pending[0]), fmt(pending[1]), fmt(mx), fmt(my)))
            pending = (x, y)
        k += 1
    out.append("Z")
    return " ".join(out)


def write_set(out_name, font_file, codepoints, note):
    font = fontforge.open(os.path.join(NOTO_DIR, font_file))
    cell = 1.3 * font.em
    per_row = 8
    parts = []
    for idx, cp in enumerate(codepoints):
        g = font[cp]
        d = " ".join(contour_path(c) for c in g.foreground)
        col, row = idx % per_row, idx // per_row
        tx, ty = col * cell + 0.15 * font.em, (row + 1) * cell
        parts.append(
            '  <g transform="translate(%s %s) scale(1 -1)">'
            '<path id="u%04X" data-advance="%d" d="%s"/></g>' %
            (fmt(tx), fmt(ty), cp, g.width, d))
    rows = (len(codepoints) + per_row - 1) // per_row
    svg = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<!-- %s -->" % note,
        '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 %s %s %s" data-em="%d">' %
        (fmt(-0.3 * font.em), fmt(per_row * cell), fmt(rows * cell + 0.6 * font.em), font.em),
    ]
    svg += parts
    svg.append("</svg>")
    path = os.path.join(HERE, "sources", out_name)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(svg) + "\n")
    print("wrote %s (%d glyphs)" % (path, len(codepoints)))


def main():
    os.makedirs(os.path.join(HERE, "sources"), exist_ok=True)
    write_set("noto-music.svg", "NotoMusic-Regular.ttf", MUSIC_CODEPOINTS,
              "Outlines from Noto Music 2.000, Copyright 2018 Google Inc., SIL Open Font "
              "License 1.1 (see ../OFL.txt). Font units, em 1000, y up.")
    for out_name, font_file, cps in serif_sets():
        write_set(out_name, font_file, cps,
                  "Outlines from %s 2.004, Copyright 2015 Google LLC, SIL Open Font License 1.1 "
                  "(see ../OFL.txt). Font units, em 1000, y up." % font_file[:-4])


if __name__ == "__main__":
    main()
