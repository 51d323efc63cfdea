#include "app/CustomColoursDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTextIds.h"
#include "app/UserInterface.h"
#include "model/TextTable.h"
#include "storage/AppPaths.h"

namespace ks {

namespace {

// The colour file is a dozen short lines; a larger file is not shown.
constexpr qint64 kMaxColourFile = 64 * 1024;

// A palette written as the colour file holds it, which parseColourText reads back.
QString colourFileText(const Palette& palette) {
    QString text = QStringLiteral("[KSV]\n");
    for (const QColor& c : palette)
        text += QStringLiteral("%1, %2, %3\n").arg(c.red()).arg(c.green()).arg(c.blue());
    return text + QStringLiteral("[/KSV]\n");
}

}  // namespace

CCustomColoursDialog::CCustomColoursDialog(IUserInterface& ui, QString workingFolder,
                                           QString programFolder, std::function<void()> redraw,
                                           QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      workingFolder_(std::move(workingFolder)),
      programFolder_(std::move(programFolder)),
      redraw_(std::move(redraw)),
      before_(activePalette()),
      wasBuiltIn_(activePalette() == builtInPalette()) {
    setWindowTitle(text(StringId::CustomColoursTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(StringId::ColoursHelp1) + u'\n' +
                                 text(StringId::ColoursHelp2) + u'\n' +
                                 text(StringId::ColoursHelp3)));
    auto* format = new QLabel(text(StringId::ColourFileFormat), this);
    format->setWordWrap(true);
    layout->addWidget(format);
    note_ = new QLabel(text(StringId::BuiltInColoursShown), this);
    note_->setWordWrap(true);
    note_->setVisible(false);
    layout->addWidget(note_);
    edit_ = new QPlainTextEdit(this);
    edit_->setMinimumSize(260, 260);
    layout->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* previewButton =
        buttons->addButton(text(StringId::Preview), QDialogButtonBox::ApplyRole);
    QPushButton* saveButton =
        buttons->addButton(text(StringId::SaveAndClose), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(StringId::Cancel), QDialogButtonBox::RejectRole);
    connect(previewButton, &QPushButton::clicked, this, &CCustomColoursDialog::preview);
    connect(saveButton, &QPushButton::clicked, this, &CCustomColoursDialog::saveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCustomColoursDialog::reject);
    layout->addWidget(buttons);

    QFile file(pathIn(workingFolder_, QStringLiteral("colours.txt")));
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxColourFile) {
        edit_->setPlainText(QString::fromLatin1(file.read(kMaxColourFile)));
    } else {
        // Without a colours file yet the box starts from the colours in use (the
        // built-in ones), written as the file would hold them, ready to be changed.
        edit_->setPlainText(colourFileText(activePalette()));
        note_->setVisible(true);
    }
}

void CCustomColoursDialog::preview() {
    if (ApplyColourText(edit_->toPlainText()) && redraw_) redraw_();
}

void CCustomColoursDialog::saveAndClose() {
    QFile file(pathIn(workingFolder_, QStringLiteral("colours.txt")));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(edit_->toPlainText().toLatin1());
        file.close();
    }
    LoadColourFile(workingFolder_, programFolder_);
    if (redraw_) redraw_();
    QDialog::accept();
}

void CCustomColoursDialog::reject() {
    if (wasBuiltIn_)
        resetActivePalette();
    else
        setActivePalette(before_);
    if (redraw_) redraw_();
    QDialog::reject();
}

}  // namespace ks
