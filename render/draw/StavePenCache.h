// The pen of the stave lines, kept between lines: it is made again only when the
// colour, the dash or the thickness asked for changes, so runs of lines of one kind
// share one pen.
#pragma once

#include <QColor>

#include "render/surface/SurfaceTypes.h"

namespace ks {

struct StavePenCache {
    bool valid = false;
    QColor colour;
    bool dashed = false;
    bool thick = false;
    Pen pen;
    int created = 0;  // pens made so far (the cache's misses)

    // The cached pen for (colour, dashed, thick), made with `make` when it differs.
    template <class Make>
    const Pen& get(const QColor& c, bool d, bool t, Make make) {
        if (!valid || c != colour || d != dashed || t != thick) {
            pen = make();
            colour = c;
            dashed = d;
            thick = t;
            valid = true;
            ++created;
        }
        return pen;
    }
};

}  // namespace ks
