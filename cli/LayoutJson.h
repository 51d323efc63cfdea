// The layout of a score as JSON, keyed by the record field names, for
// `keystaves-cli layout`.
#pragma once

#include <QJsonObject>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks {

QJsonObject lineToJson(const CScoreLine& line);
QJsonObject barToJson(const CScoreBar& bar);

// The page view: unit, page geometry, pages, lines and bars.
QJsonObject pageLayoutToJson(const CScore& score, const PageGeometry& page);
// The Music-mode line and the bars along it.
QJsonObject musicLayoutToJson(const CScore& score, const PageGeometry& page,
                              const CScoreLine& musicLine);

// Reads the document at `path`, lays it out for its own page (or, with `music`, as
// the Music-mode line) and returns the JSON; on failure returns false and the id of
// the message to show.
bool layoutDocumentToJson(const QString& path, bool music, QJsonObject& out, int& messageId);
// Lays out a loaded score for its page (or as the Music-mode line) and returns the JSON.
QJsonObject layoutScoreToJson(CScore& score, const CPrinterSettings& printer, bool music);
// The same for a score already laid out for `page`.
QJsonObject laidOutScoreToJson(CScore& score, const PageGeometry& page, bool music);

}  // namespace ks
