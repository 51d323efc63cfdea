// Safe printf-style formatting of text-table texts ("Track %d", "File %s cannot be
// loaded", " %.2d:%.2d"). Arguments are checked against the conversions, so a text
// from a language module can never read the wrong type or past the arguments.
#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <variant>

namespace ks {

using TextArg = std::variant<int64_t, QString>;

// Conversions: %d %i %u %x %X %s %c %%, with the flags "-0 +", a width and a precision.
// A conversion with no argument left, or with an argument of the other kind, is written
// as its own text unchanged.
QString formatText(const QString& format, std::initializer_list<TextArg> args);

}  // namespace ks
