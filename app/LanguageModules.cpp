#include "app/LanguageModules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <utility>

#include "model/TextTable.h"
#include "storage/AppPaths.h"

namespace ks {

int primaryLanguageId(QLocale::Language language) {
    static const std::pair<QLocale::Language, int> kIds[] = {
        {QLocale::Afrikaans, 0x36},
        {QLocale::Albanian, 0x1c},
        {QLocale::Arabic, 0x01},
        {QLocale::Armenian, 0x2b},
        {QLocale::Assamese, 0x4d},
        {QLocale::Azerbaijani, 0x2c},
        {QLocale::Basque, 0x2d},
        {QLocale::Belarusian, 0x23},
        {QLocale::Bangla, 0x45},
        {QLocale::Bulgarian, 0x02},
        {QLocale::Catalan, 0x03},
        {QLocale::Chinese, 0x04},
        {QLocale::Croatian, 0x1a},
        {QLocale::Bosnian, 0x1a},
        {QLocale::Serbian, 0x1a},
        {QLocale::Czech, 0x05},
        {QLocale::Danish, 0x06},
        {QLocale::Divehi, 0x65},
        {QLocale::Dutch, 0x13},
        {QLocale::Estonian, 0x25},
        {QLocale::Faroese, 0x38},
        {QLocale::Persian, 0x29},
        {QLocale::Finnish, 0x0b},
        {QLocale::French, 0x0c},
        {QLocale::Galician, 0x56},
        {QLocale::Georgian, 0x37},
        {QLocale::German, 0x07},
        {QLocale::Greek, 0x08},
        {QLocale::Gujarati, 0x47},
        {QLocale::Hebrew, 0x0d},
        {QLocale::Hindi, 0x39},
        {QLocale::Hungarian, 0x0e},
        {QLocale::Icelandic, 0x0f},
        {QLocale::Indonesian, 0x21},
        {QLocale::Italian, 0x10},
        {QLocale::Japanese, 0x11},
        {QLocale::Kannada, 0x4b},
        {QLocale::Kashmiri, 0x60},
        {QLocale::Kazakh, 0x3f},
        {QLocale::Konkani, 0x57},
        {QLocale::Korean, 0x12},
        {QLocale::Kyrgyz, 0x40},
        {QLocale::Latvian, 0x26},
        {QLocale::Lithuanian, 0x27},
        {QLocale::Macedonian, 0x2f},
        {QLocale::Malay, 0x3e},
        {QLocale::Malayalam, 0x4c},
        {QLocale::Manipuri, 0x58},
        {QLocale::Marathi, 0x4e},
        {QLocale::Mongolian, 0x50},
        {QLocale::Nepali, 0x61},
        {QLocale::NorwegianBokmal, 0x14},
        {QLocale::NorwegianNynorsk, 0x14},
        {QLocale::Odia, 0x48},
        {QLocale::Polish, 0x15},
        {QLocale::Portuguese, 0x16},
        {QLocale::Punjabi, 0x46},
        {QLocale::Romanian, 0x18},
        {QLocale::Russian, 0x19},
        {QLocale::Sanskrit, 0x4f},
        {QLocale::Sindhi, 0x59},
        {QLocale::Slovak, 0x1b},
        {QLocale::Slovenian, 0x24},
        {QLocale::Spanish, 0x0a},
        {QLocale::Swahili, 0x41},
        {QLocale::Swedish, 0x1d},
        {QLocale::Syriac, 0x5a},
        {QLocale::Tamil, 0x49},
        {QLocale::Tatar, 0x44},
        {QLocale::Telugu, 0x4a},
        {QLocale::Thai, 0x1e},
        {QLocale::Turkish, 0x1f},
        {QLocale::Ukrainian, 0x22},
        {QLocale::Urdu, 0x20},
        {QLocale::Uzbek, 0x43},
        {QLocale::Vietnamese, 0x2a},
        {QLocale::English, 0x09},
    };
    for (const auto& [lang, id] : kIds)
        if (lang == language) return id;
    return 0;
}

QString findLanguageModule(QLocale::Language language, const QStringList& folders) {
    const int id = primaryLanguageId(language);
    if (id == 0) return {};
    const QString name = TextTable::moduleNameForLanguage(id);
    if (name.isEmpty()) return {};
    for (const QString& folder : folders) {
        if (folder.isEmpty()) continue;
        const QString path = pathIn(folder, name + QStringLiteral(".txt"));
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString loadUserLanguageModule(const QLocale& locale) {
    const QStringList folders = {QCoreApplication::applicationDirPath(),
                                 pathIn(QCoreApplication::applicationDirPath(),
                                        QStringLiteral("../share/keystaves/languages")),
                                 dataFolder()};
    const QString path = findLanguageModule(locale.language(), folders);
    if (path.isEmpty() || !TextTable::instance().loadLanguageModule(path)) return {};
    return path;
}

}  // namespace ks
