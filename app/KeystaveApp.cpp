#include "app/KeystaveApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>

#include "app/AppTextIds.h"
#include "app/BritishQtTexts.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/CustomColoursDialog.h"
#include "app/DialogTitles.h"
#include "app/DocumentReaders.h"
#include "app/FeedbackTiming.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/OpenFilter.h"
#include "app/SingleInstance.h"
#include "app/SiteCheck.h"
#include "app/SmallDialogs.h"
#include "app/UpdateChecker.h"
#include "app/UserInterface.h"
#include "app/Version.h"
#include "app/finder/FileFinderDialog.h"
#include "app/help/HelpSystem.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "render/ColourScheme.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"

namespace ks {

CKeystaveApp::CKeystaveApp(IUserInterface& ui, AppOptions options)
    : ui_(ui), options_(std::move(options)) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        titleFitter_ = std::make_unique<DialogTitleFitter>();
        QCoreApplication::instance()->installEventFilter(titleFitter_.get());
        qtTexts_ = std::make_unique<BritishQtTexts>();
        QCoreApplication::installTranslator(qtTexts_.get());
    }
}

CKeystaveApp::~CKeystaveApp() {
    shutdown();
}

bool CKeystaveApp::start(const QStringList& arguments) {
    const CommandLine command = parseCommandLine(arguments);
    // 1. One copy per user: a later copy hands its file over and ends.
    instance_ = std::make_unique<SingleInstance>(
        options_.instanceName.isEmpty() ? SingleInstance::defaultName() : options_.instanceName);
    if (instance_->handOver(command.file)) return false;
    instance_->listen();
    connect(instance_.get(), &SingleInstance::fileHandedOver, this, [this](const QString& path) {
        if (!path.isEmpty()) openDocumentFile(path);
        bringForward();
    });

    // 2. Settings and the recent-file list.
    session_ = std::make_unique<StorageSession>();
    recent_.load(*profileSettings());

    // The playback engine and its output device live as long as the program.
    playback_ = std::make_unique<PlaybackControl>(ui_, options_.playback);

    // 3. The main frame, which takes dropped files.
    frame_ = std::make_unique<CMainFrame>(ui_);
    frame_->setApplicationTarget(this);
    frame_->setPlayback(playback_.get());
    ui_.setParentWidget(frame_.get());
    frame_->setRecentFiles(recent_.paths());
    frame_->fileDropped = [this](const QString& path) { openDocumentFile(path); };
    // The help system lives with the frame; start-up and exit reach it through the hooks.
    help_ = new HelpSystem(*frame_);
    frame_->statesUpdated = [this] {
        if (help_) help_->followActiveView();
    };
    if (!hooks.showHelpPane)
        hooks.showHelpPane = [this] {
            if (help_) help_->showPane();
        };
    if (!hooks.showHelpPage)
        hooks.showHelpPage = [this](const QString& page) {
            if (help_) help_->showPage(page);
        };
    if (!hooks.helpPaneShown) hooks.helpPaneShown = [this] { return help_ && help_->paneShown(); };

    // 4. The About box as a splash window while the rest starts.
    if (options_.splash && options_.showWindow) {
        auto* splash = new CAboutDialog(frame_.get());
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->setModal(false);
        splash->show();
        QTimer::singleShot(2500, splash, &QWidget::close);
    }

    // 5. The file on the command line, or a new document. A file that cannot be opened
    // has shown its message; the editor then starts with a new document.
    if (command.file.isEmpty() || !openDocumentFile(command.file)) newDocument();

    // 6. The title with the version.
    frame_->setBaseTitle(formatText(text(StringId::TitleWithVersion),
                                    {text(StringId::ApplicationTitle), int64_t(kVersionMajor),
                                     int64_t(kVersionMinor), int64_t(kVersionBuild)}));

    // 7. The predecessor's settings, once.
    std::unique_ptr<QSettings> settings = programSettings();
    takeOverPredecessorSettings(*predecessorSettings(), *settings);

    // 8. The help pane.
    if (settings->value(QLatin1String(SettingKey::ShowHelp)).toString() == u"true" &&
        hooks.showHelpPane)
        hooks.showHelpPane();

    // 9. The colour scheme.
    LoadColourFile(QDir::currentPath(), QCoreApplication::applicationDirPath());

    // 10. The frame, maximised.
    if (options_.showWindow) {
        // Without a window manager a maximised window keeps its size: give it the screen.
        if (QScreen* screen = frame_->screen()) frame_->setGeometry(screen->availableGeometry());
        frame_->showMaximized();
    }
    frame_->updateCommandStates();

    // 11. The silent version check may hand over to the updater. It asks the site on a
    // worker thread, so start-up goes on at once; an update found closes the editor later.
    if (hooks.silentVersionCheck && hooks.silentVersionCheck()) return false;
    updates_ = std::make_unique<UpdateChecker>(
        ui_, frame_.get(), packVersion(kVersionMajor, kVersionMinor, kVersionBuild));
    updates_->closeEditor = [this] { frame_->close(); };
    if (options_.versionCheckAtStart) updates_->start(false);

    // 12. .. 16.
    firstRun();
    if (hooks.restoreDesktopIcon) hooks.restoreDesktopIcon();
    session_->recoverAtStart(
        ui_, [this](const QString& path) { return openRecovered(path) != nullptr; });
    feedbackPrompt();
    // 16. The MIDI keyboard, when its setting says so.
    playback_->startMidiInput();
    return true;
}

void CKeystaveApp::shutdown() {
    if (shutDown_ || !session_) return;
    shutDown_ = true;
    if (playback_) {
        playback_->stop();
        playback_->stopMidiInput();
    }
    if (hooks.helpPaneShown)
        programSettings()->setValue(
            QLatin1String(SettingKey::ShowHelp),
            hooks.helpPaneShown() ? QStringLiteral("true") : QStringLiteral("false"));
    // Autosave files and their log go; so do this run's backups when the user asked.
    session_->cleanExit();
    recent_.save(*profileSettings());
}

int CKeystaveApp::documentCount() const {
    return frame_ ? static_cast<int>(frame_->children().size()) : 0;
}

CChildFrame* CKeystaveApp::createChild() {
    auto* child = new CChildFrame(*session_, ui_);
    child->setPlayback(playback_.get());
    child->pathChanged = [this](const QString& path) { addRecentFile(path); };
    if (help_) help_->watchView(child->view());
    return child;
}

CChildFrame* CKeystaveApp::newDocument() {
    if (documentCount() >= kMaxDocuments) {
        ui_.showMessage(StringId::TooManyFilesNew, {});
        return nullptr;
    }
    CChildFrame* child = createChild();
    child->newDocument();
    frame_->addChild(child);
    return child;
}

void CKeystaveApp::openWithDialog() {
    if (documentCount() >= kMaxDocuments) {
        ui_.showMessage(StringId::TooManyFilesOpen, {});
        return;
    }
    std::unique_ptr<QSettings> settings = programSettings();
    const QVariant stored = settings->value(QLatin1String(SettingKey::LastFileType));
    const QString filter = openDialogFilter();
    const int allFiles = static_cast<int>(parseFilterText(filter).size());
    const OpenFilterChoice choice = openFilterFor(
        stored.isValid() ? std::optional<QString>(stored.toString()) : std::nullopt, allFiles);
    const std::optional<OpenFileAnswer> answer = ui_.chooseOpenFile(
        {text(StringId::OpenTitle), filter, choice.filterIndex, choice.defaultExtension});
    if (!answer || answer->path.isEmpty()) return;
    if (!openDocumentFile(answer->path)) return;
    settings->setValue(QLatin1String(SettingKey::LastFileType),
                       lastFileTypeAfterOpen(answer->filterIndex, answer->path, allFiles));
}

void CKeystaveApp::importMidiWithDialog() {
    // Not limited by the number of open documents.
    const std::optional<OpenFileAnswer> answer =
        ui_.chooseOpenFile({text(StringId::OpenTitle), text(StringId::MidiFileFilter), 1, {}});
    if (answer && !answer->path.isEmpty()) openDocumentFile(answer->path);
}

void CKeystaveApp::importMusicXmlWithDialog() {
    const std::optional<OpenFileAnswer> answer = ui_.chooseOpenFile(
        {text(StringId::OpenTitle), text(MusicXmlStringId::MusicXmlOpenFilter), 1, {}});
    if (answer && !answer->path.isEmpty()) openDocumentFile(answer->path);
}

CChildFrame* CKeystaveApp::openDocumentFile(const QString& path) {
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (CChildFrame* child : frame_->children()) {
        if (!child->document().pathName().isEmpty() &&
            QDir::cleanPath(QFileInfo(child->document().pathName()).absoluteFilePath()) == full) {
            frame_->mdiArea()->setActiveSubWindow(child);
            return child;
        }
    }
    if (!QFileInfo(full).isFile()) {
        ui_.showMessage(StringId::FileNotFound, {full});
        recent_.remove(full);
        frame_->setRecentFiles(recent_.paths());
        return nullptr;
    }
    CChildFrame* child = createChild();
    if (!child->openDocument(full)) {
        delete child;
        return nullptr;
    }
    frame_->addChild(child);
    addRecentFile(full);
    bringForward();
    return child;
}

CChildFrame* CKeystaveApp::openRecovered(const QString& autosavePath) {
    CChildFrame* child = createChild();
    if (!child->openRecovered(autosavePath)) {
        delete child;
        return nullptr;
    }
    frame_->addChild(child);
    return child;
}

void CKeystaveApp::addRecentFile(const QString& path) {
    recent_.add(path);
    frame_->setRecentFiles(recent_.paths());
    recent_.save(*profileSettings());
}

void CKeystaveApp::bringForward() {
    if (!frame_ || !options_.showWindow) return;
    if (frame_->isMinimized()) frame_->showMaximized();
    frame_->raise();
    frame_->activateWindow();
}

void CKeystaveApp::firstRun() {
    std::unique_ptr<QSettings> settings = programSettings();
    if (settings->contains(QLatin1String(SettingKey::FirstRun))) return;
    settings->setValue(QLatin1String(SettingKey::FirstRun), 1);
    settings->sync();
    // The welcome page opens only where a browser can show it and the site answers; a
    // new user is not greeted by a dead page, nor asked about a missing browser.
    if (!readFlag(*settings, SettingKey::EnableWeb, true) || !ui_.hasWebBrowser()) return;
    const QString address = sitePage(*settings, QStringLiteral("page/thanksforinstalling"));
    welcomeCheck_ = std::make_unique<SiteCheck>(address, [this, address](bool answered) {
        if (answered) ui_.openWebPage(address);
    });
}

bool CKeystaveApp::welcomePageCheckPending() const {
    return welcomeCheck_ && !welcomeCheck_->finished();
}

void CKeystaveApp::feedbackPrompt() {
    std::unique_ptr<QSettings> settings = programSettings();
    const int64_t now = options_.now != 0 ? options_.now : QDateTime::currentSecsSinceEpoch();
    bool number = false;
    const qlonglong stored =
        settings->value(QLatin1String(SettingKey::FeedbackLast)).toString().toLongLong(&number);
    const FeedbackDecision decision =
        feedbackDecision(number ? std::optional<int64_t>(stored) : std::nullopt, now);
    if (decision.storeNow) {
        settings->setValue(QLatin1String(SettingKey::FeedbackLast), QString::number(now));
        settings->sync();
    }
    if (decision.prompt && readFlag(*settings, SettingKey::EnableWeb, true) &&
        ui_.askForFeedback()) {
        openSitePage(QStringLiteral("page/givefeedback"));
        if (options_.showWindow) frame_->showMinimized();
    }
}

void CKeystaveApp::openSitePage(const QString& page) {
    const QString address = sitePage(*programSettings(), page);
    if (!ui_.openWebPage(address)) ui_.showMessage(StringId::NoWebBrowser, {address});
}

void CKeystaveApp::showAbout() {
    CAboutDialog dialog(frame_.get());
    dialog.exec();
    if (hooks.showHelpPage) hooks.showHelpPage(QStringLiteral("CREDITS.HTM"));
}

std::optional<CommandState> CKeystaveApp::commandState(int id) {
    if (help_)
        if (std::optional<CommandState> state = help_->commandState(id)) return state;
    if (id >= Cmd::FileMru1 && id < Cmd::FileMru1 + Cmd::kMruCount)
        return CommandState{id - Cmd::FileMru1 < recent_.paths().size()};
    switch (id) {
        case Cmd::FileNew:
        case Cmd::FileOpen:
        case Cmd::ImportMidi:
        case Cmd::ImportMusicXml:
        case Cmd::AppExit:
        case Cmd::About:
        case Cmd::InternetSettings:
        case Cmd::CustomColours:
        case Cmd::FileSearch:
        case Cmd::CheckForUpdates:
            return CommandState{};
        // With web access off the program sends nobody to the site either.
        case Cmd::VisitWebsite:
        case Cmd::Feedback:
        case Cmd::Library:
            return CommandState{readFlag(*programSettings(), SettingKey::EnableWeb, true)};
        case Cmd::ReleaseNotes:
            return CommandState{QFileInfo::exists(releaseNotesPath())};
        default:
            return std::nullopt;
    }
}

void CKeystaveApp::runCommand(int id) {
    if (help_ && help_->commandState(id)) {
        help_->runCommand(id);
        return;
    }
    if (id >= Cmd::FileMru1 && id < Cmd::FileMru1 + Cmd::kMruCount) {
        const int index = id - Cmd::FileMru1;
        if (index < recent_.paths().size()) openDocumentFile(recent_.paths()[index]);
        return;
    }
    switch (id) {
        case Cmd::FileNew:
            newDocument();
            break;
        case Cmd::FileOpen:
            openWithDialog();
            break;
        case Cmd::ImportMidi:
            importMidiWithDialog();
            break;
        case Cmd::ImportMusicXml:
            importMusicXmlWithDialog();
            break;
        case Cmd::AppExit:
            frame_->close();
            break;
        case Cmd::About:
            showAbout();
            break;
        case Cmd::VisitWebsite:
            openSitePage(QString());
            break;
        case Cmd::Library:
            openSitePage(QStringLiteral("page/library"));
            break;
        case Cmd::Feedback:
            openSitePage(QStringLiteral("page/givefeedback"));
            break;
        case Cmd::ReleaseNotes:
            ui_.openExternal(releaseNotesPath());
            break;
        case Cmd::InternetSettings: {
            playback_->stop();  // settings dialogs stop playback first
            CInternetSettingsDialog dialog(frame_.get());
            dialog.exec();
            break;
        }
        case Cmd::CustomColours: {
            playback_->stop();
            CCustomColoursDialog dialog(
                ui_, QDir::currentPath(), QCoreApplication::applicationDirPath(),
                [this] {
                    for (CChildFrame* child : frame_->children())
                        child->view().viewport()->update();
                },
                frame_.get());
            dialog.exec();
            break;
        }
        case Cmd::FileSearch:
            showFileFinder();
            break;
        case Cmd::CheckForUpdates:
            if (updates_) updates_->start(true);
            break;
        default:
            break;
    }
}

void CKeystaveApp::showFileFinder() {
    if (!finder_) {
        // Load File opens each file as File Open does, within the limit of documents.
        finder_ = new CFileFinderDialog(
            processFinderIndex(),
            [this](const QString& path) {
                if (documentCount() >= kMaxDocuments) {
                    ui_.showMessage(StringId::TooManyFilesOpen, {});
                    return false;
                }
                openDocumentFile(path);
                return true;
            },
            frame_.get());
        finder_->setAttribute(Qt::WA_DeleteOnClose);
    }
    finder_->show();
    finder_->raise();
    finder_->activateWindow();
}

}  // namespace ks
