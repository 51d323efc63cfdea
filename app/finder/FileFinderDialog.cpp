#include "app/finder/FileFinderDialog.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <climits>

#include "app/AppTextIds.h"
#include "app/finder/FileDetails.h"
#include "app/finder/FileListModel.h"
#include "app/finder/FinderFormat.h"
#include "app/finder/FinderTextIds.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

namespace ks {

namespace {

constexpr int kColumnWidths[FileListModel::kColumnCount] = {200, 300, 70, 100};
constexpr int kDetailLabels[4] = {FinderText::TitleLabel, FinderText::BarsLabel,
                                  FinderText::PagesLabel, FinderText::LengthLabel};

}  // namespace

CFileFinderDialog::CFileFinderDialog(FinderIndex& index,
                                     std::function<bool(const QString&)> openFile, QWidget* parent)
    : QDialog(parent), index_(index), openFile_(std::move(openFile)) {
    setWindowTitle(text(FinderText::DialogTitle));

    model_ = new FileListModel(this);
    list_ = new QTableView(this);
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    QHeaderView* header = list_->horizontalHeader();
    for (int column = 0; column < FileListModel::kColumnCount; ++column)
        header->resizeSection(column, kColumnWidths[column]);
    header->setStretchLastSection(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);  // index order until a column is clicked
    list_->setSortingEnabled(true);

    auto* detailsBox = new QGroupBox(text(FinderText::DetailsGroup), this);
    auto* detailsLayout = new QVBoxLayout(detailsBox);
    for (QLabel*& label : details_) {
        label = new QLabel(detailsBox);
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(220);
        detailsLayout->addWidget(label);
    }
    clearDetails();

    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    progressText_ = new QLabel(this);
    cancel_ = new QPushButton(text(StringId::Cancel), this);
    cancel_->setAutoDefault(false);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancel_);
    auto* statusColumn = new QVBoxLayout;
    statusColumn->addWidget(status_, 1);
    statusColumn->addWidget(progressText_);
    statusColumn->addLayout(progressRow);

    scan_ = new QPushButton(text(FinderText::ScanNow), this);
    load_ = new QPushButton(text(FinderText::LoadFile), this);
    exit_ = new QPushButton(text(FinderText::Exit), this);
    scan_->setAutoDefault(false);
    exit_->setAutoDefault(false);
    load_->setDefault(true);  // Enter opens the selected files
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(scan_);
    buttons->addWidget(load_);
    buttons->addWidget(exit_);
    buttons->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(detailsBox);
    bottom->addLayout(statusColumn, 1);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    resize(760, 520);

    connect(scan_, &QPushButton::clicked, this, &CFileFinderDialog::scanNow);
    connect(load_, &QPushButton::clicked, this, &CFileFinderDialog::loadSelectedFiles);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (worker_) worker_->cancel();
    });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CFileFinderDialog::selectionChanged);
    connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!busy() && index.isValid()) loadSelectedFiles();
    });

    worker_ = std::make_unique<FinderWorker>(index_, workerEvents());
    progress_->hide();
    progressText_->hide();
    cancel_->hide();
    updateButtons();
}

CFileFinderDialog::~CFileFinderDialog() {
    // Stops a scan and waits for the worker; its reports still queued are dropped with
    // this object.
    worker_.reset();
}

bool CFileFinderDialog::busy() const {
    return working_;
}

FinderEvents CFileFinderDialog::workerEvents() {
    // Called on the worker thread: each report becomes a queued call on this dialog.
    auto post = [this](auto call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    return {
        [this, post](int id) { post([this, id] { showStatus(id); }); },
        [this, post](const ScanProgress& p) { post([this, p] { showProgress(p); }); },
        [this, post](std::vector<FinderRow> rows) {
            post([this, rows = std::move(rows)]() mutable { model_->addRows(std::move(rows)); });
        },
        [this, post](std::vector<FinderRow> rows) {
            post([this, rows = std::move(rows)]() mutable { showList(std::move(rows)); });
        },
        [this, post](const FinderOutcome& o) { post([this, o] { finished(o); }); },
    };
}

void CFileFinderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    startWork(false);
}

void CFileFinderDialog::done(int result) {
    if (worker_) worker_->cancel();
    QDialog::done(result);
}

void CFileFinderDialog::scanNow() {
    if (busy()) return;
    startWork(true);
}

void CFileFinderDialog::startWork(bool scan) {
    if (!(scan ? worker_->scan() : worker_->open())) return;
    working_ = true;
    if (scan) showScanning();
    updateButtons();
}

void CFileFinderDialog::showScanning() {
    status_->setText(text(FinderText::Scanning));
    model_->setRows({});  // the scan's rows come in as they are found
    clearDetails();
    progress_->setRange(0, 0);  // busy until the folders are counted
    progressText_->setText(formatText(text(FinderText::ListingProgress), {0, 0}));
    progress_->show();
    progressText_->show();
    cancel_->show();
}

void CFileFinderDialog::showStatus(int textId) {
    if (textId == FinderText::Scanning) {
        if (cancel_->isHidden()) showScanning();
        return;
    }
    status_->setText(text(textId));
}

void CFileFinderDialog::showProgress(const ScanProgress& p) {
    if (p.details) {
        progress_->setRange(0, int(std::min<int64_t>(p.found, INT_MAX)));
        progress_->setValue(int(std::min<int64_t>(p.detailed, INT_MAX)));
        progressText_->setText(
            formatText(text(FinderText::DetailsProgress), {p.detailed, p.found}));
    } else {
        progressText_->setText(formatText(text(FinderText::ListingProgress), {p.folders, p.files}));
    }
}

void CFileFinderDialog::showList(std::vector<FinderRow> rows) {
    // The selection is kept across the new list by path.
    QSet<QString> selected;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        selected.insert(model_->row(index.row()).path());
    model_->setRows(std::move(rows));
    if (selected.isEmpty()) return;
    QItemSelection selection;
    for (int row = 0; row < model_->rowCount(); ++row)
        if (selected.contains(model_->row(row).path()))
            selection.select(model_->index(row, 0),
                             model_->index(row, FileListModel::kColumnCount - 1));
    list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CFileFinderDialog::finished(const FinderOutcome& outcome) {
    working_ = false;
    progress_->hide();
    progressText_->hide();
    cancel_->hide();
    QStringList lines;
    if (outcome.cancelled) lines.append(text(FinderText::ScanCancelled));
    if (outcome.present)
        lines.append(
            summaryText(outcome.fileCount, outcome.scanTime, QDateTime::currentSecsSinceEpoch()));
    if (outcome.saveFailed) lines.append(text(FinderText::IndexNotSaved));
    status_->setText(lines.join(u'\n'));
    updateButtons();
    selectionChanged();
    emit workFinished();
}

void CFileFinderDialog::updateButtons() {
    const bool selected = list_->selectionModel()->hasSelection();
    scan_->setEnabled(!working_);
    load_->setEnabled(!working_ && selected);
}

void CFileFinderDialog::selectionChanged() {
    updateButtons();
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        clearDetails();
        return;
    }
    // The row the user went to last, when it is selected.
    const QModelIndex current = list_->selectionModel()->currentIndex();
    int row = rows.last().row();
    for (const QModelIndex& index : rows)
        if (index.row() == current.row()) row = current.row();
    showDetails(row);
}

void CFileFinderDialog::showDetails(int row) {
    if (dropIfMissing(row)) {
        clearDetails();
        updateButtons();
        return;
    }
    const FileDetails details = readFileDetails(model_->row(row).path());
    details_[0]->setText(details.title);
    details_[1]->setText(details.ok ? details.bars : text(FinderText::BarsLabel));
    details_[2]->setText(details.ok ? details.pages : text(FinderText::PagesLabel));
    details_[3]->setText(details.ok ? details.length : text(FinderText::LengthLabel));
}

void CFileFinderDialog::clearDetails() {
    for (int line = 0; line < 4; ++line)
        details_[line]->setText(text(kDetailLabels[line]));
}

bool CFileFinderDialog::dropIfMissing(int row) {
    if (QFileInfo(model_->row(row).path()).isFile()) return false;
    model_->removeRowAt(row);
    return true;
}

void CFileFinderDialog::loadSelectedFiles() {
    if (busy()) return;
    QStringList paths;
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    for (const QModelIndex& index : rows)
        paths.append(model_->row(index.row()).path());
    for (const QString& path : paths) {
        if (!QFileInfo(path).isFile()) {
            // Gone since the scan: its row goes, nothing opens.
            for (int row = 0; row < model_->rowCount(); ++row)
                if (model_->row(row).path() == path) {
                    model_->removeRowAt(row);
                    break;
                }
            continue;
        }
        if (!openFile_ || !openFile_(path)) break;
    }
}

}  // namespace ks
