// The kinds of file Open reads besides document containers and MIDI files, as one table:
// each reader names its entry in the Open dialog, how it recognises a file, and how it
// reads one into a document. Another reader joins the program with one line of it.
#pragma once

#include <QString>
#include <vector>

namespace ks {

class CKeystaveDoc;

struct DocumentReader {
    int filterLabel = 0;        // text id of its Open-dialog entry ("... (*.xml)")
    const char* patterns = "";  // its file patterns, "*.a; *.b"
    bool (*recognises)(const QString& path) = nullptr;
    bool (*read)(CKeystaveDoc& doc, const QString& path) = nullptr;
};

// The readers in the order they are tried.
const std::vector<DocumentReader>& documentReaders();

// Lets a document open every kind of file of the table.
void installDocumentReaders(CKeystaveDoc& doc);

// The Open dialog's filter: the program's own entries, with the predecessor's ".tpm"
// and the readers' patterns among all music files, and each reader's entry before
// "All Files" (the last entry).
QString openDialogFilter();

}  // namespace ks
