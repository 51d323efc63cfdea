// The list's texts and order: sizes, dates, the summary with "Scanned at" and "Scanned
// on", the details' texts, sorting by every column, rows merged in during a scan and the
// selection following its rows.
#include <gtest/gtest.h>

#include <QItemSelectionModel>

#include "app/finder/FileListModel.h"
#include "app/finder/FinderFormat.h"

using namespace ks;

namespace {

FinderRow row(const char* name, const char* directory, int64_t size, CFileTime modified,
              int64_t order) {
    return {QString::fromUtf8(name), QString::fromUtf8(directory), size, modified, order};
}

std::vector<FinderRow> sampleRows() {
    return {row("b.ksv", "/m", 10 * 1024, {2024, 5, 1, 10, 0, 59}, 0),
            row("A.ksv", "/z", 9 * 1024, {2024, 5, 1, 10, 0, 1}, 1),
            row("c.tpm", "/a", 100 * 1024, {2023, 12, 31, 23, 59, 0}, 2),
            row("a.ksv", "/b", 2 * 1024, {2024, 11, 2, 8, 30, 0}, 3)};
}

QStringList names(const FileListModel& model) {
    QStringList out;
    for (const FinderRow& r : model.rows())
        out.append(r.name);
    return out;
}

}  // namespace

TEST(FinderList, Texts) {
    EXPECT_EQ(sizeText(0), "0kb");
    EXPECT_EQ(sizeText(1), "1kb");
    EXPECT_EQ(sizeText(1024), "1kb");
    EXPECT_EQ(sizeText(1025), "2kb");
    EXPECT_EQ(sizeText(int64_t(3) << 40), "3221225472kb");
    EXPECT_EQ(dateText({2024, 3, 7, 9, 5, 30}), "07/03/2024 09:05");
    EXPECT_EQ(dateText({}), "");
    EXPECT_EQ(barsText(1), "1 Bar");
    EXPECT_EQ(barsText(0), "0 Bars");
    EXPECT_EQ(barsText(32), "32 Bars");
    EXPECT_EQ(pagesText(1), "1 Page");
    EXPECT_EQ(pagesText(3), "3 Pages");
    EXPECT_EQ(lengthText(75), "Length  1:15");
    EXPECT_EQ(lengthText(3600 + 5), "Length 60:05");
    EXPECT_EQ(clockText("%B %#d, %Y %% %q", {2024, 2, 9, 0, 0, 0}), "February 9, 2024 % %q");
}

TEST(FinderList, SummarySaysAtForTodayAndOnForAnEarlierDay) {
    const int64_t now = CFileTime{2026, 12, 11, 15, 0, 0}.toSeconds();
    EXPECT_EQ(summaryText(12, CFileTime{2026, 12, 11, 9, 7, 0}.toSeconds(), now),
              "12 Files found\nScanned at 09:07");
    EXPECT_EQ(summaryText(1, CFileTime{2026, 12, 10, 23, 59, 0}.toSeconds(), now),
              "1 Files found\nScanned on December 10");
    EXPECT_EQ(summaryText(0, CFileTime{2025, 12, 11, 9, 0, 0}.toSeconds(), now),
              "0 Files found\nScanned on December 11");
}

TEST(FinderList, SortsEveryColumn) {
    FileListModel model;
    model.setRows(sampleRows());
    EXPECT_EQ(names(model), (QStringList{"b.ksv", "A.ksv", "c.tpm", "a.ksv"}));  // index order
    model.sort(FileListModel::kName);
    EXPECT_EQ(names(model), (QStringList{"A.ksv", "a.ksv", "b.ksv", "c.tpm"}));
    model.sort(FileListModel::kDirectory, Qt::DescendingOrder);
    EXPECT_EQ(names(model), (QStringList{"A.ksv", "b.ksv", "a.ksv", "c.tpm"}));
    // By number, not by text ("9kb" before "10kb").
    model.sort(FileListModel::kSize);
    EXPECT_EQ(names(model), (QStringList{"a.ksv", "A.ksv", "b.ksv", "c.tpm"}));
    // Field by field down to the minute: the seconds do not count, ties keep index order.
    model.sort(FileListModel::kDate);
    EXPECT_EQ(names(model), (QStringList{"c.tpm", "b.ksv", "A.ksv", "a.ksv"}));
    model.sort(-1);
    EXPECT_EQ(names(model), (QStringList{"b.ksv", "A.ksv", "c.tpm", "a.ksv"}));

    EXPECT_EQ(model.data(model.index(0, FileListModel::kSize), Qt::DisplayRole), "10kb");
    EXPECT_EQ(model.data(model.index(0, FileListModel::kDate), Qt::DisplayRole),
              "01/05/2024 10:00");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole), "Directory Path");
}

TEST(FinderList, RowsFoundDuringAScanMergeInAndTheSelectionFollows) {
    FileListModel model;
    QItemSelectionModel selection(&model);
    model.sort(FileListModel::kName);
    model.addRows({row("m.ksv", "/", -1, {}, 0), row("c.ksv", "/", -1, {}, 1)});
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_EQ(model.row(1).name, "m.ksv");
    model.addRows(
        {row("z.ksv", "/", -1, {}, 2), row("a.ksv", "/", -1, {}, 3), row("n.ksv", "/", -1, {}, 4)});
    EXPECT_EQ(names(model), (QStringList{"a.ksv", "c.ksv", "m.ksv", "n.ksv", "z.ksv"}));
    const QModelIndexList selected = selection.selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(model.row(selected[0].row()).name, "m.ksv");
    EXPECT_EQ(model.data(model.index(0, FileListModel::kSize), Qt::DisplayRole), "");

    model.sort(FileListModel::kName, Qt::DescendingOrder);
    EXPECT_EQ(model.row(selection.selectedRows()[0].row()).name, "m.ksv");
    model.removeRowAt(0);
    EXPECT_EQ(names(model), (QStringList{"n.ksv", "m.ksv", "c.ksv", "a.ksv"}));
}
