// The element readers of the current format: each reads one element's attributes
// into the score, with the defaults and clamping that keep the model valid.
#include <algorithm>

#include "model/StringIds.h"
#include "storage/AttributeReading.h"
#include "storage/ScoreReader.h"

namespace ks {

using namespace attrs;
using E = CMarkupElement;

// --- score and settings ---------------------------------------------------------------

void ScoreReader::readScoreAttributes(const E& e) {
    read(e, u"title", score_.title);
    read(e, u"subtitle", score_.subtitle);
    read(e, u"artist", score_.artist);
    read(e, u"copyright", score_.copyright);
    // A resolution outside 1..kMaxPpqn cannot be worked with: the default replaces it.
    const int32_t ppqn = getInt(e, u"ppqn", score_.ppqn);
    score_.ppqn = ppqn >= 1 && ppqn <= kMaxPpqn ? ppqn : kDefaultPpqn;
    score_.length = getClamped(e, u"length", score_.length, 0, kMaxReaderTick);
    score_.editlength = getClamped(e, u"editlength", score_.editlength, 0, kMaxReaderTick);
    read(e, u"internetID", score_.internetID);
    read(e, u"filehash", score_.filehash);
}

void ScoreReader::readPreferences(const E& e) {
    CDisplaySettings& p = score_.prefs;
    p.showlyrics = false;
    p.customfingering = false;
    p.stavetype = 0;
    const bool hideLeading = getBool(e, u"hideleadingrests", false);
    p.hiderestsatstart = p.hiderestsatend = p.indentatstart = p.indentatend = hideLeading;
    read(e, u"zoom", p.zoom);
    read(e, u"extendmode", p.extendmode);
    read(e, u"optimise", p.optimise);
    read(e, u"barsperline", p.barsperline);
    read(e, u"fontsize", p.fontsize);
    read(e, u"cursorstep", p.cursorstep);
    read(e, u"cursorstyle", p.cursorstyle);
    read(e, u"showcopyright", p.showcopyright);
    read(e, u"showtitle", p.showtitle);
    read(e, u"showsubtitle", p.showsubtitle);
    read(e, u"showpagenumbers", p.showpagenumbers);
    read(e, u"showbarnumbers", p.showbarnumbers);
    read(e, u"showclefs", p.showclefs);
    read(e, u"showkeyboards", p.showkeyboards);
    read(e, u"showannotations", p.showannotations);
    read(e, u"showtimesignature", p.showtimesignature);
    read(e, u"showtempo", p.showtempo);
    read(e, u"showrests", p.showrests);
    read(e, u"showstems", p.showstems);
    read(e, u"showlyrics", p.showlyrics);
    read(e, u"grayties", p.grayties);
    read(e, u"customfingering", p.customfingering);
    read(e, u"stavegap", p.stavegap);
    read(e, u"showartist", p.showartist);
    read(e, u"showfilename", p.showfilename);
    read(e, u"dynamicorientation", p.dynamicorientation);
    read(e, u"stavetype", p.stavetype);
    read(e, u"hiderestsatstart", p.hiderestsatstart);
    read(e, u"hiderestsatend", p.hiderestsatend);
    read(e, u"indentatstart", p.indentatstart);
    read(e, u"indentatend", p.indentatend);
    read(e, u"usebarzero", p.usebarzero);
    read(e, u"fadeextend", p.fadeextend);
    read(e, u"showonlyusedlines", p.showonlyusedlines);
    read(e, u"reducedspacing", p.reducedspacing);
    read(e, u"thicklines", p.thicklines);
    read(e, u"showfingering", p.showfingering);
    read(e, u"showkey", p.showkey);
    read(e, u"minorkey", p.minorkey);
    read(e, u"key", p.key);
    read(e, u"colourmode", p.colourmode);
    read(e, u"lyricalign", p.lyricalign);
    read(e, u"lyricposition", p.lyricposition);
    read(e, u"textoffset1", p.textoffset1);
    read(e, u"textoffset2", p.textoffset2);
    read(e, u"textoffset3", p.textoffset3);
    p.fontsize = std::clamp(p.fontsize, kMinFontSize, kMaxReaderFontSize);
    p.colourmode = std::clamp(p.colourmode, 0, kMaxColourMode);
    p.extendmode = std::clamp(p.extendmode, 0, 4);
    // Older documents keep the MIDI settings on this element; midiprefs, read after it,
    // wins where both are present.
    CMidiSettings& m = score_.midi;
    read(e, u"mididevice", m.device);
    read(e, u"midichannel", m.channel);
    read(e, u"midiprogram", m.program);
    read(e, u"tickchannel", m.tickchannel);
    read(e, u"tickprogram", m.tickprogram);
    read(e, u"tickpitch", m.tickpitch);
    read(e, u"tempo", m.tempo);
    read(e, u"tick", m.tick);
}

void ScoreReader::readMidiPrefs(const E& e) {
    CMidiSettings& m = score_.midi;
    read(e, u"device", m.device);
    read(e, u"channel", m.channel);
    read(e, u"program", m.program);
    read(e, u"tickchannel", m.tickchannel);
    read(e, u"tickprogram", m.tickprogram);
    read(e, u"tickpitch", m.tickpitch);
    read(e, u"tempo", m.tempo);
    read(e, u"tick", m.tick);
    read(e, u"velocity", m.velocity);
    read(e, u"compression", m.compression);
}

void ScoreReader::readPaperColour(const E& e) {
    CDisplaySettings& p = score_.prefs;
    p.paper = getInt(e, u"paper", kDefaultPaperColour);
    p.margin = getInt(e, u"margin", kDefaultPaperColour);
    p.grid = getInt(e, u"grid", kDefaultGridColour);
}

CUserFont ScoreReader::readFont(const E& e, const CUserFont& base) {
    CUserFont f = base;
    read(e, u"name", f.name);
    read(e, u"size", f.size);
    read(e, u"strikeout", f.strikeout);
    read(e, u"underline", f.underline);
    read(e, u"italic", f.italic);
    read(e, u"weight", f.weight);
    read(e, u"charset", f.charset);
    read(e, u"pitch", f.pitch);
    return f;
}

void ScoreReader::readTextBox(const E& e) {
    CTextBox box;
    read(e, u"text", box.text);
    read(e, u"name", box.name);
    read(e, u"font", box.font);
    read(e, u"height", box.height);
    read(e, u"left", box.left);
    read(e, u"top", box.top);
    read(e, u"right", box.right);
    read(e, u"bottom", box.bottom);
    box.splitLines();
    (box.name == u"Subtitle" ? score_.subtitleBox : score_.titleBox) = box;
}

void ScoreReader::readPart(const E& e) {
    const int32_t hand = getInt(e, u"hand", -1);
    if (hand < 0 || hand >= kPartCount) return;  // only four parts exist
    readPartEntry(hand, std::max(getInt(e, u"track", 0), 0));
}

void ScoreReader::readPartEntry(int part, int32_t track) {
    // A track shows in one part at most.
    for (int32_t& entry : score_.parts)
        if (track > 0 && entry == track) entry = 0;
    score_.parts[static_cast<size_t>(part)] = track;
}

// --- bars, lines, signatures ----------------------------------------------------------

void ScoreReader::readBarCount(const E& e) {
    const int32_t count = getClamped(e, u"count", 0, 0, kMaxBars);
    const size_t size = static_cast<size_t>(std::min(std::max(count, score_.barCount()), kMaxBars));
    if (score_.bars.size() < size) score_.bars.resize(size);
    for (size_t i = 0; i < score_.bars.size(); ++i)
        score_.bars[i].index = static_cast<int32_t>(i);
}

void ScoreReader::readBar(const E& e, CScoreBar& bar) {
    bar.styleLeft = getInt(e, u"styleLeft", 0);
    bar.styleRight = getInt(e, u"styleRight", 0);
    bar.width = getInt(e, u"width", kDefaultBarWidth);
    static const QString kOffsets[4] = {
        QStringLiteral("restoffset0"), QStringLiteral("restoffset1"), QStringLiteral("restoffset2"),
        QStringLiteral("restoffset3")};
    for (int i = 0; i < 4; ++i)
        bar.restoffset[i] = getInt(e, kOffsets[i], 0);
}

void ScoreReader::readLine(const E& e, CScoreLine& line) {
    line.x = getInt(e, u"x", 0);
    line.y = getInt(e, u"y", 0);
    line.yt = getInt(e, u"yt", kLineYtUnset);
    line.lpad = getInt(e, u"lpad", 0);
    line.size = getInt(e, u"size", 100000) / 100000.0;
    line.barCount = getInt(e, u"barCount", 0);
    line.minStaveGap = getInt(e, u"minStaveGap", 0);
}

void ScoreReader::readTimeSignature(const E& e) {
    // Deferred: the list is normalised once the whole document has been read, so that a
    // document of many signatures reads in linear time. The length is not touched.
    score_.setTimeSignature(getInt(e, u"nom", 4), getInt(e, u"denom", 4),
                            getClamped(e, u"bar", 0, 0, kMaxBars), 0, true);
}

void ScoreReader::readKeySignature(const E& e) {
    score_.setKeySignature(getInt(e, u"key", -1), getInt(e, u"bar", 0));
}

// --- tracks ----------------------------------------------------------------------------

void ScoreReader::beginTrack(const E& e, ScorePath id) {
    if (inTrack_) endTrack();
    inTrack_ = true;
    trackKind_ = id;
    track_ = CTrack{};
    notes_.clear();
    events_.clear();
    read(e, u"title", track_.title);
    track_.length = std::max(getInt(e, u"length", 0), 0);
}

void ScoreReader::endTrack() {
    if (!inTrack_) return;
    inTrack_ = false;
    track_.notes.AddAll(std::move(notes_));
    track_.events.AddAll(std::move(events_));
    notes_.clear();
    events_.clear();
    track_.chordsvalid = false;
    switch (trackKind_) {
        case ScorePath::Track:
        case ScorePath::OldTrack:
            score_.addTrack(track_);
            break;
        case ScorePath::TempoTrack:
            score_.tempoTrack = std::move(track_);
            break;
        case ScorePath::AnnotationTrack:
            score_.annotationTrack = std::move(track_);
            break;
        case ScorePath::UndoTrack:
            if (CTrack* target = score_.trackPtr(undoTarget_)) {
                *target = std::move(track_);
                score_.rebuildTrack(undoTarget_);
            }
            break;
        default:
            break;
    }
    score_.tempoTrack.owner = &score_;
    score_.annotationTrack.owner = &score_;
    track_ = CTrack{};
}

void ScoreReader::readNote(const E& e) {
    if (!inTrack_) return;
    CNote n;
    n.time = getInt(e, u"time", 0);
    n.duration = getInt(e, u"duration", 0);
    n.pitch = getInt(e, u"pitch", 60);
    n.velocity = getInt(e, u"velocity", kDefaultVelocity);
    n.flags = getInt(e, u"flags", 0);
    // Notes that cannot sound are dropped; the others are brought into range.
    if (n.time < 0 || n.duration <= 0) return;
    n.pitch = std::clamp(n.pitch, 0, 127);
    n.velocity = std::clamp(n.velocity, 1, 127);
    notes_.push_back(n);
}

void ScoreReader::readEvent(const E& e) {
    if (!inTrack_) return;
    static const QString kData[8] = {QStringLiteral("data0"), QStringLiteral("data1"),
                                     QStringLiteral("data2"), QStringLiteral("data3"),
                                     QStringLiteral("data4"), QStringLiteral("data5"),
                                     QStringLiteral("data6"), QStringLiteral("data7")};
    CEvent ev;
    ev.time = std::max(getInt(e, u"time", 0), 0);
    ev.type = getInt(e, u"type", 0);
    ev.setPitch(getInt(e, u"pitch", 0));
    read(e, u"text", ev.text);
    ev.fontindex = std::max(getInt(e, u"fontindex", 0), 0);
    for (int i = 0; i < 8; ++i)
        ev.data[i] = getInt(e, kData[i], 0);
    events_.push_back(std::move(ev));
}

// --- voltas, fonts, pages, selection, printer ----------------------------------------

void ScoreReader::readVolta(const E& e) {
    CScoreVolta v;
    v.type = getInt(e, u"type", 0);
    v.startbar = getInt(e, u"startbar", 0);
    v.endbar = getInt(e, u"endbar", 0);
    v.flags = getInt(e, u"flags", 0);
    read(e, u"caption", v.caption);
    // Without flags the passes come from the digits of the caption ("1, 3" is 1 and 3).
    if (v.flags == 0) {
        for (QChar c : v.caption)
            if (c >= u'1' && c <= u'9') v.flags |= 1 << (c.unicode() - u'1');
        if (v.flags == 0) v.flags = v.type == VoltaType::Closed ? 1 : 2;
    }
    score_.voltamarks.push_back(std::move(v));
}

void ScoreReader::beginUserFonts() {
    score_.userfonts.clear();
    fontIndex_.clear();
}

void ScoreReader::readUserFont(const E& e) {
    const CUserFont f = readFont(e, CUserFont{});
    // Find-or-add through a key of the compared fields, so that a document of many fonts
    // reads in linear time; equal fonts collapse into the first.
    const QString key = QStringLiteral("%1\x1f%2 %3 %4 %5 %6 %7 %8")
                            .arg(f.name.toCaseFolded())
                            .arg(f.size)
                            .arg(f.strikeout)
                            .arg(f.underline)
                            .arg(f.italic)
                            .arg(f.weight)
                            .arg(f.charset)
                            .arg(f.pitch);
    if (fontIndex_.contains(key)) return;
    fontIndex_.insert(key, static_cast<int>(score_.userfonts.size()));
    score_.userfonts.push_back(f);
}

void ScoreReader::readPage(const E& e) {
    if (score_.pages.size() >= static_cast<size_t>(kMaxBars)) return;
    CScorePage page;
    page.firstLine = std::max(getInt(e, u"first", 0), 0);
    page.lineCount = std::max(getInt(e, u"count", 0), 0);
    score_.pages.push_back(page);
}

void ScoreReader::readSelection(const E& e) {
    CSelection& s = score_.selection;
    read(e, u"hand", s.hand);
    read(e, u"mode", s.mode);
    read(e, u"timestart", s.timestart);
    read(e, u"timeend", s.timeend);
    read(e, u"pitchlo", s.pitchlo);
    read(e, u"pitchhi", s.pitchhi);
    s.lyricindex = getInt(e, u"lyricindex", 0);
    s.layoutindex = getInt(e, u"layoutindex", 0);
    s.layoutbar = getInt(e, u"layoutbar", 0);
    s.selecttrack = getInt(e, u"selecttrack", 0);
    s.hand = std::clamp(s.hand, 0, kPartCount - 1);
}

void ScoreReader::readHexPiece(const E& e, std::vector<QString>& pieces) {
    // The k-th element carries the k-th piece as its attribute data-k.
    const int k = static_cast<int>(pieces.size()) + 1;
    pieces.push_back(getString(e, QStringLiteral("data%1").arg(k)));
}

void ScoreReader::readMargins(const E& e) {
    if (!printer_) return;
    printer_->hasMargins = true;
    printer_->left = getInt(e, u"left", 0);
    printer_->top = getInt(e, u"top", 0);
    printer_->right = getInt(e, u"right", 0);
    printer_->bottom = getInt(e, u"bottom", 0);
}

}  // namespace ks
