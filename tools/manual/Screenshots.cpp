#include "Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>
#include <algorithm>

#include "app/ChildFrame.h"
#include "app/DialogUserInterface.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/help/HelpSearchDialog.h"
#include "app/help/HelpSystem.h"
#include "model/Selection.h"
#include "resources/MusicFont.h"
#include "storage/StorageSession.h"

namespace ks {

namespace {

bool save(QWidget& widget, const QString& path) {
    QApplication::processEvents();
    return widget.grab().save(path, "PNG");
}

}  // namespace

bool writeScreenshots(const QString& folder) {
    // The program's settings and data stay out of the user's own folders.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toLocal8Bit());
    qputenv("KEYSTAVES_DATA_DIR", QDir(home.path()).filePath("data").toLocal8Bit());
    qputenv("KEYSTAVES_TEMP_DIR", home.path().toLocal8Bit());
    loadMusicFont();
    DialogUserInterface ui;
    StorageSession session;
    CMainFrame frame(ui);
    frame.setBaseTitle(QStringLiteral("Halvern Keystaves"));
    frame.resize(960, 640);
    auto* child = new CChildFrame(session, ui);
    if (!child->openDocument(QStringLiteral(KS_SAMPLE_SCORE))) return false;
    frame.addChild(child);
    frame.show();
    bool ok = save(frame, QDir(folder).filePath("MAINWINDOW.PNG"));
    child->view().setViewMode(ViewMode::Music);
    frame.updateCommandStates();
    ok = save(frame, QDir(folder).filePath("MUSICWINDOW.PNG")) && ok;
    // The staves of the first bars, as the program draws them.
    const QImage line = child->view().viewport()->grab().toImage();
    ok = line.copy(0, line.height() * 42 / 100, std::min(line.width(), 720),
                   line.height() * 55 / 100)
             .save(QDir(folder).filePath("STAVE.PNG"), "PNG") &&
         ok;
    HelpIndex index;
    CHelpSearchDialog search(index, &HelpSystem::buildIndex);
    search.resize(320, 260);
    search.show();
    ok = save(search, QDir(folder).filePath("SEARCHWINDOW.PNG")) && ok;
    frame.close();
    return ok;
}

}  // namespace ks
