// The "Find Keystaves Files On Disk" dialog on the offscreen platform: the scan a
// missing index starts, the columns, status texts and buttons, sorting by a header
// click, the details of a score and of a file that is not one, opening several files,
// files gone since the scan, "Scanned on" for an older index, and a scan whose rows
// arrive while it runs and which Cancel stops. F9 opens it in the editor.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QUuid>
#include <future>

#include "app/AppSettings.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveApp.h"
#include "app/MainFrame.h"
#include "app/finder/FileFinderDialog.h"
#include "app/finder/FileListModel.h"
#include "app/finder/IndexFile.h"
#include "playback/RecordingDevice.h"
#include "storage/AppPaths.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/FakeUserInterface.h"
#include "tests/finder/FinderTree.h"
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

const QString kSamples = QStringLiteral(KS_SOURCE_DIR "/resources/samples/");

class FinderDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        root = QFileInfo(dir.path()).canonicalFilePath() + "/disk";
        QDir().mkpath(root + "/music/old");
        ASSERT_TRUE(QFile::copy(kSamples + "minuet-in-g.ksv", root + "/music/minuet-in-g.ksv"));
        ASSERT_TRUE(QFile::copy(kSamples + "twinkle-twinkle.ksv", root + "/music/old/Twinkle.KSV"));
        ASSERT_TRUE(makeFile(root + "/not-a-score.ksv", 3000));
        ASSERT_TRUE(makeFile(root + "/Mixed.Ksv"));
        index.drives = [this] { return DriveList{{root}, {}}; };
        index.file = dir.filePath("data/Keystave.files");
    }

    std::unique_ptr<CFileFinderDialog> openDialog() {
        auto dialog = std::make_unique<CFileFinderDialog>(index, [this](const QString& path) {
            opened.append(path);
            return opened.size() < openLimit;
        });
        QSignalSpy spy(dialog.get(), &CFileFinderDialog::workFinished);
        dialog->show();
        EXPECT_TRUE(spy.wait(20000));
        return dialog;
    }
    int rowOf(const CFileFinderDialog& dialog, const QString& name) const {
        for (int row = 0; row < dialog.model()->rowCount(); ++row)
            if (dialog.model()->row(row).name == name) return row;
        return -1;
    }
    void select(CFileFinderDialog& dialog, std::initializer_list<QString> names) {
        dialog.list()->clearSelection();
        for (const QString& name : names) {
            const int row = rowOf(dialog, name);
            ASSERT_GE(row, 0) << name.toStdString();
            dialog.list()->selectionModel()->setCurrentIndex(
                dialog.model()->index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    QString cell(const CFileFinderDialog& dialog, const QString& name, int column) const {
        return dialog.model()
            ->data(dialog.model()->index(rowOf(dialog, name), column), Qt::DisplayRole)
            .toString();
    }

    QTemporaryDir dir;
    QString root;
    FinderIndex index;
    QStringList opened;
    int openLimit = 100;
};

}  // namespace

TEST_F(FinderDialog, AMissingIndexIsScannedAtOnceAndListed) {
    auto dialog = openDialog();
    EXPECT_EQ(dialog->windowTitle(), "Find Keystaves Files On Disk");
    ASSERT_EQ(dialog->model()->rowCount(), 3);  // not the mixed-case "Mixed.Ksv"
    EXPECT_EQ(rowOf(*dialog, "Mixed.Ksv"), -1);
    EXPECT_EQ(cell(*dialog, "not-a-score.ksv", FileListModel::kDirectory), root);
    EXPECT_EQ(cell(*dialog, "not-a-score.ksv", FileListModel::kSize), "3kb");
    EXPECT_EQ(cell(*dialog, "Twinkle.KSV", FileListModel::kDirectory), root + "/music/old");
    const CFileTime modified =
        CFileTime::fromSeconds(QFileInfo(root + "/Mixed.Ksv").lastModified().toSecsSinceEpoch());
    EXPECT_EQ(cell(*dialog, "not-a-score.ksv", FileListModel::kDate).right(5),
              QString::asprintf("%02d:%02d", modified.hour, modified.minute).right(5));
    EXPECT_TRUE(dialog->statusText()->text().startsWith("3 Files found\nScanned at "))
        << dialog->statusText()->text().toStdString();
    EXPECT_TRUE(QFileInfo::exists(index.file));

    QHeaderView* header = dialog->list()->horizontalHeader();
    const QStringList titles = {"File Name", "Directory Path", "Size", "Date Modified"};
    const int widths[] = {200, 300, 70, 100};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(dialog->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole),
                  titles[column]);
        if (column < 3) {  // the last column takes the rest of the width
            EXPECT_EQ(header->sectionSize(column), widths[column]) << column;
        }
    }
    EXPECT_TRUE(dialog->list()->showGrid());
    EXPECT_EQ(dialog->list()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(dialog->scanButton()->text(), "Scan Now");
    EXPECT_EQ(dialog->loadButton()->text(), "Load File");
    EXPECT_EQ(dialog->exitButton()->text(), "Exit");
    EXPECT_TRUE(dialog->scanButton()->isEnabled());
    EXPECT_FALSE(dialog->loadButton()->isEnabled());  // nothing selected
    EXPECT_FALSE(dialog->progressBar()->isVisible());
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(dialog->detail(line)->text(),
                  (QStringList{"Title", "Bars", "Pages", "Length"}[line]));
}

TEST_F(FinderDialog, DetailsOfAScoreAndOfAFileThatIsNotOne) {
    auto dialog = openDialog();
    select(*dialog, {"minuet-in-g.ksv"});
    EXPECT_TRUE(dialog->loadButton()->isEnabled());
    CScore score;
    CPrinterSettings printer;
    ASSERT_TRUE(
        CKeystaveDoc::readIntoSeparateScore(root + "/music/minuet-in-g.ksv", score, &printer).ok);
    EXPECT_EQ(dialog->detail(0)->text(), score.title);
    EXPECT_EQ(dialog->detail(1)->text(), QString("%1 Bars").arg(score.barCount()));
    EXPECT_TRUE(QRegularExpression("^\\d+ Pages?$").match(dialog->detail(2)->text()).hasMatch())
        << dialog->detail(2)->text().toStdString();
    EXPECT_TRUE(
        QRegularExpression("^Length [ \\d]\\d:\\d\\d$").match(dialog->detail(3)->text()).hasMatch())
        << dialog->detail(3)->text().toStdString();
    EXPECT_NE(dialog->detail(3)->text(), "Length  0:00");

    select(*dialog, {"not-a-score.ksv"});
    EXPECT_EQ(dialog->detail(0)->text(), "Error loading File");
    EXPECT_EQ(dialog->detail(1)->text(), "Bars");
    select(*dialog, {});
    EXPECT_EQ(dialog->detail(0)->text(), "Title");
    EXPECT_FALSE(dialog->loadButton()->isEnabled());
}

TEST_F(FinderDialog, AHeaderClickSortsAndLoadFileOpensEverySelectedFile) {
    auto dialog = openDialog();
    QHeaderView* header = dialog->list()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(FileListModel::kSize) + 10, 5));
    EXPECT_EQ(dialog->model()->sortColumn(), FileListModel::kSize);
    std::vector<int64_t> sizes;
    for (const FinderRow& row : dialog->model()->rows())
        sizes.push_back(row.size);
    EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end()) ||
                std::is_sorted(sizes.rbegin(), sizes.rend()));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(FileListModel::kName) + 10, 5));
    EXPECT_EQ(dialog->model()->sortColumn(), FileListModel::kName);

    select(*dialog, {"Twinkle.KSV", "minuet-in-g.ksv"});
    QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
    QStringList sorted = opened;
    sorted.sort();
    EXPECT_EQ(sorted,
              (QStringList{root + "/music/minuet-in-g.ksv", root + "/music/old/Twinkle.KSV"}));

    // When no more documents can be opened, the files after stay closed.
    opened.clear();
    openLimit = 1;
    select(*dialog, {"Twinkle.KSV", "minuet-in-g.ksv", "not-a-score.ksv"});
    dialog->loadSelectedFiles();
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(FinderDialog, AFileGoneSinceTheScanIsDroppedNotOpened) {
    auto dialog = openDialog();
    select(*dialog, {"Twinkle.KSV", "minuet-in-g.ksv"});
    ASSERT_TRUE(QFile::remove(root + "/music/old/Twinkle.KSV"));
    dialog->loadSelectedFiles();
    EXPECT_EQ(opened, QStringList{root + "/music/minuet-in-g.ksv"});
    EXPECT_EQ(rowOf(*dialog, "Twinkle.KSV"), -1);
    ASSERT_TRUE(QFile::remove(root + "/music/minuet-in-g.ksv"));
    select(*dialog, {"minuet-in-g.ksv"});  // its details find it gone
    EXPECT_EQ(rowOf(*dialog, "minuet-in-g.ksv"), -1);
    EXPECT_EQ(dialog->detail(0)->text(), "Title");
}

TEST_F(FinderDialog, AnIndexFromAnEarlierDayIsLoadedAndSaysScannedOn) {
    CFileIndex old;
    old.scanTime = CFileTime{2025, 3, 9, 10, 0, 0}.toSeconds();
    old.drives.push_back(
        {root,
         {{root + "/music", {{"minuet-in-g.ksv", {}, {}, {2024, 1, 2, 3, 4, 5}, 4096}}},
          {root + "/gone", {{"gone.ksv", {}, {}, {}, 1}}}}});
    ASSERT_TRUE(saveIndexFile(index.file, old));
    auto dialog = openDialog();
    ASSERT_EQ(dialog->model()->rowCount(), 1);  // no scan, and the missing file is dropped
    EXPECT_EQ(cell(*dialog, "minuet-in-g.ksv", FileListModel::kDate), "02/01/2024 03:04");
    EXPECT_EQ(cell(*dialog, "minuet-in-g.ksv", FileListModel::kSize), "4kb");
    EXPECT_EQ(dialog->statusText()->text(), "1 Files found\nScanned on March 9");
}

TEST_F(FinderDialog, ScanNowShowsRowsAsTheyAreFoundAndCancelKeepsTheOldList) {
    auto dialog = openDialog();
    ASSERT_EQ(dialog->model()->rowCount(), 3);
    for (int i = 0; i < 1500; ++i)
        makeFile(root + QStringLiteral("/wide/%1/%2.ksv").arg(i / 10).arg(i));

    // A complete scan: the buttons wait, the progress shows, rows come in before the end.
    int rowsDuringScan = 0;
    bool disabledDuringScan = true, progressShown = false;
    auto check = [&] {
        if (!dialog->busy()) return;
        rowsDuringScan = std::max(rowsDuringScan, dialog->model()->rowCount());
        disabledDuringScan &=
            !dialog->scanButton()->isEnabled() && !dialog->loadButton()->isEnabled();
        progressShown |= dialog->progressBar()->isVisible() && dialog->cancelButton()->isVisible();
    };
    QObject::connect(dialog->model(), &QAbstractItemModel::rowsInserted, dialog.get(), check);
    QObject::connect(dialog->model(), &QAbstractItemModel::layoutChanged, dialog.get(), check);
    {
        QSignalSpy spy(dialog.get(), &CFileFinderDialog::workFinished);
        QTest::mouseClick(dialog->scanButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->busy());
        ASSERT_TRUE(spy.wait(60000));
    }
    EXPECT_GT(rowsDuringScan, 0);
    EXPECT_TRUE(disabledDuringScan);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(dialog->model()->rowCount(), 1503);
    EXPECT_FALSE(dialog->progressBar()->isVisible());
    EXPECT_TRUE(dialog->statusText()->text().startsWith("1503 Files found"));

    // A cancelled scan: the list of the last complete scan comes back. The scan is held
    // at its start until Cancel has been pressed.
    makeFile(root + "/more/new.ksv");
    std::promise<void> pressed;
    std::shared_future<void> gate = pressed.get_future().share();
    index.drives = [this, gate] {
        gate.wait();
        return DriveList{{root}, {}};
    };
    QSignalSpy spy(dialog.get(), &CFileFinderDialog::workFinished);
    QTest::mouseClick(dialog->scanButton(), Qt::LeftButton);
    ASSERT_TRUE(dialog->busy());
    QCoreApplication::processEvents();
    ASSERT_TRUE(dialog->cancelButton()->isVisible());
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    pressed.set_value();
    ASSERT_TRUE(spy.wait(60000));
    EXPECT_EQ(dialog->model()->rowCount(), 1503);
    EXPECT_EQ(rowOf(*dialog, "new.ksv"), -1);
    EXPECT_TRUE(dialog->statusText()->text().startsWith("Scan cancelled\n1503 Files found"))
        << dialog->statusText()->text().toStdString();
    EXPECT_TRUE(dialog->scanButton()->isEnabled());
}

TEST_F(FinderDialog, ClosingTheDialogDuringAScanStopsIt) {
    auto dialog = openDialog();
    std::promise<void> closed;
    std::shared_future<void> gate = closed.get_future().share();
    index.drives = [this, gate] {
        gate.wait();
        return DriveList{{root}, {}};
    };
    dialog->scanNow();
    ASSERT_TRUE(dialog->busy());
    dialog->exitButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    closed.set_value();
    dialog.reset();  // waits for the worker, which stops at once
    EXPECT_FALSE(index.busy);
    CFileIndex saved;
    ASSERT_TRUE(loadIndexFile(index.file, saved));
    EXPECT_EQ(saved.fileCount(), 3);  // the file of the first scan stands
}

TEST(FinderInTheEditor, F9OpensTheFinderAndLoadFileOpensDocuments) {
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    ASSERT_TRUE(QFile::copy(kSamples + "minuet-in-g.ksv", root + "/minuet-in-g.ksv"));
    ASSERT_TRUE(QFile::copy(kSamples + "twinkle-twinkle.ksv", root + "/twinkle-twinkle.ksv"));
    ASSERT_TRUE(makeFile(root + "/broken.ksv"));
    FinderIndex& index = processFinderIndex();
    index.drives = [root] { return DriveList{{root}, {}}; };
    index.file = root + "/Keystave.files";
    index.present = false;

    programSettings()->clear();
    programSettings()->setValue("FirstRun", 1);
    FakeUserInterface ui;
    RecordingDevice device;
    CKeystaveApp app(ui, AppOptions{.instanceName = QStringLiteral("ks-finder-") +
                                                    QUuid::createUuid().toString(QUuid::Id128),
                                    .splash = false,
                                    .showWindow = false,
                                    .playback = {.device = &device}});
    ASSERT_TRUE(app.start({}));
    CMainFrame& frame = *app.frame();
    frame.updateCommandStates();
    QAction* action = frame.action(Cmd::FileSearch);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(action->isEnabled());
    EXPECT_NE(frame.action(Cmd::Library)->shortcut(), QKeySequence(Qt::Key_F9));

    ASSERT_TRUE(frame.routeCommand(Cmd::FileSearch));
    auto* dialog = frame.findChild<CFileFinderDialog*>();
    ASSERT_NE(dialog, nullptr);
    if (dialog->busy()) {
        QSignalSpy spy(dialog, &CFileFinderDialog::workFinished);
        ASSERT_TRUE(spy.wait(20000));
    }
    ASSERT_EQ(dialog->model()->rowCount(), 3);
    frame.routeCommand(Cmd::FileSearch);  // again: the same window comes forward
    EXPECT_EQ(frame.findChildren<CFileFinderDialog*>().size(), 1);

    const int before = app.documentCount();
    dialog->list()->selectAll();
    dialog->loadSelectedFiles();
    // The two scores open; the broken file shows its message and opens nothing.
    EXPECT_EQ(app.documentCount(), before + 2);
    EXPECT_FALSE(ui.messages.empty());
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.findChildren<CFileFinderDialog*>().size(), 0);
    index.drives = fixedDrives;
    index.file.clear();
    index.present = false;
    index.index = {};
    programSettings()->clear();
}
