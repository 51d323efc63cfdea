"""Vertical metrics of the Keystave font and the units glyphs are drawn in.

The drawing code derives the stave unit from the cell height of "6": with the
music font created at em height `fontsize`, u = cell / 2.3333 must equal
fontsize x 0.5555555. With an em of 1080 units and a cell of 1400 units,
cell / em = 1.2962963 (target 2.3333 x 0.5555555 = 1.2962961) and one u is
exactly 600 units.

Glyphs are drawn as one character aligned at the top-left of the cell, so
positions inside a glyph are measured down from the cell top (the ascent
line). The baseline sits 0.45 em below the cell top: a symbol drawn
top-aligned beside words of half its em then shares their baseline.
"""

import psMat

import outlines

EM = 1080
CELL = 1400
ASCENT = 486
DESCENT = CELL - ASCENT  # 914

# One stave unit in the music font (em = fontsize = 1.8 u).
U = EM * 5 / 9  # 600
# One stave unit in the large music font (em = 16 u), used for rests, flags,
# clefs, marks, fingering, repeat dots and conventional accidentals.
LU = EM / 16  # 67.5

# Advance width of the note heads ("W" of the stem rules): ledger lines run
# from one unit left of the head to one unit right of it.
HEAD_WIDTH = 4 * U
# Middle of the music-font cell: note heads are centred on it.
HEAD_MID_Y = ASCENT - CELL / 2  # -214

# Noto Music draws a staff space as 244 units of its 1000-unit em.
NOTO_SPACE = 244.0


def below_top(units, unit):
    """Font y of a point `units` stave units below the cell top."""
    return ASCENT - units * unit


def fit_box(layer, x0, y0, x1, y1):
    """Scales and moves a layer so its bounding box is exactly the one given."""
    bx0, by0, bx1, by1 = layer.boundingBox()
    sx = (x1 - x0) / (bx1 - bx0)
    sy = (y1 - y0) / (by1 - by0)
    m = psMat.compose(psMat.translate(-bx0, -by0), psMat.scale(sx, sy))
    m = psMat.compose(m, psMat.translate(x0, y0))
    return outlines.transformed(layer, m)


def place(layer, s, src_x, src_y, dst_x, dst_y):
    """Scales a layer by s about its point (src_x, src_y) and puts that point
    on (dst_x, dst_y)."""
    m = psMat.compose(psMat.translate(-src_x, -src_y), psMat.scale(s))
    m = psMat.compose(m, psMat.translate(dst_x, dst_y))
    return outlines.transformed(layer, m)


def with_bearings(layer, lsb, rsb):
    """Moves the layer so its ink starts at lsb; returns (layer, advance)."""
    x0, _, x1, _ = layer.boundingBox()
    moved = outlines.translate(layer, lsb - x0, 0)
    return moved, round(lsb + (x1 - x0) + rsb)


def centred(layer, side):
    """Equal bearings on both sides."""
    return with_bearings(layer, side, side)
