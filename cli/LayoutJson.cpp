#include "LayoutJson.h"

#include <QJsonArray>

#include "render/layout/FullRelayout.h"
#include "render/layout/MusicLine.h"
#include "storage/ScoreReader.h"

namespace ks {

namespace {

QJsonObject pageGeometryToJson(const PageGeometry& g) {
    return QJsonObject{{"width", g.width},
                       {"height", g.height},
                       {"marginLeft", g.marginLeft},
                       {"marginTop", g.marginTop},
                       {"marginRight", g.marginRight},
                       {"marginBottom", g.marginBottom}};
}

QJsonArray barsToJson(const CScore& score) {
    QJsonArray bars;
    for (const CScoreBar& b : score.bars)
        bars.append(barToJson(b));
    return bars;
}

}  // namespace

QJsonObject lineToJson(const CScoreLine& l) {
    return QJsonObject{{"firstBar", l.firstBar},
                       {"barsInLine", l.barsInLine},
                       {"pitchHigh", l.pitchHigh},
                       {"pitchLow", l.pitchLow},
                       {"spaceAbove", l.spaceAbove},
                       {"spaceBelow", l.spaceBelow},
                       {"indentLeft", l.indentLeft},
                       {"indentRight", l.indentRight},
                       {"page", l.page},
                       {"originY", l.originY},
                       {"staveTop", l.staveTop},
                       {"staveBottom", l.staveBottom},
                       {"left", l.left},
                       {"right", l.right},
                       {"barCount", l.barCount},
                       {"x", l.x},
                       {"lpad", l.lpad},
                       {"size", l.size},
                       {"minStaveGap", l.minStaveGap},
                       {"handGap", l.handGap},
                       {"y", l.y},
                       {"yt", l.yt},
                       {"flags", l.flags}};
}

QJsonObject barToJson(const CScoreBar& b) {
    QJsonArray restOffsets;
    for (int32_t v : b.restoffset)
        restOffsets.append(v);
    QJsonArray spacing;
    for (const CSpacing& s : b.spacing)
        spacing.append(QJsonObject{{"tick", s.tick},
                                   {"duration", s.duration},
                                   {"position", s.position},
                                   {"drawnX", s.drawnX}});
    return QJsonObject{{"startTick", b.startTick},
                       {"lengthTicks", b.lengthTicks},
                       {"beamedChords", b.beamedChords},
                       {"pitchHigh", b.pitchHigh},
                       {"pitchLow", b.pitchLow},
                       {"extentHigh", b.extentHigh},
                       {"extentLow", b.extentLow},
                       {"index", b.index},
                       {"line", b.line},
                       {"weightStart", b.weightStart},
                       {"naturalWidth", b.naturalWidth},
                       {"left", b.left},
                       {"right", b.right},
                       {"styleLeft", b.styleLeft},
                       {"styleRight", b.styleRight},
                       {"width", b.width},
                       {"restoffset", restOffsets},
                       {"keyAccidentals", b.keyAccidentals},
                       {"spacing", spacing},
                       {"flags", b.flags}};
}

QJsonObject pageLayoutToJson(const CScore& score, const PageGeometry& page) {
    QJsonArray pages;
    for (const CScorePage& p : score.pages)
        pages.append(QJsonObject{{"firstLine", p.firstLine},
                                 {"lineCount", p.lineCount},
                                 {"reservedBottom", p.reservedBottom}});
    QJsonArray lines;
    for (const CScoreLine& l : score.lines)
        lines.append(lineToJson(l));
    return QJsonObject{{"unit", score.unit},
                       {"page", pageGeometryToJson(page)},
                       {"pages", pages},
                       {"lines", lines},
                       {"bars", barsToJson(score)}};
}

QJsonObject musicLayoutToJson(const CScore& score, const PageGeometry& page,
                              const CScoreLine& musicLine) {
    return QJsonObject{{"unit", score.unit},
                       {"page", pageGeometryToJson(page)},
                       {"line", lineToJson(musicLine)},
                       {"bars", barsToJson(score)}};
}

bool layoutDocumentToJson(const QString& path, bool music, QJsonObject& out, int& messageId) {
    CScore score;
    CPrinterSettings printer;
    const ReadResult result = readAnyScoreFile(path, score, &printer);
    if (!result.ok) {
        messageId = result.messageId;
        return false;
    }
    out = layoutScoreToJson(score, printer, music);
    return true;
}

QJsonObject layoutScoreToJson(CScore& score, const CPrinterSettings& printer, bool music) {
    const PageGeometry page = pageGeometryFor(printer);
    fullRelayout(score, page);
    return laidOutScoreToJson(score, page, music);
}

QJsonObject laidOutScoreToJson(CScore& score, const PageGeometry& page, bool music) {
    if (music) return musicLayoutToJson(score, page, layoutMusicLine(score, page));
    return pageLayoutToJson(score, page);
}

}  // namespace ks
