"""The 111 symbols of the Insert Symbol dialog.

Symbols are drawn as annotations in a font whose em is twice that of the words
beside them, top-aligned with those words. They therefore sit on the font's
baseline (0.45 em below the cell top) like text, with descenders where letters
have them. At the usual annotation size one staff space (2 u) is about 250 font
units, so Noto Music outlines are used at about their own size.
"""

import os

import outlines
import symbol_table
from glyphs_notation import accent_wedge
from metrics import with_bearings

HERE = os.path.dirname(os.path.abspath(__file__))
MUSIC = outlines.SourceSet(os.path.join(HERE, "sources", "noto-music.svg"))
SERIF = {
    "italic": outlines.SourceSet(os.path.join(HERE, "sources", "noto-serif-italic.svg")),
    "bolditalic": outlines.SourceSet(os.path.join(HERE, "sources", "noto-serif-bolditalic.svg")),
}

SIDE = 40  # left and right bearing of a symbol
TEXT_SCALE = 0.5  # Noto Serif cap height 714 -> 357, x-height 536 -> 268
NOTE_SCALE = 0.5  # small notes of tempo marks: 500 units from head to stem end
DYNAMIC_BASELINE = 350  # Noto Music draws its dynamic letters on y = 350
DYNAMIC_TRACK = -25  # dynamic letters are set a little tighter than their advance
DOT_R = 42


def _noto(gid, s=1.0):
    return outlines.scale(MUSIC.layer(gid), s)


def _sit(layer, bottom=0.0):
    """Moves a layer up or down so its lowest point is at `bottom`."""
    return outlines.translate(layer, 0, bottom - layer.boundingBox()[1])


def _centre_at(layer, y):
    _, y0, _, y1 = layer.boundingBox()
    return outlines.translate(layer, 0, y - (y0 + y1) / 2)


def _after(layer, other, gap):
    """`other` moved to start `gap` units right of `layer`'s ink."""
    x1 = layer.boundingBox()[2]
    ox0 = other.boundingBox()[0]
    return outlines.translate(other, x1 + gap - ox0, 0)


def _finish(layer):
    layer.correctDirection()
    return with_bearings(layer, SIDE, SIDE)


# ---- words and dynamics -----------------------------------------------------

def text(s, style):
    src = SERIF[style]
    layer = outlines.new_layer()
    x = 0.0
    for ch in s:
        if ch == " ":
            x += 260 * TEXT_SCALE
            continue
        gid = "u%04X" % ord(ch)
        layer += outlines.translate(outlines.scale(src.layer(gid), TEXT_SCALE), x, 0)
        x += src.advance(gid) * TEXT_SCALE
    return layer


DYNAMIC_LETTERS = {"p": "u1D18F", "m": "u1D190", "f": "u1D191", "r": "u1D18C",
                   "s": "u1D18D", "z": "u1D18E"}


def dynamic(letters):
    layer = outlines.new_layer()
    x = 0.0
    for ch in letters:
        gid = DYNAMIC_LETTERS[ch]
        layer += outlines.translate(MUSIC.layer(gid), x, -DYNAMIC_BASELINE)
        x += MUSIC.advance(gid) + DYNAMIC_TRACK
    return layer


# ---- drawn ornaments --------------------------------------------------------

def _wave_path(x0, periods, period, amp, y):
    """A smooth wavy line starting at (x0, y) with `periods` full waves."""
    pts = [(x0, y)]
    x = x0
    k = 0.36 * period / 2
    for _ in range(periods):
        for sign in (1, -1):
            x1 = x + period / 2
            pts.append(("c", x + k, y + sign * amp, x1 - k, y + sign * amp, x1, y))
            x = x1
    return outlines.open_path(pts)


def wavy_line(periods=4, period=150, amp=38, y=180):
    return outlines.stroke_nib(_wave_path(0, periods, period, amp, y), 62, 14, 45)


def _zigzag(peaks, width, height, y):
    pts = []
    step = width / (2 * peaks)
    for k in range(2 * peaks + 1):
        pts.append((k * step, y + (height if k % 2 else 0)))
    return outlines.open_path(pts)


def mordent(peaks, stroke):
    """Zigzag of thick rising and thin falling strokes; `stroke` adds the vertical
    line of the lower mordent."""
    width = 150 * peaks + 60
    layer = outlines.stroke_nib(_zigzag(peaks, width, 170, 60), 84, 16, 50)
    if stroke:
        mid = width / 2
        layer = outlines.union(layer, outlines.rect(mid - 14, 0, mid + 14, 320))
    return layer


def arpeggio(arrow):
    """Vertical wavy line three staff spaces long, with an optional arrowhead."""
    path = _wave_path(0, 5, 150, 38, 0)
    line = outlines.stroke_nib(path, 62, 14, 45)
    # Turn it upright: x along the wave becomes y.
    line = outlines.transformed(line, (0, 1, 1, 0, 0, 0))
    line.correctDirection()
    if arrow:
        x0, y0, x1, y1 = line.boundingBox()
        cx = (x0 + x1) / 2
        head = outlines.polygon([(cx - 85, y1 - 20), (cx, y1 + 130), (cx + 85, y1 - 20)])
        line = outlines.union(line, head)
        if arrow == "down":
            line = outlines.mirror_y(line, (y0 + y1 + 110) / 2)
    return _sit(line, 0)


def hairpin(opening):
    layer = _noto("u1D192" if opening else "u1D193", 1.0)
    return _sit(layer, 40)


# ---- articulations ----------------------------------------------------------

def _dot_at(cx, cy, r=DOT_R):
    return outlines.ellipse(cx, cy, r, r)


def articulation(kind):
    accent = accent_wedge(350, 190, 42)
    tenuto = _noto("u1D17D", 1.0)
    if kind == "accent":
        return _sit(accent, 60)
    if kind == "marcato":
        return _sit(_noto("u1D17F", 1.0), 60)
    if kind == "marcato below":
        m = _noto("u1D17F", 1.0)
        return _sit(outlines.mirror_y(m, 0), 60)
    if kind == "tenuto":
        return _sit(tenuto, 150)
    if kind == "staccato":
        return _dot_at(0, 150)
    if kind == "staccatissimo":
        return _sit(_noto("u1D17E", 1.0), 60)
    x0, _, x1, _ = tenuto.boundingBox()
    if kind == "portato":
        t = _sit(tenuto, 230)
        return outlines.combine(t, _dot_at((x0 + x1) / 2, 100))
    if kind == "accent staccato":
        a = _sit(accent, 200)
        ax0, _, ax1, _ = a.boundingBox()
        return outlines.combine(a, _dot_at((ax0 + ax1) / 2, 100))
    if kind == "tenuto accent":
        a = _sit(accent, 170)
        ax0, _, ax1, _ = a.boundingBox()
        t = _sit(tenuto, 60)
        tx0, _, tx1, _ = t.boundingBox()
        t = outlines.translate(t, (ax0 + ax1) / 2 - (tx0 + tx1) / 2, 0)
        return outlines.combine(a, t)
    raise ValueError(kind)


# ---- small notes (tempo marks, note values) ---------------------------------

NOTES = {"32nd": "u1D162", "16th": "u1D161", "eighth": "u1D160", "quarter": "u1D15F",
         "half": "u1D15E", "whole": "u1D15D"}
NOTE_HEAD_MID = 70  # height of a small note head's middle above the baseline


def small_note(value, dotted=False):
    layer = _sit(_noto(NOTES[value], NOTE_SCALE), 0)
    if dotted:
        # The dot follows the head, clear of the stem and under any flag.
        x_head_right = 175 if value in ("32nd", "16th", "eighth", "quarter", "half") else 232
        layer = outlines.combine(layer, _dot_at(x_head_right + 45 + DOT_R, NOTE_HEAD_MID))
    return layer


def tempo_dot():
    """Augmentation dot typed after 227: its ink starts at the glyph's left edge."""
    return _dot_at(DOT_R, NOTE_HEAD_MID)


def beamed_notes(count, triplet):
    quarter = _sit(_noto("u1D15F", NOTE_SCALE), 0)
    x0, _, x1, y1 = quarter.boundingBox()
    spacing = 190
    layer = outlines.new_layer()
    for k in range(count):
        layer += outlines.translate(quarter, k * spacing, 0)
    stem_right = x1
    beam = outlines.polygon([(stem_right - 20, y1), (stem_right + (count - 1) * spacing, y1),
                             (stem_right + (count - 1) * spacing, y1 - 60),
                             (stem_right - 20, y1 - 60)])
    layer = outlines.union(layer, beam)
    if triplet:
        three = text("3", "bolditalic")
        tx0, _, tx1, _ = three.boundingBox()
        mid = (x0 + stem_right + (count - 1) * spacing) / 2
        layer += outlines.translate(three, mid - (tx0 + tx1) / 2, y1 + 15)
    return layer


def grace(slash):
    return _sit(_noto("u1D194" if slash else "u1D195", 0.8), 0)


# ---- signs --------------------------------------------------------------------

ACCIDENTAL_NOTE_Y = {"u266F": 180.5, "u266D": 112.5, "u266E": 102.0, "u1D12A": 131.0,
                     "u1D12B": 117.5}


def accidental(gid):
    s = 0.6
    layer = _noto(gid, s)
    return outlines.translate(layer, 0, 180 - ACCIDENTAL_NOTE_Y[gid] * s)


def small_clef(treble):
    s = 0.35
    if treble:
        return outlines.translate(_noto("u1D11E", s), 0, 120 - 256 * s)
    return outlines.translate(_noto("u1D122", s), 0, 250 - 644.5 * s)


def to_coda():
    words = text("To Coda", "bolditalic")
    sign = _sit(_noto("u1D10C", 0.6), 0)
    return outlines.combine(words, _after(words, sign, 70))


def trill_with_line():
    tr = outlines.translate(MUSIC.layer("u1D196"), 0, -350)
    line = wavy_line(periods=3)
    return outlines.combine(tr, _after(tr, line, 20))


def bar_repeat():
    slash = _sit(_noto("u1D10D", 0.8), 0)
    x0, y0, x1, y1 = slash.boundingBox()
    return outlines.combine(slash, _dot_at(x0 + 70, y1 - 80, 48), _dot_at(x1 - 70, y0 + 80, 48))


def tremolo(gid):
    return _centre_at(_noto(gid, 1.0), 200)


def builders():
    """code -> builder for every symbol code."""
    b = {}
    for code, letters in symbol_table.DYNAMICS.items():
        b[code] = (lambda letters=letters: dynamic(letters))
    for code, (s, style) in symbol_table.TEXTS.items():
        b[code] = (lambda s=s, style=style: text(s, style))
    b.update({
        81: lambda: _sit(_noto("u1D110"), 0),
        82: lambda: _sit(_noto("u1D111"), 0),
        83: lambda: _sit(_noto("u1D112"), 180),
        84: lambda: _sit(_noto("u1D113", 0.8), 0),
        85: lambda: _sit(_noto("u1D10B", 0.9), 0),
        86: lambda: _sit(_noto("u1D10C", 1.1), 0),
        94: to_coda,
        95: lambda: _sit(_noto("u1D1AE", 0.9), 0),
        96: lambda: _sit(_noto("u1D1AF", 0.9), 0),
        177: lambda: _sit(_noto("u1D1B0", 0.9), 0),
        99: lambda: outlines.translate(MUSIC.layer("u1D196"), 0, -350),
        100: trill_with_line,
        101: wavy_line,
        102: lambda: _sit(_noto("u1D197", 1.0), 60),
        103: lambda: _sit(_noto("u1D198", 1.0), 60),
        104: lambda: mordent(2, False),
        105: lambda: mordent(2, True),
        106: lambda: mordent(3, False),
        107: lambda: arpeggio(None),
        108: lambda: arpeggio("up"),
        109: lambda: arpeggio("down"),
        110: lambda: _sit(_noto("u1D136", 0.9), 0),
        111: lambda: _sit(_noto("u1D137", 0.9), 0),
        112: lambda: _sit(_noto("u1D138", 0.9), 0),
        113: lambda: _sit(_noto("u1D139", 0.9), 0),
        115: lambda: articulation("accent"),
        116: lambda: articulation("marcato"),
        117: lambda: articulation("marcato below"),
        118: lambda: articulation("tenuto"),
        119: lambda: articulation("staccato"),
        120: lambda: articulation("staccatissimo"),
        121: lambda: articulation("portato"),
        122: lambda: articulation("accent staccato"),
        191: lambda: articulation("tenuto accent"),
        225: lambda: small_note("32nd"),
        224: lambda: small_note("16th"),
        226: lambda: small_note("eighth"),
        228: lambda: small_note("eighth", dotted=True),
        227: lambda: small_note("quarter"),
        229: lambda: small_note("quarter", dotted=True),
        231: lambda: small_note("half"),
        233: lambda: small_note("half", dotted=True),
        232: lambda: small_note("whole"),
        234: lambda: beamed_notes(2, False),
        235: lambda: beamed_notes(3, True),
        237: lambda: accidental("u266F"),
        236: lambda: accidental("u266D"),
        238: lambda: accidental("u266E"),
        239: lambda: accidental("u1D12A"),
        241: lambda: accidental("u1D12B"),
        243: lambda: small_clef(True),
        242: lambda: small_clef(False),
        244: lambda: _sit(_noto("u1D134", 0.7), 0),
        246: lambda: _sit(_noto("u1D135", 0.7), -60),
        245: lambda: text("3", "bolditalic"),
        250: lambda: tremolo("u1D167"),
        249: lambda: tremolo("u1D168"),
        251: lambda: tremolo("u1D169"),
        252: bar_repeat,
        180: tempo_dot,
        198: lambda: grace(True),
        216: lambda: grace(False),
        193: lambda: hairpin(True),
        203: lambda: hairpin(False),
    })
    return b


def build(code):
    layer = builders()[code]()
    if code == 180:
        # Keep the dot against the preceding note: no left bearing.
        layer.correctDirection()
        return with_bearings(layer, 0, SIDE)
    return _finish(layer)
