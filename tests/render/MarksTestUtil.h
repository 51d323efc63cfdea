// Scores drawn onto a recording surface, for the tests of marks and text drawing.
#pragma once

#include <vector>

#include "LayoutTestUtil.h"
#include "render/layout/FullRelayout.h"
#include "render/draw/DrawContext.h"
#include "render/surface/RecordingSurface.h"

namespace ks::test {

// plainScore with the music font's size matching its unit of 10 (fontsize x 0.5555),
// so that pens and glyphs have their true proportions to the stave. Tempo marks are
// hidden.
inline CScore marksScore(int bars, std::initializer_list<TestNote> notes = {}) {
    CScore s = plainScore(bars, notes);
    s.prefs.fontsize = 18;
    s.prefs.showtempo = false;  // the reset's tempo mark stays out of the way
    return s;
}

// A laid-out score with a recording surface and a view, ready to be drawn.
struct MarksFixture {
    explicit MarksFixture(CScore s, CSurface::Kind kind = CSurface::Kind::Export)
        : score(std::move(s)), surface(kind) {
        fullRelayout(score, page);
    }

    // A fresh context on the fixture's surface (the recording is kept).
    CDrawContext context() const { return CDrawContext(surface, score, view, page); }

    std::vector<DrawnItem> texts(const QString& text) const { return surface.texts(text); }
    std::vector<DrawnItem> inElement(const QString& element) const {
        std::vector<DrawnItem> out;
        for (const DrawnItem& i : surface.items())
            if (i.element == element) out.push_back(i);
        return out;
    }

    CScore score;
    PageGeometry page = a4Page();
    mutable RecordingSurface surface;
    CViewState view;
};

inline CEvent event(int32_t type, int32_t time, int32_t key = 60, QString text = {},
                    std::initializer_list<int32_t> data = {}) {
    CEvent e;
    e.type = type;
    e.time = time;
    e.setKey(key);
    e.text = std::move(text);
    int i = 0;
    for (int32_t d : data)
        e.data[i++] = d;
    return e;
}

// Middle of a drawn text's box.
inline QPoint centreOf(const DrawnItem& item) {
    return item.rect.center();
}

}  // namespace ks::test
