#include "SplitTrackDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "edit/ScoreTextIds.h"
#include "edit/dialogs/TrackDialogs.h"
#include "model/TextTable.h"

namespace ks {

QString cursorPitchName(int pitch) {
    if (pitch == 60) return text(StringId::MiddleC);
    static const char* const names[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                          "F#", "G",  "G#", "A",  "A#", "B"};
    pitch = std::clamp(pitch, 0, 127);
    return QString::fromLatin1(names[pitch % 12]) + QString::number(pitch / 12 - 1);
}

std::pair<int, int> proposedDestinations(int currentPart) {
    if (currentPart == Part::RightHand) return {Part::RightHand, Part::RightHand2};
    if (currentPart == Part::LeftHand) return {Part::LeftHand, Part::LeftHand2};
    return {Part::RightHand, Part::LeftHand};
}

CTrackSplitDlg::CTrackSplitDlg(const CScore& score, int cursorPitch, QWidget* parent)
    : QDialog(parent), pitch_(cursorPitch) {
    setWindowTitle(text(StringId::SplitTrackTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const int current = score.selection.hand;
    source_ = trackList(score, std::max(score.trackOfPart(current), 0), this);
    const auto [one, two] = proposedDestinations(current);
    destination1_ = destinationList(one, this);
    destination2_ = destinationList(two, this);
    form->addRow(text(StringId::SourceTrackLabel), source_);
    form->addRow(text(StringId::Destination1Label), destination1_);
    form->addRow(text(StringId::Destination2Label), destination2_);
    layout->addLayout(form);

    auto* group = new QGroupBox(text(StringId::MethodLabel), this);
    auto* methods = new QVBoxLayout(group);
    const QStringList names = text(StringId::SplitMethods).split(u';', Qt::SkipEmptyParts);
    for (int m = 0; m < kSplitMethodCount; ++m) {
        QString label = names.value(m);
        if (m == int(SplitMethod::AtPitch))
            label += QStringLiteral(" ") + text(StringId::AboveOrEqualTo) +
                     cursorPitchName(cursorPitch) + QStringLiteral(")");
        auto* button = new QRadioButton(label, group);
        methods->addWidget(button);
        methods_.push_back(button);
    }
    methods_.front()->setChecked(true);
    layout->addWidget(group);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTrackSplitDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

SplitRequest CTrackSplitDlg::request() const {
    SplitRequest r;
    r.source = source_->currentIndex();
    r.destination1 = destination1_->currentIndex() - 1;
    r.destination2 = destination2_->currentIndex() - 1;
    r.pitch = pitch_;
    for (size_t m = 0; m < methods_.size(); ++m)
        if (methods_[m]->isChecked()) r.method = static_cast<SplitMethod>(m);
    return r;
}

void CTrackSplitDlg::accept() {
    const SplitRequest r = request();
    if (r.destination1 >= 0 && r.destination1 == r.destination2) {
        if (message) message(this, StringId::SameDestinations);
        return;
    }
    QDialog::accept();
}

}  // namespace ks
