#include "MidiInput.h"

#include "MidiPorts.h"
#include "PlayDevice.h"
#include "PlaybackStrings.h"
#include "model/TextTable.h"

namespace ks {

namespace {

constexpr const char* kEnabled = "EnableMidiIn";
constexpr const char* kThru = "EnableMidiThru";
constexpr const char* kDevice = "MidiInDevice";

}  // namespace

std::unique_ptr<QSettings> MidiInputSettings::store() {
    return std::make_unique<QSettings>(QStringLiteral("Halvern"),
                                       QStringLiteral("Halvern Keystaves Notation Software"));
}

MidiInputSettings MidiInputSettings::read(QSettings& settings) {
    MidiInputSettings s;
    s.enabled = settings.value(QLatin1String(kEnabled), 0).toInt() != 0;
    s.thru = settings.value(QLatin1String(kThru), 0).toInt() != 0;
    s.device = settings.value(QLatin1String(kDevice), 0).toInt();
    return s;
}

void MidiInputSettings::write(QSettings& settings, bool withDevice) const {
    settings.setValue(QLatin1String(kEnabled), enabled ? 1 : 0);
    if (withDevice) settings.setValue(QLatin1String(kDevice), device);
    settings.setValue(QLatin1String(kThru), thru ? 1 : 0);
}

CMidiInput::~CMidiInput() {
    Close();
}

void CMidiInput::applySettings(const MidiInputSettings& settings) {
    enabled = settings.enabled;
    thru = settings.thru;
    deviceNumber = settings.device;
    if (!enabled && isOpen()) {
        Stop();
        Close();
    }
}

void CMidiInput::Open() {
    Close();
    if (!enabled || deviceNumber < 0) return;
    QString error;
    auto receiver = [this](const std::vector<unsigned char>& m) {
        receiveBytes(m.data(), m.size());
    };
    port_ = opener_ ? opener_(deviceNumber, receiver, error)
                    : midiports::openInput(deviceNumber, receiver, error);
    if (!port_) report(error);
}

void CMidiInput::Start() {
    emptyRing();
    if (!isOpen()) return;
    startedAt_ = std::chrono::steady_clock::now();
    started_ = true;
}

void CMidiInput::Stop() {
    started_ = false;
}

void CMidiInput::Close() {
    started_ = false;
    port_.reset();
}

QStringList CMidiInput::deviceNames() {
    return midiports::inputNames();
}

void CMidiInput::receiveBytes(const unsigned char* bytes, size_t count) {
    if (count == 0 || !started_) return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - startedAt_);
    const uint32_t packed = uint32_t(bytes[0]) | (count > 1 ? uint32_t(bytes[1]) << 8 : 0) |
                            (count > 2 ? uint32_t(bytes[2]) << 16 : 0);
    receive(static_cast<uint32_t>(ms.count()), packed);
}

void CMidiInput::receive(uint32_t milliseconds, uint32_t packedMessage) {
    if (!started_ || packedMessage == MidiStatus::ActiveSensing) return;
    const uint32_t w = written_.load(std::memory_order_relaxed);
    if (w - read_.load(std::memory_order_acquire) + 2 > kRingWords) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    ring_[w % kRingWords] = milliseconds;
    ring_[(w + 1) % kRingWords] = packedMessage;
    written_.store(w + 2, std::memory_order_release);
    if (notify_) notify_();
}

bool CMidiInput::read(uint32_t& milliseconds, uint32_t& packedMessage) {
    const uint32_t r = read_.load(std::memory_order_relaxed);
    if (r == written_.load(std::memory_order_acquire)) return false;
    milliseconds = ring_[r % kRingWords];
    packedMessage = ring_[(r + 1) % kRingWords];
    read_.store(r + 2, std::memory_order_release);
    return true;
}

void CMidiInput::emptyRing() {
    read_.store(written_.load(std::memory_order_acquire), std::memory_order_release);
}

void CMidiInput::report(const QString& message) const {
    if (reporter_)
        reporter_(text(PlaybackString::MidiInputTitle),
                  message.isEmpty() ? text(PlaybackString::InputBadErrorNumber) : message);
}

}  // namespace ks
