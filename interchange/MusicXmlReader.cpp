#include "interchange/MusicXmlReader.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <numeric>
#include <set>

#include "interchange/MusicXmlStringIds.h"
#include "model/Score.h"

namespace ks {

namespace {

// Limits that keep a hostile document from asking for unbounded work or memory.
constexpr int64_t kMaxDivisions = 1 << 20;
constexpr double kMaxQuartersPerDuration = 1024;  // 256 bars of 4/4 in one element
constexpr int64_t kMaxTick = int64_t(1) << 30;
constexpr size_t kMaxNotes = 4'000'000;
constexpr int32_t kFallbackPpqn = 960;

struct Failure {
    int messageId;
};

int stepBase(QStringView step) {
    static constexpr int bases[] = {9, 11, 0, 2, 4, 5, 7};  // A .. G
    if (step.size() != 1) return -1;
    const char16_t c = step[0].toUpper().unicode();
    return c >= u'A' && c <= u'G' ? bases[c - u'A'] : -1;
}

int typeIndex(QStringView type) {
    static const QStringList names = {QStringLiteral("whole"),   QStringLiteral("half"),
                                      QStringLiteral("quarter"), QStringLiteral("eighth"),
                                      QStringLiteral("16th"),    QStringLiteral("32nd")};
    const int i = int(names.indexOf(type.toString()));
    if (i >= 0) return i;
    return type == u"breve" || type == u"long" ? 0 : 5;
}

class Reader {
  public:
    Reader(const QByteArray& bytes, XmlScore& score) : r_(bytes), score_(score) {}

    // Reads the whole document; throws Failure.
    void run();
    QString parserError() const {
        return QStringLiteral("%1 (line %2)").arg(r_.errorString()).arg(r_.lineNumber());
    }

  private:
    bool nextStart();  // the next child start element of the current one; false at its end
    QString text();    // the text of the current element (its end is consumed)
    void checkDocumentType();
    void lose(const QString& what) { ++score_.lost[what]; }

    void readHeaderElement();
    void readPartList();
    void readPart();
    void readMeasure(XmlPart& part, XmlMeasure& m);
    void readAttributes(XmlPart& part, XmlMeasure& m);
    void readNote(XmlMeasure& m);
    void readNotations(XmlNote& n);
    void readDirection(XmlMeasure& m);
    void readBarline(XmlMeasure& m);
    int32_t ticks(const QString& value);

    QXmlStreamReader r_;
    XmlScore& score_;
    int64_t divisions_ = 1;
    int transpose_ = 0;
    int32_t cursor_ = 0, lastStart_ = 0;
    size_t notes_ = 0;
};

bool Reader::nextStart() {
    while (!r_.atEnd()) {
        const QXmlStreamReader::TokenType t = r_.readNext();
        if (t == QXmlStreamReader::StartElement) return true;
        if (t == QXmlStreamReader::EndElement) return false;
        if (t == QXmlStreamReader::DTD) checkDocumentType();
    }
    if (r_.hasError()) throw Failure{MusicXmlStringId::Malformed};
    return false;
}

QString Reader::text() {
    const QString t = r_.readElementText(QXmlStreamReader::SkipChildElements);
    if (r_.hasError()) throw Failure{MusicXmlStringId::Malformed};
    return t.trimmed();
}

void Reader::checkDocumentType() {
    // Entities the document defines itself could expand without bound; such documents
    // are refused rather than read.
    if (!r_.entityDeclarations().isEmpty() || r_.text().contains(u"<!ENTITY"))
        throw Failure{MusicXmlStringId::EntitiesRefused};
}

int32_t Reader::ticks(const QString& value) {
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v / double(divisions_) > kMaxQuartersPerDuration)
        throw Failure{MusicXmlStringId::BadDuration};
    const double exact = v * score_.ppqn / double(divisions_);
    if (std::abs(exact - std::round(exact)) > 1e-6)
        lose(QStringLiteral("timings finer than the score's resolution (rounded)"));
    return int32_t(std::llround(exact));
}

void Reader::run() {
    while (!r_.atEnd() && !r_.isStartElement()) {
        r_.readNext();
        if (r_.tokenType() == QXmlStreamReader::DTD) checkDocumentType();
    }
    if (r_.hasError()) throw Failure{MusicXmlStringId::Malformed};
    if (r_.name() == u"score-timewise") throw Failure{MusicXmlStringId::TimewiseNotRead};
    if (r_.name() != u"score-partwise") throw Failure{MusicXmlStringId::NotMusicXml};
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"part-list")
            readPartList();
        else if (name == u"part")
            readPart();
        else
            readHeaderElement();
    }
    // Anything after the root must still be well-formed.
    while (!r_.atEnd())
        r_.readNext();
    if (r_.hasError()) throw Failure{MusicXmlStringId::Malformed};
}

void Reader::readHeaderElement() {
    const QStringView name = r_.name();
    if (name == u"work") {
        while (nextStart()) {
            if (r_.name() == u"work-title")
                score_.title = text();
            else
                r_.skipCurrentElement();
        }
    } else if (name == u"movement-title") {
        const QString t = text();
        if (score_.title.isEmpty())
            score_.title = t;
        else
            score_.subtitle = t;
    } else if (name == u"identification") {
        while (nextStart()) {
            if (r_.name() == u"creator") {
                const bool composer = r_.attributes().value(QLatin1String("type")) == u"composer";
                const QString t = text();
                if (composer || score_.artist.isEmpty()) score_.artist = t;
            } else if (r_.name() == u"encoding") {
                while (nextStart()) {
                    if (r_.name() == u"software" && score_.software.isEmpty())
                        score_.software = text();
                    else
                        r_.skipCurrentElement();
                }
            } else if (r_.name() == u"rights") {
                const QString t = text();
                if (score_.copyright.isEmpty()) score_.copyright = t;
            } else {
                r_.skipCurrentElement();
            }
        }
    } else {
        r_.skipCurrentElement();
    }
}

void Reader::readPartList() {
    while (nextStart()) {
        if (r_.name() != u"score-part") {
            r_.skipCurrentElement();
            continue;
        }
        XmlPart part;
        part.id = r_.attributes().value(QLatin1String("id")).toString();
        while (nextStart()) {
            if (r_.name() == u"part-name")
                part.name = text();
            else
                r_.skipCurrentElement();
        }
        score_.parts.push_back(std::move(part));
    }
}

void Reader::readPart() {
    const QString id = r_.attributes().value(QLatin1String("id")).toString();
    XmlPart* part = nullptr;
    for (XmlPart& p : score_.parts)
        if (p.id == id && p.measures.empty()) part = &p;
    if (!part) {
        score_.parts.push_back(XmlPart{.id = id, .name = id});
        part = &score_.parts.back();
    }
    divisions_ = 1;
    transpose_ = 0;
    while (nextStart()) {
        if (r_.name() != u"measure") {
            r_.skipCurrentElement();
            continue;
        }
        if (part->measures.size() >= size_t(kMaxBars)) throw Failure{MusicXmlStringId::TooLarge};
        part->measures.emplace_back();
        XmlMeasure& m = part->measures.back();
        m.implicit = r_.attributes().value(QLatin1String("implicit")) == u"yes";
        readMeasure(*part, m);
    }
}

void Reader::readMeasure(XmlPart& part, XmlMeasure& m) {
    cursor_ = 0;
    lastStart_ = 0;
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"note") {
            readNote(m);
        } else if (name == u"backup" || name == u"forward") {
            const bool back = name == u"backup";
            int32_t d = 0;
            while (nextStart()) {
                if (r_.name() == u"duration")
                    d = ticks(text());
                else
                    r_.skipCurrentElement();
            }
            cursor_ = back ? std::max(0, cursor_ - d) : cursor_ + d;
        } else if (name == u"attributes") {
            readAttributes(part, m);
        } else if (name == u"direction") {
            readDirection(m);
        } else if (name == u"sound") {
            const int tempo =
                int(std::lround(r_.attributes().value(QLatin1String("tempo")).toDouble()));
            if (tempo > 0)
                m.directions.push_back(
                    {.kind = XmlDirection::Tempo, .offset = cursor_, .tempo = tempo});
            r_.skipCurrentElement();
        } else if (name == u"barline") {
            readBarline(m);
        } else if (name == u"harmony") {
            lose(QStringLiteral("chord symbols"));
            r_.skipCurrentElement();
        } else if (name == u"figured-bass") {
            lose(QStringLiteral("figured bass"));
            r_.skipCurrentElement();
        } else {
            r_.skipCurrentElement();
        }
        if (cursor_ > kMaxTick) throw Failure{MusicXmlStringId::BadDuration};
        m.extent = std::max(m.extent, cursor_);
    }
}

void Reader::readAttributes(XmlPart& part, XmlMeasure& m) {
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"divisions") {
            bool ok = false;
            const double d = text().toDouble(&ok);
            if (!ok || d < 1 || d > kMaxDivisions || d != std::floor(d))
                throw Failure{MusicXmlStringId::BadDivisions};
            divisions_ = int64_t(d);
        } else if (name == u"key") {
            int fifths = 0;
            bool minor = false, traditional = false;
            while (nextStart()) {
                if (r_.name() == u"fifths") {
                    fifths = std::clamp(text().toInt(), -7, 7);
                    traditional = true;
                } else if (r_.name() == u"mode") {
                    minor = text() == u"minor";
                } else {
                    r_.skipCurrentElement();
                }
            }
            if (traditional && !m.key) m.key = std::pair{fifths, minor};
        } else if (name == u"time") {
            int beats = 0, type = 0;
            while (nextStart()) {
                if (r_.name() == u"beats") {
                    // Additive meters ("3+2") count all their beats.
                    for (const QString& b : text().split(u'+'))
                        beats += b.toInt();
                } else if (r_.name() == u"beat-type") {
                    type = text().toInt();
                } else {
                    r_.skipCurrentElement();
                }
            }
            const bool power = type > 0 && type <= 64 && (type & (type - 1)) == 0;
            if (beats > 0 && beats <= 128 && power && !m.time) m.time = std::pair{beats, type};
        } else if (name == u"staves") {
            part.staves = std::clamp(text().toInt(), 1, 16);
        } else if (name == u"transpose") {
            int chromatic = 0, octave = 0;
            while (nextStart()) {
                if (r_.name() == u"chromatic")
                    chromatic = text().toInt();
                else if (r_.name() == u"octave-change")
                    octave = text().toInt();
                else
                    r_.skipCurrentElement();
            }
            transpose_ = std::clamp(chromatic + 12 * octave, -48, 48);
        } else {
            r_.skipCurrentElement();
        }
    }
}

void Reader::readNote(XmlMeasure& m) {
    XmlNote n;
    bool chord = false, cue = false, unpitched = false;
    int32_t duration = 0;
    int step = -1, octave = 4;
    double alter = 0;
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"chord") {
            chord = true;
            r_.skipCurrentElement();
        } else if (name == u"grace") {
            n.grace = true;
            r_.skipCurrentElement();
        } else if (name == u"cue") {
            cue = true;
            r_.skipCurrentElement();
        } else if (name == u"rest") {
            n.rest = true;
            r_.skipCurrentElement();
        } else if (name == u"unpitched") {
            unpitched = true;
            r_.skipCurrentElement();
        } else if (name == u"pitch") {
            while (nextStart()) {
                if (r_.name() == u"step")
                    step = stepBase(text());
                else if (r_.name() == u"alter")
                    alter = text().toDouble();
                else if (r_.name() == u"octave")
                    octave = text().toInt();
                else
                    r_.skipCurrentElement();
            }
        } else if (name == u"duration") {
            duration = ticks(text());
        } else if (name == u"tie") {
            const QStringView type = r_.attributes().value(QLatin1String("type"));
            n.tieStart |= type == u"start";
            n.tieStop |= type == u"stop";
            r_.skipCurrentElement();
        } else if (name == u"voice") {
            n.voice = std::clamp(text().toInt(), 1, 64);
        } else if (name == u"staff") {
            n.staff = std::clamp(text().toInt(), 1, 16);
        } else if (name == u"type") {
            n.graceType = typeIndex(text());
        } else if (name == u"time-modification") {
            int actual = 0, normal = 0;
            while (nextStart()) {
                if (r_.name() == u"actual-notes")
                    actual = text().toInt();
                else if (r_.name() == u"normal-notes")
                    normal = text().toInt();
                else
                    r_.skipCurrentElement();
            }
            n.triplet = actual == 3 && normal == 2;
            if (!n.triplet && actual != normal) lose(QStringLiteral("tuplets other than triplets"));
        } else if (name == u"notations") {
            readNotations(n);
        } else if (name == u"lyric") {
            static const QRegularExpression digits(QStringLiteral("\\d+"));
            const QRegularExpressionMatch verse =
                digits.match(r_.attributes().value(QLatin1String("number")));
            XmlLyric lyric{.verse = verse.hasMatch() ? verse.captured().toInt() - 1 : 0};
            QString syllabic;
            while (nextStart()) {
                if (r_.name() == u"text")
                    lyric.text += text();
                else if (r_.name() == u"syllabic")
                    syllabic = text();
                else if (r_.name() == u"elision")
                    lyric.text += (text(), QStringLiteral(" "));
                else
                    r_.skipCurrentElement();
            }
            // A word cut into syllables keeps its hyphens.
            if (syllabic == u"begin" || syllabic == u"middle") lyric.text += u'-';
            if (!lyric.text.isEmpty()) n.lyrics.push_back(lyric);
        } else {
            r_.skipCurrentElement();
        }
    }
    if (cue) {
        lose(QStringLiteral("cue notes"));
        return;
    }
    if (unpitched) {
        lose(QStringLiteral("unpitched (percussion) notes"));
        n.rest = true;
    }
    if (!n.rest && step < 0) n.rest = true;
    if (!n.rest) {
        const int pitch = (octave + 1) * 12 + step + int(std::lround(alter)) + transpose_;
        if (alter != std::round(alter)) lose(QStringLiteral("microtones"));
        if (pitch < 0 || pitch > 127) {
            lose(QStringLiteral("notes outside the MIDI range"));
            n.rest = true;
        }
        n.pitch = std::clamp(pitch, 0, 127);
    }
    if (n.grace) {
        n.offset = cursor_;
        n.duration = 0;
    } else if (chord) {
        n.offset = lastStart_;
        n.duration = duration;
    } else {
        n.offset = cursor_;
        n.duration = duration;
        lastStart_ = cursor_;
        cursor_ += duration;
    }
    m.extent = std::max(m.extent, n.offset + n.duration);
    if (++notes_ > kMaxNotes) throw Failure{MusicXmlStringId::TooManyNotes};
    m.notes.push_back(std::move(n));
}

void Reader::readNotations(XmlNote& n) {
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"tied") {
            const QStringView type = r_.attributes().value(QLatin1String("type"));
            n.tieStart |= type == u"start";
            n.tieStop |= type == u"stop";
            r_.skipCurrentElement();
        } else if (name == u"slur") {
            const QStringView type = r_.attributes().value(QLatin1String("type"));
            const int number =
                std::clamp(r_.attributes().value(QLatin1String("number")).toInt(), 0, 16);
            if (type == u"start" || type == u"stop")
                n.slurs.push_back({.number = number, .start = type == u"start"});
            r_.skipCurrentElement();
        } else if (name == u"tuplet") {
            const QStringView type = r_.attributes().value(QLatin1String("type"));
            n.tupletStart |= type == u"start";
            n.tupletStop |= type == u"stop";
            r_.skipCurrentElement();
        } else if (name == u"ornaments") {
            while (nextStart()) {
                if (r_.name() == u"trill-mark")
                    n.trill = true;
                else if (r_.name() != u"wavy-line" && r_.name() != u"accidental-mark")
                    lose(QStringLiteral("ornaments other than trills"));
                r_.skipCurrentElement();
            }
        } else if (name == u"articulations") {
            while (nextStart()) {
                if (r_.name() == u"staccato")
                    n.staccato = true;
                else if (r_.name() == u"accent")
                    n.accent = true;
                else
                    lose(QStringLiteral("articulations other than staccato and accent"));
                r_.skipCurrentElement();
            }
        } else if (name == u"technical") {
            while (nextStart()) {
                if (r_.name() == u"fingering") {
                    const int finger = text().toInt();
                    if (finger >= 1 && finger <= 5) n.fingers |= 1 << (finger - 1);
                } else {
                    lose(QStringLiteral("technical marks other than fingering"));
                    r_.skipCurrentElement();
                }
            }
        } else if (name == u"dynamics") {
            while (nextStart()) {
                n.dynamics.push_back(r_.name().toString());
                r_.skipCurrentElement();
            }
        } else if (name == u"fermata") {
            lose(QStringLiteral("fermatas"));
            r_.skipCurrentElement();
        } else if (name == u"arpeggiate" || name == u"glissando" || name == u"slide") {
            lose(QStringLiteral("arpeggios and glissandos"));
            r_.skipCurrentElement();
        } else {
            r_.skipCurrentElement();
        }
    }
}

void Reader::readDirection(XmlMeasure& m) {
    const bool above = r_.attributes().value(QLatin1String("placement")) != u"below";
    std::vector<XmlDirection> found;
    int staff = 1;
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"direction-type") {
            while (nextStart()) {
                const QStringView kind = r_.name();
                if (kind == u"words" || kind == u"rehearsal") {
                    const QString t = text();
                    if (!t.isEmpty()) found.push_back({.kind = XmlDirection::Words, .text = t});
                } else if (kind == u"dynamics") {
                    while (nextStart()) {
                        found.push_back(
                            {.kind = XmlDirection::Dynamics, .text = r_.name().toString()});
                        r_.skipCurrentElement();
                    }
                } else if (kind == u"wedge") {
                    const QStringView type = r_.attributes().value(QLatin1String("type"));
                    if (type == u"crescendo")
                        found.push_back({.kind = XmlDirection::WedgeCrescendo});
                    else if (type == u"diminuendo")
                        found.push_back({.kind = XmlDirection::WedgeDiminuendo});
                    else if (type == u"stop")
                        found.push_back({.kind = XmlDirection::WedgeStop});
                    r_.skipCurrentElement();
                } else if (kind == u"metronome") {
                    QString unit;
                    bool dotted = false;
                    double perMinute = 0;
                    while (nextStart()) {
                        if (r_.name() == u"beat-unit")
                            unit = text();
                        else if (r_.name() == u"beat-unit-dot")
                            dotted = (r_.skipCurrentElement(), true);
                        else if (r_.name() == u"per-minute")
                            perMinute = text().toDouble();
                        else
                            r_.skipCurrentElement();
                    }
                    // The tempo in quarter notes per minute.
                    const int type = typeIndex(unit);
                    double quarters = perMinute * std::pow(2.0, 2 - type) * (dotted ? 1.5 : 1);
                    if (unit.isEmpty()) quarters = perMinute;
                    if (quarters >= 1 && quarters <= 1000)
                        found.push_back(
                            {.kind = XmlDirection::Tempo, .tempo = int(std::lround(quarters))});
                } else if (kind == u"pedal") {
                    lose(QStringLiteral("pedal marks"));
                    r_.skipCurrentElement();
                } else if (kind == u"segno" || kind == u"coda") {
                    lose(QStringLiteral("segno and coda signs"));
                    r_.skipCurrentElement();
                } else {
                    r_.skipCurrentElement();
                }
            }
        } else if (name == u"staff") {
            staff = std::clamp(text().toInt(), 1, 16);
        } else if (name == u"sound") {
            const int tempo =
                int(std::lround(r_.attributes().value(QLatin1String("tempo")).toDouble()));
            bool metronome = false;
            for (const XmlDirection& d : found)
                metronome |= d.kind == XmlDirection::Tempo;
            if (tempo > 0 && tempo <= 1000 && !metronome)
                found.push_back({.kind = XmlDirection::Tempo, .tempo = tempo});
            if (r_.attributes().hasAttribute(QLatin1String("dacapo")) ||
                r_.attributes().hasAttribute(QLatin1String("dalsegno")))
                lose(QStringLiteral("da capo and dal segno jumps"));
            r_.skipCurrentElement();
        } else {
            r_.skipCurrentElement();
        }
    }
    for (XmlDirection& d : found) {
        d.offset = cursor_;
        d.staff = staff;
        d.above = above;
        m.directions.push_back(std::move(d));
    }
}

void Reader::readBarline(XmlMeasure& m) {
    const bool left = r_.attributes().value(QLatin1String("location")) == u"left";
    XmlBarline& b = left ? m.left : m.right;
    while (nextStart()) {
        const QStringView name = r_.name();
        if (name == u"bar-style") {
            const QString s = text();
            if (s == u"heavy") b.style = std::max(b.style, 1);
            if (s == u"light-light") b.style = std::max(b.style, 2);
            if (s == u"light-heavy" || s == u"heavy-light") b.style = std::max(b.style, 4);
        } else if (name == u"repeat") {
            b.style = 3;
            r_.skipCurrentElement();
        } else if (name == u"ending") {
            const QStringView type = r_.attributes().value(QLatin1String("type"));
            const QString number = r_.attributes().value(QLatin1String("number")).toString();
            if (type == u"start") b.endingStart = number;
            if (type == u"stop") b.endingStop = true;
            if (type == u"discontinue") b.endingStop = false;
            r_.skipCurrentElement();
        } else {
            r_.skipCurrentElement();
        }
    }
    // A thick-thin line on the left, or thin-thick on the right, without dots is a plain
    // heavy or final line.
    if (left && b.style == 4) b.style = 1;
}

// The resolution that holds every division value of the document exactly: their least
// common multiple, raised to a multiple of 96 or more; 960 with rounding when too fine.
// A plain scan for the elements is enough here: the reader proper checks the document.
int32_t resolutionFor(const QByteArray& bytes) {
    static const QByteArray tag = QByteArrayLiteral("<divisions>");
    int64_t l = 1;
    for (qsizetype at = bytes.indexOf(tag); at >= 0; at = bytes.indexOf(tag, at + 1)) {
        const qsizetype from = at + tag.size();
        const qsizetype to = bytes.indexOf('<', from);
        if (to < 0) break;
        bool ok = false;
        const double d = bytes.mid(from, to - from).trimmed().toDouble(&ok);
        if (!ok || d < 1 || d > kMaxDivisions || d != std::floor(d)) continue;
        l = std::lcm(l, int64_t(d));
        if (l > kMaxPpqn) return kFallbackPpqn;
    }
    int64_t ppqn = l;
    while (ppqn < kDefaultPpqn)
        ppqn += l;
    return ppqn > kMaxPpqn ? kFallbackPpqn : int32_t(ppqn);
}

}  // namespace

bool looksLikeMusicXml(const QByteArray& bytes) {
    QXmlStreamReader r(bytes.left(64 * 1024));
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement())
            return r.name() == u"score-partwise" || r.name() == u"score-timewise";
    }
    return false;
}

MusicXmlReadResult readMusicXml(const QByteArray& bytes, XmlScore& score) {
    score = XmlScore{};
    score.ppqn = resolutionFor(bytes);
    Reader reader(bytes, score);
    try {
        reader.run();
    } catch (const Failure& f) {
        MusicXmlReadResult result{false, f.messageId, {}};
        if (f.messageId == MusicXmlStringId::Malformed) result.detail = reader.parserError();
        score = XmlScore{};
        return result;
    }
    return {true, 0, {}};
}

}  // namespace ks
