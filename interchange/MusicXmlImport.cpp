#include "interchange/MusicXmlImport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>

#include "interchange/MidiImport.h"
#include "interchange/MusicXmlReader.h"
#include "interchange/MusicXmlStringIds.h"
#include "interchange/MusicXmlTables.h"
#include "model/PlaybackTempo.h"
#include "storage/NZip.h"

namespace ks {

namespace {

constexpr int64_t kMaxFileBytes = int64_t(256) * 1024 * 1024;
constexpr int64_t kMaxContainerBytes = 64 * 1024;
constexpr int32_t kWedgeKey = 76;

// The signature whose bar is `length` ticks long, in the given denominator or a finer
// one; false when none is.
bool signatureOfLength(int32_t length, int32_t ppqn, int denom, int& nom, int& outDenom) {
    for (int d = std::max(denom, 1); d <= 64; d *= 2) {
        if ((4 * ppqn) % d != 0) break;
        const int32_t unit = 4 * ppqn / d;
        if (length % unit == 0 && length / unit <= 1024) {
            nom = length / unit;
            outDenom = d;
            return true;
        }
    }
    return false;
}

char16_t dynamicsCode(const QString& name) {
    for (char16_t c = u'!'; c <= u'+'; ++c)
        if (dynamicsElement(c) == name.toStdString()) return c;
    if (name == u"sfz" || name == u"sffz") return u'+';
    return 0;
}

struct TrackKey {
    int part, staff, rank;
    auto operator<=>(const TrackKey&) const = default;
};

struct TrackBuild {
    int index = -1;  // in the score
    std::vector<CNote> notes;
    std::map<int, size_t> openTies;  // pitch -> note
    std::optional<XmlNote> grace;
    int32_t tupletStart = -1;
    std::map<int32_t, int32_t> marks;                      // time -> note-mark bits
    std::map<int, std::pair<int32_t, int32_t>> openSlurs;  // number -> time, pitch
    std::optional<std::pair<int32_t, bool>> wedge;         // start, crescendo
};

class Builder {
  public:
    Builder(XmlScore& x, CScore& score) : x_(x), score_(score) {}
    void run();

  private:
    void lose(const QString& what, int count = 1) { x_.lost[what] += count; }
    void layBars();
    void makeTracks();
    void placeNotes();
    void placeNote(TrackBuild& t, const XmlNote& n, int32_t time);
    void placeDirection(const XmlDirection& d, int part, int32_t time);
    void addAnnotation(CEvent e);
    void placeBarlines();
    void allocateParts();

    XmlScore& x_;
    CScore& score_;
    int measures_ = 0;
    std::map<TrackKey, TrackBuild> tracks_;
    std::map<std::pair<int, int>, std::vector<int>> voices_;  // (part, staff) -> voices seen
};

void Builder::run() {
    score_.ppqn = x_.ppqn;
    score_.normaliseTimeSignatures();
    if (!x_.title.isEmpty()) score_.title = x_.title;
    if (!x_.subtitle.isEmpty()) score_.subtitle = x_.subtitle;
    if (!x_.artist.isEmpty()) score_.artist = x_.artist;
    if (!x_.copyright.isEmpty()) score_.copyright = x_.copyright;
    for (const XmlPart& p : x_.parts)
        measures_ = std::max(measures_, int(p.measures.size()));
    layBars();
    makeTracks();
    placeNotes();
    placeBarlines();
    allocateParts();
}

// Bars: one per measure, as long as its longest part; a bar that differs from the
// signature in force (a pickup, a short last bar) gets a signature of its own length.
void Builder::layBars() {
    int nom = 4, denom = 4;
    int lastNom = 0, lastDenom = 0;
    for (int m = 0; m < measures_; ++m) {
        int32_t extent = 0;
        bool implicit = false;
        for (const XmlPart& p : x_.parts) {
            if (m >= int(p.measures.size())) continue;
            const XmlMeasure& measure = p.measures[size_t(m)];
            extent = std::max(extent, measure.extent);
            implicit |= measure.implicit;
            if (measure.time && &p == &x_.parts.front()) std::tie(nom, denom) = *measure.time;
        }
        const int32_t nominal = score_.barLengthOf(nom, denom);
        int useNom = nom, useDenom = denom;
        const bool edge = m == 0 || m == measures_ - 1 || implicit;
        if (extent > 0 && extent != nominal && (extent > nominal || edge)) {
            if (!signatureOfLength(extent, score_.ppqn, denom, useNom, useDenom)) {
                lose(QStringLiteral("bars whose length no time signature gives"));
                useNom = nom, useDenom = denom;
            }
        }
        if (useNom != lastNom || useDenom != lastDenom)
            score_.setTimeSignature(useNom, useDenom, m, 0, true);
        lastNom = useNom, lastDenom = useDenom;
    }
    score_.normaliseTimeSignatures();
    score_.setLength(score_.barStart(std::max(measures_, 1)));
    score_.editlength = std::max(score_.editlength, score_.length);

    const XmlPart* first = x_.parts.empty() ? nullptr : &x_.parts.front();
    for (int m = 0; first && m < int(first->measures.size()); ++m) {
        if (const auto& key = first->measures[size_t(m)].key)
            score_.setKeySignature(7 - key->first + (key->second ? 15 : 0), m);
    }
}

// One track per staff of each part, and a second one for the further voices of a staff.
void Builder::makeTracks() {
    for (int p = 0; p < int(x_.parts.size()); ++p) {
        const XmlPart& part = x_.parts[size_t(p)];
        for (const XmlMeasure& m : part.measures)
            for (const XmlNote& n : m.notes) {
                std::vector<int>& seen = voices_[{p, n.staff}];
                if (std::find(seen.begin(), seen.end(), n.voice) == seen.end())
                    seen.push_back(n.voice);
            }
        for (const auto& [key, seen] : voices_) {
            if (key.first != p) continue;
            const int staff = key.second;
            if (seen.size() > 2)
                lose(QStringLiteral("voices beyond the second of a staff (merged)"));
            for (int rank = 0; rank < std::min<int>(2, int(seen.size())); ++rank) {
                CTrack track;
                track.title = part.name.isEmpty() ? part.id : part.name;
                if (part.staves >= 2)
                    track.title += staff == 1   ? QStringLiteral(" Right Hand")
                                   : staff == 2 ? QStringLiteral(" Left Hand")
                                                : QStringLiteral(" Staff %1").arg(staff);
                if (rank == 1) track.title += QStringLiteral(" II");
                TrackBuild& b = tracks_[{p, staff, rank}];
                b.index = score_.addTrack(track);
            }
        }
    }
}

void Builder::placeNotes() {
    for (int p = 0; p < int(x_.parts.size()); ++p) {
        const XmlPart& part = x_.parts[size_t(p)];
        for (int m = 0; m < int(part.measures.size()); ++m) {
            const XmlMeasure& measure = part.measures[size_t(m)];
            const int32_t start = score_.barStart(m);
            for (const XmlNote& n : measure.notes) {
                const std::vector<int>& seen = voices_[{p, n.staff}];
                const int rank =
                    std::find(seen.begin(), seen.end(), n.voice) == seen.begin() ? 0 : 1;
                auto it = tracks_.find({p, n.staff, rank});
                if (it == tracks_.end()) continue;
                placeNote(it->second, n, start + n.offset);
            }
            for (const XmlDirection& d : measure.directions)
                placeDirection(d, p, start + d.offset);
        }
    }
    for (auto& [key, b] : tracks_) {
        CTrack& track = score_.tracks[size_t(b.index)];
        track.notes.AddAll(std::move(b.notes));
        track.chordsvalid = false;
        for (const auto& [time, bits] : b.marks) {
            CEvent e;
            e.type = EventType::NoteMarks;
            e.time = time;
            e.data[0] = bits;
            track.addEvent(e);
        }
        if (b.grace) lose(QStringLiteral("grace notes without a main note"));
        if (b.wedge) lose(QStringLiteral("unfinished crescendo or diminuendo wedges"));
    }
}

void Builder::placeNote(TrackBuild& b, const XmlNote& n, int32_t time) {
    CTrack& track = score_.tracks[size_t(b.index)];
    if (n.grace) {
        if (n.rest) return;
        if (b.grace) lose(QStringLiteral("grace notes beyond one before a note"));
        b.grace = n;
        return;
    }
    if (n.rest || n.duration <= 0) return;
    int32_t flags = n.triplet ? NoteFlag::Tuplet : 0;
    if (n.trill) flags |= NoteFlag::Trill;

    // A tie continues the open note of the same pitch that ends here.
    size_t at = b.notes.size();
    if (n.tieStop) {
        auto open = b.openTies.find(n.pitch);
        if (open != b.openTies.end() && b.notes[open->second].end() == time) {
            at = open->second;
            b.notes[at].duration += n.duration;
        }
    }
    const bool continued = at < b.notes.size();
    if (!continued)
        b.notes.push_back(
            CNote{.time = time, .duration = n.duration, .flags = flags, .pitch = n.pitch});
    if (n.tieStart)
        b.openTies[n.pitch] = at;
    else
        b.openTies.erase(n.pitch);
    if (continued) return;

    if (b.grace) {
        CEvent g;
        g.type = EventType::GraceNote;
        g.time = time;
        g.data[0] = b.grace->pitch;
        g.data[1] = std::max(1, 4 * score_.ppqn >> std::clamp(b.grace->graceType, 0, 5));
        g.data[2] = n.pitch;
        g.setKey(b.grace->pitch);
        track.addEvent(g);
        b.notes.back().flags |= NoteFlag::Grace;
        b.grace.reset();
    }
    if (n.tupletStart) b.tupletStart = time;
    if (n.tupletStop && b.tupletStart >= 0) {
        CEvent t;
        t.type = EventType::Tuplet;
        t.time = b.tupletStart;
        t.data[0] = 3;
        t.data[1] = time + n.duration;
        track.addEvent(t);
        b.tupletStart = -1;
    }
    int32_t bits = n.fingers << 1;
    if (n.staccato) bits |= NoteMark::Staccato;
    if (n.accent) bits |= NoteMark::Accent;
    if (bits) b.marks[time] |= bits;
    for (const XmlSlur& s : n.slurs) {
        if (s.start) continue;
        auto open = b.openSlurs.find(s.number);
        if (open == b.openSlurs.end()) continue;
        const auto [firstTime, firstPitch] = open->second;
        for (int end = 0; end < 2; ++end) {
            CEvent e;
            e.type = EventType::Phrase;
            e.time = end ? time : firstTime;
            e.setKey(end ? n.pitch : firstPitch);
            e.data[0] = end;
            e.data[1] = firstPitch;
            e.data[2] = n.pitch;
            e.data[3] = firstTime;
            e.data[4] = time;
            track.addEvent(e);
        }
        b.openSlurs.erase(open);
    }
    for (const XmlSlur& s : n.slurs)
        if (s.start) b.openSlurs[s.number] = {time, n.pitch};
    for (const XmlLyric& l : n.lyrics) {
        if (l.verse < 0 || l.verse > 3) {
            lose(QStringLiteral("lyric verses beyond the fourth"));
            continue;
        }
        CEvent e;
        e.type = EventType::Lyric;
        e.time = time;
        e.data[0] = l.verse;
        e.text = l.text;
        e.setKey(60);
        track.addEvent(e);
    }
    for (const QString& d : n.dynamics)
        placeDirection(XmlDirection{.kind = XmlDirection::Dynamics, .staff = n.staff, .text = d},
                       -1, time);
}

void Builder::addAnnotation(CEvent e) {
    // Marks at one time and height that differ only in their words would count as one:
    // each further one goes a step lower.
    for (int tries = 0; tries < 8; ++tries) {
        const int at = score_.annotationTrack.addEvent(e);
        if (score_.annotationTrack.events.at(at).text == e.text) return;
        e.setKey(e.key() - 1);
    }
}

void Builder::placeDirection(const XmlDirection& d, int part, int32_t time) {
    const bool lower = d.staff >= 2;
    switch (d.kind) {
        case XmlDirection::Words: {
            CEvent e;
            e.type = EventType::Annotation;
            e.time = time;
            e.text = d.text;
            e.setKey(d.above && !lower ? 79 : 40);
            addAnnotation(e);
            break;
        }
        case XmlDirection::Dynamics: {
            const char16_t code = dynamicsCode(d.text);
            if (!code) {
                lose(QStringLiteral("dynamics other than ppp to fff, fz and sf"));
                break;
            }
            CEvent e;
            e.type = EventType::Annotation;
            e.time = time;
            e.data[0] = 1;
            e.text = QString(QChar(code));
            e.setKey(lower ? 40 : 60);
            addAnnotation(e);
            break;
        }
        case XmlDirection::WedgeCrescendo:
        case XmlDirection::WedgeDiminuendo:
        case XmlDirection::WedgeStop: {
            auto it = tracks_.find({part, d.staff, 0});
            if (part < 0 || it == tracks_.end()) break;
            TrackBuild& b = it->second;
            if (d.kind != XmlDirection::WedgeStop) {
                b.wedge = std::pair{time, d.kind == XmlDirection::WedgeCrescendo};
            } else if (b.wedge) {
                CEvent e;
                e.type = b.wedge->second ? EventType::Crescendo : EventType::Diminuendo;
                e.time = b.wedge->first;
                e.data[0] = std::max(1, time - b.wedge->first);
                e.setKey(kWedgeKey);
                score_.tracks[size_t(b.index)].addEvent(e);
                b.wedge.reset();
            }
            break;
        }
        case XmlDirection::Tempo: {
            if (part != 0) break;
            if (time == 0) {
                setPlaybackTempo(score_, d.tempo);
                break;
            }
            CEvent e;
            e.type = EventType::Tempo;
            e.time = time;
            e.data[0] = 1;
            e.data[1] = d.tempo;
            score_.tempoTrack.addEvent(e);
            break;
        }
    }
}

// Bar lines, repeats and endings, as the first part has them.
void Builder::placeBarlines() {
    score_.rebuildBars();
    if (x_.parts.empty()) return;
    const XmlPart& part = x_.parts.front();
    std::optional<CScoreVolta> open;
    for (int m = 0; m < int(part.measures.size()) && m < int(score_.bars.size()); ++m) {
        const XmlMeasure& measure = part.measures[size_t(m)];
        CScoreBar& bar = score_.bars[size_t(m)];
        if (measure.left.style > 0) bar.styleLeft = std::min(measure.left.style, 3);
        if (measure.right.style > 0) bar.styleRight = measure.right.style;
        for (const XmlBarline* b : {&measure.left, &measure.right}) {
            if (b->endingStart) {
                if (open) score_.voltamarks.push_back(*open);
                CScoreVolta v;
                v.startbar = v.endbar = m;
                v.caption = *b->endingStart;
                for (const QString& n : b->endingStart->split(u',')) {
                    const int pass = n.trimmed().toInt();
                    if (pass >= 1 && pass <= 31) v.flags |= 1 << (pass - 1);
                }
                if (!v.caption.isEmpty() && v.caption.back().isDigit()) v.caption += u'.';
                open = v;
            }
            if (b->endingStop && open) {
                open->endbar = m;
                open->type = *b->endingStop ? VoltaType::Closed : VoltaType::Open;
                score_.voltamarks.push_back(*open);
                open.reset();
            }
        }
    }
    if (open) score_.voltamarks.push_back(*open);
}

// The hands: the upper staff of the first part with two staves is the right hand, its
// lower staff the left hand, their second voices the second parts. Without such a part,
// the tracks are chosen as a MIDI file's are.
void Builder::allocateParts() {
    // Our own files name their parts after the staves they came from: "P1" to "P4".
    if (x_.software.startsWith(QStringLiteral("Halvern Keystaves"))) {
        for (int p = 0; p < int(x_.parts.size()); ++p) {
            const QString& id = x_.parts[size_t(p)].id;
            const int slot = id.size() == 2 && id[0] == u'P' ? id[1].digitValue() - 1 : -1;
            auto it = tracks_.find({p, 1, 0});
            if (slot >= 0 && slot < kPartCount && it != tracks_.end() &&
                score_.trackOfPart(slot) < 0)
                score_.assignTrackToPart(it->second.index, slot);
        }
    }
    for (int p = 0; p < int(x_.parts.size()) && score_.firstShownPart() >= kPartCount; ++p) {
        if (x_.parts[size_t(p)].staves < 2) continue;
        bool any = false;
        const TrackKey keys[] = {{p, 1, 0}, {p, 1, 1}, {p, 2, 0}, {p, 2, 1}};
        for (const TrackKey& k : keys)
            any |= tracks_.count(k) > 0;
        if (!any) continue;
        for (int slot = 0; slot < kPartCount; ++slot)
            if (auto it = tracks_.find(keys[slot]); it != tracks_.end())
                score_.assignTrackToPart(it->second.index, slot);
        break;
    }
    if (score_.firstShownPart() >= kPartCount) {
        assignHand(score_, Part::RightHand);
        assignHand(score_, Part::LeftHand);
        if (score_.trackOfPart(Part::RightHand) < 0 && score_.trackOfPart(Part::LeftHand) >= 0) {
            score_.assignTrackToPart(score_.trackOfPart(Part::LeftHand), Part::RightHand);
            score_.parts[Part::LeftHand] = 0;
        }
    }
    QStringList hidden;
    for (int t = 0; t < score_.trackCount(); ++t)
        if (score_.partOfTrack(t) < 0 && !score_.track(t).notes.empty())
            hidden.push_back(score_.track(t).title);
    if (!hidden.isEmpty())
        lose(QStringLiteral("staves not shown as parts (kept as tracks): ") +
                 hidden.join(QStringLiteral(", ")),
             0);
    for (CTrack& track : score_.tracks)
        track.length = std::max(track.length, score_.length);
    score_.rebuildAllTracks();
    score_.rebuildPlaybackMap();
    const int first = score_.firstShownPart();
    score_.selection.hand = first < kPartCount ? first : 0;
}

// The document a container names: its first root file.
QString rootFileOf(const QByteArray& description, bool& ok) {
    ok = false;
    QXmlStreamReader r(description);
    QString path;
    while (!r.atEnd()) {
        r.readNext();
        if (r.tokenType() == QXmlStreamReader::DTD) return {};
        if (r.isStartElement() && r.name() == u"rootfile" && path.isEmpty())
            path = r.attributes().value(QLatin1String("full-path")).toString();
    }
    ok = !r.hasError() && !path.isEmpty();
    return path;
}

MusicXmlImportResult failure(int id, QString detail = {}) {
    return MusicXmlImportResult{false, id, std::move(detail), {}};
}

}  // namespace

void buildScoreFromMusicXml(XmlScore& x, CScore& score) {
    Builder(x, score).run();
}

bool isMusicXmlFile(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"musicxml" || ext == u"mxl") return true;
    if (ext != u"xml") return false;
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && looksLikeMusicXml(f.read(64 * 1024));
}

MusicXmlImportResult importMusicXmlFile(const QString& path, CScore& score) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return failure(MusicXmlStringId::UnableToOpen);
    if (file.size() > kMaxFileBytes) return failure(MusicXmlStringId::TooLarge);
    QByteArray bytes;
    if (file.peek(4) == QByteArray("PK\x03\x04", 4)) {
        file.close();
        QTemporaryDir work;
        const QString descriptionPath = work.filePath(QStringLiteral("container.xml"));
        if (!work.isValid() ||
            unzipMember(path, descriptionPath, QStringLiteral("META-INF/container.xml"),
                        kMaxContainerBytes) != 1)
            return failure(MusicXmlStringId::BadContainer);
        QFile description(descriptionPath);
        if (!description.open(QIODevice::ReadOnly)) return failure(MusicXmlStringId::BadContainer);
        bool ok = false;
        const QString member = rootFileOf(description.readAll(), ok);
        if (!ok) return failure(MusicXmlStringId::BadContainer);
        const QString documentPath = work.filePath(QStringLiteral("score.xml"));
        if (unzipMember(path, documentPath, member, kMaxFileBytes) != 1)
            return failure(MusicXmlStringId::MemberMissing);
        QFile document(documentPath);
        if (!document.open(QIODevice::ReadOnly)) return failure(MusicXmlStringId::MemberMissing);
        bytes = document.readAll();
    } else {
        bytes = file.readAll();
    }
    XmlScore x;
    const MusicXmlReadResult read = readMusicXml(bytes, x);
    if (!read.ok) return failure(read.messageId, read.detail);
    buildScoreFromMusicXml(x, score);
    MusicXmlImportResult result{true, 0, {}, {}};
    for (const auto& [what, count] : x.lost)
        result.lost.push_back(count > 1 ? QStringLiteral("%1 (%2)").arg(what).arg(count) : what);
    return result;
}

}  // namespace ks
