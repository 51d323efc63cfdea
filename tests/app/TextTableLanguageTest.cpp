// The text table as the shell uses it: the fallback text, the ids it does not serve,
// every text the shell asks for, and choosing and loading a language module.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/AppTextIds.h"
#include "app/CommandIds.h"
#include "app/LanguageModules.h"
#include "app/MenuTable.h"
#include "model/TextTable.h"
#include "TestPaths.h"

using namespace ks;

namespace {

TEST(TextTable, IdsOutsideTheTable) {
    EXPECT_TRUE(text(0).isEmpty());
    EXPECT_TRUE(text(129).isEmpty());  // below 32768: the empty text
    EXPECT_TRUE(text(32767).isEmpty());
    EXPECT_EQ(text(65280), text(StringId::SwitchToWindow));
    EXPECT_EQ(text(41999), TextTable::kFallback);  // no text with that id
}

TEST(TextTable, EveryTextTheShellShowsExists) {
    const QString fallback = TextTable::kFallback;
    for (const MenuDef& menu : mainMenus()) {
        EXPECT_NE(text(menu.title), fallback) << menu.title;
        for (const MenuItemDef& item : menu.items) {
            if (item.command > 0) EXPECT_NE(text(item.command), fallback) << item.command;
            if (item.label > 0) EXPECT_NE(text(item.label), fallback) << item.label;
        }
    }
    for (int id = StringId::TooManyFilesOpen; id <= StringId::DsApproximateLines; ++id)
        EXPECT_NE(text(id), fallback) << id;
    for (int id = StringId::PageModeName; id <= StringId::TempoPane; ++id)
        EXPECT_NE(text(id), fallback) << id;
    for (int i = 0; i < Pane::kCount; ++i)
        EXPECT_NE(text(Pane::kFirst + i), fallback);
}

TEST(Languages, PrimaryLanguageIdsFollowThePlatformNumbering) {
    EXPECT_EQ(primaryLanguageId(QLocale::German), 0x07);
    EXPECT_EQ(primaryLanguageId(QLocale::English), 0x09);
    EXPECT_EQ(primaryLanguageId(QLocale::French), 0x0c);
    EXPECT_EQ(primaryLanguageId(QLocale::Croatian), 0x1a);
    EXPECT_EQ(primaryLanguageId(QLocale::Serbian), 0x1a);
    EXPECT_EQ(primaryLanguageId(QLocale::Cornish), 0);
}

TEST(Languages, ModuleNameByTheTable) {
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x07), "German");
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x16), "Portugese");
    // Serbian and Croatian share an id; the later entry, Serbian, wins.
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x1a), "Serbian");
    EXPECT_TRUE(TextTable::moduleNameForLanguage(0x09).isEmpty());  // English is built in
    EXPECT_TRUE(TextTable::moduleNameForLanguage(0x2b).isEmpty());  // an entry without a name
    EXPECT_TRUE(TextTable::moduleNameForLanguage(0x7f).isEmpty());
}

TEST(Languages, ModuleIsFoundInTheFirstFolderThatHasIt) {
    QTemporaryDir first, second;
    QFile german(second.filePath("German.txt"));
    ASSERT_TRUE(german.open(QIODevice::WriteOnly));
    german.write("41000\t&Datei\n");
    german.close();
    EXPECT_EQ(findLanguageModule(QLocale::German, {first.path(), second.path()}),
              second.filePath("German.txt"));
    EXPECT_TRUE(findLanguageModule(QLocale::French, {first.path(), second.path()}).isEmpty());
    EXPECT_TRUE(findLanguageModule(QLocale::English, {second.path()}).isEmpty());
    // Croatian users get the Serbian module by the table, not a Croatian one.
    QFile croatian(first.filePath("Croatian.txt"));
    ASSERT_TRUE(croatian.open(QIODevice::WriteOnly));
    croatian.close();
    EXPECT_TRUE(findLanguageModule(QLocale::Croatian, {first.path()}).isEmpty());
}

TEST(Languages, ShippedGermanModuleTranslatesTheMenusAndFallsBackToEnglish) {
    const QString path = QStringLiteral(KS_SOURCE_DIR "/resources/languages/German.txt");
    const QString english = text(StringId::MenuFile);
    const QString untranslated = text(StringId::DsApproximateLines);
    ASSERT_TRUE(TextTable::instance().loadLanguageModule(path));
    EXPECT_EQ(text(StringId::MenuFile), "&Datei");
    EXPECT_EQ(text(StringId::DsApproximateLines), untranslated);
    TextTable::instance().unloadLanguageModule();
    EXPECT_EQ(text(StringId::MenuFile), english);
    // Every text of the module translates one the program has.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto texts = TextTable::parse(file.readAll());
    EXPECT_GT(texts.size(), 100u);
    for (const auto& [id, value] : texts) {
        EXPECT_FALSE(value.isEmpty()) << id;
        EXPECT_NE(text(id), TextTable::kFallback) << id;
    }
}

}  // namespace
