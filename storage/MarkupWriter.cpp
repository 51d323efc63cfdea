#include "storage/MarkupWriter.h"

#include "storage/MarkupEntities.h"

#include <QStringView>
#include <array>
#include <cstring>

namespace ks {

namespace {

constexpr size_t kItemLimit = 4096;
// The longest entity ("&Agrave;") is 8 bytes; no UTF-16 unit needs more.
constexpr size_t kMaxBytesPerUnit = 8;

// ASCII characters written through the entity table.
const std::array<bool, 128>& asciiEntityChars() {
    static const std::array<bool, 128> table = [] {
        std::array<bool, 128> t{};
        for (const CharacterEntity& e : kCharacterEntities)
            if (e.character < 128) t[e.character] = true;
        for (const CharacterEntity& e : kLineBreakEntities) t[e.character] = true;
        return t;
    }();
    return table;
}

class ByteSink {
  public:
    explicit ByteSink(std::string& out) : out_(out) { out_.clear(); }
    ~ByteSink() { out_.resize(used_); }

    size_t size() const { return used_; }

    // Room for `n` more bytes; the caller advances with `commit`.
    char* reserve(size_t n) {
        if (used_ + n > out_.size()) out_.resize(std::max(out_.size() * 2, used_ + n + 4096));
        return out_.data() + used_;
    }
    void commit(char* end) { used_ = size_t(end - out_.data()); }

    void put(char c) { *reserve(1) = c, ++used_; }
    void put(const char* s, size_t n) {
        std::memcpy(reserve(n), s, n);
        used_ += n;
    }
    void spaces(size_t n) {
        std::memset(reserve(n), ' ', n);
        used_ += n;
    }

    // UTF-8 of `text`; with `encode`, table characters are written as their entities.
    // A lone surrogate is written as U+FFFD.
    void text(QStringView text, bool encode) {
        const char16_t* s = text.utf16();
        const qsizetype n = text.size();
        char* w = reserve(size_t(n) * kMaxBytesPerUnit);
        const std::array<bool, 128>& ascii = asciiEntityChars();
        for (qsizetype i = 0; i < n; ++i) {
            char32_t c = s[i];
            if (c < 0x80 && !(encode && ascii[c])) {
                *w++ = char(c);
                continue;
            }
            if (encode) {
                const std::string_view entity = entityFor(char16_t(c));
                if (!entity.empty()) {
                    std::memcpy(w, entity.data(), entity.size());
                    w += entity.size();
                    continue;
                }
            }
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 &&
                s[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                c = 0xFFFD;
            }
            if (c < 0x800) {
                *w++ = char(0xC0 | (c >> 6));
            } else if (c < 0x10000) {
                *w++ = char(0xE0 | (c >> 12));
                *w++ = char(0x80 | ((c >> 6) & 0x3F));
            } else {
                *w++ = char(0xF0 | (c >> 18));
                *w++ = char(0x80 | ((c >> 12) & 0x3F));
                *w++ = char(0x80 | ((c >> 6) & 0x3F));
            }
            *w++ = char(0x80 | (c & 0x3F));
        }
        commit(w);
    }

  private:
    std::string& out_;
    size_t used_ = 0;
};

bool isTagLike(int type) {
    return type >= CMarkupElement::kDeclaration && type <= CMarkupElement::kEndTag;
}

}  // namespace

MarkupRenderResult renderMarkup(const std::vector<CMarkupElement>& elements, std::string& out) {
    ByteSink sink(out);
    int level = 0;
    int line = 1;
    bool atLineStart = true;
    for (const CMarkupElement& e : elements) {
        size_t itemStart = sink.size();
        if (e.type == CMarkupElement::kText) {
            sink.text(e.text, false);
        } else {
            if (e.newline && e.type == CMarkupElement::kEndTag) --level;
            const bool startsLine = atLineStart;
            if (startsLine && level > 0) sink.spaces(size_t(level) * 2);
            itemStart = sink.size();
            if (isTagLike(e.type)) {
                sink.put('<');
                if (e.type == CMarkupElement::kEndTag) sink.put('/');
                if (e.type == CMarkupElement::kDeclaration) sink.put('?');
                sink.text(e.name, false);
                for (const CMarkupParameter& a : e.attributes) {
                    sink.put(' ');
                    sink.text(a.name, false);
                    sink.put("=\"", 2);
                    sink.text(a.value, true);
                    sink.put('"');
                }
                if (e.type == CMarkupElement::kEmptyElement)
                    sink.put(" />", 3);
                else if (e.type == CMarkupElement::kDeclaration)
                    sink.put("?>", 2);
                else
                    sink.put('>');
            } else {
                // Comments and document types cannot be rebuilt from a name and
                // attributes: they are written as read.
                sink.text(e.text, false);
            }
            if (e.type == CMarkupElement::kStartTag && startsLine) ++level;
        }
        if (sink.size() - itemStart >= kItemLimit) return {false, line};
        if (e.newline) {
            sink.put('\n');
            ++line;
        }
        atLineStart = e.newline;
    }
    return {};
}

}  // namespace ks
