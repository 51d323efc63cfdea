#include "storage/DocumentPrompts.h"

#include "model/TextTable.h"

namespace ks {

QString promptText(int textId, const std::vector<TextArg>& a) {
    const QString& format = text(textId);
    switch (a.size()) {
        case 0:
            return formatText(format, {});
        case 1:
            return formatText(format, {a[0]});
        case 2:
            return formatText(format, {a[0], a[1]});
        default:
            return formatText(format, {a[0], a[1], a[2]});
    }
}

}  // namespace ks
