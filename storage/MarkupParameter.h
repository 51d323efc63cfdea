// One attribute of a markup element.
#pragma once

#include <QString>

namespace ks {

// The value is held decoded: no surrounding quotes, entities replaced by their characters.
struct CMarkupParameter {
    QString name;
    QString value;
};

}  // namespace ks
