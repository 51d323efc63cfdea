#include "interchange/MusicXmlExport.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdio>

#include "interchange/MusicXmlContainer.h"
#include "interchange/MusicXmlPartWriter.h"
#include "interchange/MusicXmlStringIds.h"
#include "interchange/XmlOut.h"
#include "model/GeneralMidi.h"
#include "storage/FileOutput.h"

namespace ks {

namespace {

constexpr std::string_view kDocType =
    "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 2.0 Partwise//EN\" "
    "\"http://www.musicxml.org/dtds/partwise.dtd\">";

int32_t roundHalfAway(double v) {
    return int32_t(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

QString number(int64_t v) {
    return QString::number(v);
}

void writeHeader(XmlOut& out, const CScore& score, const MusicXmlLayout& layout,
                 const MusicXmlExportOptions& options, double millimeters, double f) {
    out.open("work");
    out.leaf("work-title", score.title);
    out.close();

    out.open("identification");
    if (!score.artist.isEmpty()) out.leaf("creator", score.artist, {{"type", u"composer"}});
    if (!score.copyright.isEmpty()) out.leaf("rights", score.copyright);
    out.open("encoding");
    out.leaf("software", QStringLiteral("Halvern Keystaves v%1.%2.%3")
                             .arg(KS_VERSION_MAJOR)
                             .arg(KS_VERSION_MINOR)
                             .arg(KS_VERSION_PATCH));
    out.leaf("encoding-date", options.date.toString(QStringLiteral("yyyy-MM-dd")));
    out.close();
    out.close();

    const MusicXmlPage page = layout.page();
    const auto tenths = [f](int32_t thou) { return number(roundHalfAway(thou * f)); };
    char mm[64];
    std::snprintf(mm, sizeof mm, "%lf", millimeters);
    out.open("defaults");
    out.open("scaling");
    out.leaf("millimeters", std::string_view(mm));
    out.leaf("tenths", int64_t(40));
    out.close();
    out.open("page-layout");
    out.leaf("page-height", tenths(page.height));
    out.leaf("page-width", tenths(page.width));
    for (const char16_t* type : {u"even", u"odd"}) {
        out.open("page-margins", {{"type", QStringView(type)}});
        out.leaf("left-margin", tenths(page.marginLeft));
        out.leaf("right-margin", tenths(page.marginRight));
        out.leaf("top-margin", tenths(page.marginTop));
        out.leaf("bottom-margin", tenths(page.marginBottom));
        out.close();
    }
    out.close();
    out.close();

    if (!score.title.isEmpty() || !score.subtitle.isEmpty() || !score.artist.isEmpty()) {
        out.open("credit", {{"page", u"1"}});
        const std::pair<const QString*, const char16_t*> words[] = {
            {&score.title, u"24"}, {&score.subtitle, u"14"}, {&score.artist, u"12"}};
        for (const auto& [text, size] : words)
            if (!text->isEmpty())
                out.leaf(
                    "credit-words", *text,
                    {{"font-size", QStringView(size)}, {"justify", u"center"}, {"valign", u"top"}});
        out.close();
    }
}

void writePartList(XmlOut& out, const CScore& score) {
    const int program = std::clamp(score.midi.program, 0, 127);
    const int channel = std::clamp(score.midi.channel, 0, 15);
    out.open("part-list");
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        const QString id = QStringLiteral("P%1").arg(p + 1);
        const QString instrument = QStringLiteral("P%1-I%2").arg(p + 1).arg(program);
        out.open("score-part", {{"id", id}});
        out.leaf("part-name", score.track(t).title);
        // The instrument the MIDI settings refer to is declared first, as readers that
        // check references expect.
        out.open("score-instrument", {{"id", instrument}});
        out.leaf("instrument-name", generalMidiProgramName(program));
        out.close();
        out.open("midi-instrument", {{"id", instrument}});
        out.leaf("midi-channel", int64_t(channel + 1));
        out.leaf("midi-program", int64_t(program + 1));
        out.close();
        out.close();
    }
    out.close();
}

}  // namespace

std::string musicXmlText(const CScore& score, const MusicXmlLayout& layout,
                         const MusicXmlExportOptions& options) {
    const double millimeters = std::max(score.prefs.fontsize, kMinFontSize) * 4.4444444 * 0.0254;
    const double f = 1.016 / millimeters;
    XmlOut out;
    out.raw(R"(<?xml version="1.0" encoding="UTF-8"?>)");
    out.raw(kDocType);
    out.open("score-partwise", {{"version", u"2.0"}});
    writeHeader(out, score, layout, options, millimeters, f);
    writePartList(out, score);

    const MusicXmlPartContext context{score, layout, f};
    bool first = true;
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        const CTrack& track = score.track(t);
        if (track.chordsvalid) {
            writeMusicXmlPart(out, context, p, track, first);
        } else {
            // The chords are derived data; a track whose chords are out of date is
            // exported from a rebuilt copy, leaving the score as it is.
            CTrack copy = track;
            copy.rebuildChords(score.length);
            copy.beams.clear();
            writeMusicXmlPart(out, context, p, copy, first);
        }
        first = false;
    }
    out.close();
    return out.bytes();
}

MusicXmlExportResult ExportMusicXml(const CScore& score, const QString& path,
                                    const MusicXmlLayout& layout,
                                    const MusicXmlExportOptions& options) {
    const QFileInfo info(path);
    const bool compressed = info.suffix().compare(u"mxl", Qt::CaseInsensitive) == 0;
    const QString xmlPath =
        compressed ? info.dir().filePath(info.completeBaseName() + QStringLiteral(".xml")) : path;
    const std::string text = musicXmlText(score, layout, options);
    if (!writeFileBytes(xmlPath, QByteArrayView(text.data(), qsizetype(text.size())), false))
        return {false, MusicXmlStringId::UnableToWrite};
    if (!compressed) return {true, 0};
    const ContainerBuildResult built = buildMusicXmlContainer(xmlPath, path);
    return {built.ok, built.messageId};
}

}  // namespace ks
