// Reading score documents: the current format, undo snapshots, and the predecessor
// format. The reader walks the flat element list once, tracking the path of element
// names from the root, and acts on the paths it knows.
#pragma once

#include <QHash>
#include <QString>
#include <vector>

#include "model/Score.h"
#include "storage/MarkupFile.h"
#include "storage/PrinterSettings.h"
#include "storage/ScorePaths.h"

namespace ks {

// Upper bound on items a reader reserves room for or keeps from one list of a document.
constexpr int32_t kMaxReaderItems = 100000;
constexpr int32_t kMaxReaderTick = 0x7FFFFFFF;
// The largest music size a document may ask for: an em of one inch, far above what the
// display settings offer, and small enough that every size drawing derives from it fits.
constexpr int32_t kMaxReaderFontSize = 1000;

// The outcome of reading a document: success, or the text-table id of the message.
struct ReadResult {
    bool ok = false;
    int messageId = 0;
    static ReadResult success() { return {true, 0}; }
    static ReadResult failure(int id) { return {false, id}; }
};

class ScoreReader {
  public:
    // `printer` may be null when the caller has no use for printer settings.
    ScoreReader(CScore& score, CPrinterSettings* printer);

    // Undo snapshots of one track, bar or line restore into this index.
    void setUndoTarget(int index) { undoTarget_ = index; }

    // The element list of a current-format document (root "keystaves").
    ReadResult readCurrent(const CMarkupFile& file);
    // The element list of a predecessor document (root "tonepad").
    ReadResult readPredecessor(const CMarkupFile& file);

  private:
    struct Open {
        qsizetype pathLength;  // length of the path before this element was appended
        ScorePath id;
        int element;  // index in the element list
        bool beyond;  // the name was not appended: the path is longer than any known
    };

    ReadResult walk(const CMarkupFile& file, const QString& rootName, bool predecessor);
    ScorePath lookUp();
    // Appends "<name>" to the path when the result can still be a known path; false
    // (and the path unchanged) when it cannot.
    bool appendName(const QString& name);
    void handle(ScorePath id, const CMarkupElement& e, int index);
    void handleEnd(ScorePath id);
    void finishCurrent();
    void finishPrinter();
    void finishPredecessor();

    // current format
    void readScoreAttributes(const CMarkupElement& e);
    void readPreferences(const CMarkupElement& e);
    void readMidiPrefs(const CMarkupElement& e);
    void readPaperColour(const CMarkupElement& e);
    void readTextBox(const CMarkupElement& e);
    void readPart(const CMarkupElement& e);
    void readPartEntry(int part, int32_t track);
    void readBarCount(const CMarkupElement& e);
    void readBar(const CMarkupElement& e, CScoreBar& bar);
    void readLine(const CMarkupElement& e, CScoreLine& line);
    void readTimeSignature(const CMarkupElement& e);
    void readKeySignature(const CMarkupElement& e);
    void beginTrack(const CMarkupElement& e, ScorePath id);
    void endTrack();
    void readNote(const CMarkupElement& e);
    void readEvent(const CMarkupElement& e);
    void readVolta(const CMarkupElement& e);
    void beginUserFonts();
    void readUserFont(const CMarkupElement& e);
    void readPage(const CMarkupElement& e);
    void readSelection(const CMarkupElement& e);
    void readHexPiece(const CMarkupElement& e, std::vector<QString>& pieces);
    void readMargins(const CMarkupElement& e);
    static CUserFont readFont(const CMarkupElement& e, const CUserFont& base);

    // predecessor format
    void readOldMidi(const CMarkupElement& e);
    void beginOldTrack(const CMarkupElement& e);
    void endOldTrack();
    void readOldNote(const CMarkupElement& e);
    void beginOldTriplet(const CMarkupElement& e);
    void endOldTriplet();
    void readOldTripletNote(const CMarkupElement& e);
    void readOldPhrase(const CMarkupElement& e);
    void readOldSpelling(const CMarkupElement& e);
    void readOldScore(const CMarkupElement& e);
    void readOldBar(const CMarkupElement& e);
    void readOldAnnotation(const CMarkupElement& e);
    void readOldAnnotationFont(const CMarkupElement& e);
    void readOldDisplayItem(const CMarkupElement& e);
    void readOldLine(const CMarkupElement& e);
    void readOldPart(const CMarkupElement& e);

    // The element that encloses `e`, the element being handled; null at the root.
    const CMarkupElement* enclosing(const CMarkupElement& e) const;

    CScore& score_;
    CPrinterSettings* printer_;
    const CMarkupFile* file_ = nullptr;
    int undoTarget_ = -1;

    // The path holds the names of the open elements only as long as it can match a known
    // path; deeper elements are counted in beyondDepth_, so that every element costs
    // the same however deep it lies.
    QString path_;
    int beyondDepth_ = 0;
    QString lastPath_;
    ScorePath lastId_ = ScorePath::Unknown;
    std::vector<Open> stack_;

    // The track being read, and where it goes when it ends.
    bool inTrack_ = false;
    ScorePath trackKind_ = ScorePath::Unknown;
    CTrack track_;
    std::vector<CNote> notes_;
    std::vector<CEvent> events_;

    std::vector<QString> devmode_, devnames_;
    QHash<QString, int> fontIndex_;
    int oldPartCount_ = 0;
    struct OldTriplet {
        int32_t start = 0;
        int32_t duration = 0;
        bool open = false;
    } triplet_;
    struct OldAnnotation {
        int32_t bar;
        int32_t offset;
        CEvent event;
    };
    std::vector<OldAnnotation> oldAnnotations_;
    int32_t oldLength_ = -1;
};

// Loads and reads a current-format document file into `score`, which is reset first.
// On failure the score is left reset and the id of the message to show is returned.
ReadResult readScoreFile(const QString& path, CScore& score, CPrinterSettings* printer);
// The same for a predecessor document file.
ReadResult readPredecessorFile(const QString& path, CScore& score, CPrinterSettings* printer);
// Reads a bare document of either format, chosen by its root element.
ReadResult readAnyScoreFile(const QString& path, CScore& score, CPrinterSettings* printer);

}  // namespace ks
