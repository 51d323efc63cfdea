// Marks and texts of hostile or extreme documents: whole pages are drawn without
// failing, and nothing is drawn for pages the layout does not have.
#include <gtest/gtest.h>

#include <limits>

#include "MarksTestUtil.h"
#include "render/layout/MusicLine.h"
#include "render/draw/Drawing.h"

using namespace ks;
using namespace ks::test;

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

CEvent extreme(int32_t type, int32_t time, int32_t value) {
    CEvent e;
    e.type = type;
    e.time = time;
    e.pitch = value == kMin ? -5 : kEventPitchMax;  // as a careless reader might leave it
    e.text = QStringLiteral("x|y");
    e.fontindex = value;
    for (int32_t& d : e.data)
        d = value;
    return e;
}

}  // namespace

TEST(MarksRobustness, ExtremeValuesDrawWithoutFailing) {
    CScore s = marksScore(6, {{0, 0, 96, 127}, {1, 96, 96, 0}, {2, 0, 384, 64}});
    s.prefs.showtempo = s.prefs.showcopyright = s.prefs.showartist = s.prefs.showtitle = true;
    s.prefs.showsubtitle = s.prefs.showpagenumbers = s.prefs.showfilename = true;
    s.prefs.customfingering = true;
    s.title = QString(500, u'|');
    s.copyright = QStringLiteral("c");
    s.userfonts.push_back(CUserFont{.name = QString(), .size = kMin});
    s.userfonts.push_back(CUserFont{.size = kMax, .weight = kMax});
    s.titleBox = CTextBox{.font = 1, .left = kMax, .top = kMin, .right = kMin, .bottom = kMax};
    s.voltamarks.push_back({.type = 7, .startbar = kMin, .endbar = kMax});
    s.setKeySignature(29, 1);
    s.setTimeSignature(99, 64, 2);
    for (int32_t value : {kMin, kMax, -1, 0, 1, 2}) {
        for (int32_t type = 0; type <= 13; ++type) {
            for (int32_t time : {0, 100, kMax}) {
                s.tracks[0].addEvent(extreme(type, time, value));
                s.tracks[2].addEvent(extreme(type, time, value));
                s.annotationTrack.addEvent(extreme(type, time, value));
                s.tempoTrack.addEvent(extreme(type, time, value));
            }
        }
    }
    MarksFixture f(std::move(s), CSurface::Kind::Screen);
    size_t drawnEvents = 0;
    for (int mode : {ViewMode::Page, ViewMode::Layout}) {
        for (int page = 0; page < static_cast<int>(f.score.pages.size()); ++page) {
            f.view.mode = mode;
            f.view.page = page;
            f.view.grid = true;
            f.view.fileName = QStringLiteral("hostile.ksv");
            CDrawContext ctx = f.context();
            DrawPage(ctx);
            drawnEvents += ctx.hitRects.size();
        }
    }
    EXPECT_GT(drawnEvents, 100u);

    // Music mode draws the one long line.
    f.view = CViewState{};
    f.view.mode = ViewMode::Music;
    f.view.lines = {layoutMusicLine(f.score, f.page)};
    CDrawContext music = f.context();
    DrawLine(music, 0);
    DrawChords(music, 0);
    DrawEvents(music, 0);
    EXPECT_FALSE(music.hitRects.empty());
}

TEST(MarksRobustness, LinesPushedToTheEndsOfTheCoordinateRangeDrawWithoutFailing) {
    for (int32_t shift : {kMax, kMin, kMax / 3}) {
        CScore s = marksScore(3, {{0, 0, 96, 64}, {2, 0, 96, 48}});
        s.prefs.showbarnumbers = s.prefs.showclefs = s.prefs.showtimesignature = true;
        s.prefs.showtempo = true;
        s.prefs.stavegap = kMax;
        s.prefs.fontsize = 100000;
        s.unit = 1e6;
        s.setTimeSignature(12, 8, 0);
        s.setKeySignature(0, 0);
        s.voltamarks.push_back({.startbar = 0, .endbar = 2, .caption = QStringLiteral("1.")});
        s.tracks[0].addEvent(event(EventType::Lyric, 0, 60, QStringLiteral("la"), {3, kMax}));
        s.tracks[0].addEvent(event(EventType::NoteMarks, 0, 60, {}, {0x7F, kMin}));
        s.tracks[0].addEvent(event(EventType::Crescendo, 0, 127, {}, {kMax}));
        s.tracks[2].addEvent(event(EventType::Phrase, 0, 48, {}, {0, 48, 127, 0, 1000}));
        s.annotationTrack.addEvent(event(EventType::Annotation, 0, 127, QStringLiteral("!"), {1}));
        s.lines.resize(1);
        s.lines[0].y = shift;
        s.lines[0].lpad = shift;
        s.lines[0].x = shift;
        MarksFixture f(std::move(s));
        for (int page = 0; page < static_cast<int>(f.score.pages.size()); ++page) {
            f.view.page = page;
            CDrawContext ctx = f.context();
            DrawPage(ctx);
        }
        SUCCEED();
    }
}

TEST(MarksRobustness, PagesTheLayoutDoesNotHaveStayEmpty) {
    CScore s = marksScore(2);
    s.prefs.showpagenumbers = s.prefs.showtitle = true;
    s.title = QStringLiteral("T");
    MarksFixture f(std::move(s));
    ASSERT_EQ(f.score.pages.size(), 1u);
    for (int page : {-1, 1, 7}) {
        f.view.page = page;
        CDrawContext ctx = f.context();
        DrawPage(ctx);
        EXPECT_TRUE(f.surface.items().empty()) << page;
    }
    // Page 0 of a score with no layout at all still shows its title.
    f.score.pages.clear();
    f.score.lines.clear();
    f.view.page = 0;
    CDrawContext empty = f.context();
    DrawPage(empty);
    EXPECT_EQ(f.texts(QStringLiteral("T")).size(), 1u);
}
