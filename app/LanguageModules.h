// Choosing the language module at start: the user's language (from the system locale)
// as a platform primary language id, the module name the language table gives for it,
// and where the module file is looked for.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace ks {

// The platform primary language id of a language; 0 for languages the table lacks.
int primaryLanguageId(QLocale::Language language);

// The module file for a language: "<Name>.txt" in the first of `folders` that has it;
// empty when the language has no module name or no folder holds the file.
QString findLanguageModule(QLocale::Language language, const QStringList& folders);

// Loads the module for the user's language into the text table, looking beside the
// program and in the data folder. Returns the file loaded, or empty (English).
QString loadUserLanguageModule(const QLocale& locale);

}  // namespace ks
