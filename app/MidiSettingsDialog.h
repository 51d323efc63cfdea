// The MIDI Settings dialog (F7): the output device and sound of the music, the playback
// tempo, velocity and cursor, the metronome, and the MIDI keyboard's input and thru.
// Edit boxes keep digits only; choosing a device, channel or instrument plays a preview.
// OK writes the settings into the score (tempo, velocity and compression kept within
// their limits) and the keyboard's settings into the program's settings.
#pragma once

#include <QDialog>

#include "playback/MidiSettings.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace ks {

class CScore;
class PlaybackControl;

class CMidiSettingsDlg : public QDialog {
    Q_OBJECT
  public:
    CMidiSettingsDlg(PlaybackControl& playback, CScore& score, QWidget* parent = nullptr);

    // Waits between the notes of a preview; the thread sleeps unless this is set.
    void setPreviewWait(PreviewWait wait) { wait_ = std::move(wait); }
    // The controls read back.
    MidiSettingsForm form() const;
    void accept() override;

    // The controls, by their ids, for tests.
    QComboBox* deviceList() const { return device_; }                    // 1140
    QComboBox* channelList() const { return channel_; }                  // 1141
    QComboBox* instrumentList() const { return program_; }               // 1142
    QLineEdit* tempoBox() const { return tempo_; }                       // 1031
    QComboBox* cursorStepList() const { return cursorStep_; }            // 1143
    QComboBox* cursorStyleList() const { return cursorStyle_; }          // 1001
    QLineEdit* velocityBox() const { return velocity_; }                 // 1032
    QLineEdit* compressionBox() const { return compression_; }           // 1033
    QCheckBox* metronomeBox() const { return metronome_; }               // 1043
    QComboBox* metronomeChannelList() const { return tickChannel_; }     // 1144
    QComboBox* metronomeInstrumentList() const { return tickProgram_; }  // 1145
    QComboBox* metronomePitchList() const { return tickPitch_; }         // 1146
    QPushButton* testButton() const { return test_; }                    // 1061
    QCheckBox* inputBox() const { return input_; }                       // 1147
    QPushButton* setDeviceButton() const { return setDevice_; }          // 1148
    QCheckBox* thruBox() const { return thru_; }                         // 1156

  private:
    void build(const MidiSettingsForm& form);
    QComboBox* numberedList(int id, int count, int selected);
    QComboBox* instrumentList(int id, int selected);
    QLineEdit* digitBox(int id, const QString& value, const QString& whenEmpty);
    void instrumentPreview();
    void metronomePreview(bool programChange);
    void inputEnabled(bool on);
    void chooseInputDevice();

    PlaybackControl& playback_;
    CScore& score_;
    int storedDevice_ = 0;
    PreviewWait wait_;

    QComboBox* device_ = nullptr;
    QComboBox* channel_ = nullptr;
    QComboBox* program_ = nullptr;
    QLineEdit* tempo_ = nullptr;
    QComboBox* cursorStep_ = nullptr;
    QComboBox* cursorStyle_ = nullptr;
    QLineEdit* velocity_ = nullptr;
    QLineEdit* compression_ = nullptr;
    QCheckBox* metronome_ = nullptr;
    QComboBox* tickChannel_ = nullptr;
    QComboBox* tickProgram_ = nullptr;
    QComboBox* tickPitch_ = nullptr;
    QPushButton* test_ = nullptr;
    QCheckBox* input_ = nullptr;
    QPushButton* setDevice_ = nullptr;
    QCheckBox* thru_ = nullptr;
    QFormLayout* metronomeForm_ = nullptr;  // the form holding the metronome's fields
};

}  // namespace ks
