// The tokenizer behind CMarkupFile::Load and CMarkupFile::Parse: splits markup bytes into
// tag and text tokens and appends one element per token.
#pragma once

#include "storage/MarkupElement.h"
#include "storage/NameCache.h"

#include <QStringList>
#include <vector>

namespace ks {

class MarkupReader {
  public:
    enum class Source {
        File,    // quotes inside a tag are counted; a '>' inside quotes does not end the tag
        Memory,  // quotes are not tracked; stops after the end tag "memory"
    };

    static constexpr int kBufferSize = 4096;

    MarkupReader(Source source, std::vector<CMarkupElement>& elements, QStringList& errors);

    // Tokenises the next block of bytes. Blocks may split tokens anywhere. Text after the
    // last tag is never processed (there is no "finish" step).
    void feed(const char* data, qsizetype size);

    // Memory text only: the "memory" end tag has been read; further bytes are ignored.
    bool stopped() const { return stopped_; }
    int line() const { return line_; }

  private:
    void append(const char* data, qsizetype size);
    void endToken();
    void processToken(const char* data, qsizetype size);
    void addError(const char* message);

    Source source_;
    std::vector<CMarkupElement>& elements_;
    QStringList& errors_;
    NameCache names_;

    char buffer_[kBufferSize];
    qsizetype length_ = 0;
    bool overflowed_ = false;  // this token already reported its overflow
    bool inTag_ = false;
    int quotes_ = 0;
    int line_ = 1;
    // The element made by the last token, which a directly following line feed marks
    // with `newline` so that a loaded list saves with its line breaks; -1 when none.
    qsizetype lastElement_ = -1;
    bool stopped_ = false;
};

}  // namespace ks
