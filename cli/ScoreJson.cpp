#include "ScoreJson.h"

#include <QJsonArray>

namespace ks {

namespace {

QJsonObject noteJson(const CNote& n) {
    return {{"time", n.time},
            {"duration", n.duration},
            {"flags", n.flags},
            {"pitch", n.pitch},
            {"velocity", n.velocity}};
}

QJsonObject eventJson(const CEvent& e) {
    QJsonObject o{{"time", e.time},
                  {"type", e.type},
                  {"text", e.text},
                  {"pitch", e.pitch},
                  {"fontindex", e.fontindex}};
    for (int i = 0; i < 8; ++i)
        o.insert(QStringLiteral("data%1").arg(i), e.data[i]);
    return o;
}

QJsonObject fontJson(const CUserFont& f) {
    return {{"name", f.name},           {"size", f.size},     {"strikeout", f.strikeout},
            {"underline", f.underline}, {"italic", f.italic}, {"weight", f.weight},
            {"charset", f.charset},     {"pitch", f.pitch}};
}

QJsonObject trackJson(const CTrack& t) {
    QJsonArray notes, events;
    for (const CNote& n : t.notes)
        notes.append(noteJson(n));
    for (const CEvent& e : t.events)
        events.append(eventJson(e));
    return {{"title", t.title}, {"length", t.length}, {"notes", notes}, {"events", events}};
}

QJsonObject preferencesJson(const CDisplaySettings& p) {
    return {{"zoom", p.zoom},
            {"extendmode", p.extendmode},
            {"optimise", p.optimise},
            {"barsperline", p.barsperline},
            {"fontsize", p.fontsize},
            {"cursorstep", p.cursorstep},
            {"cursorstyle", p.cursorstyle},
            {"showcopyright", p.showcopyright},
            {"showtitle", p.showtitle},
            {"showsubtitle", p.showsubtitle},
            {"showpagenumbers", p.showpagenumbers},
            {"showbarnumbers", p.showbarnumbers},
            {"showclefs", p.showclefs},
            {"showkeyboards", p.showkeyboards},
            {"showannotations", p.showannotations},
            {"showtimesignature", p.showtimesignature},
            {"showtempo", p.showtempo},
            {"showrests", p.showrests},
            {"showstems", p.showstems},
            {"showlyrics", p.showlyrics},
            {"grayties", p.grayties},
            {"customfingering", p.customfingering},
            {"stavegap", p.stavegap},
            {"showartist", p.showartist},
            {"showfilename", p.showfilename},
            {"dynamicorientation", p.dynamicorientation},
            {"stavetype", p.stavetype},
            {"hiderestsatstart", p.hiderestsatstart},
            {"hiderestsatend", p.hiderestsatend},
            {"indentatstart", p.indentatstart},
            {"indentatend", p.indentatend},
            {"usebarzero", p.usebarzero},
            {"fadeextend", p.fadeextend},
            {"showonlyusedlines", p.showonlyusedlines},
            {"reducedspacing", p.reducedspacing},
            {"thicklines", p.thicklines},
            {"showfingering", p.showfingering},
            {"showkey", p.showkey},
            {"minorkey", p.minorkey},
            {"key", p.key},
            {"colourmode", p.colourmode},
            {"lyricalign", p.lyricalign},
            {"lyricposition", p.lyricposition},
            {"textoffset1", p.textoffset1},
            {"textoffset2", p.textoffset2},
            {"textoffset3", p.textoffset3},
            {"paper", p.paper},
            {"margin", p.margin},
            {"grid", p.grid}};
}

QJsonObject midiJson(const CMidiSettings& m) {
    return {{"device", m.device},
            {"channel", m.channel},
            {"program", m.program},
            {"tickchannel", m.tickchannel},
            {"tickprogram", m.tickprogram},
            {"tickpitch", m.tickpitch},
            {"tempo", m.tempo},
            {"tick", m.tick},
            {"velocity", m.velocity},
            {"compression", m.compression}};
}

QJsonObject textBoxJson(const CTextBox& b) {
    return {
        {"text", b.text},     {"name", b.name},     {"font", b.font},
        {"height", b.height}, {"left", b.left},     {"top", b.top},
        {"right", b.right},   {"bottom", b.bottom}, {"lines", QJsonArray::fromStringList(b.lines)}};
}

}  // namespace

QJsonObject scoreToJson(const CScore& s) {
    QJsonArray tracks, timesigs, keysigs, voltas, fonts, parts, bars, lines;
    for (const CTrack& t : s.tracks)
        tracks.append(trackJson(t));
    for (const CTimeSignature& t : s.timesigs)
        timesigs.append(QJsonObject{{"bar", t.bar},
                                    {"nom", t.nom},
                                    {"denom", t.denom},
                                    {"time", t.time},
                                    {"barlength", t.barlength}});
    for (const CKeySignature& k : s.keysigs)
        keysigs.append(QJsonObject{{"bar", k.bar}, {"key", k.key}});
    for (const CScoreVolta& v : s.voltamarks)
        voltas.append(QJsonObject{{"type", v.type},
                                  {"startbar", v.startbar},
                                  {"endbar", v.endbar},
                                  {"caption", v.caption},
                                  {"flags", v.flags}});
    for (const CUserFont& f : s.userfonts)
        fonts.append(fontJson(f));
    for (int32_t p : s.parts)
        parts.append(p);
    // Bars and lines carry the values saved with the document.
    for (const CScoreBar& b : s.bars) {
        if (b.styleLeft == 0 && b.styleRight == 0 && b.width == kDefaultBarWidth &&
            b.restoffset[0] == 0 && b.restoffset[1] == 0 && b.restoffset[2] == 0 &&
            b.restoffset[3] == 0)
            continue;
        bars.append(QJsonObject{{"index", b.index},
                                {"styleLeft", b.styleLeft},
                                {"styleRight", b.styleRight},
                                {"width", b.width},
                                {"restoffset0", b.restoffset[0]},
                                {"restoffset1", b.restoffset[1]},
                                {"restoffset2", b.restoffset[2]},
                                {"restoffset3", b.restoffset[3]}});
    }
    for (const CScoreLine& l : s.lines)
        lines.append(QJsonObject{{"x", l.x},
                                 {"y", l.y},
                                 {"yt", l.yt},
                                 {"lpad", l.lpad},
                                 {"size", l.size},
                                 {"barCount", l.barCount},
                                 {"minStaveGap", l.minStaveGap}});
    return {{"title", s.title},
            {"subtitle", s.subtitle},
            {"artist", s.artist},
            {"copyright", s.copyright},
            {"ppqn", s.ppqn},
            {"length", s.length},
            {"editlength", s.editlength},
            {"internetID", s.internetID},
            {"filehash", s.filehash},
            {"parts", parts},
            {"preferences", preferencesJson(s.prefs)},
            {"midiprefs", midiJson(s.midi)},
            {"font", fontJson(s.font)},
            {"titlebox", textBoxJson(s.titleBox)},
            {"subtitlebox", textBoxJson(s.subtitleBox)},
            {"barcount", s.barCount()},
            {"bars", bars},
            {"lines", lines},
            {"timesigs", timesigs},
            {"keysigs", keysigs},
            {"tracks", tracks},
            {"voltamarks", voltas},
            {"tempotrack", trackJson(s.tempoTrack)},
            {"annotationtrack", trackJson(s.annotationTrack)},
            {"userfonts", fonts}};
}

}  // namespace ks
