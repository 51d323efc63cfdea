// The character-entity table of the markup format and the encoders and decoder built on it.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <string_view>

namespace ks {

// One pair of the table: the entity as written and the character it stands for.
struct CharacterEntity {
    std::string_view entity;
    char16_t character;
};

// The 64 pairs in table order. The grave accent is written "&#96" without a semicolon,
// as stored files carry it.
extern const std::array<CharacterEntity, 64> kCharacterEntities;

// Line breaks inside attribute values. The reader drops raw line feeds and carriage
// returns, so values keep theirs as character references: "&#10;" and "&#13;". They
// are written by EncodeEntities and read by DecodeEntities after the table's pairs.
extern const std::array<CharacterEntity, 2> kLineBreakEntities;

// Every character of the table replaced by its entity, pairs in table order (the ampersand
// first, so no entity is escaped twice), and line breaks by their references. Used for
// every attribute value written.
QString EncodeEntities(const QString& text);

// The same with only ampersand, double quote, apostrophe, less-than and greater-than.
QString EncodeBasic(const QString& text);

// Every entity of the table replaced by its character, one pair after the other in table
// order over the whole text. A decoded ampersand can therefore start a later entity:
// "&amp;lt;" becomes "<". The line-break references are replaced last.
QString DecodeEntities(const QString& text);

// The table entity of `c` (with EncodeBasic's subset when `basicOnly`), or an empty view.
std::string_view entityFor(char16_t c, bool basicOnly = false);

}  // namespace ks
