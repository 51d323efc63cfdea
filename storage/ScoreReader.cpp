#include "ScoreReader.h"

#include <QHash>
#include <algorithm>

#include "model/StringIds.h"
#include "storage/AttributeReading.h"
#include "storage/StringCoding.h"

namespace ks {

using namespace attrs;
using E = CMarkupElement;

namespace {

bool isTrackStart(ScorePath id) {
    return id == ScorePath::Track || id == ScorePath::TempoTrack ||
           id == ScorePath::AnnotationTrack || id == ScorePath::UndoTrack ||
           id == ScorePath::OldTrack;
}

// The first item must be the root: white space between items does not count.
int firstItem(const std::vector<E>& elements) {
    for (size_t i = 0; i < elements.size(); ++i) {
        const E& e = elements[i];
        if (e.type == E::kText && e.text.trimmed().isEmpty()) continue;
        return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

ScoreReader::ScoreReader(CScore& score, CPrinterSettings* printer)
    : score_(score), printer_(printer) {
    path_.reserve(256);
}

ReadResult ScoreReader::readCurrent(const CMarkupFile& file) {
    return walk(file, QStringLiteral("keystaves"), false);
}

ReadResult ScoreReader::readPredecessor(const CMarkupFile& file) {
    return walk(file, QStringLiteral("tonepad"), true);
}

ScorePath ScoreReader::lookUp() {
    // Runs of equal paths (the notes of a track) hit the remembered answer.
    if (path_ == lastPath_) return lastId_;
    lastPath_ = path_;
    lastId_ = lookUpScorePath(path_);
    return lastId_;
}

bool ScoreReader::appendName(const QString& name) {
    if (path_.size() + name.size() + 2 > longestScorePath()) return false;
    path_ += u'<';
    path_ += name;
    path_ += u'>';
    return true;
}

const CMarkupElement* ScoreReader::enclosing(const CMarkupElement& e) const {
    // A start tag is on the stack itself while it is handled; an empty element is not.
    const int at = static_cast<int>(stack_.size()) - 1 - (e.type == E::kStartTag ? 1 : 0);
    if (at < 0 || !file_) return nullptr;
    return &file_->elements()[static_cast<size_t>(stack_[static_cast<size_t>(at)].element)];
}

ReadResult ScoreReader::walk(const CMarkupFile& file, const QString& rootName, bool predecessor) {
    file_ = &file;
    const std::vector<E>& elements = file.elements();
    const int root = firstItem(elements);
    if (root < 0) return ReadResult::failure(StringId::InvalidFileType);
    const E& first = elements[static_cast<size_t>(root)];
    if ((first.type != E::kStartTag && first.type != E::kEmptyElement) || first.name != rootName)
        return ReadResult::failure(StringId::InvalidFileType);

    for (size_t i = static_cast<size_t>(root); i < elements.size(); ++i) {
        const E& e = elements[i];
        switch (e.type) {
            case E::kStartTag: {
                Open open{path_.size(), ScorePath::Unknown, static_cast<int>(i), false};
                if (beyondDepth_ == 0 && appendName(e.name)) {
                    open.id = lookUp();
                } else {
                    open.beyond = true;
                    ++beyondDepth_;
                }
                stack_.push_back(open);
                handle(open.id, e, static_cast<int>(i));
                break;
            }
            case E::kEmptyElement: {
                const qsizetype length = path_.size();
                ScorePath id = ScorePath::Unknown;
                if (beyondDepth_ == 0 && appendName(e.name)) {
                    id = lookUp();
                    path_.truncate(length);
                }
                handle(id, e, static_cast<int>(i));
                // A track written as an empty element still ends.
                if (isTrackStart(id)) handleEnd(id);
                break;
            }
            case E::kEndTag: {
                if (stack_.empty()) break;
                const Open& top = stack_.back();
                if (elements[static_cast<size_t>(top.element)].name != e.name) break;
                const ScorePath id = top.id;
                if (top.beyond)
                    --beyondDepth_;
                else
                    path_.truncate(top.pathLength);
                stack_.pop_back();
                handleEnd(id);
                break;
            }
            default:
                break;  // text, declarations, comments and document types carry nothing
        }
    }
    // A document cut short still ends its open track.
    if (inTrack_) endTrack();
    if (predecessor)
        finishPredecessor();
    else
        finishCurrent();
    file_ = nullptr;
    return ReadResult::success();
}

void ScoreReader::handle(ScorePath id, const E& e, int index) {
    switch (id) {
        case ScorePath::Score:
            readScoreAttributes(e);
            break;
        case ScorePath::Preferences:
        case ScorePath::SettingsSnapshot:
        case ScorePath::OldPreferences:
            readPreferences(e);
            break;
        case ScorePath::PreferencesFont:
        case ScorePath::SettingsSnapshotFont:
        case ScorePath::OldPreferencesFont:
            score_.font = readFont(e, CUserFont{});
            break;
        case ScorePath::MidiPrefs:
        case ScorePath::SettingsSnapshotMidi:
            readMidiPrefs(e);
            break;
        case ScorePath::PaperColour:
        case ScorePath::SettingsSnapshotPaper:
            readPaperColour(e);
            break;
        case ScorePath::TextBox:
            readTextBox(e);
            break;
        case ScorePath::Part:
            readPart(e);
            break;
        case ScorePath::Bars:
        case ScorePath::OldBars:
            readBarCount(e);
            break;
        case ScorePath::Bar: {
            const int32_t i = getInt(e, u"index", -1);
            if (i >= 0 && i < static_cast<int32_t>(score_.bars.size()))
                readBar(e, score_.bars[static_cast<size_t>(i)]);
            break;
        }
        case ScorePath::UndoBar:
            if (undoTarget_ >= 0 && undoTarget_ < static_cast<int>(score_.bars.size()))
                readBar(e, score_.bars[static_cast<size_t>(undoTarget_)]);
            break;
        case ScorePath::Lines:
            score_.lines.reserve(
                static_cast<size_t>(getClamped(e, u"count", 0, 0, kMaxReaderItems)));
            break;
        case ScorePath::Line:
            if (score_.lines.size() < static_cast<size_t>(kMaxBars)) {
                CScoreLine line;
                readLine(e, line);
                score_.lines.push_back(line);
            }
            break;
        case ScorePath::UndoLine:
            if (undoTarget_ >= 0 && undoTarget_ < static_cast<int>(score_.lines.size()))
                readLine(e, score_.lines[static_cast<size_t>(undoTarget_)]);
            break;
        case ScorePath::TimeSignature:
        case ScorePath::OldTimeSignature:
            readTimeSignature(e);
            break;
        case ScorePath::KeySignature:
            readKeySignature(e);
            break;
        case ScorePath::Track:
        case ScorePath::TempoTrack:
        case ScorePath::AnnotationTrack:
        case ScorePath::UndoTrack:
            beginTrack(e, id);
            break;
        case ScorePath::Note:
            readNote(e);
            break;
        case ScorePath::Event:
            readEvent(e);
            break;
        case ScorePath::Volta:
        case ScorePath::OldVolta:
            readVolta(e);
            break;
        case ScorePath::UserFonts:
            beginUserFonts();
            break;
        case ScorePath::UserFont:
            readUserFont(e);
            break;
        case ScorePath::Page:
            readPage(e);
            break;
        case ScorePath::Selection:
            readSelection(e);
            break;
        case ScorePath::DevMode:
        case ScorePath::OldDevMode:
            readHexPiece(e, devmode_);
            break;
        case ScorePath::DevNames:
        case ScorePath::OldDevNames:
            readHexPiece(e, devnames_);
            break;
        case ScorePath::Margins:
            readMargins(e);
            break;
        case ScorePath::OldMidi:
            readOldMidi(e);
            break;
        case ScorePath::OldTrack:
            beginOldTrack(e);
            break;
        case ScorePath::OldNote:
            readOldNote(e);
            break;
        case ScorePath::OldTriplet:
            beginOldTriplet(e);
            break;
        case ScorePath::OldTripletNote:
            readOldTripletNote(e);
            break;
        case ScorePath::OldPhrase:
            readOldPhrase(e);
            break;
        case ScorePath::OldSpelling:
            readOldSpelling(e);
            break;
        case ScorePath::OldScore:
            readOldScore(e);
            break;
        case ScorePath::OldBar:
            readOldBar(e);
            break;
        case ScorePath::OldAnnotation:
            readOldAnnotation(e);
            break;
        case ScorePath::OldAnnotationFont:
            readOldAnnotationFont(e);
            break;
        case ScorePath::OldDisplayItem:
            readOldDisplayItem(e);
            break;
        case ScorePath::OldLine:
            readOldLine(e);
            break;
        case ScorePath::OldPart:
            readOldPart(e);
            break;
        default:
            break;
    }
    (void)index;
}

void ScoreReader::handleEnd(ScorePath id) {
    switch (id) {
        case ScorePath::Track:
        case ScorePath::TempoTrack:
        case ScorePath::AnnotationTrack:
        case ScorePath::UndoTrack:
            endTrack();
            break;
        case ScorePath::OldTrack:
            endOldTrack();
            break;
        case ScorePath::OldTriplet:
            endOldTriplet();
            break;
        default:
            break;
    }
}

// --- after the walk ---------------------------------------------------------------------

namespace {

QString joined(const std::vector<QString>& pieces) {
    QString all;
    for (const QString& p : pieces)
        all += p;
    return all;
}

}  // namespace

void ScoreReader::finishPrinter() {
    if (!printer_) return;
    QByteArray bytes;
    if (!devmode_.empty() && hexDecode(joined(devmode_), bytes)) printer_->devmode = bytes;
    bytes.clear();
    if (!devnames_.empty() && hexDecode(joined(devnames_), bytes)) printer_->devnames = bytes;
}

void ScoreReader::finishCurrent() {
    finishPrinter();
    score_.normaliseTimeSignatures();
    if (score_.editlength < score_.length) score_.editlength = score_.length;
    // The key of the settings becomes the key signature at bar 0.
    CDisplaySettings& p = score_.prefs;
    if (p.key >= 0) {
        int32_t key = p.key > 14 ? kKeyCMajor : p.key;
        if (p.minorkey) key += 15;
        score_.setKeySignature(key, 0);
    }
}

// --- whole files --------------------------------------------------------------------------

namespace {

ReadResult readFile(const QString& path, CScore& score, CPrinterSettings* printer, int format) {
    score.Reset();
    if (printer) *printer = CPrinterSettings{};
    CMarkupFile file;
    if (!file.Load(path)) {
        // An unopenable file, or one whose tokens overflow the reader.
        return ReadResult::failure(file.errors().isEmpty() ? StringId::UnableToOpenFile
                                                           : StringId::ErrorLoadingFile);
    }
    bool predecessor = format == 1;
    if (format < 0) {
        for (const CMarkupElement& e : file.elements()) {
            if (e.type == CMarkupElement::kText && e.text.trimmed().isEmpty()) continue;
            predecessor = e.name == u"tonepad";
            break;
        }
    }
    ScoreReader reader(score, printer);
    ReadResult result = predecessor ? reader.readPredecessor(file) : reader.readCurrent(file);
    if (!result.ok) {
        score.Reset();
        if (printer) *printer = CPrinterSettings{};
    }
    return result;
}

}  // namespace

ReadResult readScoreFile(const QString& path, CScore& score, CPrinterSettings* printer) {
    return readFile(path, score, printer, 0);
}

ReadResult readPredecessorFile(const QString& path, CScore& score, CPrinterSettings* printer) {
    return readFile(path, score, printer, 1);
}

ReadResult readAnyScoreFile(const QString& path, CScore& score, CPrinterSettings* printer) {
    return readFile(path, score, printer, -1);
}

}  // namespace ks
