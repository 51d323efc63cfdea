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

bool isAsciiSpaceRun(const char* data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i)
        if (data[i] != ' ' && data[i] != '\t') return false;
    return true;
}

}  // namespace

MarkupReader::MarkupReader(Source source, std::vector<CMarkupElement>& elements,
                           QStringList& errors)
    : source_(source), elements_(elements), errors_(errors) {}

void MarkupReader::feed(const char* data, qsizetype size) {
    const ByteClasses& classes = byteClasses();
    const char* p = data;
    const char* const end = data + size;
    while (p < end && !stopped_) {
        const std::array<bool, 256>& special =
            !inTag_ ? classes.outside
                    : (source_ == Source::File ? classes.tagQuotes : classes.tagPlain);
        const char* run = p;
        while (p < end && !special[static_cast<unsigned char>(*p)])
            ++p;
        append(run, p - run);
        if (p == end) break;

        const char c = *p++;
        switch (c) {
            case '\r':
                break;
            case '\n':
                ++line_;
                if (!inTag_ && length_ == 0 && lastElement_ >= 0)
                    elements_[size_t(lastElement_)].newline = true;
                break;
            case '"':
                ++quotes_;
                append(&c, 1);
                break;
            case '<':
                endToken();
                buffer_[0] = '<';
                length_ = 1;
                inTag_ = true;
                quotes_ = 0;
                break;
            case '>':
                if (quotes_ % 2 != 0) {
                    append(&c, 1);
                    break;
                }
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
    // Indentation between tags repeats on every line: share it.
    if (size <= NameCache::kMaxLength && isAsciiSpaceRun(data, size))
        token = names_.internAscii(data, size);
    else
        token = QString::fromUtf8(data, size);
    if (token.size() > kBufferSize - 1) {
        addError("CMarkupFile::ProcessTag() : Buffer Overflow");
        return;
    }

    CMarkupElement element = elementFromToken(std::move(token), names_, scratch_);
    const bool memoryEnd = source_ == Source::Memory && element.type == CMarkupElement::kEndTag &&
                           element.name == u"memory";
    elements_.push_back(std::move(element));
    lastElement_ = qsizetype(elements_.size()) - 1;
    if (memoryEnd) stopped_ = true;
}

void MarkupReader::addError(const char* message) {
    errors_.append(QStringLiteral("%1 - Line %2").arg(QLatin1StringView(message)).arg(line_));
}

}  // namespace ks
