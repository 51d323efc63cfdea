// The music font made again for a surface that renders glyphs at another size than the
// reference metrics.
#include <gtest/gtest.h>

#include "NotesTestUtil.h"
#include "render/draw/MusicFontFit.h"
#include "resources/MusicFont.h"

using namespace ks;
using namespace ks::test;

namespace {

// A device whose fonts come out `scale` times as tall as the reference metrics say.
class ScaledSurface : public RecordingSurface {
  public:
    explicit ScaledSurface(double scale) : scale_(scale) {}
    double cellHeight(const FontSpec& font) const override {
        return RecordingSurface::cellHeight(font) * scale_;
    }
    TextMetrics measure(const FontSpec& font, const QString& text) const override {
        TextMetrics m = RecordingSurface::measure(font, text);
        m.width *= scale_;
        m.ascent *= scale_;
        m.descent *= scale_;
        return m;
    }

  private:
    double scale_;
};

FontSpec music(int em) {
    return FontSpec{.family = QString::fromLatin1(kMusicFontFamily), .height = -em};
}

}  // namespace

TEST(MusicFontFit, KeptWhereTheSurfaceMeasuresLikeTheReference) {
    RecordingSurface same;
    EXPECT_EQ(fitMusicFont(same, music(108)), music(108));
}

// Candidates run from 20 units taller to 20 smaller; the first whose cell on the device
// is no taller than the reference cell wins. The cell is 1.2963 em.
TEST(MusicFontFit, FirstHeightWhoseCellFitsTheReference) {
    struct Case {
        double scale;
        int em;
    } cases[] = {
        {1.1, 98},    // 1.1 x 98 = 107.8 em units fit, 99 would not
        {0.9, 120},   // a device drawing smaller gets a taller font
        {1.01, 106},  // 1.01 x 107 > 108
        {2.0, 108},   // nothing within 20 units fits: the font stays
    };
    for (const Case& c : cases) {
        ScaledSurface device(c.scale);
        EXPECT_EQ(fitMusicFont(device, music(108)).height, -c.em) << c.scale;
    }
}

TEST(MusicFontFit, TheDrawingContextUsesTheFittedFont) {
    CScore s = drawingScore(1, {}, {0});
    layOut(s);
    ScaledSurface device(1.1);
    CDrawContext ctx(device, s, CViewState{}, a4Page());
    EXPECT_EQ(ctx.music.height, -98);
    EXPECT_NEAR(ctx.H, device.cellHeight(music(98)), 1e-9);
    EXPECT_LE(ctx.H, referenceCellHeight(music(108)));
    RecordingSurface same;
    EXPECT_EQ(CDrawContext(same, s, CViewState{}, a4Page()).music.height, -108);
}
