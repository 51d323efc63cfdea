#include "app/MidiSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "app/MidiDeviceDialog.h"
#include "app/PlaybackControl.h"
#include "app/PlaybackTextIds.h"
#include "model/GeneralMidi.h"
#include "model/Score.h"
#include "model/TextTable.h"
#include "playback/PlayDevice.h"

namespace ks {

namespace {

// Control ids, kept as the widgets' object names.
QString controlName(int id) {
    return QString::number(id);
}

}  // namespace

CMidiSettingsDlg::CMidiSettingsDlg(PlaybackControl& playback, CScore& score, QWidget* parent)
    : QDialog(parent), playback_(playback), score_(score) {
    setWindowTitle(text(PlaybackText::SettingsTitle));
    const MidiSettingsForm form =
        MidiSettingsForm::fromScore(score, playback.midiInput().currentSettings());
    storedDevice_ = form.device;
    build(form);
}

QComboBox* CMidiSettingsDlg::numberedList(int id, int count, int selected) {
    auto* list = new QComboBox(this);
    list->setObjectName(controlName(id));
    list->addItems(numberedChoices(count));
    list->setCurrentIndex(selected >= 0 && selected < count ? selected : 0);
    return list;
}

QComboBox* CMidiSettingsDlg::instrumentList(int id, int selected) {
    // The programs by number and General MIDI name ("1 Acoustic Grand Piano").
    QComboBox* list = numberedList(id, 128, selected);
    for (int program = 0; program < list->count(); ++program)
        list->setItemText(program,
                          list->itemText(program) + u' ' + generalMidiProgramName(program));
    return list;
}

QLineEdit* CMidiSettingsDlg::digitBox(int id, const QString& value, const QString& whenEmpty) {
    auto* box = new QLineEdit(value, this);
    box->setObjectName(controlName(id));
    // Every change leaves digits only; an emptied box shows its stand-in value.
    connect(box, &QLineEdit::textChanged, this, [box, whenEmpty](const QString& typed) {
        const QString digits = digitsOnly(typed, whenEmpty);
        if (digits != typed) box->setText(digits);
    });
    return box;
}

void CMidiSettingsDlg::build(const MidiSettingsForm& form) {
    auto* layout = new QVBoxLayout(this);

    auto* playbackGroup = new QGroupBox(text(PlaybackText::PlaybackGroup), this);
    auto* playbackForm = new QFormLayout(playbackGroup);
    device_ = new QComboBox(this);
    device_->setObjectName(controlName(1140));
    const QStringList devices = playback_.outputDeviceNames();
    device_->addItems(devices);
    device_->setCurrentIndex(form.device >= 0 && form.device < devices.size() ? form.device : -1);
    channel_ = numberedList(1141, 16, form.channel);
    program_ = instrumentList(1142, form.program);
    test_ = new QPushButton(text(PlaybackText::Test), this);
    test_->setObjectName(controlName(1061));
    playbackForm->addRow(text(PlaybackText::PlaybackDevice), device_);
    playbackForm->addRow(text(PlaybackText::Channel), channel_);
    auto* instrumentRow = new QHBoxLayout;
    instrumentRow->addWidget(program_, 1);
    instrumentRow->addWidget(test_);
    playbackForm->addRow(text(PlaybackText::Instrument), instrumentRow);
    layout->addWidget(playbackGroup);

    auto* settingsGroup = new QGroupBox(text(PlaybackText::SettingsGroup), this);
    auto* settingsForm = new QFormLayout(settingsGroup);
    metronomeForm_ = settingsForm;
    tempo_ = digitBox(1031, form.tempo, QStringLiteral("1"));
    cursorStep_ = new QComboBox(this);
    cursorStep_->setObjectName(controlName(1143));
    cursorStep_->addItems(cursorStepChoices());
    cursorStep_->setCurrentIndex(std::clamp(form.cursorstep, 0, cursorStep_->count() - 1));
    cursorStyle_ = new QComboBox(this);
    cursorStyle_->setObjectName(controlName(1001));
    cursorStyle_->addItems(cursorStyleChoices());
    cursorStyle_->setCurrentIndex(std::clamp(form.cursorstyle, 0, cursorStyle_->count() - 1));
    velocity_ = digitBox(1032, form.velocity, QStringLiteral("0"));
    compression_ = digitBox(1033, form.compression, QStringLiteral("0"));
    metronome_ = new QCheckBox(text(PlaybackText::Metronome), this);
    metronome_->setObjectName(controlName(1043));
    metronome_->setChecked(form.metronome);
    tickChannel_ = numberedList(1144, 16, form.tickchannel);
    tickProgram_ = instrumentList(1145, form.tickprogram);
    tickPitch_ = numberedList(1146, 128, form.tickpitch);
    settingsForm->addRow(text(PlaybackText::Tempo), tempo_);
    settingsForm->addRow(text(PlaybackText::CursorStep), cursorStep_);
    settingsForm->addRow(text(PlaybackText::CursorStyle), cursorStyle_);
    settingsForm->addRow(text(PlaybackText::Velocity), velocity_);
    settingsForm->addRow(text(PlaybackText::Compression), compression_);
    settingsForm->addRow(metronome_);
    settingsForm->addRow(text(PlaybackText::MetronomeChannel), tickChannel_);
    settingsForm->addRow(text(PlaybackText::MetronomeInstrument), tickProgram_);
    settingsForm->addRow(text(PlaybackText::MetronomePitch), tickPitch_);
    layout->addWidget(settingsGroup);

    auto* inputGroup = new QGroupBox(text(PlaybackText::InputGroup), this);
    auto* inputRow = new QHBoxLayout(inputGroup);
    input_ = new QCheckBox(text(PlaybackText::Enable), this);
    input_->setObjectName(controlName(1147));
    input_->setChecked(form.midiIn);
    setDevice_ = new QPushButton(text(PlaybackText::SetDevice), this);
    setDevice_->setObjectName(controlName(1148));
    setDevice_->setEnabled(form.midiIn);
    inputRow->addWidget(input_);
    inputRow->addWidget(setDevice_);
    inputRow->addStretch(1);
    layout->addWidget(inputGroup);

    auto* thruGroup = new QGroupBox(text(PlaybackText::ThruGroup), this);
    auto* thruRow = new QHBoxLayout(thruGroup);
    thru_ = new QCheckBox(text(PlaybackText::Enable), this);
    thru_->setObjectName(controlName(1156));
    thru_->setChecked(form.midiThru);
    thruRow->addWidget(thru_);
    thruRow->addStretch(1);
    layout->addWidget(thruGroup);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMidiSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Choosing an entry (not setting one up) plays its preview.
    for (QComboBox* list : {device_, channel_, program_})
        connect(list, &QComboBox::activated, this, [this] { instrumentPreview(); });
    connect(test_, &QPushButton::clicked, this, [this] { instrumentPreview(); });
    for (QComboBox* list : {tickChannel_, tickProgram_})
        connect(list, &QComboBox::activated, this, [this] { metronomePreview(true); });
    connect(tickPitch_, &QComboBox::activated, this, [this] { metronomePreview(false); });
    connect(input_, &QCheckBox::toggled, this, &CMidiSettingsDlg::inputEnabled);
    // The metronome's sound is chosen only while the metronome is on.
    const auto metronomeFields = [this](bool on) {
        for (QWidget* field :
             {static_cast<QWidget*>(tickChannel_), static_cast<QWidget*>(tickProgram_),
              static_cast<QWidget*>(tickPitch_)}) {
            field->setEnabled(on);
            if (QWidget* label = metronomeForm_->labelForField(field)) label->setEnabled(on);
        }
    };
    metronomeFields(metronome_->isChecked());
    connect(metronome_, &QCheckBox::toggled, this, metronomeFields);
    connect(setDevice_, &QPushButton::clicked, this, &CMidiSettingsDlg::chooseInputDevice);
    // Thru takes effect at once.
    connect(thru_, &QCheckBox::toggled, this, [this](bool on) { playback_.midiInput().thru = on; });
}

MidiSettingsForm CMidiSettingsDlg::form() const {
    MidiSettingsForm f;
    f.device = device_->currentIndex() >= 0 ? device_->currentIndex() : storedDevice_;
    f.channel = channel_->currentIndex();
    f.program = program_->currentIndex();
    f.tempo = tempo_->text();
    f.cursorstep = cursorStep_->currentIndex();
    f.cursorstyle = cursorStyle_->currentIndex();
    f.velocity = velocity_->text();
    f.compression = compression_->text();
    f.metronome = metronome_->isChecked();
    f.tickchannel = tickChannel_->currentIndex();
    f.tickprogram = tickProgram_->currentIndex();
    f.tickpitch = tickPitch_->currentIndex();
    f.midiIn = input_->isChecked();
    f.midiThru = thru_->isChecked();
    return f;
}

void CMidiSettingsDlg::instrumentPreview() {
    const PreviewWait wait = wait_ ? wait_ : [](int ms) { QThread::msleep(ms); };
    playInstrumentPreview(playback_.device(), channel_->currentIndex(), program_->currentIndex(),
                          wait);
}

void CMidiSettingsDlg::metronomePreview(bool programChange) {
    const PreviewWait wait = wait_ ? wait_ : [](int ms) { QThread::msleep(ms); };
    playMetronomePreview(playback_.device(), tickChannel_->currentIndex(),
                         tickProgram_->currentIndex(), tickPitch_->currentIndex(), programChange,
                         wait);
}

void CMidiSettingsDlg::inputEnabled(bool on) {
    CMidiInput& input = playback_.midiInput();
    input.enabled = on;
    // Clearing the box stops and closes the keyboard at once.
    if (!on && input.isOpen()) {
        input.Stop();
        input.Close();
    }
    setDevice_->setEnabled(on);
}

void CMidiSettingsDlg::chooseInputDevice() {
    CMidiDeviceDlg chooser(playback_, this);
    chooser.exec();
    // Without a device there is no MIDI input.
    if (playback_.midiInput().deviceNumber < 0) input_->setChecked(false);
}

void CMidiSettingsDlg::accept() {
    const MidiSettingsForm f = form();
    f.applyTo(score_);
    CMidiInput& input = playback_.midiInput();
    const MidiInputSettings chosen = f.inputSettings(input.deviceNumber);
    input.enabled = chosen.enabled;
    input.thru = chosen.thru;
    if (!chosen.enabled && input.isOpen()) {
        input.Stop();
        input.Close();
    }
    const std::unique_ptr<QSettings> settings = MidiInputSettings::store();
    chosen.write(*settings, chosen.enabled);
    settings->sync();
    QDialog::accept();
}

}  // namespace ks
