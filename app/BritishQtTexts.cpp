#include "app/BritishQtTexts.h"

#include <cstring>

namespace ks {

QString BritishQtTexts::translate(const char* context, const char* sourceText, const char*,
                                  int) const {
    if (!context || !sourceText || std::strcmp(context, "QColorDialog") != 0) return {};
    QString spelled = QString::fromUtf8(sourceText);
    spelled.replace(QStringLiteral("olor"), QStringLiteral("olour"));
    return spelled == QLatin1String(sourceText) ? QString() : spelled;
}

}  // namespace ks
