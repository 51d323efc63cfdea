#include "MidiPorts.h"

#include <rtmidi/RtMidi.h>

#include <mutex>

#include "PlaybackStrings.h"
#include "model/TextTable.h"

namespace ks::midiports {

namespace {

constexpr const char* kClientName = "Keystaves";

// Collects the text of RtMidi's errors and warnings instead of printing or throwing.
struct ErrorSink {
    std::string text;
    static void callback(RtMidiError::Type, const std::string& message, void* self) {
        static_cast<ErrorSink*>(self)->text = message;
    }
};

RtMidi::Api api(System s) {
    switch (s) {
        case System::Alsa:
            return RtMidi::LINUX_ALSA;
        case System::Jack:
            return RtMidi::UNIX_JACK;
        default:
            return RtMidi::UNSPECIFIED;
    }
}

System probe() {
#ifdef __linux__
    try {
        RtMidiOut out(RtMidi::LINUX_ALSA, kClientName);
        return System::Alsa;
    } catch (const RtMidiError&) {
    }
    // Without a server the JACK back end only warns, and opening a port afterwards
    // crashes inside libjack: a warning while listing ports means no JACK.
    try {
        RtMidiOut out(RtMidi::UNIX_JACK, kClientName);
        ErrorSink sink;
        out.setErrorCallback(&ErrorSink::callback, &sink);
        out.getPortCount();
        if (sink.text.empty()) return System::Jack;
    } catch (const RtMidiError&) {
    }
    return System::None;
#else
    try {
        RtMidiOut out(RtMidi::UNSPECIFIED, kClientName);
        return System::Native;
    } catch (const RtMidiError&) {
        return System::None;
    }
#endif
}

template <class Port>
QStringList portNames() {
    QStringList names;
    if (system() == System::None) return names;
    try {
        Port port(api(system()), kClientName);
        ErrorSink sink;
        port.setErrorCallback(&ErrorSink::callback, &sink);
        const unsigned count = port.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names << QString::fromStdString(port.getPortName(i));
    } catch (const RtMidiError&) {
    }
    return names;
}

class PortOutput : public MidiOutput {
  public:
    explicit PortOutput(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {
        out_->setErrorCallback(&ErrorSink::callback, &sink_);
    }
    bool send(const uint8_t* bytes, int count, QString& error) override {
        sink_.text.clear();
        try {
            out_->sendMessage(bytes, static_cast<size_t>(count));
        } catch (const RtMidiError& e) {
            sink_.text = e.getMessage();
        }
        if (sink_.text.empty()) return true;
        error = QString::fromStdString(sink_.text);
        return false;
    }

  private:
    std::unique_ptr<RtMidiOut> out_;
    ErrorSink sink_;
};

class RtInputPort : public InputPort {
  public:
    RtInputPort(std::unique_ptr<RtMidiIn> in, Receiver receiver)
        : in_(std::move(in)), receiver_(std::move(receiver)) {
        in_->setErrorCallback(&ErrorSink::callback, &sink_);
        in_->setCallback(&RtInputPort::received, this);
    }
    ~RtInputPort() override {
        try {
            in_->cancelCallback();
            in_->closePort();
        } catch (const RtMidiError&) {
        }
    }

  private:
    static void received(double, std::vector<unsigned char>* message, void* self) {
        auto* port = static_cast<RtInputPort*>(self);
        if (message && !message->empty() && message->front() != 0xF0) port->receiver_(*message);
    }
    std::unique_ptr<RtMidiIn> in_;
    Receiver receiver_;
    ErrorSink sink_;
};

}  // namespace

System system() {
    static std::once_flag once;
    static System found = System::None;
    std::call_once(once, [] { found = probe(); });
    return found;
}

QStringList outputNames() {
    return portNames<RtMidiOut>();
}

QStringList inputNames() {
    return portNames<RtMidiIn>();
}

std::unique_ptr<MidiOutput> openOutput(int port, QString& error) {
    error =
        QString::asprintf(text(PlaybackString::NoSuchOutputDevice).toUtf8().constData(), port + 1);
    if (system() == System::None || port < 0) return nullptr;
    try {
        auto out = std::make_unique<RtMidiOut>(api(system()), kClientName);
        ErrorSink sink;
        out->setErrorCallback(&ErrorSink::callback, &sink);
        if (static_cast<unsigned>(port) >= out->getPortCount()) return nullptr;
        out->openPort(static_cast<unsigned>(port), "Keystaves Playback");
        if (!sink.text.empty() || !out->isPortOpen()) {
            if (!sink.text.empty()) error = QString::fromStdString(sink.text);
            return nullptr;
        }
        return std::make_unique<PortOutput>(std::move(out));
    } catch (const RtMidiError& e) {
        error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

std::unique_ptr<InputPort> openInput(int port, InputPort::Receiver receiver, QString& error) {
    error = QString::asprintf(text(PlaybackString::NoSuchInputDevice).toUtf8().constData(), port);
    if (system() == System::None || port < 0) return nullptr;
    try {
        auto in = std::make_unique<RtMidiIn>(api(system()), kClientName);
        ErrorSink sink;
        in->setErrorCallback(&ErrorSink::callback, &sink);
        if (static_cast<unsigned>(port) >= in->getPortCount()) return nullptr;
        in->openPort(static_cast<unsigned>(port), "Keystaves Input");
        if (!sink.text.empty() || !in->isPortOpen()) {
            if (!sink.text.empty()) error = QString::fromStdString(sink.text);
            return nullptr;
        }
        return std::make_unique<RtInputPort>(std::move(in), std::move(receiver));
    } catch (const RtMidiError& e) {
        error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

}  // namespace ks::midiports
