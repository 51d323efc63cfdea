#include "CliCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <cstdio>

#include "CliTextIds.h"
#include "CollisionJson.h"
#include "ConvertAudio.h"
#include "LayoutJson.h"
#include "PngExport.h"
#include "ScoreJson.h"
#include "edit/MusicXmlExportCommand.h"
#include "interchange/MidiExport.h"
#include "interchange/MidiFile.h"
#include "interchange/MidiImport.h"
#include "interchange/MusicXmlImport.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/ScoreOperations.h"
#include "model/StringIds.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "render/layout/FullRelayout.h"
#include "render/output/BmpExport.h"
#include "render/output/ExportResolution.h"
#include "render/output/ExportTextIds.h"
#include "render/output/PageImage.h"
#include "render/output/PageJob.h"
#include "render/output/RasterPdfExport.h"
#include "render/output/VectorPdfExport.h"
#include "resources/MusicFont.h"
#include "storage/DocumentContainer.h"
#include "storage/FileKind.h"
#include "storage/ScoreReader.h"
#include "storage/StorageTextIds.h"

namespace ks::cli {

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;
// The output was made from a read that ended with an error, as --keep-partial asked.
constexpr int kPartial = 3;

void printError(const QString& message) {
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage() {
    printError(
        QStringLiteral("usage: keystaves-cli <command> ...\n"
                       "  dump FILE              print the score of FILE as JSON\n"
                       "  layout FILE [--music]  print the page layout of FILE (or its Music-mode\n"
                       "                         line) as JSON\n"
                       "  layout FILE --collisions [--defaults]\n"
                       "                         print the marks that run into each other on\n"
                       "                         each page as JSON (with --defaults: drawn with\n"
                       "                         the built-in default settings)\n"
                       "  convert IN OUT.ksv     save IN as a document of the current format;\n"
                       "                         a MIDI file IN is imported, with the clean-ups\n"
                       "                         --remove-overlaps --extend-notes --shorten-notes;\n"
                       "                         its written rhythm is found (played notes\n"
                       "                         quantised) unless --no-quantise is given\n"
                       "                         (--quantise: the default, said outright)\n"
                       "                         IN may also be MusicXML (.musicxml, .xml, .mxl)\n"
                       "  convert IN OUT.mid     export the notes of IN as a standard MIDI file\n"
                       "  convert IN OUT.xml     export IN as MusicXML (OUT.mxl: compressed; the\n"
                       "                         .xml file is kept beside it)\n"
                       "  convert IN OUT.wav     render the performance of IN (repeats played,\n"
                       "                         no metronome) as audio\n"
                       "  convert IN OUT.png --dpi R [--page N]\n"
                       "                         draw the pages of IN as OUT1.png, OUT2.png, ...\n"
                       "                         (or only page N) at R dots per inch\n"
                       "  convert IN OUT.pdf [--dpi R | --vector]\n"
                       "                         the pages as a PDF file: one image per page at\n"
                       "                         R dots per inch (300 unless given), or with\n"
                       "                         --vector drawn as lines and text\n"
                       "  convert IN OUT.bmp [--dpi R]\n"
                       "                         the pages as OUT1.bmp, OUT2.bmp, ... at R dots\n"
                       "                         per inch (300 unless given)\n"
                       "options of every command:\n"
                       "  --keep-partial         go on with what was read when reading IN ended\n"
                       "                         with an error (exit status 3)\n"
                       "options of layout and the page outputs (.png, .pdf, .bmp):\n"
                       "  --max-pages N          allow up to N pages (2000 unless given)\n"
                       "exit status: 0 done, 1 failed, 2 wrong command line, 3 done with\n"
                       "--keep-partial after a read that ended with an error"));
    return kUsageError;
}

int printJson(const QJsonObject& object) {
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout) ==
                   static_cast<size_t>(json.size())
               ? 0
               : kFailure;
}

QString extensionOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// The clean-ups of a MIDI import, as the editor's import dialog offers them.
struct ImportCleanUps {
    bool removeOverlaps = false;
    bool extendNotes = false;
    bool shortenNotes = false;
    bool quantise = true;
    bool conflicting = false;  // both --quantise and --no-quantise
};

// Takes the import options out of the arguments.
ImportCleanUps takeCleanUps(QStringList& args) {
    ImportCleanUps c;
    c.removeOverlaps = args.removeAll(QStringLiteral("--remove-overlaps")) > 0;
    c.extendNotes = args.removeAll(QStringLiteral("--extend-notes")) > 0;
    c.shortenNotes = args.removeAll(QStringLiteral("--shorten-notes")) > 0;
    const bool on = args.removeAll(QStringLiteral("--quantise")) > 0;
    const bool off = args.removeAll(QStringLiteral("--no-quantise")) > 0;
    c.quantise = !off;
    c.conflicting = on && off;
    return c;
}

// How a score was read.
enum class Loaded {
    Failed,  // nothing to go on with
    Partly,  // the read ended with an error; what was read before it is there
    Whole,
};

// What the commands are allowed to go on with.
struct LoadOptions {
    ImportCleanUps cleanUps;
    bool keepPartial = false;  // go on after a read that ended with an error
};

// A standard MIDI file as a new document with the built-in defaults. The reader's
// messages are printed; whatever it read is kept, as in the editor.
Loaded importMidi(const QString& path, CScore& score, const ImportCleanUps& cleanUps) {
    CMidiFile file;
    const MidiResult read = file.Read(path);
    for (const QString& message : read.messages)
        printError(message);
    score.Reset();
    score.applyBuiltInDefaults();
    score.prefs.key = -1;
    importMidiFile(file, score, MidiConversion{.quantise = cleanUps.quantise, .fileName = path});
    if (cleanUps.removeOverlaps) removeOverlaps(score);
    if (cleanUps.extendNotes) extendNotes(score);
    if (cleanUps.shortenNotes) shortenNotesAtBarLines(score);
    return read.ok && read.messages.isEmpty() ? Loaded::Whole : Loaded::Partly;
}

// Reads a document container (".ksv", ".tpm", ".autosave", or any zip archive), a
// standard MIDI file (".mid", ".smf") or a bare score document. Prints the messages the
// editor would show.
Loaded readScore(const QString& path, CScore& score, CPrinterSettings* printer,
                 const ImportCleanUps& cleanUps) {
    const QString extension = extensionOf(path);
    if (extension == u"mid" || extension == u"smf") {
        if (!QFileInfo(path).isFile()) {
            printError(text(34250));  // "MIDI File Error: Unable to open File"
            return Loaded::Failed;
        }
        return importMidi(path, score, cleanUps);
    }
    if (isMusicXmlFile(path)) {
        score.Reset();
        score.applyBuiltInDefaults();
        score.prefs.key = -1;
        const MusicXmlImportResult result = importMusicXmlFile(path, score);
        if (!result.ok) {
            printError(formatText(text(result.messageId), {result.detail}));
            return Loaded::Failed;
        }
        if (!result.lost.isEmpty())
            printError(formatText(text(MusicXmlStringId::NotCarriedOver),
                                  {result.lost.join(QStringLiteral("\n"))}));
        return Loaded::Whole;
    }
    const bool container = extension == u"ksv" || extension == u"tpm" || extension == u"autosave";
    if (container && looksLikeMidiFile(path)) {
        printError(text(StringId::MidiFileNotDocument));
        return Loaded::Failed;
    }
    if (container || looksLikeZip(path)) {
        const ContainerReadResult result = readContainer(path, score, printer);
        if (result.ok) return Loaded::Whole;
        if (result.readerMessage != 0) printError(text(result.readerMessage));
        printError(text(StringId::ErrorLoadingFile));
        return Loaded::Failed;
    }
    const ReadResult result = readAnyScoreFile(path, score, printer);
    if (!result.ok) printError(text(result.messageId));
    return result.ok ? Loaded::Whole : Loaded::Failed;
}

// Reads the input of a command. A read that ended with an error stops the command
// unless the options allow going on; `status` becomes what the command ends with when
// all else goes well.
bool loadScore(const QString& path, CScore& score, CPrinterSettings* printer,
               const LoadOptions& options, int& status) {
    status = 0;
    switch (readScore(path, score, printer, options.cleanUps)) {
        case Loaded::Failed:
            return false;
        case Loaded::Partly:
            if (!options.keepPartial) {
                printError(text(StringId::PartialRead));
                return false;
            }
            status = kPartial;
            return true;
        case Loaded::Whole:
            return true;
    }
    return false;
}

// Removes "--name VALUE" from the arguments; false when the value is missing or not a
// whole number.
bool takeIntOption(QStringList& args, const QString& name, int& value) {
    const qsizetype at = args.indexOf(name);
    if (at < 0) return true;
    if (at + 1 >= args.size()) return false;
    bool ok = false;
    value = args[at + 1].toInt(&ok);
    args.remove(at, 2);
    return ok;
}

// Takes "--max-pages N" (at least 1) out of the arguments; false when it is malformed.
bool takePageLimit(QStringList& args, int& limit) {
    limit = kCliPageLimit;
    return takeIntOption(args, QStringLiteral("--max-pages"), limit) && limit >= 1;
}

// Whether `pages` pages may be drawn; prints why not.
bool withinPageLimit(int pages, int limit) {
    if (pages <= limit) return true;
    printError(formatText(text(StringId::TooManyPages), {pages, limit, pages}));
    return false;
}

int dump(QStringList args, const LoadOptions& options) {
    if (args.size() != 1) return usage();
    CScore score;
    int status = 0;
    if (!loadScore(args[0], score, nullptr, options, status)) return kFailure;
    const int printed = printJson(scoreToJson(score));
    return printed != 0 ? printed : status;
}

// The score's display settings and fonts replaced by the built-in defaults, its music kept.
void useBuiltInSettings(CScore& score) {
    CScore defaults;
    defaults.applyBuiltInDefaults();
    const int32_t zoom = score.prefs.zoom;
    score.prefs = defaults.prefs;
    score.font = defaults.font;
    score.prefs.key = -1;
    score.prefs.zoom = zoom;
}

int layout(QStringList args, const LoadOptions& options) {
    const bool music = args.removeAll(QStringLiteral("--music")) > 0;
    const bool collisions = args.removeAll(QStringLiteral("--collisions")) > 0;
    const bool defaults = args.removeAll(QStringLiteral("--defaults")) > 0;
    int limit = 0;
    if (!takePageLimit(args, limit) || args.size() != 1 || (collisions && music) ||
        (defaults && !collisions))
        return usage();
    if (collisions && !loadMusicFont()) {
        printError(text(StringId::SaveFailed));
        return kFailure;
    }
    CScore score;
    CPrinterSettings printer;
    int status = 0;
    if (!loadScore(args[0], score, &printer, options, status)) return kFailure;
    if (defaults) useBuiltInSettings(score);
    const PageGeometry page = pageGeometryFor(printer);
    fullRelayout(score, page);
    if (!music && !withinPageLimit(static_cast<int>(score.pages.size()), limit)) return kFailure;
    const int printed = printJson(collisions ? collisionsToJson(score, page)
                                             : laidOutScoreToJson(score, page, music));
    return printed != 0 ? printed : status;
}

int convertToPng(QStringList args, const LoadOptions& options) {
    int dpi = 0;
    int page = 0;
    int limit = 0;
    if (!takeIntOption(args, QStringLiteral("--dpi"), dpi) ||
        !takeIntOption(args, QStringLiteral("--page"), page) || !takePageLimit(args, limit) ||
        args.size() != 2 || dpi == 0 || page < 0)
        return usage();
    if (dpi < kMinExportDpi || dpi > kMaxExportDpi) {
        printError(text(StringId::InvalidExportResolution));
        return kFailure;
    }
    if (!loadMusicFont()) {
        printError(text(StringId::SaveFailed));
        return kFailure;
    }
    CScore score;
    CPrinterSettings printer;
    int status = 0;
    if (!loadScore(args[0], score, &printer, options, status)) return kFailure;
    const PageGeometry geometry = pageGeometryFor(printer);
    // Only the pages written count: one page of a long score is always allowed.
    if (page == 0 && !withinPageLimit(exportPageCount(score, geometry), limit)) return kFailure;
    const PngExportResult result =
        exportPngPages(score, geometry, args[1], dpi, page, QFileInfo(args[0]).fileName());
    if (!result.ok) {
        printError(text(result.messageId));
        return kFailure;
    }
    return status;
}

// The document exports of the editor: a raster or vector PDF file, or bitmap pages.
int convertToPages(QStringList args, const LoadOptions& options) {
    int dpi = kDefaultExportResolution;
    int limit = 0;
    const bool vector = args.removeAll(QStringLiteral("--vector")) > 0;
    const bool dpiGiven = args.contains(QStringLiteral("--dpi"));
    if (!takeIntOption(args, QStringLiteral("--dpi"), dpi) || !takePageLimit(args, limit) ||
        args.size() != 2 || (vector && (dpiGiven || extensionOf(args[1]) != u"pdf")))
        return usage();
    if (dpi < kMinExportDpi || dpi > kMaxExportDpi) {
        printError(text(StringId::InvalidExportResolution));
        return kFailure;
    }
    if (!loadMusicFont()) {
        printError(text(StringId::SaveFailed));
        return kFailure;
    }
    CScore score;
    CPrinterSettings printer;
    int status = 0;
    if (!loadScore(args[0], score, &printer, options, status)) return kFailure;
    const PageGeometry page = pageGeometryFor(printer);
    if (!withinPageLimit(exportPageCount(score, page), limit)) return kFailure;
    const QString name = QFileInfo(args[0]).fileName();
    if (extensionOf(args[1]) == u"bmp") {
        const BmpExportResult result = ExportBmp(score, page, args[1], dpi, name);
        if (result.complete()) return status;
        const int missing = result.pages - static_cast<int>(result.written.size());
        printError(result.messageId != 0 ? text(result.messageId)
                                         : formatText(text(OutputTextId::BitmapsNotWritten),
                                                      {missing, result.pages}));
        return kFailure;
    }
    const PdfExportResult result = vector ? ExportVectorPdf(score, page, args[1], name)
                                          : ExportPdf(score, page, args[1], dpi, name);
    if (result.ok) return status;
    printError(text(result.messageId));
    return kFailure;
}

// MusicXML of the laid-out score; the messages the editor would show are printed.
int exportMusicXml(CScore& score, const CPrinterSettings& printer, const QString& out) {
    class Prompts final : public IDocumentPrompts {
      public:
        bool askYesNo(int, const std::vector<TextArg>&) override { return true; }
        void showMessage(int textId, const std::vector<TextArg>& args) override {
            printError(promptText(textId, args));
        }
        void showStatus(const QString&) override {}
        QString chooseSavePath(const QString&) override { return {}; }
    } prompts;
    const PageGeometry page = pageGeometryFor(printer);
    fullRelayout(score, page);
    return exportMusicXmlDocument(score, page, out, prompts) ? 0 : kFailure;
}

int convert(QStringList args, LoadOptions options) {
    if (args.size() >= 2 && extensionOf(args[1]) == u"png") return convertToPng(args, options);
    if (args.size() >= 2 && (extensionOf(args[1]) == u"pdf" || extensionOf(args[1]) == u"bmp"))
        return convertToPages(args, options);
    options.cleanUps = takeCleanUps(args);
    if (args.size() != 2 || options.cleanUps.conflicting) return usage();
    const QString& out = args[1];
    int status = 0;
    if (isAudioPath(out)) {
        CScore score;
        if (!loadScore(args[0], score, nullptr, options, status)) return kFailure;
        const QString error = writeAudio(score, out);
        if (error.isEmpty()) return status;
        printError(error);
        return kFailure;
    }
    const QString outExtension = extensionOf(out);
    const bool musicXml =
        outExtension == u"xml" || outExtension == u"mxl" || outExtension == u"musicxml";
    if (outExtension != u"ksv" && outExtension != u"mid" && outExtension != u"smf" && !musicXml) {
        printError(text(StringId::InvalidFileType));
        return kFailure;
    }
    CScore score;
    CPrinterSettings printer;
    if (!loadScore(args[0], score, &printer, options, status)) return kFailure;
    if (outExtension == u"mid" || outExtension == u"smf") {
        const MidiResult written = exportMidiFile(score).Write(out);
        for (const QString& message : written.messages)
            printError(message);
        if (!written.ok) printError(text(34203));  // "Error Saving MIDI File"
        return written.ok ? status : kFailure;
    }
    if (musicXml) {
        const int exported = exportMusicXml(score, printer, out);
        return exported == 0 ? status : exported;
    }
    // A batch conversion leaves no backup beside its output.
    ContainerWriteOptions write;
    write.backup = false;
    if (!writeContainer(out, score, printer, write).ok) {
        printError(text(StringId::SaveFailed));
        return kFailure;
    }
    return status;
}

}  // namespace

int run(const QStringList& args) {
    if (args.isEmpty()) return usage();
    const QString command = args[0];
    QStringList rest = args.mid(1);
    LoadOptions options;
    options.keepPartial = rest.removeAll(QStringLiteral("--keep-partial")) > 0;
    if (command == u"dump") return dump(rest, options);
    if (command == u"layout") return layout(rest, options);
    if (command == u"convert") return convert(rest, options);
    return usage();
}

}  // namespace ks::cli
