#include "TrackDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "edit/ScoreTextIds.h"
#include "model/TextTable.h"

namespace ks {

namespace {

// OK and Cancel under a layout.
void addButtons(QDialog* dialog, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace

QComboBox* destinationList(int part, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(text(StringId::DestinationList).split(u';', Qt::SkipEmptyParts));
    box->setCurrentIndex(std::clamp(part + 1, 0, box->count() - 1));
    return box;
}

QComboBox* trackList(const CScore& score, int track, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const CTrack& t : score.tracks)
        box->addItem(t.title);
    box->setCurrentIndex(std::clamp(track, 0, std::max(box->count() - 1, 0)));
    return box;
}

CTrackAddNewDlg::CTrackAddNewDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::AddTrackTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    title_ = new QLineEdit(text(StringId::UntitledTrack), this);
    title_->selectAll();
    destination_ = destinationList(-1, this);
    form->addRow(text(StringId::TrackTitleLabel), title_);
    form->addRow(text(StringId::DestinationLabel), destination_);
    layout->addLayout(form);
    addButtons(this, layout);
}

QString CTrackAddNewDlg::title() const {
    return title_->text();
}

int CTrackAddNewDlg::part() const {
    return destination_->currentIndex() - 1;
}

CTrackDeleteDlg::CTrackDeleteDlg(const CScore& score, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::DeleteTrackTitle));
    auto* layout = new QVBoxLayout(this);
    tracks_ = new QListWidget(this);
    for (const CTrack& t : score.tracks)
        tracks_->addItem(t.title);
    tracks_->setCurrentRow(0);
    layout->addWidget(tracks_);
    addButtons(this, layout);
}

int CTrackDeleteDlg::track() const {
    return tracks_->currentRow();
}

CTrackMergeDlg::CTrackMergeDlg(const CScore& score, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::MergeTracksTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    first_ = trackList(score, 0, this);
    second_ = trackList(score, 1, this);
    destination_ = destinationList(-1, this);
    form->addRow(text(StringId::Track1Label), first_);
    form->addRow(text(StringId::Track2Label), second_);
    form->addRow(text(StringId::DestinationLabel), destination_);
    layout->addLayout(form);
    addButtons(this, layout);
}

int CTrackMergeDlg::first() const {
    return first_->currentIndex();
}

int CTrackMergeDlg::second() const {
    return second_->currentIndex();
}

int CTrackMergeDlg::part() const {
    return destination_->currentIndex() - 1;
}

void CTrackMergeDlg::accept() {
    if (first() == second()) {
        if (message) message(this, StringId::MergeWithItself);
        return;
    }
    QDialog::accept();
}

CTrackNameDlg::CTrackNameDlg(const QString& name, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::RenameTrackTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = new QLineEdit(name, this);
    name_->selectAll();
    form->addRow(text(StringId::TrackNameLabel), name_);
    layout->addLayout(form);
    addButtons(this, layout);
}

QString CTrackNameDlg::name() const {
    return name_->text();
}

}  // namespace ks
