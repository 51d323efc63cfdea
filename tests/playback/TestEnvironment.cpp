// Playback tests never start a JACK server by accident: a JACK client that finds no
// server would otherwise try to start one (slow, and it fails without a sound card).
#include <QByteArray>
#include <QtGlobal>

namespace {

const bool noJackAutostart = qputenv("JACK_NO_START_SERVER", QByteArray("1"));

}  // namespace
