#include "app/MidiDeviceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/AppTextIds.h"
#include "app/PlaybackControl.h"
#include "app/PlaybackTextIds.h"
#include "app/UserInterface.h"
#include "model/TextTable.h"
#include "playback/MidiInputHandler.h"
#include "playback/PlaybackStrings.h"

namespace ks {

CMidiDeviceDlg::CMidiDeviceDlg(PlaybackControl& playback, QWidget* parent)
    : QDialog(parent), playback_(playback) {
    setWindowTitle(text(PlaybackText::ChooseInputTitle));
    CMidiInput& input = playback_.midiInput();
    const InputDeviceChoice choice =
        chooseInputDevice(playback_.inputDeviceNames(), input.deviceNumber, input.enabled);
    noDevice_ = choice.noDevice;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(PlaybackText::InputDevice), this));
    devices_ = new QComboBox(this);
    devices_->setObjectName(QStringLiteral("1149"));
    devices_->addItems(choice.names);
    if (choice.selected >= 0 && choice.selected < devices_->count())
        devices_->setCurrentIndex(choice.selected);
    layout->addWidget(devices_);
    // With MIDI input switched off the list stays empty: the dialog says why.
    explanation_ = new QLabel(text(StringId::MidiInputSwitchedOff), this);
    explanation_->setWordWrap(true);
    explanation_->setVisible(devices_->count() == 0 && !noDevice_);
    layout->addWidget(explanation_);
    layout->addWidget(new QLabel(text(PlaybackText::MessagesReceived), this));
    monitor_ = new QListWidget(this);
    layout->addWidget(monitor_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMidiDeviceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMidiDeviceDlg::reject);
    layout->addWidget(buttons);

    // While the chooser is open the keyboard's messages come here.
    playback_.inputMonitor = [this] { drainInput(); };
}

CMidiDeviceDlg::~CMidiDeviceDlg() {
    playback_.inputMonitor = nullptr;
}

int CMidiDeviceDlg::exec() {
    if (noDevice_) {
        playback_.midiInput().deviceNumber = -1;
        // What is missing, and what to do about it, follow the message.
        const int reason =
            playback_.midiSystemFound() ? StringId::ConnectMidiKeyboard : StringId::NoMidiSystem;
        playback_.ui().showMessage(
            PlaybackText::PlainMessage,
            {text(PlaybackString::NoInputDevice) + QStringLiteral("\n\n") + text(reason)});
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void CMidiDeviceDlg::drainInput() {
    uint32_t stamp = 0;
    uint32_t message = 0;
    while (playback_.midiInput().read(stamp, message))
        monitor_->addItem(monitorLine(stamp, message));
    monitor_->scrollToBottom();
}

void CMidiDeviceDlg::accept() {
    CMidiInput& input = playback_.midiInput();
    input.Close();
    if (devices_->currentIndex() >= 0) input.deviceNumber = devices_->currentIndex();
    QDialog::accept();
}

void CMidiDeviceDlg::reject() {
    playback_.midiInput().Close();
    QDialog::reject();
}

}  // namespace ks
