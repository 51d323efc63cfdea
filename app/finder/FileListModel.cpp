#include "app/finder/FileListModel.h"

#include <algorithm>

#include "app/finder/FinderFormat.h"
#include "app/finder/FinderTextIds.h"
#include "model/TextTable.h"
#include "storage/AppPaths.h"

namespace ks {

namespace {

int compareText(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded : QString::compare(a, b, Qt::CaseSensitive);
}

int compareNumbers(int64_t a, int64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Year, month, day, hour and minute, one after the other.
int compareDates(const CFileTime& a, const CFileTime& b) {
    for (auto [x, y] :
         {std::pair{a.year, b.year}, std::pair{a.month, b.month}, std::pair{a.day, b.day},
          std::pair{a.hour, b.hour}, std::pair{a.minute, b.minute}})
        if (x != y) return x < y ? -1 : 1;
    return 0;
}

}  // namespace

QString FinderRow::path() const {
    return pathIn(directory, name);
}

std::vector<FinderRow> rowsOfIndex(const CFileIndex& index) {
    std::vector<FinderRow> rows;
    rows.reserve(size_t(index.fileCount()));
    for (const CIndexedDrive& drive : index.drives)
        for (const CIndexedDirectory& directory : drive.directories)
            for (const CIndexedFile& file : directory.files)
                rows.push_back(
                    {file.name, directory.name, file.size, file.modified, int64_t(rows.size())});
    return rows;
}

int compareRows(const FinderRow& a, const FinderRow& b, int column) {
    switch (column) {
        case FileListModel::kName:
            return compareText(a.name, b.name);
        case FileListModel::kDirectory:
            return compareText(a.directory, b.directory);
        case FileListModel::kSize:
            return compareNumbers(a.size, b.size);
        case FileListModel::kDate:
            return compareDates(a.modified, b.modified);
        default:
            return compareNumbers(a.order, b.order);
    }
}

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    const FinderRow& r = rows_[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case kName:
                return r.name;
            case kDirectory:
                return r.directory;
            case kSize:
                return r.size < 0 ? QString() : sizeText(r.size);
            case kDate:
                return dateText(r.modified);
        }
    } else if (role == Qt::TextAlignmentRole && index.column() == kSize) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    } else if (role == Qt::ToolTipRole) {
        return r.path();
    }
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static constexpr int kTitles[kColumnCount] = {FinderText::FileNameColumn,
                                                  FinderText::DirectoryColumn,
                                                  FinderText::SizeColumn, FinderText::DateColumn};
    if (section < 0 || section >= kColumnCount) return {};
    return text(kTitles[section]);
}

bool FileListModel::before(const FinderRow& a, const FinderRow& b) const {
    const int c = compareRows(a, b, sortColumn_);
    if (c != 0) return sortOrder_ == Qt::AscendingOrder ? c < 0 : c > 0;
    return a.order < b.order;  // equal rows keep index order
}

void FileListModel::reorder(const std::function<void()>& change) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int64_t> orders;
    orders.reserve(size_t(persistent.size()));
    for (const QModelIndex& index : persistent)
        orders.push_back(rows_[size_t(index.row())].order);
    change();
    // Selections and the current row follow their rows.
    if (!persistent.isEmpty()) {
        QHash<int64_t, int> rowOfOrder;
        rowOfOrder.reserve(qsizetype(rows_.size()));
        for (int i = 0; i < int(rows_.size()); ++i)
            rowOfOrder.insert(rows_[size_t(i)].order, i);
        QModelIndexList moved;
        for (qsizetype i = 0; i < persistent.size(); ++i)
            moved.append(index(rowOfOrder.value(orders[size_t(i)]), persistent[i].column()));
        changePersistentIndexList(persistent, moved);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FileListModel::sort(int column, Qt::SortOrder order) {
    reorder([&] {
        sortColumn_ = column >= 0 && column < kColumnCount ? column : -1;
        sortOrder_ = order;
        std::sort(rows_.begin(), rows_.end(), lessThan());
    });
}

void FileListModel::setRows(std::vector<FinderRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    if (sortColumn_ >= 0) std::sort(rows_.begin(), rows_.end(), lessThan());
    endResetModel();
}

void FileListModel::addRows(std::vector<FinderRow> rows) {
    if (rows.empty()) return;
    if (sortColumn_ < 0) {
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + rows.size()) - 1);
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                     std::make_move_iterator(rows.end()));
        endInsertRows();
        return;
    }
    // Sorted: the new rows are sorted and merged in, one pass over the list.
    reorder([&] {
        std::sort(rows.begin(), rows.end(), lessThan());
        const auto middle = qsizetype(rows_.size());
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                     std::make_move_iterator(rows.end()));
        std::inplace_merge(rows_.begin(), rows_.begin() + middle, rows_.end(), lessThan());
    });
}

void FileListModel::removeRowAt(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

}  // namespace ks
