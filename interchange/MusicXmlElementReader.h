// The MusicXML document reader's own parts, shared by the files that read the elements:
// its limits, its failure, and the reader that walks one partwise document into an
// XmlScore. Not for use outside the MusicXML reader.
#pragma once

#include <QXmlStreamReader>
#include <cstdint>

#include "interchange/MusicXmlDocument.h"

namespace ks::musicxml_reading {

// Limits that keep a hostile document from asking for unbounded work or memory.
constexpr int64_t kMaxDivisions = 1 << 20;
constexpr double kMaxQuartersPerDuration = 1024;  // 256 bars of 4/4 in one element
constexpr int64_t kMaxTick = int64_t(1) << 30;
constexpr size_t kMaxNotes = 4'000'000;
constexpr int32_t kFallbackPpqn = 960;

struct Failure {
    int messageId;
};

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

}  // namespace ks::musicxml_reading
