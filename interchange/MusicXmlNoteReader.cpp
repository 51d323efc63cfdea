// The MusicXML reader's notes, their notations and the directions between them.
#include <QRegularExpression>
#include <cmath>

#include "interchange/MusicXmlElementReader.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/Score.h"

namespace ks::musicxml_reading {

namespace {

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

}  // namespace

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

}  // namespace ks::musicxml_reading
