#include "ScoreSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "edit/ScoreTextIds.h"
#include "edit/dialogs/TrackDialogs.h"
#include "model/TextTable.h"

namespace ks {

CScoreSettingsDlg::CScoreSettingsDlg(CScore& score, CUndoHistory& history,
                                     std::function<void()> relayout, QWidget* parent)
    : QDialog(parent), score_(score), history_(history), relayout_(std::move(relayout)) {
    setWindowTitle(text(StringId::ScoreSettingsTitle));
    before_ = settings_ = readScoreSettings(score_);
    pushed_ = history_.Push(StringId::ScoreSettingsStep, UndoKind::Score);
    askName = [this](const QString& name) -> std::optional<QString> {
        CTrackNameDlg dialog(name, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.name();
    };

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const int labels[4] = {StringId::SsTitle, StringId::SsSubtitle, StringId::SsArtist,
                           StringId::SsCopyright};
    const QString values[4] = {settings_.title, settings_.subtitle, settings_.artist,
                               settings_.copyright};
    for (size_t i = 0; i < 4; ++i) {
        edits_[i] = new QLineEdit(values[i], this);
        form->addRow(text(labels[i]), edits_[i]);
        connect(edits_[i], &QLineEdit::textEdited, this, &CScoreSettingsDlg::changed);
    }
    layout->addLayout(form);

    auto* group = new QGroupBox(text(StringId::SsParts), this);
    auto* grid = new QGridLayout(group);
    const QStringList partNames = text(StringId::SsPartNames).split(u';', Qt::SkipEmptyParts);
    for (int p = 0; p < kPartCount; ++p) {
        parts_[size_t(p)] = new QComboBox(group);
        auto* rename = new QPushButton(text(StringId::SsRename), group);
        grid->addWidget(new QLabel(partNames.value(p), group), p, 0);
        grid->addWidget(parts_[size_t(p)], p, 1);
        grid->addWidget(rename, p, 2);
        connect(rename, &QPushButton::clicked, this, [this, p] { renamePart(p); });
        connect(parts_[size_t(p)], &QComboBox::currentIndexChanged, this,
                &CScoreSettingsDlg::changed);
    }
    layout->addWidget(group);
    fillPartLists();

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(new QLabel(text(StringId::SsKey), this));
    key_ = new QComboBox(this);
    minor_ = new QCheckBox(text(StringId::SsMinorKey), this);
    minor_->setChecked(settings_.minor);
    keyRow->addWidget(key_);
    keyRow->addWidget(minor_);
    keyRow->addStretch();
    layout->addLayout(keyRow);
    fillKeys();
    connect(key_, &QComboBox::currentIndexChanged, this, &CScoreSettingsDlg::changed);
    connect(minor_, &QCheckBox::toggled, this, [this] {
        changed();
        fillKeys();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CScoreSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CScoreSettingsDlg::reject);
    layout->addWidget(buttons);
}

void CScoreSettingsDlg::fillPartLists() {
    updating_ = true;
    for (int p = 0; p < kPartCount; ++p) {
        QComboBox* box = parts_[size_t(p)];
        box->clear();
        box->addItem(text(StringId::SsNoTrack), -1);
        for (size_t t = 0; t < settings_.trackNames.size(); ++t)
            box->addItem(settings_.trackNames[t], int(t));
        const QString pending = settings_.newTrackNames[size_t(p)];
        box->addItem(pending.isEmpty() ? text(StringId::SsNewTrack) : pending, kNewTrackEntry);
        box->setCurrentIndex(std::max(box->findData(settings_.parts[size_t(p)]), 0));
    }
    updating_ = false;
}

void CScoreSettingsDlg::fillKeys() {
    updating_ = true;
    key_->clear();
    key_->addItems(text(settings_.minor ? StringId::SsMinorKeys : StringId::SsMajorKeys)
                       .split(u';', Qt::SkipEmptyParts));
    key_->setCurrentIndex(std::clamp(settings_.key, 0, key_->count() - 1));
    updating_ = false;
}

void CScoreSettingsDlg::changed() {
    if (updating_) return;
    settings_.title = edits_[0]->text();
    settings_.subtitle = edits_[1]->text();
    settings_.artist = edits_[2]->text();
    settings_.copyright = edits_[3]->text();
    // A track chosen for one part leaves the part that showed it before.
    std::array<int, kPartCount> chosen{};
    for (int p = 0; p < kPartCount; ++p)
        chosen[size_t(p)] = parts_[size_t(p)]->currentData().toInt();
    for (int p = 0; p < kPartCount; ++p) {
        const int track = chosen[size_t(p)];
        if (track >= 0 && track != settings_.parts[size_t(p)])
            for (int q = 0; q < kPartCount; ++q)
                if (q != p && chosen[size_t(q)] == track) chosen[size_t(q)] = -1;
    }
    const bool moved = chosen != settings_.parts;
    settings_.parts = chosen;
    for (int p = 0; p < kPartCount; ++p)
        if (settings_.parts[size_t(p)] == kNewTrackEntry &&
            settings_.newTrackNames[size_t(p)].isEmpty())
            settings_.newTrackNames[size_t(p)] = text(StringId::UntitledTrack);
    if (key_->currentIndex() >= 0) settings_.key = key_->currentIndex();
    settings_.minor = minor_->isChecked();
    if (moved) fillPartLists();
    applyScoreSettings(settings_, score_);
    if (relayout_) relayout_();
}

void CScoreSettingsDlg::renamePart(int part) {
    const int track = parts_[size_t(part)]->currentData().toInt();
    if (track == -1) return;
    if (track == kNewTrackEntry) {
        if (message) message(this, StringId::RenameMissingTrack);
        if (settings_.newTrackNames[size_t(part)].isEmpty())
            settings_.newTrackNames[size_t(part)] = text(StringId::UntitledTrack);
        if (const auto name = askName(settings_.newTrackNames[size_t(part)]))
            settings_.newTrackNames[size_t(part)] = *name;
    } else {
        const auto name = askName(settings_.trackNames[size_t(track)]);
        if (!name) return;
        settings_.trackNames[size_t(track)] = *name;
    }
    fillPartLists();
    changed();
}

void CScoreSettingsDlg::accept() {
    const int created = createNewTracks(settings_, score_);
    if (created > 0 && relayout_) relayout_();
    // A dialog that changed nothing leaves no undo step.
    if (pushed_ && created == 0 && readScoreSettings(score_) == before_) history_.DiscardLast();
    QDialog::accept();
}

void CScoreSettingsDlg::reject() {
    if (pushed_) {
        history_.Undo();
    } else {
        applyScoreSettings(before_, score_);
    }
    if (relayout_) relayout_();
    QDialog::reject();
}

}  // namespace ks
