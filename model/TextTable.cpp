#include "TextTable.h"

#include <QFile>
#include <array>

namespace ks {

namespace {

// Platform primary language ids and the names of their language modules, in the order
// they are searched; an empty name means no module exists for that language.
struct LanguageEntry {
    int id;
    const char* name;
};
constexpr std::array<LanguageEntry, 75> kLanguages = {{
    {0x36, "Afrikaans"}, {0x1c, "Albanian"},   {0x1, "Arabic"},     {0x2b, ""},
    {0x4d, ""},          {0x2c, ""},           {0x2d, ""},          {0x23, ""},
    {0x45, ""},          {0x2, "Bulgarian"},   {0x3, "Catalan"},    {0x4, "Chinese"},
    {0x1a, "Croatian"},  {0x5, "Czech"},       {0x6, "Danish"},     {0x65, ""},
    {0x13, "Dutch"},     {0x25, ""},           {0x38, ""},          {0x29, ""},
    {0xb, "Finnish"},    {0xc, "French"},      {0x56, ""},          {0x37, ""},
    {0x7, "German"},     {0x8, "Greek"},       {0x47, ""},          {0xd, ""},
    {0x39, ""},          {0xe, "Hungarian"},   {0xf, "Icelandic"},  {0x21, ""},
    {0x10, "Italian"},   {0x11, "Japanese"},   {0x4b, ""},          {0x60, ""},
    {0x3f, ""},          {0x57, ""},           {0x12, "Korean"},    {0x40, ""},
    {0x26, "Latvian"},   {0x27, "Lithuanian"}, {0x2f, ""},          {0x3e, ""},
    {0x4c, ""},          {0x58, ""},           {0x4e, ""},          {0x50, ""},
    {0x61, ""},          {0x14, "Norwegian"},  {0x48, ""},          {0x15, "Polish"},
    {0x16, "Portugese"}, {0x46, "Punjabi"},    {0x18, "Romanian"},  {0x19, "Russian"},
    {0x4f, ""},          {0x1a, "Serbian"},    {0x59, ""},          {0x1b, "Slovak"},
    {0x24, "Slovenian"}, {0xa, "Spanish"},     {0x41, ""},          {0x1d, "Swedish"},
    {0x5a, ""},          {0x49, ""},           {0x44, ""},          {0x4a, ""},
    {0x1e, "Thai"},      {0x1f, "Turkish"},    {0x22, "Ukrainian"}, {0x20, "Urdu"},
    {0x43, ""},          {0x2a, ""},           {0x9, "English"},
}};
constexpr int kEnglish = 0x9;

QString unescape(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (c == u'\\' && i + 1 < s.size()) {
            QChar n = s[++i];
            if (n == u'n')
                out += u'\n';
            else if (n == u't')
                out += u'\t';
            else
                out += n;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

TextTable& TextTable::instance() {
    static TextTable table;
    return table;
}

TextTable::TextTable() {
    QFile file(QStringLiteral(":/keystaves/strings/en.txt"));
    if (file.open(QIODevice::ReadOnly)) builtIn_ = parse(file.readAll());
}

std::unordered_map<int, QString> TextTable::parse(const QByteArray& data) {
    std::unordered_map<int, QString> texts;
    const QString all = QString::fromUtf8(data);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0) continue;
        bool ok = false;
        int id = line.first(tab).toInt(&ok);
        if (!ok || id < kFirstId || id > kLastId) continue;
        texts[id] = unescape(line.sliced(tab + 1));
    }
    return texts;
}

const QString& TextTable::get(int id) {
    if (id < kFirstId) return empty_;
    if (id > kLastId) id = 34364;
    std::lock_guard lock(mutex_);
    if (auto it = fetched_.find(id); it != fetched_.end()) return it->second;
    const QString* found = nullptr;
    if (auto it = module_.find(id); it != module_.end())
        found = &it->second;
    else if (auto b = builtIn_.find(id); b != builtIn_.end())
        found = &b->second;
    if (!found) return fallback_;
    return fetched_.emplace(id, *found).first->second;
}

bool TextTable::loadLanguageModule(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    auto texts = parse(file.readAll());
    std::lock_guard lock(mutex_);
    module_ = std::move(texts);
    moduleName_ = path;
    // Texts handed out before keep their storage; they now read in the new language.
    for (auto& [id, value] : fetched_) {
        if (auto it = module_.find(id); it != module_.end())
            value = it->second;
        else if (auto b = builtIn_.find(id); b != builtIn_.end())
            value = b->second;
    }
    return true;
}

void TextTable::unloadLanguageModule() {
    std::lock_guard lock(mutex_);
    module_.clear();
    moduleName_.clear();
    for (auto& [id, value] : fetched_)
        if (auto b = builtIn_.find(id); b != builtIn_.end()) value = b->second;
}

QString TextTable::languageModule() const {
    std::lock_guard lock(mutex_);
    return moduleName_;
}

QString TextTable::moduleNameForLanguage(int primaryLanguage) {
    primaryLanguage &= 0x3ff;
    if (primaryLanguage == kEnglish) return {};
    QString chosen;
    // Every matching entry is tried in turn; the last one decides (an unnamed one gives none).
    for (size_t i = 0; i + 1 < kLanguages.size(); ++i)
        if (kLanguages[i].id == primaryLanguage) chosen = QString::fromLatin1(kLanguages[i].name);
    return chosen;
}

}  // namespace ks
