// The score model as JSON, keyed by the record field names, for `keystaves-cli dump`.
#pragma once

#include <QJsonObject>

#include "model/Score.h"

namespace ks {

QJsonObject scoreToJson(const CScore& score);

}  // namespace ks
