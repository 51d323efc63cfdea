// The MIDI input device chooser ("Set Device" in the MIDI Settings dialog): a list of
// the machine's MIDI input devices and a monitor that lists each message the keyboard
// sends while the dialog is open. Without any input device it tells the user and ends
// as cancelled, leaving the input without a device.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;

namespace ks {

class PlaybackControl;

class CMidiDeviceDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CMidiDeviceDlg(PlaybackControl& playback, QWidget* parent = nullptr);
    ~CMidiDeviceDlg() override;

    // Shows the dialog; with no input device only the message, as a cancel.
    int exec() override;
    void accept() override;
    void reject() override;

    // Takes the messages waiting in the input's ring into the monitor list.
    void drainInput();

    QComboBox* deviceList() const { return devices_; }  // 1149
    QListWidget* monitor() const { return monitor_; }
    // Why the list is empty (MIDI input switched off); hidden when it is not.
    QLabel* explanation() const { return explanation_; }

  private:
    PlaybackControl& playback_;
    bool noDevice_ = false;
    QComboBox* devices_ = nullptr;
    QListWidget* monitor_ = nullptr;
    QLabel* explanation_ = nullptr;
};

}  // namespace ks
