#include "storage/MarkupFile.h"

#include "storage/FileOutput.h"
#include "storage/MarkupReader.h"
#include "storage/MarkupToken.h"
#include "storage/MarkupWriter.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <string>

namespace ks {

namespace {

constexpr qint64 kReadBlock = 256 * 1024;
constexpr qint64 kMaxReservedElements = 1 << 20;

// Decimal texts of small numbers, made once: most numbers written (pitches, velocities,
// durations, flags) are small, and sharing their texts saves an allocation each.
const QString& smallNumberText(int value) {
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        t.reserve(1024);
        for (int i = 0; i < 1024; ++i)
            t.push_back(QString::number(i));
        return t;
    }();
    return texts[size_t(value)];
}

QString numberText(int value) {
    if (value >= 0 && value < 1024) return smallNumberText(value);
    return QString::number(value);
}

}  // namespace

bool CMarkupFile::Load(const QString& path, qint64 offset) {
    if (offset < 0 || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (offset > 0 && !file.seek(offset)) return false;

    sourceName_ = path;
    // Room for the elements a score-like file of this size holds (one per 24 bytes or
    // fewer), so the list is not moved as it grows; untouched room costs no memory.
    const qint64 expected = qMin<qint64>((file.size() - file.pos()) / 24, kMaxReservedElements);
    elements_.reserve(elements_.size() + size_t(qMax<qint64>(expected, 0)));
    MarkupReader reader(MarkupReader::Source::File, elements_, errors_);
    auto block = std::make_unique<char[]>(size_t(kReadBlock));
    for (;;) {
        const qint64 n = file.read(block.get(), kReadBlock);
        if (n < 0) {
            errors_.append(
                QStringLiteral("CMarkupFile::Load() : Read Error - Line %1").arg(reader.line()));
            break;
        }
        if (n == 0) break;
        reader.feed(block.get(), n);
    }
    line_ = reader.line();
    return errors_.isEmpty();
}

bool CMarkupFile::Parse(QByteArrayView text) {
    sourceName_ = QStringLiteral("Memory");
    MarkupReader reader(MarkupReader::Source::Memory, elements_, errors_);
    reader.feed(text.data(), text.size());
    line_ = reader.line();
    return errors_.isEmpty();
}

void CMarkupFile::AddAttribute(CMarkupElement& element, const QString& name, const QString& value) {
    element.attributes.push_back({name, decodeAttributeValue(value)});
}

void CMarkupFile::AddAttribute(CMarkupElement& element, const QString& name, int value) {
    element.attributes.push_back({name, numberText(value)});
}

bool CMarkupFile::AddTag(int type, const QString& name, bool newline) {
    if (type != CMarkupElement::kStartTag && type != CMarkupElement::kEmptyElement &&
        type != CMarkupElement::kEndTag)
        return false;
    CMarkupElement element(name, type);
    element.newline = newline;
    elements_.push_back(std::move(element));
    return true;
}

void CMarkupFile::AddText(const QString& text, bool newline) {
    CMarkupElement element;
    element.type = CMarkupElement::kText;
    element.text = text;
    element.newline = newline;
    elements_.push_back(std::move(element));
}

void CMarkupFile::AddTextElement(const QString& name, const QString& text) {
    AddTag(CMarkupElement::kStartTag, name, false);
    AddText(text, false);
    AddTag(CMarkupElement::kEndTag, name, true);
}

void CMarkupFile::AddTextElement(const QString& name, int value) {
    AddTextElement(name, numberText(value));
}

void CMarkupFile::AppendElement(const CMarkupElement& element) {
    AppendElement(CMarkupElement(element));
}

void CMarkupFile::AppendElement(CMarkupElement&& element) {
    if (element.type == CMarkupElement::kEmptyElement) element.newline = true;
    elements_.push_back(std::move(element));
}

bool CMarkupFile::Save(const QString& path, bool append) {
    std::string bytes;
    const MarkupRenderResult rendered = renderMarkup(elements_, bytes);
    if (!rendered.ok) {
        errors_.append(QStringLiteral("CMarkupFile::ProcessTag() : Buffer Overflow - Line %1")
                           .arg(rendered.failedLine));
        return false;
    }
    return writeFileBytes(path, QByteArrayView(bytes.data(), qsizetype(bytes.size())), append);
}

}  // namespace ks
