// Helpers for score-file tests: reading documents from text and writing scores to bytes.
#pragma once

#include <QTemporaryDir>

#include "MarkupTestUtil.h"
#include "storage/ScoreReader.h"
#include "storage/ScoreWriter.h"

namespace ks::test {

// Reads a current-format or predecessor document given as text.
inline ReadResult readDocument(const QByteArray& text, CScore& score,
                               CPrinterSettings* printer = nullptr) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("score.xml"));
    if (!writeBytes(path, text)) return ReadResult::failure(-1);
    return readAnyScoreFile(path, score, printer);
}

// The bytes the writer produces for a score.
inline QByteArray writtenBytes(const CScore& score, const CPrinterSettings& printer = {}) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xml"));
    if (!writeScoreFile(path, score, printer)) return {};
    return readBytes(path);
}

// A document with a score element whose inner content is given.
inline QByteArray scoreDocument(const QByteArray& inner, const QByteArray& scoreAttributes = {}) {
    return "<keystaves>\n<score " + scoreAttributes + ">\n" + inner + "\n</score>\n</keystaves>\n";
}

}  // namespace ks::test
