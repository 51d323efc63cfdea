#include "storage/MarkupEntities.h"

namespace ks {

const std::array<CharacterEntity, 64> kCharacterEntities = {{
    {"&amp;", u'&'},      {"&quot;", u'"'},     {"&apos;", u'\''},    {"&#96", u'`'},
    {"&lt;", u'<'},       {"&gt;", u'>'},       {"&Agrave;", 0x00C0}, {"&Aacute;", 0x00C1},
    {"&Acirc;", 0x00C2},  {"&Atilde;", 0x00C3}, {"&Auml;", 0x00C4},   {"&Aring;", 0x00C5},
    {"&AElig;", 0x00C6},  {"&Ccedil;", 0x00C7}, {"&Egrave;", 0x00C8}, {"&Eacute;", 0x00C9},
    {"&Ecirc;", 0x00CA},  {"&Euml;", 0x00CB},   {"&Igrave;", 0x00CC}, {"&Iacute;", 0x00CD},
    {"&Icirc;", 0x00CE},  {"&Iuml;", 0x00CF},   {"&Ntilde;", 0x00D1}, {"&Ograve;", 0x00D2},
    {"&Oacute;", 0x00D3}, {"&Ocirc;", 0x00D4},  {"&Otilde;", 0x00D5}, {"&Ouml;", 0x00D6},
    {"&Ugrave;", 0x00D9}, {"&Uacute;", 0x00DA}, {"&Ucirc;", 0x00DB},  {"&Uuml;", 0x00DC},
    {"&Yacute;", 0x00DD}, {"&szlig;", 0x00DF},  {"&agrave;", 0x00E0}, {"&aacute;", 0x00E1},
    {"&acirc;", 0x00E2},  {"&atilde;", 0x00E3}, {"&auml;", 0x00E4},   {"&aring;", 0x00E5},
    {"&aelig;", 0x00E6},  {"&ccedil;", 0x00E7}, {"&egrave;", 0x00E8}, {"&eacute;", 0x00E9},
    {"&ecirc;", 0x00EA},  {"&euml;", 0x00EB},   {"&igrave;", 0x00EC}, {"&iacute;", 0x00ED},
    {"&icirc;", 0x00EE},  {"&iuml;", 0x00EF},   {"&eth;", 0x00F0},    {"&ntilde;", 0x00F1},
    {"&ograve;", 0x00F2}, {"&oacute;", 0x00F3}, {"&ocirc;", 0x00F4},  {"&otilde;", 0x00F5},
    {"&ouml;", 0x00F6},   {"&ugrave;", 0x00F9}, {"&uacute;", 0x00FA}, {"&ucirc;", 0x00FB},
    {"&uuml;", 0x00FC},   {"&yacute;", 0x00FD}, {"&ndash;", 0x2013},  {"&mdash;", 0x2014},
}};

const std::array<CharacterEntity, 2> kLineBreakEntities = {{{"&#10;", u'\n'}, {"&#13;", u'\r'}}};

namespace {

// For each character below U+0100: 1 + its index in the table, or 0.
struct Latin1Index {
    std::array<unsigned char, 256> slot{};
    constexpr Latin1Index() {}
};

const Latin1Index& latin1Index() {
    static const Latin1Index index = [] {
        Latin1Index built;
        for (size_t i = 0; i < kCharacterEntities.size(); ++i) {
            const char16_t c = kCharacterEntities[i].character;
            if (c < 0x100) built.slot[c] = static_cast<unsigned char>(i + 1);
        }
        return built;
    }();
    return index;
}

bool isBasic(char16_t c) {
    return c == u'&' || c == u'"' || c == u'\'' || c == u'<' || c == u'>';
}

QString encode(const QString& text, bool basicOnly) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && entityFor(text[i].unicode(), basicOnly).empty())
        ++i;
    if (i == n) return text;  // nothing to replace: share the original

    QString out;
    out.reserve(n + 16);
    out.append(QStringView(text).left(i));
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        const std::string_view entity = entityFor(c, basicOnly);
        if (entity.empty())
            out.append(QChar(c));
        else
            out.append(QLatin1StringView(entity.data(), qsizetype(entity.size())));
    }
    return out;
}

}  // namespace

std::string_view entityFor(char16_t c, bool basicOnly) {
    if (basicOnly) {
        if (!isBasic(c)) return {};
    } else if (c == 0x2013) {
        return kCharacterEntities[62].entity;
    } else if (c == 0x2014) {
        return kCharacterEntities[63].entity;
    } else if (c == u'\n') {
        return kLineBreakEntities[0].entity;
    } else if (c == u'\r') {
        return kLineBreakEntities[1].entity;
    }
    if (c >= 0x100) return {};
    const unsigned char slot = latin1Index().slot[c];
    return slot ? kCharacterEntities[slot - 1].entity : std::string_view();
}

// Replacing characters one by one gives the same text as applying the pairs in table
// order, because no entity contains a character that a later pair replaces.
QString EncodeEntities(const QString& text) {
    return encode(text, false);
}

QString EncodeBasic(const QString& text) {
    return encode(text, true);
}

// Applying the pairs one after the other comes down to two scans. The first pass turns
// "&amp;" into "&", and those ampersands may start later entities. The remaining pairs
// cannot affect each other: no entity holds an ampersand after its first character (so
// their occurrences never overlap) and no character they produce can be part of an
// entity, so one scan replacing each occurrence where it stands gives the same text.
QString DecodeEntities(const QString& text) {
    if (!text.contains(u'&')) return text;

    const auto matchesAt = [](const QChar* s, qsizetype left, std::string_view entity) {
        if (left < qsizetype(entity.size())) return false;
        for (size_t k = 0; k < entity.size(); ++k)
            if (s[k] != QLatin1Char(entity[k])) return false;
        return true;
    };

    QString ampersands(text.size(), Qt::Uninitialized);
    QChar* w = ampersands.data();
    const std::string_view amp = kCharacterEntities[0].entity;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'&' && matchesAt(text.constData() + i, text.size() - i, amp)) {
            *w++ = u'&';
            i += qsizetype(amp.size());
        } else {
            *w++ = text[i++];
        }
    }
    ampersands.truncate(w - ampersands.constData());

    QString out(ampersands.size(), Qt::Uninitialized);
    w = out.data();
    const QChar* s = ampersands.constData();
    const qsizetype n = ampersands.size();
    for (qsizetype i = 0; i < n;) {
        if (s[i] == u'&') {
            const CharacterEntity* found = nullptr;
            for (size_t k = 1; k < kCharacterEntities.size() && !found; ++k)
                if (matchesAt(s + i, n - i, kCharacterEntities[k].entity))
                    found = &kCharacterEntities[k];
            for (size_t k = 0; k < kLineBreakEntities.size() && !found; ++k)
                if (matchesAt(s + i, n - i, kLineBreakEntities[k].entity))
                    found = &kLineBreakEntities[k];
            if (found) {
                *w++ = QChar(found->character);
                i += qsizetype(found->entity.size());
                continue;
            }
        }
        *w++ = s[i++];
    }
    out.truncate(w - out.constData());
    return out;
}

}  // namespace ks
