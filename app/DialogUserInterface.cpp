#include "app/DialogUserInterface.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AppTextIds.h"
#include "app/DialogTitles.h"
#include "app/MidiFileDialogs.h"
#include "app/OpenFilter.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"

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

namespace {

// A message box whose title is never cut short.
QMessageBox::StandardButton runMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& title, const QString& message,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, message, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    fitTitle(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// Browsers a desktop without a registered default may still have.
const char* const kBrowsers[] = {"x-www-browser",    "firefox",       "firefox-esr", "chromium",
                                 "chromium-browser", "google-chrome", "epiphany",    "konqueror",
                                 "falkon",           "www-browser"};

}  // namespace

bool DialogUserInterface::askYesNo(int textId, const std::vector<TextArg>& args) {
    return runMessageBox(parent_, QMessageBox::Question, text(StringId::ApplicationTitle),
                         promptText(textId, args), QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::Yes) == QMessageBox::Yes;
}

SaveAnswer DialogUserInterface::askSaveChanges(const QString& title) {
    const QMessageBox::StandardButton answer =
        runMessageBox(parent_, QMessageBox::Question, text(StringId::ApplicationTitle),
                      formatText(text(StringId::SaveChangesQuestion), {title}),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return SaveAnswer::Save;
    if (answer == QMessageBox::No) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

void DialogUserInterface::showMessage(int textId, const std::vector<TextArg>& args) {
    runMessageBox(parent_, QMessageBox::Information, text(StringId::ApplicationTitle),
                  promptText(textId, args), QMessageBox::Ok, QMessageBox::Ok);
}

void DialogUserInterface::showError(const QString& title, const QString& message) {
    runMessageBox(parent_, QMessageBox::Warning, title, message, QMessageBox::Ok, QMessageBox::Ok);
}

void DialogUserInterface::showStatus(const QString& message) {
    if (statusSink) statusSink(message);
}

QString DialogUserInterface::chooseSavePath(const QString& proposed) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(qtNameFilters(text(StringId::KeystavesFileFilter)));
    dialog.setDefaultSuffix(QStringLiteral("ksv"));
    // The file written is the ".ksv" of the name chosen: that one is asked about below,
    // not a MIDI file of the same name that stays as it is.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = dialog.selectedFiles().front();
        const QString target = CKeystaveDoc::savedName(chosen);
        if (!QFileInfo::exists(target) ||
            askYesNo(StringId::ReplaceFileQuestion, {QFileInfo(target).fileName()}))
            return chosen;
    }
    return {};
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

bool DialogUserInterface::hasWebBrowser() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    for (const char* name : kBrowsers)
        if (!QStandardPaths::findExecutable(QLatin1String(name)).isEmpty()) return true;
    // A browser the desktop knows as the handler of web addresses.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()) return false;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/https")});
    if (!query.waitForFinished(2000)) {
        query.kill();
        query.waitForFinished(500);
        return false;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
#else
    return true;
#endif
}

bool DialogUserInterface::openWebPage(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && hasWebBrowser() && QDesktopServices::openUrl(url);
}

QString DialogUserInterface::chooseExportPath(const QString& proposed, const QString& filter,
                                              const QString& defaultExtension) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QList<FilterEntry> entries = parseFilterText(filter);
    const QStringList names = qtNameFilters(filter);
    dialog.setNameFilters(names);
    dialog.setDefaultSuffix(defaultExtension);
    // A name typed without an extension gets the one of the filter chosen (".mxl" when
    // the compressed form is chosen), not always the first filter's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& name) {
        const qsizetype i = names.indexOf(name);
        if (i < 0 || i >= entries.size()) return;
        const QString suffix = entries[i].suffix();
        dialog.setDefaultSuffix(suffix.isEmpty() ? defaultExtension : suffix);
    });
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
