#include <gtest/gtest.h>

#include "model/TextFormat.h"

using namespace ks;

TEST(TextFormat, PrintfConversionsAndMismatchedArguments) {
    struct Case {
        const char* format;
        std::initializer_list<TextArg> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Track %d", {int64_t(3)}, "Track 3"},
        {"File %s cannot be loaded", {QStringLiteral("a.ksv")}, "File a.ksv cannot be loaded"},
        {" %.2d:%.2d / %.2d:%.2d",
         {int64_t(1), int64_t(5), int64_t(12), int64_t(0)},
         " 01:05 / 12:00"},
        {"%2d/%d/%d  /  %d", {int64_t(3), int64_t(1), int64_t(0), int64_t(4)}, " 3/1/0  /  4"},
        {"KSV-%08X-UNDO.tmp", {int64_t(0x1f)}, "KSV-0000001F-UNDO.tmp"},
        {"%%%.2X", {int64_t(0xe9)}, "%E9"},
        {"%-4d|%04d|%+d", {int64_t(7), int64_t(-7), int64_t(7)}, "7   |-007|+7"},
        {"%d and %d", {int64_t(1)}, "1 and %d"},  // missing argument
        {"%s", {int64_t(1)}, "%s"},               // wrong kind
        {"%d%%", {QStringLiteral("x")}, "%d%"},
        {"trailing %", {}, "trailing %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatText(QString::fromLatin1(c.format), c.args),
                  QString::fromLatin1(c.expected))
            << c.format;
}
