// The default settings of new documents: the file "keystave.ini" in the data folder,
// holding a `preferences` element (with its font, MIDI and paper-colour children) and a
// `printer` element, written and read with the score file's own writer and reader.
// Without the file the built-in defaults apply.
#pragma once

#include <QString>

#include "model/PrinterSettings.h"
#include "model/Score.h"

namespace ks {

// The path of the default settings file in the data folder.
QString defaultSettingsPath();
bool defaultSettingsExist();

// Reads the file's preferences over the score's settings (display preferences, MIDI
// settings, annotation font) and its printer element over `printer`. False, with
// nothing changed, when the file does not load.
bool readDefaultSettings(const QString& path, CScore& score, CPrinterSettings& printer);

// The settings of a new document: the file's when it loads, else the built-in ones.
void applyDefaultSettings(CScore& score, CPrinterSettings& printer);

// "Use default settings" on an open score: the defaults, keeping the score's tempo and
// key signatures; the settings' key becomes -1 (none taken from the settings).
void applyDefaultSettingsKeepingMusic(CScore& score, CPrinterSettings& printer);

// Writes the score's preferences and the printer settings as the default settings,
// creating the data folder when needed. False when the file could not be written.
bool saveDefaultSettings(const CScore& score, const CPrinterSettings& printer);

// Deletes the default settings file; true when it was there and is gone.
bool removeDefaultSettings();

}  // namespace ks
