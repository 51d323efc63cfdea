#include "app/DialogUserInterface.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AppTextIds.h"
#include "app/MidiFileDialogs.h"
#include "app/OpenFilter.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

namespace ks {

QStringList qtNameFilters(const QString& filter) {
    QStringList filters;
    for (const FilterEntry& entry : parseFilterText(filter)) {
        // The description already names the patterns; Qt reads the ones in brackets.
        QString description = entry.description;
        const qsizetype bracket = description.indexOf(u'(');
        if (bracket > 0) description = description.left(bracket).trimmed();
        filters.append(description + QStringLiteral(" (") + entry.patterns.join(u' ') + u')');
    }
    return filters;
}

bool DialogUserInterface::askYesNo(int textId, const std::vector<TextArg>& args) {
    const QMessageBox::StandardButton answer =
        QMessageBox::question(parent_, text(StringId::ApplicationTitle), promptText(textId, args),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

SaveAnswer DialogUserInterface::askSaveChanges(const QString& title) {
    const QMessageBox::StandardButton answer = QMessageBox::question(
        parent_, text(StringId::ApplicationTitle),
        formatText(text(StringId::SaveChangesQuestion), {title}),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return SaveAnswer::Save;
    if (answer == QMessageBox::No) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

void DialogUserInterface::showMessage(int textId, const std::vector<TextArg>& args) {
    QMessageBox::information(parent_, text(StringId::ApplicationTitle), promptText(textId, args));
}

void DialogUserInterface::showError(const QString& title, const QString& message) {
    QMessageBox::warning(parent_, title, message);
}

void DialogUserInterface::showStatus(const QString& message) {
    if (statusSink) statusSink(message);
}

QString DialogUserInterface::chooseSavePath(const QString& currentPath) {
    const QString filter = text(StringId::KeystavesFileFilter);
    return QFileDialog::getSaveFileName(parent_, QString(), currentPath,
                                        qtNameFilters(filter).join(QStringLiteral(";;")));
}

std::optional<OpenFileAnswer> DialogUserInterface::chooseOpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(parent_, request.title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return OpenFileAnswer{dialog.selectedFiles().front(),
                          static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

std::optional<QColor> DialogUserInterface::chooseColour(const QColor& initial,
                                                        const QString& title) {
    const QColor chosen = QColorDialog::getColor(initial, parent_, title);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

void DialogUserInterface::openExternal(const QString& urlOrPath) {
    const QUrl url = QFileInfo::exists(urlOrPath) ? QUrl::fromLocalFile(urlOrPath)
                                                  : QUrl(urlOrPath, QUrl::StrictMode);
    if (url.isValid()) QDesktopServices::openUrl(url);
}

QString DialogUserInterface::chooseExportPath(const QString& proposed, const QString& filter,
                                              const QString& defaultExtension) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(qtNameFilters(filter));
    dialog.setDefaultSuffix(defaultExtension);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

std::optional<MidiImportOptions> DialogUserInterface::chooseMidiImportOptions(
    const MidiImportOptions& current) {
    CMidiFileDlg dialog(current, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.options();
}

bool DialogUserInterface::askForFeedback() {
    QDialog dialog(parent_);
    dialog.setWindowTitle(text(StringId::FeedbackTitle));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(text(StringId::FeedbackText1)));
    layout->addWidget(new QLabel(text(StringId::FeedbackText2)));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(text(StringId::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(StringId::NoThanks), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace ks
