#include "app/help/HelpSearchDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/help/HelpIndex.h"
#include "app/help/HelpTextIds.h"
#include "model/TextTable.h"

namespace ks {

CHelpSearchDialog::CHelpSearchDialog(HelpIndex& index, std::function<void(HelpIndex&)> buildIndex,
                                     QWidget* parent)
    : QDialog(parent),
      index_(index),
      buildIndex_(std::move(buildIndex)),
      edit_(new QLineEdit),
      list_(new QListWidget) {
    setObjectName(QStringLiteral("CHelpSearchDialog"));
    setWindowTitle(text(HelpTextId::SearchTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    auto* searchButton = new QPushButton(text(HelpTextId::SearchButton));
    auto* closeButton = new QPushButton(text(HelpTextId::CloseSearch));
    searchButton->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(searchButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(searchButton, &QPushButton::clicked, this, &CHelpSearchDialog::search);
    connect(edit_, &QLineEdit::returnPressed, this, &CHelpSearchDialog::search);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString page = item->data(Qt::UserRole).toString();
        if (!page.isEmpty() && pageChosen) pageChosen(page);
    });
    connect(list_, &QListWidget::itemClicked, list_, &QListWidget::itemActivated);
}

void CHelpSearchDialog::search() {
    if (!index_.built() && buildIndex_) buildIndex_(index_);
    list_->clear();
    const std::vector<int> found = index_.search(edit_->text());
    if (found.empty()) {
        list_->addItem(text(HelpTextId::NoPagesFound));
        return;
    }
    for (int page : found) {
        const CHelpPage& record = index_.pages()[page];
        auto* item = new QListWidgetItem(record.title.isEmpty() ? record.name : record.title);
        item->setData(Qt::UserRole, record.name);
        list_->addItem(item);
    }
}

}  // namespace ks
