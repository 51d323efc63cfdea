#include "app/DefaultSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/StringIds.h"
#include "model/TextTable.h"
#include "storage/AppPaths.h"
#include "storage/MarkupFile.h"
#include "storage/ScoreReader.h"
#include "storage/ScoreWriter.h"

namespace ks {

namespace {

const QString kRoot = QStringLiteral("keystaves");

// Whether the first item of the file is the root start tag.
bool startsWithRoot(const CMarkupFile& file) {
    for (const CMarkupElement& e : file.elements()) {
        if (e.type == CMarkupElement::kText && e.text.trimmed().isEmpty()) continue;
        return e.type == CMarkupElement::kStartTag && e.name == kRoot;
    }
    return false;
}

void builtInSettings(CScore& score) {
    CScore defaults;
    defaults.applyBuiltInDefaults();
    score.prefs = defaults.prefs;
    score.midi = defaults.midi;
    score.font = defaults.font;
}

}  // namespace

QString defaultSettingsPath() {
    return pathIn(dataFolder(), QStringLiteral("keystave.ini"));
}

bool defaultSettingsExist() {
    return QFileInfo(defaultSettingsPath()).isFile();
}

bool readDefaultSettings(const QString& path, CScore& score, CPrinterSettings& printer) {
    CMarkupFile file;
    if (!file.Load(path) || !startsWithRoot(file)) return false;
    // The reader works on a scratch score that starts with the target's settings, so
    // the file's values land "over" them and nothing else of the score is touched.
    CScore scratch;
    scratch.prefs = score.prefs;
    // The writer leaves out paper colours that have their defaults.
    scratch.prefs.paper = scratch.prefs.margin = kDefaultPaperColour;
    scratch.prefs.grid = kDefaultGridColour;
    scratch.midi = score.midi;
    scratch.font = score.font;
    CPrinterSettings readPrinter = printer;
    ScoreReader reader(scratch, &readPrinter);
    if (!reader.readCurrent(file).ok) return false;
    score.prefs = scratch.prefs;
    score.midi = scratch.midi;
    score.font = scratch.font;
    printer = readPrinter;
    return true;
}

void applyDefaultSettings(CScore& score, CPrinterSettings& printer) {
    if (readDefaultSettings(defaultSettingsPath(), score, printer)) return;
    builtInSettings(score);
    score.title = text(StringId::Untitled);
    score.artist = text(StringId::Unknown);
    score.copyright.clear();
    score.subtitle.clear();
}

void applyDefaultSettingsKeepingMusic(CScore& score, CPrinterSettings& printer) {
    const int32_t tempo = score.midi.tempo;
    const std::vector<CKeySignature> keysigs = score.keysigs;
    const int32_t zoom = score.prefs.zoom;
    if (!readDefaultSettings(defaultSettingsPath(), score, printer)) builtInSettings(score);
    score.midi.tempo = tempo;
    score.keysigs = keysigs;
    score.prefs.key = -1;
    score.prefs.zoom = zoom;  // the zoom belongs to the window showing the score
}

bool saveDefaultSettings(const CScore& score, const CPrinterSettings& printer) {
    const QString path = defaultSettingsPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    CMarkupFile file;
    ScoreWriter writer(file);
    writer.open(kRoot);
    writer.writePrinter(printer);
    writer.writePreferences(score);
    writer.close(kRoot);
    return file.Save(path);
}

bool removeDefaultSettings() {
    const QString path = defaultSettingsPath();
    return QFileInfo::exists(path) && QFile::remove(path);
}

}  // namespace ks
