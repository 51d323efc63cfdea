// Icons of the toolbar buttons: the platform style's where it has one, else a small
// drawn sign.
#pragma once

#include <QIcon>

class QStyle;

namespace ks {

QIcon toolBarIcon(int command, QStyle* style);

}  // namespace ks
