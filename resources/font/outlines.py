"""Outline helpers for the Keystave font generator.

Shapes are fontforge layers in cubic form, in font units (y up). This module
knows nothing about music: it reads the outline sources kept beside it (SVG
files whose paths are already in font units) and draws the few geometric
primitives the glyph modules combine: ellipses, polygons, rectangles, strokes.
"""

import math
import re
import xml.etree.ElementTree as ET

import fontforge
import psMat

# Bezier handle length for a quarter ellipse. 0.5523 is the circle; a little
# more gives the fuller, slightly squared ovals of engraved note heads.
KAPPA_CIRCLE = 0.5523
KAPPA_HEAD = 0.58


def new_layer():
    layer = fontforge.layer()
    layer.is_quadratic = False
    return layer


def _contour():
    c = fontforge.contour()
    c.is_quadratic = False
    return c


def layer_from_path(d):
    """Builds a layer from SVG path data using absolute M, L, Q, C and Z."""
    tokens = re.findall(r"[MLQCZ]|-?\d+(?:\.\d+)?(?:e-?\d+)?", d)
    layer = new_layer()
    contour = None
    pos = None
    i = 0

    def num():
        nonlocal i
        v = float(tokens[i])
        i += 1
        return v

    while i < len(tokens):
        cmd = tokens[i]
        i += 1
        if cmd == "M":
            if contour is not None and len(contour):
                contour.closed = True
                layer += contour
            contour = _contour()
            pos = (num(), num())
            contour += fontforge.point(pos[0], pos[1], True)
        elif cmd == "L":
            pos = (num(), num())
            contour += fontforge.point(pos[0], pos[1], True)
        elif cmd == "Q":
            # Raise the quadratic to a cubic: exact, control points at 2/3.
            cx, cy, x, y = num(), num(), num(), num()
            p0 = pos
            c1 = (p0[0] + 2.0 / 3.0 * (cx - p0[0]), p0[1] + 2.0 / 3.0 * (cy - p0[1]))
            c2 = (x + 2.0 / 3.0 * (cx - x), y + 2.0 / 3.0 * (cy - y))
            contour += fontforge.point(c1[0], c1[1], False)
            contour += fontforge.point(c2[0], c2[1], False)
            contour += fontforge.point(x, y, True)
            pos = (x, y)
        elif cmd == "C":
            c1x, c1y, c2x, c2y, x, y = num(), num(), num(), num(), num(), num()
            contour += fontforge.point(c1x, c1y, False)
            contour += fontforge.point(c2x, c2y, False)
            contour += fontforge.point(x, y, True)
            pos = (x, y)
        elif cmd == "Z":
            if contour is not None and len(contour):
                # A closing point equal to the start point is dropped.
                first = contour[0]
                last = contour[len(contour) - 1]
                if len(contour) > 1 and last.on_curve and (last.x, last.y) == (first.x, first.y):
                    contour = _drop_last_on_point(contour)
                contour.closed = True
                layer += contour
            contour = None
        else:
            raise ValueError("unsupported path command %r" % cmd)
    if contour is not None and len(contour):
        contour.closed = True
        layer += contour
    return layer


def _drop_last_on_point(contour):
    pts = [contour[k] for k in range(len(contour) - 1)]
    if pts and not pts[-1].on_curve:
        # The closing curve ends on the start point: move it to the front so the
        # contour still reads start, controls..., start.
        rebuilt = _contour()
        for p in pts:
            rebuilt += fontforge.point(p.x, p.y, p.on_curve)
        return rebuilt
    rebuilt = _contour()
    for p in pts:
        rebuilt += fontforge.point(p.x, p.y, p.on_curve)
    return rebuilt


class SourceSet:
    """The glyph outlines of one SVG source file, looked up by id."""

    def __init__(self, path):
        tree = ET.parse(path)
        self.paths = {}
        self.advances = {}
        for el in tree.iter():
            if el.tag.endswith("path") and el.get("id"):
                self.paths[el.get("id")] = el.get("d")
                self.advances[el.get("id")] = float(el.get("data-advance", "0"))

    def layer(self, gid):
        return layer_from_path(self.paths[gid])

    def advance(self, gid):
        return self.advances[gid]


def transformed(layer, matrix):
    out = layer.dup()
    out.transform(matrix)
    return out


def translate(layer, dx, dy):
    return transformed(layer, psMat.translate(dx, dy))


def scale(layer, sx, sy=None):
    return transformed(layer, psMat.scale(sx, sx if sy is None else sy))


def mirror_y(layer, axis_y):
    """Mirror top to bottom about the horizontal line y = axis_y."""
    m = psMat.compose(psMat.translate(0, -axis_y), psMat.scale(1, -1))
    m = psMat.compose(m, psMat.translate(0, axis_y))
    out = transformed(layer, m)
    out.correctDirection()
    return out


def mirror_x(layer, axis_x):
    m = psMat.compose(psMat.translate(-axis_x, 0), psMat.scale(-1, 1))
    m = psMat.compose(m, psMat.translate(axis_x, 0))
    out = transformed(layer, m)
    out.correctDirection()
    return out


def bbox(layer):
    return layer.boundingBox()


def combine(*layers):
    out = new_layer()
    for la in layers:
        out += la
    return out


def union(*layers):
    """The area covered by any of the layers. Work in font-sized units: fontforge's
    overlap removal rounds to a fine grid and loses detail a unit or two across."""
    parts = []
    for la in layers:
        part = la.dup()
        part.correctDirection()
        parts.append(part)
    out = combine(*parts)
    out.removeOverlap()
    return out


def difference(layer, cut):
    """The area of `layer` outside `cut`. (fontforge's exclude() keeps the area of its
    argument outside the layer it is called on, hence the swap.)"""
    a = layer.dup()
    b = cut.dup()
    a.correctDirection()
    b.correctDirection()
    b.exclude(a)
    b.correctDirection()
    return b


def ellipse(cx, cy, rx, ry, angle_deg=0.0, kappa=KAPPA_CIRCLE):
    """An ellipse with semi-axes rx, ry turned counter-clockwise by angle_deg."""
    k = kappa
    pts = [
        (rx, 0), (rx, k * ry), (k * rx, ry), (0, ry),
        (-k * rx, ry), (-rx, k * ry), (-rx, 0),
        (-rx, -k * ry), (-k * rx, -ry), (0, -ry),
        (k * rx, -ry), (rx, -k * ry),
    ]
    a = math.radians(angle_deg)
    ca, sa = math.cos(a), math.sin(a)
    c = _contour()
    for idx, (x, y) in enumerate(pts):
        X = cx + x * ca - y * sa
        Y = cy + x * sa + y * ca
        c += fontforge.point(X, Y, idx % 3 == 0)
    c.closed = True
    layer = new_layer()
    layer += c
    return layer


def ellipse_for_box(half_width, half_height, angle_deg):
    """Semi-axes (rx, ry) of an ellipse turned by angle_deg whose bounding box
    has the given half width and half height."""
    a = math.radians(angle_deg)
    c2, s2 = math.cos(a) ** 2, math.sin(a) ** 2
    det = c2 * c2 - s2 * s2
    if abs(det) < 1e-9:
        raise ValueError("angle too close to 45 degrees")
    rx2 = (half_width ** 2 * c2 - half_height ** 2 * s2) / det
    ry2 = (half_height ** 2 * c2 - half_width ** 2 * s2) / det
    return math.sqrt(rx2), math.sqrt(ry2)


def polygon(points):
    c = _contour()
    for x, y in points:
        c += fontforge.point(x, y, True)
    c.closed = True
    layer = new_layer()
    layer += c
    return layer


def rect(x0, y0, x1, y1):
    return polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


def open_path(points):
    """An open polyline or smooth path: points are (x, y) on-curve points or
    ('c', x1, y1, x2, y2, x, y) cubic segments."""
    c = _contour()
    for p in points:
        if p[0] == "c":
            c += fontforge.point(p[1], p[2], False)
            c += fontforge.point(p[3], p[4], False)
            c += fontforge.point(p[5], p[6], True)
        else:
            c += fontforge.point(p[0], p[1], True)
    c.closed = False
    layer = new_layer()
    layer += c
    return layer


def stroke_round(path_layer, width):
    out = path_layer.dup()
    out.stroke("circular", width, "round", "round")
    out.removeOverlap()
    return out


def stroke_nib(path_layer, width, height, angle_deg):
    """Strokes with a flat calligraphic nib, giving engraved thick and thin parts."""
    out = path_layer.dup()
    out.stroke("calligraphic", width, height, math.radians(angle_deg))
    out.removeOverlap()
    return out
