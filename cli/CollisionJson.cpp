#include "CollisionJson.h"

#include <QJsonArray>

#include "render/audit/PageAudit.h"

namespace ks {

namespace {

QJsonObject boxToJson(const DrawnBox& b) {
    return {{QStringLiteral("kind"), b.kind},
            {QStringLiteral("text"), b.text},
            {QStringLiteral("element"), b.path.join(u'/')},
            {QStringLiteral("box"),
             QJsonArray{b.box.left(), b.box.top(), b.box.width(), b.box.height()}}};
}

}  // namespace

QJsonObject collisionsToJson(const CScore& score, const PageGeometry& page) {
    QJsonArray pages;
    QMap<QString, int> counts;
    int total = 0;
    for (int p = 0; p < static_cast<int>(score.pages.size()); ++p) {
        const std::vector<Collision> found = auditPage(score, page, p);
        QJsonArray list;
        for (const Collision& c : found)
            list.append(QJsonObject{{QStringLiteral("first"), boxToJson(c.first)},
                                    {QStringLiteral("second"), boxToJson(c.second)}});
        for (auto [kind, n] : countByPairKind(found).asKeyValueRange())
            counts[kind] += n;
        total += static_cast<int>(found.size());
        pages.append(QJsonObject{{QStringLiteral("page"), p + 1},
                                 {QStringLiteral("collisions"), list}});
    }
    QJsonObject countJson;
    for (auto [kind, n] : counts.asKeyValueRange())
        countJson.insert(kind, n);
    return {{QStringLiteral("pages"), pages},
            {QStringLiteral("counts"), countJson},
            {QStringLiteral("total"), total}};
}

}  // namespace ks
