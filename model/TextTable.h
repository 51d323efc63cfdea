// The process-wide text table: every message, prompt and label is fetched by id.
#pragma once

#include <QString>
#include <QStringList>
#include <mutex>
#include <unordered_map>

namespace ks {

class TextTable {
  public:
    static constexpr int kFirstId = 32768;
    static constexpr int kLastId = 65279;
    static constexpr const char* kFallback = "Warning : Localized Text Not Found";

    static TextTable& instance();

    // The text of `id`. Ids below 32768 give the empty text; ids above 65279 are read as
    // 34364. An id without a text gives the fallback text. The reference stays valid
    // until the program ends. Safe to call from any thread.
    const QString& get(int id);

    // Texts of a language module: each overrides the built-in text of its id. Returns
    // false, leaving the table as it was, when the file cannot be read.
    bool loadLanguageModule(const QString& path);
    void unloadLanguageModule();
    QString languageModule() const;

    // The module name for a platform primary language id (Windows numbering), chosen by
    // the language table: the last entry with that id and a name wins; English and
    // unknown languages give an empty name (no module).
    static QString moduleNameForLanguage(int primaryLanguage);

    // Parse text-table lines ("<id><TAB><text>" with \n, \t and \\ escapes).
    static std::unordered_map<int, QString> parse(const QByteArray& data);

  private:
    TextTable();
    mutable std::mutex mutex_;
    std::unordered_map<int, QString> builtIn_;
    std::unordered_map<int, QString> module_;
    std::unordered_map<int, QString> fetched_;  // node-based: references stay valid
    QString moduleName_;
    const QString empty_;
    const QString fallback_ = QString::fromLatin1(kFallback);
};

// Shorthand for TextTable::instance().get(id).
inline const QString& text(int id) {
    return TextTable::instance().get(id);
}

}  // namespace ks
