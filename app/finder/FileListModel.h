// The rows of the finder's list: one per indexed score file, with name, folder, size and
// date modified, sortable by any column (size by number, date field by field down to the
// minute, the others by text). Rows found during a scan are merged in at their places.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "app/finder/FileIndexRecords.h"

namespace ks {

struct FinderRow {
    QString name;
    QString directory;
    int64_t size = -1;  // -1 while unknown (a row found by a running scan)
    CFileTime modified;
    int64_t order = 0;  // place in the index, for the unsorted list

    QString path() const;
};

// The rows of an index, in index order.
std::vector<FinderRow> rowsOfIndex(const CFileIndex& index);

// Orders two rows by a column (0 name, 1 folder, 2 size, 3 date modified; -1 index
// order): negative, zero or positive.
int compareRows(const FinderRow& a, const FinderRow& b, int column);

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kName = 0, kDirectory = 1, kSize = 2, kDate = 3, kColumnCount = 4 };

    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column -1 restores index order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Replaces the rows; they keep the current sorting.
    void setRows(std::vector<FinderRow> rows);
    // Adds rows, each at its place in the current sorting.
    void addRows(std::vector<FinderRow> rows);
    // Takes out the row at `row`.
    void removeRowAt(int row);

    const FinderRow& row(int index) const { return rows_[size_t(index)]; }
    const std::vector<FinderRow>& rows() const { return rows_; }
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

  private:
    // The current sorting, ties in index order.
    bool before(const FinderRow& a, const FinderRow& b) const;
    auto lessThan() const {
        return [this](const FinderRow& a, const FinderRow& b) { return before(a, b); };
    }
    // Runs a change of the row order; selections and the current row follow their rows.
    void reorder(const std::function<void()>& change);

    std::vector<FinderRow> rows_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace ks
