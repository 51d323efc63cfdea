// CMarkupFile: the program's own small XML reader and writer. A document is held as one
// flat, ordered list of elements (start tags, empty elements, end tags, text, comments);
// readers walk the list and track nesting themselves, writers append in document order.
#pragma once

#include "storage/MarkupElement.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace ks {

class CMarkupFile {
  public:
    // Bytes are always converted as UTF-8 (code page 65001).
    static constexpr int kCodePage = 65001;

    CMarkupFile() = default;

    // --- Reading -------------------------------------------------------------------
    // Tokenises the file from byte `offset` to its end into the element list. Returns
    // false at once, recording nothing, when the file cannot be opened or is not a
    // regular file; otherwise true when no error was recorded.
    bool Load(const QString& path, qint64 offset = 0);

    // Tokenises in-memory text; stops right after the end tag named exactly "memory".
    // Quotes are not tracked, so a '>' inside a quoted value ends the tag.
    bool Parse(QByteArrayView text);

    // Scans from `start` for elements named exactly `name`: a start tag sets `first` and
    // the scan goes on; an empty element sets both and ends it; the first end tag sets
    // `last` and ends it. True when the scan ended on a match. Nesting is not tracked.
    bool FindElement(int start, QStringView name, int& first, int& last) const;

    // The first attribute named `name` (case ignored). False, `out` unchanged, if absent.
    static bool GetString(QStringView name, const CMarkupElement& element, QString& out);
    // The attribute read as one decimal int (leading white space and a sign allowed,
    // trailing text ignored); `out` changes only when a number in int range was read.
    static bool GetInt(QStringView name, const CMarkupElement& element, int& out);
    // As GetInt, accepting only 0 and 1.
    static bool GetBool(QStringView name, const CMarkupElement& element, bool& out);
    // The value of the first attribute named `name` (case ignored), or nullptr.
    static const QString* findValue(QStringView name, const CMarkupElement& element);

    // --- Writing -------------------------------------------------------------------
    // Appends an attribute; the value is stored decoded as a parsed value would be
    // (surrounding quotes removed, entities replaced by their characters).
    static void AddAttribute(CMarkupElement& element, const QString& name, const QString& value);
    static void AddAttribute(CMarkupElement& element, const QString& name, int value);

    // Appends a start tag, empty element or end tag without attributes; other types are
    // refused (false).
    bool AddTag(int type, const QString& name, bool newline);
    void AddText(const QString& text, bool newline);
    // Start tag, text, end tag with a line break: one element on one line.
    void AddTextElement(const QString& name, const QString& text);
    void AddTextElement(const QString& name, int value);
    // Appends a copy of a prepared element; an empty element always gets `newline`.
    void AppendElement(const CMarkupElement& element);
    void AppendElement(CMarkupElement&& element);

    // Writes the list as UTF-8 without byte-order mark, replacing the file or appending
    // to it. Returns false when the file cannot be written, or when one item needs 4096
    // bytes or more (the overflow message is recorded). A failed save leaves the file as
    // it was: nothing is appended, and a replaced file keeps its old content.
    bool Save(const QString& path, bool append = false);

    // --- State ---------------------------------------------------------------------
    const QString& sourceName() const { return sourceName_; }
    const QStringList& errors() const { return errors_; }
    bool isGood() const { return errors_.isEmpty(); }
    const std::vector<CMarkupElement>& elements() const { return elements_; }
    std::vector<CMarkupElement>& elements() { return elements_; }
    int elementCount() const { return int(elements_.size()); }
    int line() const { return line_; }

  private:
    QString sourceName_;
    QStringList errors_;
    std::vector<CMarkupElement> elements_;
    int line_ = 1;
};

}  // namespace ks
