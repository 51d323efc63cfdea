#include <gtest/gtest.h>

#include "model/StringIds.h"
#include "model/TextTable.h"

#include <QFile>
#include <QTemporaryDir>

using namespace ks;

TEST(TextTable, IdsBelowTheTableGiveTheEmptyText) {
    EXPECT_TRUE(text(0).isEmpty());
    EXPECT_TRUE(text(32767).isEmpty());
    EXPECT_TRUE(text(-5).isEmpty());
}

TEST(TextTable, KnownIdsGiveTheirTextAndRepeatedCallsTheSameStorage) {
    const QString& first = text(StringId::InvalidFileType);
    EXPECT_EQ(first, QStringLiteral("Error: Invalid File type."));
    EXPECT_EQ(&first, &text(StringId::InvalidFileType));
    // Escapes and trailing spaces are kept.
    EXPECT_EQ(text(StringId::UndoPrefix), QStringLiteral("Undo "));
    EXPECT_EQ(text(StringId::UndoShortcut), QStringLiteral("\tCtrl+Z"));
    EXPECT_TRUE(text(34025).contains(u'\n'));
}

TEST(TextTable, MissingAndOutOfRangeIds) {
    EXPECT_EQ(text(65000), QString::fromLatin1(TextTable::kFallback));
    EXPECT_EQ(text(65280), text(StringId::SwitchToWindow));
}

TEST(TextTable, LanguageChoiceFollowsTheTable) {
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x9), QString());
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x409), QString());  // sublanguage bits ignored
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x7), QStringLiteral("German"));
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x16), QStringLiteral("Portugese"));
    // Croatian and Serbian share an id; the later entry wins.
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x1a), QStringLiteral("Serbian"));
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x2b), QString());  // listed without a module
    EXPECT_EQ(TextTable::moduleNameForLanguage(0x77), QString());  // not listed
}

TEST(TextTable, LanguageModuleOverridesTextsAlreadyHandedOut) {
    TextTable& table = TextTable::instance();
    const QString& untitled = text(StringId::Untitled);
    EXPECT_EQ(untitled, QStringLiteral("Untitled"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("German.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("# test module\n34014\tOhne Titel\n100\tignored\n");
    f.close();
    EXPECT_FALSE(table.loadLanguageModule(dir.filePath(QStringLiteral("Missing.txt"))));
    ASSERT_TRUE(table.loadLanguageModule(path));
    EXPECT_EQ(untitled, QStringLiteral("Ohne Titel"));
    EXPECT_EQ(text(StringId::InvalidFileType), QStringLiteral("Error: Invalid File type."));
    table.unloadLanguageModule();
    EXPECT_EQ(untitled, QStringLiteral("Untitled"));
}
