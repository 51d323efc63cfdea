#include "storage/MarkupReader.h"

#include "storage/MarkupToken.h"

#include <array>
#include <cstring>

namespace ks {

namespace {

// Bytes that need attention in each tokenizer state; all others are copied in runs.
struct ByteClasses {
    std::array<bool, 256> outside{};    // waiting for '<'
    std::array<bool, 256> tagQuotes{};  // waiting for '>', counting quotes (files)
    std::array<bool, 256> tagPlain{};   // waiting for '>' (memory text)
    ByteClasses() {
        for (auto* t : {&outside, &tagQuotes, &tagPlain})
            (*t)['\r'] = (*t)['\n'] = true;
        outside['<'] = true;
        tagQuotes['>'] = tagQuotes['"'] = true;
        tagPlain['>'] = true;
    }
};

const ByteClasses& byteClasses() {
    static const ByteClasses classes;
    return classes;
}

bool isAscii(const char* data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80) return false;
    return true;
}

}  // namespace

MarkupReader::MarkupReader(Source source, std::vector<CMarkupElement>& elements,
                           QStringList& errors)
    : source_(source), elements_(elements), errors_(errors) {}

void MarkupReader::feed(const char* data, qsizetype size) {
    const ByteClasses& classes = byteClasses();
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* const end = p + size;
    while (p < end && !stopped_) {
        // Copy the run of ordinary bytes up to the next delimiter or line end.
        const unsigned char* run = p;
        if (!inTag_) {
            while (p < end && !classes.outside[*p])
                ++p;
        } else if (source_ == Source::Memory) {
            while (p < end && !classes.tagPlain[*p])
                ++p;
        } else {
            for (; p < end; ++p) {
                if (!classes.tagQuotes[*p]) continue;
                if (*p == '"') {
                    ++quotes_;
                    continue;
                }
                if (*p == '>' && quotes_ % 2 != 0) continue;  // inside a quoted value
                break;
            }
        }
        append(reinterpret_cast<const char*>(run), p - run);
        if (p == end) break;

        const char c = char(*p++);
        switch (c) {
            case '\r':
                break;
            case '\n':
                ++line_;
                if (!inTag_ && length_ == 0 && lastElement_ >= 0)
                    elements_[size_t(lastElement_)].newline = true;
                break;
            case '<':
                endToken();
                buffer_[0] = '<';
                length_ = 1;
                inTag_ = true;
                quotes_ = 0;
                break;
            case '>':
                append(&c, 1);
                endToken();
                inTag_ = false;
                break;
        }
    }
}

void MarkupReader::append(const char* data, qsizetype size) {
    const qsizetype room = kBufferSize - length_;
    if (size > room) {
        // One message per token: the bytes beyond the buffer are dropped.
        if (!overflowed_)
            addError(source_ == Source::File ? "CMarkupFile::Load() : Buffer Overflow"
                                             : "CMarkupFile::Parse() : Buffer Overflow");
        overflowed_ = true;
        size = room;
    }
    if (size > 0) {
        std::memcpy(buffer_ + length_, data, size_t(size));
        length_ += size;
    }
}

void MarkupReader::endToken() {
    processToken(buffer_, length_);
    length_ = 0;
    overflowed_ = false;
}

void MarkupReader::processToken(const char* data, qsizetype size) {
    lastElement_ = -1;
    if (size == 0) return;

    QString token;
    // Short tokens (indentation, end tags) repeat all through a file: share them.
    if (size <= NameCache::kMaxLength && isAscii(data, size))
        token = names_.internAscii(data, size);
    else
        token = QString::fromUtf8(data, size);
    if (token.size() > kBufferSize - 1) {
        addError("CMarkupFile::ProcessTag() : Buffer Overflow");
        return;
    }

    CMarkupElement& element = elements_.emplace_back();
    fillFromToken(element, std::move(token), names_);
    lastElement_ = qsizetype(elements_.size()) - 1;
    if (source_ == Source::Memory && element.type == CMarkupElement::kEndTag &&
        element.name == u"memory")
        stopped_ = true;
}

void MarkupReader::addError(const char* message) {
    errors_.append(QStringLiteral("%1 - Line %2").arg(QLatin1StringView(message)).arg(line_));
}

}  // namespace ks
