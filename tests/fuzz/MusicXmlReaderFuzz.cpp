// libFuzzer target for the MusicXML reader and import. Besides surviving any input, a
// document that reads must build a score whose own export reads again.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "interchange/MusicXmlExport.h"
#include "interchange/MusicXmlImport.h"
#include "interchange/MusicXmlReader.h"

namespace {

class PlainLayout final : public ks::MusicXmlLayout {
  public:
    ks::MusicXmlPage page() const override { return {}; }
    int32_t barWidth(int) const override { return 1000; }
    int32_t chordX(int, int32_t) const override { return 0; }
    bool stemUp(int, const ks::CTrack&, int) const override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ks::XmlScore x;
    if (!ks::readMusicXml(bytes, x).ok) return 0;
    ks::CScore score;
    ks::buildScoreFromMusicXml(x, score);
    const std::string text = ks::musicXmlText(score, PlainLayout());
    ks::XmlScore back;
    if (!ks::readMusicXml(QByteArray::fromStdString(text), back).ok) __builtin_trap();
    return 0;
}
