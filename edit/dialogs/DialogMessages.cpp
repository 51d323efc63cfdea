#include "DialogMessages.h"

#include <QMessageBox>

#include "model/TextTable.h"

namespace ks {

DialogMessage defaultDialogMessage() {
    return
        [](QWidget* parent, int textId) { QMessageBox::warning(parent, QString(), text(textId)); };
}

}  // namespace ks
