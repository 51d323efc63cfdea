#include "interchange/MusicXmlReader.h"

#include <QXmlStreamReader>
#include <cmath>
#include <numeric>

#include "interchange/MusicXmlElementReader.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/Score.h"

namespace ks {

namespace musicxml_reading {

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

namespace {

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

}  // namespace musicxml_reading

using musicxml_reading::Failure;
using musicxml_reading::Reader;
using musicxml_reading::resolutionFor;

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
