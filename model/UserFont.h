// CUserFont: a text font as the platform's logical-font record describes it.
#pragma once

#include <QString>
#include <cstdint>

namespace ks {

struct CUserFont {
    QString name = QStringLiteral("Times New Roman");  // face name
    int32_t size = -130;  // logical height; negative = character height
    bool strikeout = false;
    bool underline = false;
    bool italic = false;
    int32_t weight = 400;
    int32_t charset = 1;
    int32_t pitch = 34;  // pitch-and-family byte

    // Equal as find-or-add compares fonts: face names without case, all else exactly.
    bool sameFont(const CUserFont& o) const {
        return name.compare(o.name, Qt::CaseInsensitive) == 0 && size == o.size &&
               strikeout == o.strikeout && underline == o.underline && italic == o.italic &&
               weight == o.weight && charset == o.charset && pitch == o.pitch;
    }
    bool operator==(const CUserFont&) const = default;
};

}  // namespace ks
