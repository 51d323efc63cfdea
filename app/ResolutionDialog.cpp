#include "app/ResolutionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "model/TextTable.h"
#include "render/output/ExportTextIds.h"

namespace ks {

CResolutionDlg::CResolutionDlg(const std::vector<ResolutionChoice>& choices, int preselected,
                               QWidget* parent)
    : QDialog(parent), choices_(choices) {
    setWindowTitle(text(OutputTextId::ResolutionTitle));
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(text(OutputTextId::ResolutionQuestion), this);
    question->setWordWrap(true);
    layout->addWidget(question);
    list_ = new QComboBox(this);
    for (const ResolutionChoice& choice : choices_)
        list_->addItem(choice.label);
    list_->setCurrentIndex(preselected);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CResolutionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CResolutionDlg::reject);
    layout->addWidget(buttons);
}

int CResolutionDlg::resolution() const {
    const int index = list_->currentIndex();
    if (index < 0 || index >= static_cast<int>(choices_.size())) return kDefaultExportResolution;
    return choices_[static_cast<size_t>(index)].dpi;
}

}  // namespace ks
