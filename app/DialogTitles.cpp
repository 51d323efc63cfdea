#include "app/DialogTitles.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace ks {

namespace {

// The window's icon and its minimise, maximise and close buttons.
constexpr int kFrameButtons = 150;
// Title fonts are often larger and bolder than the dialog's own.
constexpr double kTitleFontScale = 1.25;
const char* const kFitted = "ks-title-fitted";

}  // namespace

int widthForTitle(const QDialog& dialog) {
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int titleWidth = metrics.horizontalAdvance(dialog.windowTitle());
    return static_cast<int>(titleWidth * kTitleFontScale) + kFrameButtons;
}

void fitTitle(QDialog& dialog) {
    const int wanted = widthForTitle(dialog);
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        // A message box sizes itself from its layout: a spacer row gives it the width.
        auto* grid = qobject_cast<QGridLayout*>(box->layout());
        if (!grid || box->property(kFitted).toBool()) return;
        box->setProperty(kFitted, true);
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
        return;
    }
    if (dialog.minimumWidth() < wanted) dialog.setMinimumWidth(wanted);
}

bool DialogTitleFitter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
            fitTitle(*dialog);
    return QObject::eventFilter(watched, event);
}

}  // namespace ks
