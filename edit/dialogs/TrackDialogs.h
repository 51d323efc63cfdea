// The track dialogs: add a new track, delete a track, merge two tracks, and the name of
// a track. Destination lists hold "(none - do not add to score)" and the four parts;
// the chosen position minus one is the part (-1 none).
#pragma once

#include <QDialog>

#include "edit/dialogs/DialogMessages.h"
#include "model/Score.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace ks {

// A destination list, preset to `part` (-1 none).
QComboBox* destinationList(int part, QWidget* parent);
// A list of the score's track names, preset to `track`.
QComboBox* trackList(const CScore& score, int track, QWidget* parent);

// CTrackAddNewDlg: the title ("Untitled Track") and the destination (none).
class CTrackAddNewDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CTrackAddNewDlg(QWidget* parent = nullptr);
    QString title() const;
    int part() const;

    QLineEdit* titleEdit() const { return title_; }
    QComboBox* destination() const { return destination_; }

  private:
    QLineEdit* title_;
    QComboBox* destination_;
};

// CTrackDeleteDlg: the track names, the first chosen.
class CTrackDeleteDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CTrackDeleteDlg(const CScore& score, QWidget* parent = nullptr);
    int track() const;
    QListWidget* tracks() const { return tracks_; }

  private:
    QListWidget* tracks_;
};

// CTrackMergeDlg: Track 1 (the first track), Track 2 (the second) and the destination
// (none). Choosing one track twice is refused with a message and the dialog stays open.
class CTrackMergeDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CTrackMergeDlg(const CScore& score, QWidget* parent = nullptr);
    int first() const;
    int second() const;
    int part() const;
    void accept() override;

    QComboBox* firstList() const { return first_; }
    QComboBox* secondList() const { return second_; }
    QComboBox* destination() const { return destination_; }
    DialogMessage message = defaultDialogMessage();

  private:
    QComboBox* first_;
    QComboBox* second_;
    QComboBox* destination_;
};

// CTrackNameDlg: one edit box holding the name.
class CTrackNameDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CTrackNameDlg(const QString& name, QWidget* parent = nullptr);
    QString name() const;
    QLineEdit* nameEdit() const { return name_; }

  private:
    QLineEdit* name_;
};

}  // namespace ks
