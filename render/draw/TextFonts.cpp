#include "TextFonts.h"

#include <algorithm>

#include "resources/MusicFont.h"

namespace ks {

namespace {

// Font heights stay within what any page could show, whatever a document stores.
constexpr int64_t kMaxFontHeight = 100000;

int clampHeight(int64_t h) {
    return static_cast<int>(std::clamp<int64_t>(h, -kMaxFontHeight, kMaxFontHeight));
}

const CUserFont& eventFont(const CScore& score, int index) {
    static const CUserFont fallback{};
    const CUserFont* f = userFontAt(score, index);
    return f ? *f : fallback;
}

int scaledHeight(const CDrawContext& ctx, const CUserFont& f, int divisor) {
    const int64_t h = int64_t(ctx.step) * f.size / divisor;
    return clampHeight(h == 0 ? -1 : h);
}

FontSpec boxFont(const CDrawContext& ctx, const CTextBox& box, int defaultHeight) {
    if (const CUserFont* f = userFontAt(ctx.score, box.font)) return fontFromUserFont(*f, f->size);
    return FontSpec{.family = QStringLiteral("Times New Roman"), .height = defaultHeight};
}

}  // namespace

const CUserFont* userFontAt(const CScore& score, int index) {
    if (index < 0 || index >= static_cast<int>(score.userfonts.size())) return nullptr;
    return &score.userfonts[static_cast<size_t>(index)];
}

FontSpec fontFromUserFont(const CUserFont& font, int height) {
    return FontSpec{.family = font.name.isEmpty() ? QStringLiteral("Times New Roman") : font.name,
                    .height = clampHeight(height == 0 ? -1 : height),
                    .weight = font.weight,
                    .italic = font.italic,
                    .underline = font.underline,
                    .strikeout = font.strikeout};
}

FontSpec titleFont(const CDrawContext& ctx) {
    return boxFont(ctx, ctx.score.titleBox, -8 * std::min(ctx.score.prefs.fontsize, 61));
}

FontSpec subtitleFont(const CDrawContext& ctx) {
    return boxFont(ctx, ctx.score.subtitleBox, -300);
}

FontSpec eventWordFont(const CDrawContext& ctx, int fontIndex) {
    const CUserFont& f = eventFont(ctx.score, fontIndex);
    return fontFromUserFont(f, scaledHeight(ctx, f, 30));
}

FontSpec eventSymbolFont(const CDrawContext& ctx, int fontIndex) {
    const CUserFont& f = eventFont(ctx.score, fontIndex);
    FontSpec spec = fontFromUserFont(f, scaledHeight(ctx, f, 15));
    spec.family = QString::fromLatin1(kMusicFontFamily);
    return spec;
}

}  // namespace ks
