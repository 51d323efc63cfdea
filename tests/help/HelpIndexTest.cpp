// The keyword scan of a page's head, the index over several pages, the search and the
// help state, without widgets.
#include <gtest/gtest.h>

#include <QHash>

#include "app/help/ContextPages.h"
#include "app/help/HelpIndex.h"
#include "app/help/HelpKeywordScan.h"
#include "app/help/HelpPages.h"
#include "app/help/HelpState.h"
#include "model/Selection.h"

namespace ks {
namespace {

struct ScanCase {
    const char* what;
    QByteArray html;
    QString title;
    QStringList keywords;
};

TEST(HelpKeywordScan, ReadsTitleAndKeywordsOfAnyHead) {
    const ScanCase cases[] = {
        {"plain head",
         "<html><head><TITLE>Volta Marks</TITLE>"
         "<meta name=\"keywords\" content=\"volta, repeat , endings\"></head><body>x</body>",
         "Volta Marks", {"volta", "repeat", "endings"}},
        {"no head at all: the scan runs to the end", "<title>Only</title><p>text</p>", "Only", {}},
        {"keywords without quotes", "<meta name=\"keywords\" content=alpha,beta>", "",
         {"alpha", "beta"}},
        {"single quotes up to the last one", "<meta name=\"Keywords\" CONTENT = 'a, b's, c'>",
         "", {"a", "b's", "c"}},
        {"empty pieces dropped", "<meta name=\"keywords\" content=\" , ,x,,\">", "", {"x"}},
        {"tag without content", "<meta name=\"keywords\">", "", {}},
        {"tag never closed", "<title>T</title><meta name=\"keywords\" content=\"a, b", "T",
         {"a", "b"}},
        {"keywords after the head are not read",
         "<head></head><meta name=\"keywords\" content=\"late\">", "", {}},
        {"Latin-1 bytes kept", "<title>Ca\xe7\xe3o</title><meta name=\"keywords\" content=\"m\xfcsik\">",
         QStringLiteral(u"Ca\u00e7\u00e3o"), {QStringLiteral(u"m\u00fcsik")}},
        {"UTF-8 read as UTF-8", "<title>Gro\xc3\x9f</title>", QStringLiteral(u"Gro\u00df"), {}},
        {"bytes that are no text", QByteArray("<title>\x00\xff\x01</title>", 18), QString(), {}},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CHelpPage page = scanHelpPage(QStringLiteral("P.HTM"), c.html);
        if (QByteArray(c.what) != "bytes that are no text") {
            EXPECT_EQ(page.title, c.title);
        }
        EXPECT_EQ(page.keywords, c.keywords);
    }
}

class HelpIndexTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pages_ = {
            {"A.HTM", "<title>Page A</title><meta name=\"keywords\" content=\"volta, repeat\">"},
            {"B.HTM", "<title>Page B</title><meta name=\"keywords\" content=\"Volta, bars\">"},
            {"C.HTM", "<title>Page C</title><meta name=\"keywords\" content=\"bars, repeat\">"},
        };
        index_.build({"A.HTM", "B.HTM", "MISSING.HTM", "C.HTM"},
                     [this](const QString& name) -> std::optional<QByteArray> {
                         if (!pages_.contains(name)) return std::nullopt;
                         return pages_.value(name);
                     });
    }
    QHash<QString, QByteArray> pages_;
    HelpIndex index_;
};

TEST_F(HelpIndexTest, KeywordsAreSortedAndMissingPagesKeepTheirPlace) {
    ASSERT_EQ(index_.pages().size(), 4u);
    EXPECT_TRUE(index_.pages()[2].title.isEmpty());
    QStringList sorted;
    for (const CHelpKeyword& k : index_.keywords()) sorted << k.keyword;
    EXPECT_EQ(sorted, QStringList({"Volta", "bars", "bars", "repeat", "repeat", "volta"}));
}

TEST_F(HelpIndexTest, SearchIgnoresCaseAndListsEachPageOnce) {
    EXPECT_EQ(index_.search("Volta"), index_.search("volta"));
    EXPECT_EQ(index_.search("VOLTA"), (std::vector<int>{1, 0}));
    // Both words match page C: it is listed once, at its first place.
    EXPECT_EQ(index_.search("  bars\trepeat "), (std::vector<int>{1, 3, 0}));
    EXPECT_TRUE(index_.search("").empty());
    EXPECT_TRUE(index_.search("vol").empty());
}

TEST_F(HelpIndexTest, TranslationsAddTitlesAndKeywords) {
    index_.addTranslation(0, QStringLiteral(u"Seite A"), {QStringLiteral(u" Wiederholung ")});
    index_.addTranslation(9, QStringLiteral("ignored"), {QStringLiteral("x")});
    EXPECT_EQ(index_.pages()[0].title, QStringLiteral(u"Seite A"));
    EXPECT_EQ(index_.search("wiederholung"), (std::vector<int>{0}));
    EXPECT_TRUE(index_.search("x").empty());
}

TEST(HelpState, ContextPagesFollowOnlyWithDynamicHelpOnAndThePaneShown) {
    HelpState state;
    QStringList shown;
    state.showRequested = [&](const QString& name, bool) { shown << name; };
    EXPECT_EQ(state.currentPage(), QStringLiteral("DYNAMICHELP.HTM"));

    // The pane hidden: recorded, not shown.
    state.setContextPage("MUSICMODE.HTM");
    EXPECT_TRUE(shown.isEmpty());
    state.showPage(QString());
    EXPECT_EQ(shown, QStringList({"MUSICMODE.HTM"}));

    state.setContextPage("MIDISETTINGS.HTM");
    state.setContextPage("midisettings.htm");  // the same page again
    EXPECT_EQ(state.previousPage(), QStringLiteral("MUSICMODE.HTM"));
    state.restoreContextPage();
    EXPECT_EQ(state.currentPage(), QStringLiteral("MUSICMODE.HTM"));
    EXPECT_EQ(shown, QStringList({"MUSICMODE.HTM", "MIDISETTINGS.HTM", "MUSICMODE.HTM"}));

    // Dynamic help off: changes are recorded but the pane stays.
    shown.clear();
    state.setDynamic(false);
    state.setContextPage("PAGEMODE.HTM");
    EXPECT_EQ(state.currentPage(), QStringLiteral("PAGEMODE.HTM"));
    EXPECT_TRUE(shown.isEmpty());
    // Switching it on shows the dynamic help page.
    state.setDynamic(true);
    EXPECT_EQ(shown, QStringList({"DYNAMICHELP.HTM"}));
}

TEST(ContextPages, EditModesAndDialogsHaveTheirPages) {
    EXPECT_EQ(editModeHelpPage(EditMode::Notes, EditMode::Lyric), "LYRICMODE.HTM");
    EXPECT_EQ(editModeHelpPage(EditMode::Lyric, EditMode::Notes), "EDITINGNOTES.HTM");
    EXPECT_EQ(editModeHelpPage(EditMode::Notes, EditMode::Tuplet), "TRIPLETMODE.HTM");
    EXPECT_EQ(editModeHelpPage(EditMode::Picked, EditMode::Notes), QString());
    EXPECT_EQ(editModeHelpPage(EditMode::Notes, EditMode::Notes), QString());
    EXPECT_EQ(dialogHelpPage("ks::CMidiSettingsDlg"), "MIDISETTINGS.HTM");
    EXPECT_EQ(dialogHelpPage("QDialog"), QString());
    EXPECT_EQ(dialogHelpPage(nullptr), QString());
    for (const char* dialog : {"ks::CDisplaySettingsDialog", "ks::CScoreSettingsDlg",
                               "ks::CLyricSettingsDlg", "QPrintPreviewDialog"})
        EXPECT_TRUE(helpPageNames().contains(dialogHelpPage(dialog))) << dialog;
}

TEST(HelpPages, PageNamesAreBareNames) {
    EXPECT_EQ(helpPageNames().size(), 44);
    EXPECT_FALSE(loadHelpPage("../strings/en.txt"));
    EXPECT_FALSE(loadHelpPage(""));
}

}  // namespace
}  // namespace ks
