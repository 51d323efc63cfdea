#include "interchange/XmlOut.h"

namespace ks {

void XmlOut::raw(std::string_view line) {
    out_.append(line);
    out_.push_back('\n');
}

void XmlOut::indent() {
    out_.append(stack_.size() * 2, ' ');
}

void XmlOut::startTag(std::string_view name, Attributes attributes) {
    indent();
    out_.push_back('<');
    out_.append(name);
    for (const auto& [key, value] : attributes) {
        out_.push_back(' ');
        out_.append(key);
        out_.append("=\"");
        escaped(value);
        out_.push_back('"');
    }
}

void XmlOut::open(std::string_view name, Attributes attributes) {
    startTag(name, attributes);
    out_.append(">\n");
    stack_.push_back(name);
}

void XmlOut::close() {
    if (stack_.empty()) return;
    const std::string_view name = stack_.back();
    stack_.pop_back();
    indent();
    out_.append("</");
    out_.append(name);
    out_.append(">\n");
}

template <typename Text>
void XmlOut::textLeaf(std::string_view name, Text text, Attributes attributes) {
    startTag(name, attributes);
    out_.push_back('>');
    escaped(text);
    out_.append("</");
    out_.append(name);
    out_.append(">\n");
}

void XmlOut::leaf(std::string_view name, QStringView text, Attributes attributes) {
    textLeaf(name, text, attributes);
}

void XmlOut::leaf(std::string_view name, std::string_view text, Attributes attributes) {
    textLeaf(name, text, attributes);
}

void XmlOut::leaf(std::string_view name, int64_t value, Attributes attributes) {
    leaf(name, std::string_view(std::to_string(value)), attributes);
}

void XmlOut::empty(std::string_view name, Attributes attributes) {
    startTag(name, attributes);
    out_.append(" />\n");
}

void XmlOut::escaped(std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out_.append("&amp;");
                break;
            case '<':
                out_.append("&lt;");
                break;
            case '>':
                out_.append("&gt;");
                break;
            case '"':
                out_.append("&quot;");
                break;
            case '\'':
                out_.append("&apos;");
                break;
            default:
                out_.push_back(c);
        }
    }
}

void XmlOut::escaped(QStringView text) {
    // Characters XML 1.0 does not allow (controls other than tab and line breaks, lone
    // surrogates, U+FFFE/U+FFFF) would make the file unreadable: they are left out.
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = s[i];
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
            const char ascii = char(c);
            escaped(std::string_view(&ascii, 1));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) {
            continue;
        }
        if (c < 0x800) {
            out_.push_back(char(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out_.push_back(char(0xE0 | (c >> 12)));
            out_.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out_.push_back(char(0xF0 | (c >> 18)));
            out_.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out_.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        }
        out_.push_back(char(0x80 | (c & 0x3F)));
    }
}

}  // namespace ks
