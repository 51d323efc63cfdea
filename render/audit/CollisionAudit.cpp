#include "CollisionAudit.h"

#include <algorithm>
#include <numeric>

namespace ks {

namespace {

// Elements that only group others: sharing one of them does not make two marks one.
bool isContainer(const QString& element) {
    return element.startsWith(QStringLiteral("line ")) ||
           element.startsWith(QStringLiteral("part "));
}

bool sameElement(const DrawnBox& a, const DrawnBox& b) {
    const qsizetype n = std::min(a.path.size(), b.path.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a.path[i] != b.path[i]) return false;
        if (!isContainer(a.path[i])) return true;
    }
    return false;
}

QString partOf(const DrawnBox& b) {
    for (const QString& e : b.path)
        if (e.startsWith(QStringLiteral("part "))) return e;
    return {};
}

bool either(const QString& x, const QString& y, const char16_t* k1, const char16_t* k2) {
    return (x == k1 && y == k2) || (x == k2 && y == k1);
}

bool isNoteBody(const QString& k) {
    return k == u"notehead" || k == u"stem" || k == u"beam";
}

QRect widened(const DrawnBox& b) {
    return b.kind == u"lyric" ? b.box.adjusted(-kLyricGap / 2, 0, kLyricGap - kLyricGap / 2, 0)
                              : b.box;
}

}  // namespace

QString Collision::pairKind() const {
    const QString& a = first.kind;
    const QString& b = second.kind;
    return a <= b ? a + u'/' + b : b + u'/' + a;
}

bool mayOverlap(const DrawnBox& a, const DrawnBox& b) {
    if (sameElement(a, b)) return true;
    const QString& x = a.kind;
    const QString& y = b.kind;
    if (either(x, y, u"stem", u"beam")) return true;
    if (x == u"barline" || y == u"barline") {
        const QString& other = x == u"barline" ? y : x;
        if (other == u"repeatdots" || other == u"volta" || other == u"barnumber" ||
            other == u"barline" || other == u"wedge")
            return true;
    }
    if (isNoteBody(x) && isNoteBody(y) && partOf(a) != partOf(b)) return true;
    return false;
}

std::vector<Collision> findCollisions(const std::vector<DrawnBox>& boxes) {
    // A sweep from left to right: only boxes whose spans meet are compared.
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::vector<QRect> wide(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i)
        wide[i] = widened(boxes[i]);
    std::sort(order.begin(), order.end(),
              [&](size_t l, size_t r) { return wide[l].left() < wide[r].left(); });
    std::vector<Collision> out;
    for (size_t i = 0; i < order.size(); ++i) {
        const size_t a = order[i];
        for (size_t j = i + 1; j < order.size() && wide[order[j]].left() <= wide[a].right(); ++j) {
            const size_t b = order[j];
            const bool lyrics = boxes[a].kind == u"lyric" && boxes[b].kind == u"lyric";
            const bool meet = lyrics ? wide[a].intersects(wide[b])
                                     : boxes[a].box.intersects(boxes[b].box);
            if (meet && !mayOverlap(boxes[a], boxes[b])) out.push_back({boxes[a], boxes[b]});
        }
    }
    return out;
}

QMap<QString, int> countByPairKind(const std::vector<Collision>& collisions) {
    QMap<QString, int> counts;
    for (const Collision& c : collisions)
        ++counts[c.pairKind()];
    return counts;
}

}  // namespace ks
