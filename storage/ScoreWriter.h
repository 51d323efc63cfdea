// Writing a score as a markup document: the current document format, the elements of
// undo snapshots, and the compatibility stub with its companion file.
#pragma once

#include <QString>

#include "model/Score.h"
#include "storage/MarkupFile.h"
#include "storage/PrinterSettings.h"

namespace ks {

class ScoreWriter {
  public:
    explicit ScoreWriter(CMarkupFile& file) : file_(file) {}

    // The whole document: root, printer settings, score, end of root.
    void writeDocument(const CScore& score, const CPrinterSettings& printer);

    void writePrinter(const CPrinterSettings& printer);
    void writeScore(const CScore& score);
    void writePreferences(const CScore& score);
    // One track with its notes and events. `name` is the element name ("track").
    void writeTrack(const CTrack& track);
    // A bar element; `force` writes it even when every attribute has its default.
    void writeBar(const CScoreBar& bar, bool force);
    void writeLine(const CScoreLine& line);
    void writeSelection(const CSelection& selection);

    void open(const QString& name);
    void close(const QString& name);

  private:
    void writeFont(const QString& name, const CUserFont& font);
    void writeHexPieces(const QString& name, const QByteArray& bytes);
    CMarkupFile& file_;
};

// Removes what a saved document never holds: empty lyrics from every track and
// note-mark events without marks. Writers call it before writing.
void dropEmptyMarks(CScore& score);

// Saves the document to `path`. False when the file could not be written completely.
bool writeScoreFile(const QString& path, const CScore& score, const CPrinterSettings& printer);

// The compatibility stub for the predecessor program, as the bytes of its file.
QByteArray compatibilityStub();
// The 28-byte companion file.
QByteArray companionBytes();

}  // namespace ks
