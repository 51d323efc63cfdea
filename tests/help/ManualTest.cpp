// The manual as the program carries it: every page of the list with its title and
// keywords, every link and picture resolving inside the resources, and searches a
// reader would make.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include "TestPaths.h"
#include "app/help/HelpIndex.h"
#include "app/help/HelpPages.h"
#include "app/help/HelpSystem.h"
#include "model/TextTable.h"

namespace ks {
namespace {

TEST(Manual, EveryListedPageHasTitleAndKeywords) {
    HelpIndex index;
    HelpSystem::buildIndex(index);
    ASSERT_EQ(index.pages().size(), 44u);
    for (const CHelpPage& page : index.pages()) {
        EXPECT_TRUE(loadHelpPage(page.name)) << page.name.toStdString();
        EXPECT_FALSE(page.title.isEmpty()) << page.name.toStdString();
        EXPECT_FALSE(page.keywords.isEmpty()) << page.name.toStdString();
    }
}

TEST(Manual, EveryLinkAndPictureResolves) {
    const QSet<QString> files = [] {
        const QStringList list = QDir(helpResourceFolder()).entryList(QDir::Files);
        return QSet<QString>(list.begin(), list.end());
    }();
    const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""),
                                       QRegularExpression::CaseInsensitiveOption);
    int checked = 0;
    for (const QString& name : helpPageNames()) {
        const QString html = QString::fromUtf8(loadHelpPage(name).value_or(QByteArray()));
        for (const QRegularExpressionMatch& m : reference.globalMatch(html)) {
            const QString target = m.captured(1).section(u'#', 0, 0);
            if (target.startsWith(u"http:") || target.startsWith(u"https:") || target.isEmpty())
                continue;
            ++checked;
            EXPECT_TRUE(files.contains(target))
                << name.toStdString() << " refers to " << target.toStdString();
        }
    }
    EXPECT_GT(checked, 44);
}

TEST(Manual, GeneratedPartsAreFilledIn) {
    const QString keys = QString::fromUtf8(loadHelpPage("GETTINGAROUND.HTM").value());
    EXPECT_FALSE(keys.contains(u"<!--shortcuts-->"));
    // Rows of the program's own table: F4 for Music mode, Ctrl+S for Save.
    EXPECT_TRUE(keys.contains(QRegularExpression("<td>F4</td><td>View &gt; Music")));
    EXPECT_TRUE(keys.contains(QRegularExpression("<td>Ctrl\\+S</td><td>File &gt; Save")));
    // And the hot keys of the modes, each with words for what it does.
    EXPECT_TRUE(keys.contains("<tr><td>Space</td><td>Music, Lyric mode</td><td>To the next note"));
    EXPECT_TRUE(keys.contains("<tr><td>Ins</td><td>Music, Tuplet mode</td><td>Insert a note"));
    EXPECT_GT(keys.count("<td>Music, notes</td>"), 20);
    EXPECT_FALSE(keys.contains(TextTable::kFallback));
    for (const char* picture :
         {"MAINWINDOW.PNG", "MUSICWINDOW.PNG", "SEARCHWINDOW.PNG", "STAVE.PNG"}) {
        QImage image(helpResourceFolder() + picture);
        EXPECT_GT(image.width(), 200) << picture;
    }
}

TEST(Manual, ReadersFindPagesByTheirWords) {
    HelpIndex index;
    HelpSystem::buildIndex(index);
    auto titles = [&](const QString& text) {
        QStringList list;
        for (int page : index.search(text))
            list << index.pages()[page].name;
        return list;
    };
    EXPECT_EQ(titles("volta").value(0), QStringLiteral("VOLTAMARKS.HTM"));
    EXPECT_EQ(titles("Volta"), titles("volta"));
    EXPECT_TRUE(titles("shortcuts").contains("GETTINGAROUND.HTM"));
    EXPECT_TRUE(titles("allegro").contains("ITALIANTERMS.HTM"));
}

TEST(Manual, TextTableCarriesThePagesOwnTitlesAndKeywords) {
    // Without a language module the table's titles and keywords are the pages' own, so
    // the module translates what the pages say.
    HelpIndex pagesOnly;
    pagesOnly.build(helpPageNames(), loadHelpPage);
    HelpIndex withTable;
    HelpSystem::buildIndex(withTable);
    for (size_t i = 0; i < pagesOnly.pages().size(); ++i) {
        EXPECT_EQ(withTable.pages()[i].title, pagesOnly.pages()[i].title) << i;
        EXPECT_EQ(withTable.pages()[i].keywords, pagesOnly.pages()[i].keywords) << i;
    }
}

TEST(Manual, GermanModuleGivesTitlesAndKeywords) {
    ASSERT_TRUE(TextTable::instance().loadLanguageModule(
        QStringLiteral(KS_SOURCE_DIR "/resources/languages/German.txt")));
    HelpIndex index;
    HelpSystem::buildIndex(index);
    TextTable::instance().unloadLanguageModule();
    const std::vector<int> found = index.search(QStringLiteral("wiederholung"));
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(index.pages()[found[0]].name, QStringLiteral("VOLTAMARKS.HTM"));
    EXPECT_EQ(index.pages()[found[0]].title, QStringLiteral("Wiederholungen und Voltenklammern"));
    // The English keywords still find the page.
    EXPECT_FALSE(index.search(QStringLiteral("volta")).empty());
}

}  // namespace
}  // namespace ks
