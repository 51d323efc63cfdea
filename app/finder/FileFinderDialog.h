// CFileFinderDialog, "Find Keystaves Files On Disk": the list of every score file in the
// index with size and date, sortable by each column; the facts of the selected file;
// Scan Now, Load File and Exit. The index is loaded (or the drives scanned) by a worker
// thread when the dialog first shows; a scan shows a progress bar with the folders and
// files seen and a Cancel button, and its rows join the list as they are found. The
// buttons that start work are disabled while the worker runs.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "app/finder/FinderWorker.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace ks {

class FileListModel;

class CFileFinderDialog : public QDialog {
    Q_OBJECT
  public:
    // `openFile` opens one file as a document; false stops Load File before the files
    // that follow (no more documents can be opened).
    CFileFinderDialog(FinderIndex& index, std::function<bool(const QString&)> openFile,
                      QWidget* parent = nullptr);
    ~CFileFinderDialog() override;

    bool busy() const;
    // Scan Now; Load File for every selected row.
    void scanNow();
    void loadSelectedFiles();

    // For tests.
    QTableView* list() const { return list_; }
    FileListModel* model() const { return model_; }
    QLabel* statusText() const { return status_; }
    QLabel* detail(int line) const { return details_[line]; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* progressText() const { return progressText_; }
    QPushButton* scanButton() const { return scan_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* exitButton() const { return exit_; }
    QPushButton* cancelButton() const { return cancel_; }

  signals:
    // The worker has ended its work and the list and status are final.
    void workFinished();

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    FinderEvents workerEvents();
    void startWork(bool scan);
    void showStatus(int textId);
    // The list empties and the progress bar with Cancel shows.
    void showScanning();
    void showProgress(const ScanProgress& progress);
    void showList(std::vector<FinderRow> rows);
    void finished(const FinderOutcome& outcome);
    void selectionChanged();
    void showDetails(int row);
    void clearDetails();
    void updateButtons();
    // Drops the row of a file that no longer exists; true when it was dropped.
    bool dropIfMissing(int row);

    FinderIndex& index_;
    std::function<bool(const QString&)> openFile_;
    std::unique_ptr<FinderWorker> worker_;
    bool started_ = false;
    bool working_ = false;

    FileListModel* model_;
    QTableView* list_;
    QLabel* details_[4];
    QLabel* status_;
    QProgressBar* progress_;
    QLabel* progressText_;
    QPushButton* cancel_;
    QPushButton* scan_;
    QPushButton* load_;
    QPushButton* exit_;
};

}  // namespace ks
