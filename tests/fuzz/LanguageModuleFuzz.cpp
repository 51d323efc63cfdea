// libFuzzer target for language modules ("<Language>.txt"): the file is loaded into the
// text table and every text it brings is formatted as messages are, with the arguments
// a message may carry, and with none.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ks::fuzz::inputFile(data, size, QStringLiteral("German.txt"));
    ks::TextTable& table = ks::TextTable::instance();
    if (!table.loadLanguageModule(path)) ks::fuzz::fail();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const auto& [id, text] : ks::TextTable::parse(bytes)) {
        if (table.get(id) != text) ks::fuzz::fail();
        (void)ks::formatText(text, {});
        (void)ks::formatText(text, {int64_t(-2147483648LL), QStringLiteral("name"), int64_t(7)});
        (void)ks::formatText(text, {QStringLiteral("a"), int64_t(1)});
    }
    table.unloadLanguageModule();
    return 0;
}
