#include "app/UploadCommand.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "app/AppSettings.h"
#include "app/DocumentLayout.h"
#include "app/OnlineTextIds.h"
#include "app/UploadWaitDialog.h"
#include "app/UserInterface.h"
#include "app/online/LibraryUpload.h"
#include "app/online/UpdateCheck.h"
#include "edit/MidiExportCommand.h"
#include "model/TextTable.h"
#include "render/output/RasterPdfExport.h"
#include "storage/AppPaths.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

constexpr int kUploadDpi = 96;

// The temporary files of one upload, deleted whatever way the upload ends.
struct TemporaryFiles {
    QStringList paths;
    ~TemporaryFiles() {
        for (const QString& path : paths)
            QFile::remove(path);
    }
};

}  // namespace

UploadCommand::UploadCommand(CKeystaveDoc& doc, IUserInterface& ui, std::function<bool()> save)
    : doc_(doc), ui_(ui), save_(std::move(save)) {
    waitForRegistration = [this](const QString& address) {
        CUploadWaitDialog dialog(ui_, address);
        return dialog.exec();
    };
}

void UploadCommand::review() {
    std::unique_ptr<QSettings> settings = programSettings();
    const CScore& score = doc_.score();
    if (!readFlag(*settings, SettingKey::EnableWeb, true) ||
        (score.internetID == 0 && score.filehash.isEmpty())) {
        ui_.showMessage(OnlineText::OnlyUploadedReviewed, {});
        return;
    }
    const QString address = QStringLiteral("%1?fid=%2&hash=%3")
                                .arg(sitePage(*settings, QStringLiteral("page/review")))
                                .arg(score.internetID)
                                .arg(encodeRegistrationText(score.filehash));
    if (!ui_.openWebPage(address)) ui_.showMessage(OnlineText::CannotReachSite, {});
}

bool UploadCommand::upload() {
    std::unique_ptr<QSettings> settings = programSettings();
    const QString base = sitePage(*settings, QString());
    // With web access off nothing is sent: the site counts as out of reach.
    if (!readFlag(*settings, SettingKey::EnableWeb, true) || QUrl(base).host().isEmpty()) {
        ui_.showMessage(OnlineText::CannotReachSite, {});
        return false;
    }
    if (doc_.pathName().isEmpty() || doc_.isModified()) {
        if (!ui_.askYesNo(OnlineText::SaveBeforeUpload, {}) || !save_() ||
            doc_.pathName().isEmpty())
            return false;
    }
    CScore& score = doc_.score();
    if (!isUploadable(score)) {
        ui_.showMessage(OnlineText::NotUploadable, {});
        return false;
    }
    if ((score.internetID != 0 || !score.filehash.isEmpty()) &&
        !ui_.askYesNo(OnlineText::Resubmit, {}))
        return false;

    TemporaryFiles temporary;
    const QString proposed = makeUploadName();
    const QString stem = pathIn(tempFolder(), proposed);
    QString siteName = proposed;
    QString error;
    ui_.showStatus(text(OnlineText::Uploading));

    // The MIDI file and the PDF.
    const QString midi = stem + QLatin1String(".mid");
    temporary.paths << midi;
    if (!exportMidiDocument(score, midi, ui_)) return false;
    std::optional<QString> named = uploadFile(HttpsClient(), base, QStringLiteral("mid"), siteName, midi, &error);
    if (!named) {
        ui_.showMessage(OnlineText::UploadFailed, {error});
        return false;
    }
    siteName = *named;
    const QString pdf = stem + QLatin1String(".pdf");
    temporary.paths << pdf;
    const PdfExportResult pages = ExportPdf(score, documentPage(doc_.printer()), pdf, kUploadDpi,
                                            doc_.title());
    if (!pages.ok) {
        ui_.showMessage(pages.messageId, {});
        return false;
    }
    if (!uploadFile(HttpsClient(), base, QStringLiteral("pdf"), siteName, pdf, &error)) {
        ui_.showMessage(OnlineText::UploadFailed, {error});
        return false;
    }

    // The file hash, kept in the score and saved with it.
    if (score.filehash.isEmpty()) {
        score.filehash = makeFileHash(siteName, QFileInfo(doc_.pathName()).fileName(),
                                      QDateTime::currentSecsSinceEpoch());
        if (!doc_.save(doc_.pathName())) {
            score.filehash.clear();
            ui_.showMessage(OnlineText::UnableToSave, {});
            return false;
        }
    }

    // The score copy: the document as just saved.
    const QString ksv = stem + QLatin1String(".ksv");
    temporary.paths << ksv;
    QFile::remove(ksv);
    if (!QFile::copy(doc_.pathName(), ksv)) {
        ui_.showMessage(OnlineText::UnableToSave, {});
        return false;
    }
    if (!uploadFile(HttpsClient(), base, QStringLiteral("ksv"), siteName, ksv, &error)) {
        ui_.showMessage(OnlineText::UploadFailed, {error});
        return false;
    }

    RegistrationFields fields;
    fields.title = score.title;
    fields.subtitle = score.subtitle;
    fields.artist = score.artist;
    fields.copyright = score.copyright;
    fields.fileName = QFileInfo(doc_.pathName()).fileName();
    fields.uploadName = siteName;
    fields.bars = score.barCount();
    fields.pages = pages.pages;
    fields.lengthSeconds = playingSeconds(score);
    fields.fileSize = QFileInfo(ksv).size();
    fields.hash = score.filehash;
    if (!ui_.openWebPage(registrationAddress(base, fields))) {
        ui_.showMessage(OnlineText::CannotReachSite, {});
        score.filehash.clear();
        return false;
    }

    const QString ask = siteAddress(base, QLatin1String("getfileid?hash=") +
                                              encodeRegistrationText(score.filehash));
    const int ending = waitForRegistration ? waitForRegistration(ask) : CUploadWaitDialog::Failed;
    if (ending != CUploadWaitDialog::Registered) score.filehash.clear();
    ui_.showStatus(text(ending == CUploadWaitDialog::Registered ? OnlineText::UploadComplete
                        : ending == CUploadWaitDialog::Cancelled ? OnlineText::UploadCancelled
                                                                 : OnlineText::ErrorReadingPage));
    return ending == CUploadWaitDialog::Registered;
}

}  // namespace ks
