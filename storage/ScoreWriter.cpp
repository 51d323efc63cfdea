#include "ScoreWriter.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "storage/StringCoding.h"

namespace ks {

namespace {

using E = CMarkupElement;

// Attribute names, shared so that building a large document allocates no name strings.
#define KS_NAME(id, text) const QString id = QStringLiteral(text)
KS_NAME(kTime, "time");
KS_NAME(kDuration, "duration");
KS_NAME(kPitch, "pitch");
KS_NAME(kVelocity, "velocity");
KS_NAME(kFlags, "flags");
KS_NAME(kType, "type");
KS_NAME(kText, "text");
KS_NAME(kFontIndex, "fontindex");
KS_NAME(kNote, "note");
KS_NAME(kEvent, "event");
KS_NAME(kNotes, "notes");
KS_NAME(kEvents, "events");
KS_NAME(kCount, "count");
KS_NAME(kTitle, "title");
KS_NAME(kLength, "length");
KS_NAME(kTrack, "track");
KS_NAME(kName, "name");
KS_NAME(kBar, "bar");
KS_NAME(kIndex, "index");
#undef KS_NAME

const QString kData[8] = {QStringLiteral("data0"), QStringLiteral("data1"), QStringLiteral("data2"),
                          QStringLiteral("data3"), QStringLiteral("data4"), QStringLiteral("data5"),
                          QStringLiteral("data6"), QStringLiteral("data7")};

void attr(E& e, const QString& name, int value) {
    CMarkupFile::AddAttribute(e, name, value);
}
void attr(E& e, const QString& name, const QString& value) {
    CMarkupFile::AddAttribute(e, name, value);
}
void attr(E& e, const char* name, int value) {
    attr(e, QString::fromLatin1(name), value);
}
void attr(E& e, const char* name, const QString& value) {
    attr(e, QString::fromLatin1(name), value);
}
void attrBool(E& e, const char* name, bool value) {
    attr(e, name, value ? 1 : 0);
}

}  // namespace

void ScoreWriter::open(const QString& name) {
    file_.AddTag(E::kStartTag, name, true);
}
void ScoreWriter::close(const QString& name) {
    file_.AddTag(E::kEndTag, name, true);
}

namespace {

// Whether the stored part of the cursor and selection is what a score starts with.
bool isStartingSelection(const CSelection& s) {
    const CSelection start;
    return s.hand == start.hand && s.mode == start.mode && s.timestart == start.timestart &&
           s.timeend == start.timeend && s.pitchlo == start.pitchlo && s.pitchhi == start.pitchhi &&
           s.lyricindex == start.lyricindex && s.layoutindex == start.layoutindex &&
           s.layoutbar == start.layoutbar && s.selecttrack == start.selecttrack;
}

}  // namespace

void ScoreWriter::writeDocument(const CScore& score, const CPrinterSettings& printer) {
    open(QStringLiteral("keystaves"));
    writePrinter(printer);
    writeScore(score);
    // The cursor and selection go with the document once the user has placed them; a
    // document whose cursor never moved is written without them, as it was read.
    if (!isStartingSelection(score.selection)) writeSelection(score.selection);
    close(QStringLiteral("keystaves"));
}

void ScoreWriter::writeHexPieces(const QString& name, const QByteArray& bytes) {
    // The hex text is cut into pieces of 128 characters; the k-th element carries the
    // attributes data1 .. data-k, one more piece each time.
    const QString hex = hexEncode(bytes);
    E element(name, E::kEmptyElement);
    for (qsizetype at = 0, k = 1; at < hex.size(); at += 128, ++k) {
        attr(element, QStringLiteral("data%1").arg(k), hex.mid(at, 128));
        file_.AppendElement(element);
    }
}

void ScoreWriter::writePrinter(const CPrinterSettings& printer) {
    open(QStringLiteral("printer"));
    writeHexPieces(QStringLiteral("devmode"), printer.devmode);
    writeHexPieces(QStringLiteral("devnames"), printer.devnames);
    if (printer.hasMargins) {
        E m(QStringLiteral("margins"), E::kEmptyElement);
        attr(m, "left", printer.left);
        attr(m, "top", printer.top);
        attr(m, "right", printer.right);
        attr(m, "bottom", printer.bottom);
        file_.AppendElement(std::move(m));
    }
    close(QStringLiteral("printer"));
}

void ScoreWriter::writeFont(const QString& name, const CUserFont& f) {
    E e(name, E::kEmptyElement);
    attr(e, "name", f.name);
    attr(e, "size", f.size);
    attrBool(e, "strikeout", f.strikeout);
    attrBool(e, "underline", f.underline);
    attrBool(e, "italic", f.italic);
    attr(e, "weight", f.weight);
    attr(e, "charset", f.charset);
    attr(e, "pitch", f.pitch);
    file_.AppendElement(std::move(e));
}

void ScoreWriter::writePreferences(const CScore& score) {
    const CDisplaySettings& p = score.prefs;
    E e(QStringLiteral("preferences"), E::kStartTag);
    e.newline = true;
    attr(e, "zoom", p.zoom);
    attr(e, "extendmode", p.extendmode);
    attrBool(e, "optimise", p.optimise);
    attr(e, "barsperline", p.barsperline);
    attr(e, "fontsize", p.fontsize);
    attr(e, "cursorstep", p.cursorstep);
    attr(e, "cursorstyle", p.cursorstyle);
    attrBool(e, "showcopyright", p.showcopyright);
    attrBool(e, "showtitle", p.showtitle);
    attrBool(e, "showsubtitle", p.showsubtitle);
    attrBool(e, "showpagenumbers", p.showpagenumbers);
    attrBool(e, "showbarnumbers", p.showbarnumbers);
    attrBool(e, "showclefs", p.showclefs);
    attrBool(e, "showkeyboards", p.showkeyboards);
    attrBool(e, "showannotations", p.showannotations);
    attrBool(e, "showtimesignature", p.showtimesignature);
    attrBool(e, "showtempo", p.showtempo);
    attrBool(e, "showrests", p.showrests);
    attrBool(e, "showstems", p.showstems);
    if (p.showlyrics) attr(e, "showlyrics", 1);
    attrBool(e, "grayties", p.grayties);
    if (p.customfingering) attr(e, "customfingering", 1);
    attr(e, "stavegap", p.stavegap);
    attrBool(e, "showartist", p.showartist);
    attrBool(e, "showfilename", p.showfilename);
    attrBool(e, "dynamicorientation", p.dynamicorientation);
    if (p.stavetype != 0) attr(e, "stavetype", p.stavetype);
    attrBool(e, "hiderestsatstart", p.hiderestsatstart);
    attrBool(e, "hiderestsatend", p.hiderestsatend);
    attrBool(e, "indentatstart", p.indentatstart);
    attrBool(e, "indentatend", p.indentatend);
    attrBool(e, "usebarzero", p.usebarzero);
    attrBool(e, "showonlyusedlines", p.showonlyusedlines);
    attrBool(e, "reducedspacing", p.reducedspacing);
    attrBool(e, "thicklines", p.thicklines);
    attrBool(e, "showfingering", p.showfingering);
    attrBool(e, "showkey", p.showkey);
    attrBool(e, "minorkey", p.minorkey);
    attr(e, "key", p.key);
    attr(e, "colourmode", p.colourmode);
    attr(e, "lyricalign", p.lyricalign);
    attr(e, "lyricposition", p.lyricposition);
    attr(e, "textoffset1", p.textoffset1);
    attr(e, "textoffset2", p.textoffset2);
    attr(e, "textoffset3", p.textoffset3);
    file_.AppendElement(std::move(e));

    writeFont(QStringLiteral("font"), score.font);
    const CMidiSettings& m = score.midi;
    E midi(QStringLiteral("midiprefs"), E::kEmptyElement);
    attr(midi, "device", m.device);
    attr(midi, "channel", m.channel);
    attr(midi, "program", m.program);
    attr(midi, "tickchannel", m.tickchannel);
    attr(midi, "tickprogram", m.tickprogram);
    attr(midi, "tickpitch", m.tickpitch);
    attr(midi, "tempo", m.tempo);
    attrBool(midi, "tick", m.tick);
    attr(midi, "velocity", m.velocity);
    attr(midi, "compression", m.compression);
    file_.AppendElement(std::move(midi));
    if (p.paper != kDefaultPaperColour || p.margin != kDefaultPaperColour ||
        p.grid != kDefaultGridColour) {
        E paper(QStringLiteral("papercol"), E::kEmptyElement);
        if (p.paper != kDefaultPaperColour) attr(paper, "paper", p.paper);
        if (p.margin != kDefaultPaperColour) attr(paper, "margin", p.margin);
        if (p.grid != kDefaultGridColour) attr(paper, "grid", p.grid);
        file_.AppendElement(std::move(paper));
    }
    close(QStringLiteral("preferences"));
}

void ScoreWriter::writeBar(const CScoreBar& b, bool force) {
    E e(kBar, E::kEmptyElement);
    if (b.styleLeft >= 1 && b.styleLeft <= 5) attr(e, "styleLeft", b.styleLeft);
    if (b.styleRight >= 1 && b.styleRight <= 5) attr(e, "styleRight", b.styleRight);
    if (b.width != kDefaultBarWidth) attr(e, "width", b.width);
    for (int i = 0; i < 4; ++i)
        if (b.restoffset[i] != 0) attr(e, QStringLiteral("restoffset%1").arg(i), b.restoffset[i]);
    if (e.attributes.empty() && !force) return;
    attr(e, kIndex, b.index);
    file_.AppendElement(std::move(e));
}

void ScoreWriter::writeLine(const CScoreLine& l) {
    E e(QStringLiteral("line"), E::kEmptyElement);
    if (l.x != 0) attr(e, "x", l.x);
    if (l.y != 0) attr(e, "y", l.y);
    if (l.yt != kLineYtUnset) attr(e, "yt", l.yt);
    if (l.lpad != 0) attr(e, "lpad", l.lpad);
    if (l.size != 1.0) attr(e, "size", static_cast<int>(std::lround(l.size * 100000.0)));
    attr(e, "barCount", l.barCount);
    if (l.minStaveGap > 0) attr(e, "minStaveGap", l.minStaveGap);
    file_.AppendElement(std::move(e));
}

void ScoreWriter::writeTrack(const CTrack& t) {
    E start(kTrack, E::kStartTag);
    start.newline = true;
    attr(start, kTitle, t.title);
    if (t.length > 0) attr(start, kLength, t.length);
    file_.AppendElement(std::move(start));
    if (!t.notes.empty()) {
        E notes(kNotes, E::kStartTag);
        notes.newline = true;
        attr(notes, kCount, t.notes.size());
        file_.AppendElement(std::move(notes));
        for (const CNote& n : t.notes) {
            E e(kNote, E::kEmptyElement);
            e.attributes.reserve(5);
            attr(e, kTime, n.time);
            attr(e, kDuration, n.duration);
            attr(e, kPitch, n.pitch);
            if (n.velocity != kDefaultVelocity) attr(e, kVelocity, n.velocity);
            if (n.flags != 0) attr(e, kFlags, n.flags);
            file_.AppendElement(std::move(e));
        }
        close(kNotes);
    }
    // Empty lyrics and note marks without marks are never saved.
    const auto saved = [](const CEvent& e) {
        return !(e.type == EventType::Lyric && e.text.isEmpty()) &&
               !(e.type == EventType::NoteMarks && e.data[0] == 0);
    };
    const int eventCount = static_cast<int>(std::count_if(t.events.begin(), t.events.end(), saved));
    if (eventCount > 0) {
        E events(kEvents, E::kStartTag);
        events.newline = true;
        attr(events, kCount, eventCount);
        file_.AppendElement(std::move(events));
        for (const CEvent& ev : t.events) {
            if (!saved(ev)) continue;
            E e(kEvent, E::kEmptyElement);
            attr(e, kTime, ev.time);
            attr(e, kType, ev.type);
            attr(e, kPitch, ev.pitch);
            if (!ev.text.isEmpty()) attr(e, kText, ev.text);
            if (ev.fontindex > 0) attr(e, kFontIndex, ev.fontindex);
            for (int i = 0; i < 8; ++i)
                if (ev.data[i] != 0) attr(e, kData[i], ev.data[i]);
            file_.AppendElement(std::move(e));
        }
        close(kEvents);
    }
    close(kTrack);
}

void ScoreWriter::writeScore(const CScore& s) {
    E score(QStringLiteral("score"), E::kStartTag);
    score.newline = true;
    attr(score, "title", s.title);
    attr(score, "subtitle", s.subtitle);
    attr(score, "artist", s.artist);
    attr(score, "copyright", s.copyright);
    attr(score, "ppqn", s.ppqn);
    attr(score, "length", s.length);
    attr(score, "editlength", s.editlength);
    if (s.internetID != 0) attr(score, "internetID", s.internetID);
    if (!s.filehash.isEmpty()) attr(score, "filehash", s.filehash);
    file_.AppendElement(std::move(score));

    writePreferences(s);

    for (const CTextBox* box : {&s.titleBox, &s.subtitleBox}) {
        E e(QStringLiteral("textbox"), E::kEmptyElement);
        attr(e, "text", box->text);
        // The reader tells the boxes apart by the name "Subtitle".
        const QString subtitle = QStringLiteral("Subtitle");
        QString name = box == &s.subtitleBox ? subtitle : box->name;
        if (box == &s.titleBox && name.compare(subtitle, Qt::CaseInsensitive) == 0)
            name = QStringLiteral("Title");
        attr(e, "name", name);
        attr(e, "font", box->font);
        attr(e, "height", box->height);
        attr(e, "left", box->left);
        attr(e, "top", box->top);
        attr(e, "right", box->right);
        attr(e, "bottom", box->bottom);
        file_.AppendElement(std::move(e));
    }

    for (int p = 0; p < kPartCount; ++p) {
        if (s.parts[static_cast<size_t>(p)] <= 0) continue;
        E e(QStringLiteral("part"), E::kEmptyElement);
        attr(e, "hand", p);
        attr(e, "track", s.parts[static_cast<size_t>(p)]);
        file_.AppendElement(std::move(e));
    }

    // The count of the bar container is the size of the bar array (the reader sizes the
    // array by it); only bars holding a value other than the defaults are written.
    const auto barWritten = [](const CScoreBar& b) {
        return (b.styleLeft >= 1 && b.styleLeft <= 5) || (b.styleRight >= 1 && b.styleRight <= 5) ||
               b.width != kDefaultBarWidth || b.restoffset[0] || b.restoffset[1] ||
               b.restoffset[2] || b.restoffset[3];
    };
    if (std::any_of(s.bars.begin(), s.bars.end(), barWritten)) {
        E bars(QStringLiteral("bars"), E::kStartTag);
        bars.newline = true;
        attr(bars, kCount, static_cast<int>(s.bars.size()));
        file_.AppendElement(std::move(bars));
        for (const CScoreBar& b : s.bars)
            writeBar(b, false);
        close(QStringLiteral("bars"));
    }
    if (!s.lines.empty()) {
        E lines(QStringLiteral("lines"), E::kStartTag);
        lines.newline = true;
        attr(lines, kCount, static_cast<int>(s.lines.size()));
        file_.AppendElement(std::move(lines));
        for (const CScoreLine& l : s.lines)
            writeLine(l);
        close(QStringLiteral("lines"));
    }
    if (!s.timesigs.empty()) {
        E sigs(QStringLiteral("timesigs"), E::kStartTag);
        sigs.newline = true;
        attr(sigs, kCount, static_cast<int>(s.timesigs.size()));
        file_.AppendElement(std::move(sigs));
        for (const CTimeSignature& t : s.timesigs) {
            E e(QStringLiteral("timesignature"), E::kEmptyElement);
            attr(e, kBar, t.bar);
            attr(e, "nom", t.nom);
            attr(e, "denom", t.denom);
            file_.AppendElement(std::move(e));
        }
        close(QStringLiteral("timesigs"));
    }
    if (!s.keysigs.empty()) {
        E sigs(QStringLiteral("keysigs"), E::kStartTag);
        sigs.newline = true;
        attr(sigs, kCount, static_cast<int>(s.keysigs.size()));
        file_.AppendElement(std::move(sigs));
        for (const CKeySignature& k : s.keysigs) {
            E e(QStringLiteral("keysignature"), E::kEmptyElement);
            attr(e, kBar, k.bar);
            attr(e, "key", k.key);
            file_.AppendElement(std::move(e));
        }
        close(QStringLiteral("keysigs"));
    }
    if (!s.tracks.empty()) {
        E tracks(QStringLiteral("tracks"), E::kStartTag);
        tracks.newline = true;
        attr(tracks, kCount, s.trackCount());
        file_.AppendElement(std::move(tracks));
        for (const CTrack& t : s.tracks)
            writeTrack(t);
        close(QStringLiteral("tracks"));
    }
    if (!s.voltamarks.empty()) {
        E voltas(QStringLiteral("voltamarks"), E::kStartTag);
        voltas.newline = true;
        attr(voltas, kCount, static_cast<int>(s.voltamarks.size()));
        file_.AppendElement(std::move(voltas));
        for (const CScoreVolta& v : s.voltamarks) {
            E e(QStringLiteral("volta"), E::kEmptyElement);
            attr(e, kType, v.type);
            attr(e, "startbar", v.startbar);
            attr(e, "endbar", v.endbar);
            attr(e, kFlags, v.flags);
            if (!v.caption.isEmpty()) attr(e, "caption", v.caption);
            file_.AppendElement(std::move(e));
        }
        close(QStringLiteral("voltamarks"));
    }
    open(QStringLiteral("tempos"));
    writeTrack(s.tempoTrack);
    close(QStringLiteral("tempos"));
    open(QStringLiteral("annotations"));
    writeTrack(s.annotationTrack);
    close(QStringLiteral("annotations"));
    if (!s.userfonts.empty()) {
        E fonts(QStringLiteral("userfonts"), E::kStartTag);
        fonts.newline = true;
        attr(fonts, kCount, static_cast<int>(s.userfonts.size()));
        file_.AppendElement(std::move(fonts));
        for (const CUserFont& f : s.userfonts)
            writeFont(QStringLiteral("font"), f);
        close(QStringLiteral("userfonts"));
    }
    close(QStringLiteral("score"));
}

void ScoreWriter::writeSelection(const CSelection& sel) {
    E e(QStringLiteral("selection"), E::kEmptyElement);
    attr(e, "hand", sel.hand);
    attr(e, "mode", sel.mode);
    attr(e, "timestart", sel.timestart);
    attr(e, "timeend", sel.timeend);
    attr(e, "pitchlo", sel.pitchlo);
    attr(e, "pitchhi", sel.pitchhi);
    if (sel.lyricindex > 0) attr(e, "lyricindex", sel.lyricindex);
    if (sel.layoutindex != 0) attr(e, "layoutindex", sel.layoutindex);
    if (sel.layoutbar != 0) attr(e, "layoutbar", sel.layoutbar);
    if (sel.selecttrack >= 0) attr(e, "selecttrack", sel.selecttrack);
    file_.AppendElement(std::move(e));
}

void dropEmptyMarks(CScore& score) {
    for (CTrack& t : score.tracks)
        t.events.removeIf([](const CEvent& e) {
            return (e.type == EventType::Lyric && e.text.isEmpty()) ||
                   (e.type == EventType::NoteMarks && e.data[0] == 0);
        });
}

bool writeScoreFile(const QString& path, const CScore& score, const CPrinterSettings& printer) {
    CMarkupFile file;
    ScoreWriter(file).writeDocument(score, printer);
    return file.Save(path);
}

QByteArray compatibilityStub() {
    static const char kLines[] =
        "<tonepad version1=\"4\" version2=\"0\" version3=\"0\">\r\n"
        " <score title=\"This File Was Saved Using KSV Version 4\" copyright=\" \" "
        "artist=\"Open this file with the current Keystaves editor, free from "
        "https://keystaves.org\">\r\n"
        "  <preferences fontsize=\"53\" showtitle=\"1\" showartist=\"1\" tempo=\"120\" "
        "zoom=\"100\" "
        "colourmode=\"0\">\r\n"
        "  </preferences>\r\n"
        " </score>\r\n"
        " <midi ppq=\"8\">\r\n"
        " </midi>\r\n"
        "</tonepad>\r\n";
    return QByteArray(kLines);
}

QByteArray companionBytes() {
    QByteArray bytes(28, '\0');
    const int32_t values[7] = {0x00FFFFFF, 8, 0, 0, 0, 0, 0};
    for (int i = 0; i < 7; ++i)
        qToLittleEndian(values[i], bytes.data() + 4 * i);
    return bytes;
}

}  // namespace ks
