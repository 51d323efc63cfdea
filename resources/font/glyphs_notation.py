"""Glyphs the stave and note drawing places by rule.

Each builder returns (layer, advance). Sizes are in stave units: U for glyphs
drawn in the music font (em = fontsize), LU for glyphs drawn in the large music
font (em = 16 u). Note heads, dots and diamonds are centred on the middle of the
cell, because a head's cell top is put half a cell above its pitch; everything
else is measured down from the cell top, where the drawing puts its anchor.
"""

import math
import os

import outlines
from metrics import (ASCENT, EM, HEAD_MID_Y, HEAD_WIDTH, LU, NOTO_SPACE, U, below_top,
                     centred, fit_box, place, with_bearings)

HERE = os.path.dirname(os.path.abspath(__file__))
MUSIC = outlines.SourceSet(os.path.join(HERE, "sources", "noto-music.svg"))
SERIF_BOLD = outlines.SourceSet(os.path.join(HERE, "sources", "noto-serif-bold.svg"))

# Noto Music outlines drawn at the stave's size in the large font: one staff
# space (244 Noto units) becomes one black-key line spacing, 2 u.
STAFF_SCALE = 2 * LU / NOTO_SPACE

# Half the stave pen (w = cell / 6 = 0.389 u) in large-font units: flags cover
# the stem from its left edge.
HALF_PEN = (7 / 3) / 6 / 2 * LU

HEAD_HALF_HEIGHT = 1.0 * U
HEAD_SIDE = 0.03 * U
# Black rim left around the coloured inner layers of heads.
RIM = 0.2 * U
HOLLOW_RIM = 0.14 * U


# ---- note heads -------------------------------------------------------------

def _head_box(half_height, side=HEAD_SIDE):
    return (side, HEAD_MID_Y - half_height, HEAD_WIDTH - side, HEAD_MID_Y + half_height)


def head_filled():
    return fit_box(MUSIC.layer("u1D158"), *_head_box(HEAD_HALF_HEIGHT)), HEAD_WIDTH


def head_hollow():
    return fit_box(MUSIC.layer("u1D157"), *_head_box(HEAD_HALF_HEIGHT)), HEAD_WIDTH


def head_whole():
    return fit_box(MUSIC.layer("u1D15D"), *_head_box(1.02 * U, 0)), HEAD_WIDTH


def _inset(layer, d):
    out = layer.dup()
    out.stroke("circular", 2 * d, "round", "round", removeexternal=True)
    out.removeOverlap()
    return out


def _outer_and_holes(layer):
    contours = [c for c in layer]
    areas = []
    for c in contours:
        x0, y0, x1, y1 = c.boundingBox()
        areas.append((x1 - x0) * (y1 - y0))
    outer_idx = areas.index(max(areas))
    outer = outlines.new_layer()
    outer += contours[outer_idx]
    holes = outlines.new_layer()
    for k, c in enumerate(contours):
        if k != outer_idx:
            holes += c
    return outer, holes


def head_inner(head_builder, rim):
    """The coloured layer: the head with its outline pulled in by `rim`, holes kept."""
    head, adv = head_builder()
    outer, holes = _outer_and_holes(head)
    inner = _inset(outer, rim)
    if len(holes):
        inner = outlines.difference(inner, holes)
    inner.correctDirection()
    return inner, adv


def letter_head(half_width, half_height, ring=None):
    layer = outlines.ellipse(HEAD_WIDTH / 2, HEAD_MID_Y, half_width, half_height, 0,
                             outlines.KAPPA_HEAD)
    if ring is not None:
        layer += outlines.ellipse(HEAD_WIDTH / 2, HEAD_MID_Y, half_width - ring,
                                  half_height - ring, 0, outlines.KAPPA_HEAD)
        layer.correctDirection()
    return layer, HEAD_WIDTH


def note_dot():
    r = 0.3 * U
    return outlines.ellipse(r, HEAD_MID_Y, r, r), round(2 * r)


def _diamond(cx, cy, hw, hh):
    return [(cx, cy + hh), (cx + hw, cy), (cx, cy - hh), (cx - hw, cy)]


DIAMOND_HW = 0.85 * U
DIAMOND_HH = 0.98 * U
DIAMOND_STROKE = 0.22 * U


def diamond(open_):
    cx = DIAMOND_HW + 0.02 * U
    layer = outlines.polygon(_diamond(cx, HEAD_MID_Y, DIAMOND_HW, DIAMOND_HH))
    if open_:
        a, b = DIAMOND_HW, DIAMOND_HH
        f = 1 - DIAMOND_STROKE * math.hypot(a, b) / (a * b)
        layer += outlines.polygon(_diamond(cx, HEAD_MID_Y, a * f, b * f))
        layer.correctDirection()
    return layer, round(2 * cx)


def bar_rest():
    layer = outlines.rect(0.3 * U, below_top(1.85, U), 2.9 * U, below_top(0.8, U))
    return layer, round(3.2 * U)


def brace():
    src = MUSIC.layer("u1D114")
    x0, y0, x1, y1 = src.boundingBox()
    s = EM / (y1 - y0)
    layer = place(src, s, x0, y1, 0, ASCENT)
    return with_bearings(layer, 10, 10)


# ---- large font: rests ------------------------------------------------------

# Rests are drawn on a staff whose middle line lies 3.9 u below the cell top:
# in a keystave the rest's cell top is the middle of a four-unit gap, so the
# lines 2, 4 and 6 u below it are stave lines (3.9 keeps conventional staves,
# drawn with a 15 u em, within 0.2 u as well).
REST_MIDDLE = below_top(3.9, LU)
REST_SIDE = 0.3 * LU


def noto_rest(gid):
    layer = place(MUSIC.layer(gid), STAFF_SCALE, 0, 500, 0, REST_MIDDLE)
    return centred(layer, REST_SIDE)


def block_rest(hangs):
    """Whole rest hanging from the line 2 u above the middle, or half rest sitting
    on the middle line; 2.5 u wide, 1 u high, overlapping its line slightly."""
    if hangs:
        line = REST_MIDDLE + 2 * LU
        y0, y1 = line - 1.0 * LU, line + 0.12 * LU
    else:
        y0, y1 = REST_MIDDLE - 0.12 * LU, REST_MIDDLE + 1.0 * LU
    return centred(outlines.rect(0, y0, 2.5 * LU, y1), REST_SIDE)


# ---- large font: flags ------------------------------------------------------

FLAG_TOP = 1009  # Noto's stem end for its flags


# The repeated flag, in staff spaces from the stem end: a curved wedge whose copies
# one space apart nest into each other instead of crossing, as engraved sixteenth and
# thirty-second flags do.
REPEATED_FLAG = ("M 0 0 C 0.5 -0.22 1.12 -0.62 1.02 -1.6 "
                 "C 0.9 -1.1 0.45 -0.84 0 -0.74 Z")


def _flag(short):
    if short:
        sp = 2 * LU
        src = outlines.layer_from_path(REPEATED_FLAG)
        return outlines.transformed(src, (sp, 0, 0, sp, 0, ASCENT))
    return place(MUSIC.layer("u1D16E"), STAFF_SCALE, 0, FLAG_TOP, 0, ASCENT)


def flag_up(short):
    layer = outlines.translate(_flag(short), -HALF_PEN, 0)
    x1 = layer.boundingBox()[2]
    return layer, round(x1)


def flag_down(short):
    layer = outlines.mirror_y(_flag(short), ASCENT)
    x1 = layer.boundingBox()[2]
    return layer, round(x1)


# ---- large font: clefs, dots, marks, fingering, accidentals -----------------

# Where the clefs' G and F lines lie below the cell top. A keystave (16 u em) puts them
# 11 and 3 u down; a conventional staff (15 u em, whose unit is 16/15 of the glyph's) wants
# 11.73 and 3.2. These values keep both within a quarter of a staff space.
CLEF_G_LINE = 11.45
CLEF_F_LINE = 3.1


def clef_g():
    # Noto's G line is its second staff line, y = 256.
    layer = place(MUSIC.layer("u1D11E"), STAFF_SCALE, 0, 256, 0, below_top(CLEF_G_LINE, LU))
    return with_bearings(layer, 0.1 * LU, 0.4 * LU)


def clef_f():
    # Noto's F line runs between the clef's two dots, y = 644.5.
    layer = place(MUSIC.layer("u1D122"), STAFF_SCALE, 0, 644.5, 0, below_top(CLEF_F_LINE, LU))
    return with_bearings(layer, 0.1 * LU, 0.4 * LU)


def repeat_dot():
    r = 0.45 * LU
    return centred(outlines.ellipse(0, below_top(0.5625, LU), r, r), 0.1 * LU)


MARK_TOP = below_top(0.2, LU)


def accent_wedge(width, height, thickness):
    """An engraved accent: two arms of even thickness meeting in a sharp point,
    drawn with its top-left corner at (0, 0)."""
    half = height / 2
    arm = math.hypot(width, half)
    t_vert = thickness * arm / width  # thickness measured down the open side
    t_tip = thickness * arm / half  # how far the inner point sits from the tip
    return outlines.polygon([(0, 0), (width, -half), (0, -height), (0, -height + t_vert),
                             (width - t_tip, -half), (0, -t_vert)])


def accent_mark():
    layer = outlines.translate(accent_wedge(2.8 * LU, 1.5 * LU, 0.38 * LU), 0, MARK_TOP)
    return centred(layer, 0.2 * LU)


def staccato_mark():
    r = 0.4 * LU
    return centred(outlines.ellipse(0, MARK_TOP - r, r, r), 0.2 * LU)


FINGER_HEIGHT = 2.2 * LU


def fingering(digit):
    src = SERIF_BOLD.layer("u%04X" % ord(digit))
    # Lining figures of Noto Serif stand 714 units high on the baseline.
    s = FINGER_HEIGHT / 714
    return centred(place(src, s, 0, 714, 0, MARK_TOP), 0.15 * LU)


# Accidentals before conventional heads. The drawing puts their cell top 12.5 u above
# the head's cell top, which is itself 7/6 u above the pitch, so a sign's centre belongs
# 13.667 u below the cell top of the 15 u em used there (984 units). They stand 2 u
# left of a head 4 u wide, so each is at most one staff space wide. Shapes are in staff
# spaces with the pitch on y = 0.
ACCIDENTAL_CENTRE = ASCENT - 13.667 * EM / 15
ACCIDENTAL_SPACE = 2 * EM / 15


# Boolean operations work on integer-sized outlines, so shapes given in staff spaces are
# blown up by this factor first.
_K = 1000.0


def _rect(x0, y0, x1, y1):
    return outlines.rect(x0 * _K, y0 * _K, x1 * _K, y1 * _K)


def _path(d):
    return outlines.scale(outlines.layer_from_path(d), _K)


def _beam(x0, x1, y_left, y_right, thickness):
    h = thickness / 2
    pts = [(x0, y_left - h), (x1, y_right - h), (x1, y_right + h), (x0, y_left + h)]
    return outlines.polygon([(x * _K, y * _K) for x, y in pts])


def _sharp():
    return outlines.union(
        _rect(0.20, -1.35, 0.33, 1.20), _rect(0.62, -1.20, 0.75, 1.35),
        _beam(0, 0.95, 0.36, 0.66, 0.42), _beam(0, 0.95, -0.64, -0.34, 0.42))


def _flat():
    bowl = _path("M 0.1 -0.5 C 0.55 -0.22 0.92 -0.02 0.88 0.24 C 0.85 0.47 0.45 0.5 0.1 0.2 Z")
    hole = _path("M 0.14 -0.3 C 0.42 -0.1 0.63 0.06 0.61 0.2 C 0.59 0.33 0.36 0.31 0.14 0.1 Z")
    return outlines.union(outlines.difference(bowl, hole), _rect(0, -0.5, 0.14, 1.75))


def _natural():
    return outlines.union(
        _rect(0, -0.55, 0.13, 1.35), _rect(0.57, -1.35, 0.7, 0.55),
        _beam(0, 0.7, 0.3, 0.5, 0.38), _beam(0, 0.7, -0.5, -0.3, 0.38))


def head_accidental(shape):
    sp = ACCIDENTAL_SPACE / _K
    layer = outlines.transformed(shape(), (sp, 0, 0, sp, 0, ACCIDENTAL_CENTRE))
    return with_bearings(layer, 0.05 * ACCIDENTAL_SPACE, 0.1 * ACCIDENTAL_SPACE)


def builders():
    """code -> builder for every role glyph."""
    return {
        ord("6"): head_filled,
        ord("7"): head_hollow,
        ord("8"): head_whole,
        ord("K"): head_filled,
        ord("L"): head_hollow,
        ord("M"): head_whole,
        ord("H"): lambda: head_inner(head_filled, RIM),
        ord("I"): lambda: head_inner(head_hollow, HOLLOW_RIM),
        ord("J"): lambda: head_inner(head_whole, HOLLOW_RIM),
        217: lambda: letter_head(2.15 * U, 2.05 * U),
        218: lambda: letter_head(2.0 * U, 1.9 * U),
        219: lambda: letter_head(2.0 * U, 1.9 * U, ring=0.42 * U),
        ord("@"): note_dot,
        ord("N"): lambda: diamond(False),
        ord("O"): lambda: diamond(True),
        200: bar_rest,
        ord("P"): brace,
        ord("<"): lambda: noto_rest("u1D140"),
        ord(";"): lambda: noto_rest("u1D13F"),
        ord(":"): lambda: noto_rest("u1D13E"),
        ord("="): lambda: noto_rest("u1D13D"),
        ord("?"): lambda: block_rest(False),
        ord(">"): lambda: block_rest(True),
        ord("B"): lambda: flag_up(False),
        ord("C"): lambda: flag_up(True),
        ord("D"): lambda: flag_down(False),
        ord("E"): lambda: flag_down(True),
        ord("F"): clef_g,
        ord("G"): clef_f,
        ord("."): repeat_dot,
        ord("A"): accent_mark,
        248: staccato_mark,
        ord("1"): lambda: fingering("1"),
        ord("2"): lambda: fingering("2"),
        ord("3"): lambda: fingering("3"),
        ord("4"): lambda: fingering("4"),
        ord("5"): lambda: fingering("5"),
        204: lambda: head_accidental(_sharp),
        205: lambda: head_accidental(_flat),
        206: lambda: head_accidental(_natural),
    }
