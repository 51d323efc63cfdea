#include "app/finder/IndexFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include <sys/stat.h>

#include "storage/AppPaths.h"
#include "storage/MarkupEntities.h"
#include "storage/MarkupFile.h"

namespace ks {

namespace {

const QString kIndexer = QStringLiteral("indexer");
const QString kDrive = QStringLiteral("drive");
const QString kDirectory = QStringLiteral("directory");
const QString kFile = QStringLiteral("file");
const QString kName = QStringLiteral("name");
const QString kUpdated = QStringLiteral("updated");
const QString kSize = QStringLiteral("size");
const QString kCreated = QStringLiteral("created");
const QString kAccessed = QStringLiteral("accessed");
const QString kModified = QStringLiteral("modified");

// The writer refuses items of 4096 bytes or more; this leaves room for the tag, the
// attribute names and the indentation.
constexpr qsizetype kMaxValueBytes = 3800;

bool fits(const QString& value) {
    return value.size() * 3 < kMaxValueBytes ||
           EncodeEntities(value).toUtf8().size() < kMaxValueBytes;
}

// Appends an attribute holding `value` as it is: CMarkupFile::AddAttribute would decode
// entity-like text in it, and names must be kept exactly.
void addExact(CMarkupElement& element, const QString& name, const QString& value) {
    element.attributes.push_back({name, value});
}

CMarkupElement tag(const QString& name, int type) {
    CMarkupElement element(name, type);
    element.newline = true;
    return element;
}

QString attribute(const CMarkupElement& element, const QString& name) {
    const QString* value = CMarkupFile::findValue(name, element);
    return value != nullptr ? *value : QString();
}

// The raw text of attribute `name` inside a tag token, without its quotes; null when the
// tag has no such attribute.
QString rawAttributeValue(const QString& token, QStringView name) {
    const qsizetype n = token.size();
    qsizetype pos = token.indexOf(u' ');
    while (pos >= 0 && pos < n) {
        while (pos < n && token[pos].isSpace())
            ++pos;
        const qsizetype nameStart = pos;
        while (pos < n && token[pos] != u'=' && !token[pos].isSpace() && token[pos] != u'>')
            ++pos;
        const QStringView attribute = QStringView(token).sliced(nameStart, pos - nameStart);
        if (pos >= n || token[pos] != u'=' || pos + 1 >= n) return {};
        const QChar quote = token[++pos];
        if (quote != u'"' && quote != u'\'') return {};
        const qsizetype valueStart = ++pos;
        pos = token.indexOf(quote, valueStart);
        if (pos < 0) return {};
        if (attribute.compare(name, Qt::CaseInsensitive) == 0)
            return token.sliced(valueStart, pos - valueStart);
        ++pos;
    }
    return {};
}

// Entities replaced in one pass, each by its character.
QString decodeOnce(const QString& raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        bool replaced = false;
        if (raw[i] == u'&') {
            const QStringView rest = QStringView(raw).sliced(i);
            auto tryPairs = [&](const auto& pairs) {
                for (const CharacterEntity& pair : pairs) {
                    const auto entity =
                        QLatin1StringView(pair.entity.data(), qsizetype(pair.entity.size()));
                    if (!rest.startsWith(entity)) continue;
                    out += QChar(pair.character);
                    i += entity.size();
                    return true;
                }
                return false;
            };
            replaced = tryPairs(kCharacterEntities) || tryPairs(kLineBreakEntities);
        }
        if (!replaced) out += raw[i++];
    }
    return out;
}

// A name exactly as written. The markup reader decodes "&amp;" before the other
// entities (as stored score files need), which would turn a file name holding the text
// "&lt;" into one holding "<"; names are therefore decoded here from the raw tag.
QString exactName(const CMarkupElement& e) {
    const QString raw = e.text.contains(u'&') ? rawAttributeValue(e.text, kName) : QString();
    return raw.isNull() ? attribute(e, kName) : decodeOnce(raw);
}

bool isMeaningless(const CMarkupElement& e) {
    return (e.type == CMarkupElement::kText && e.text.trimmed().isEmpty()) ||
           e.type == CMarkupElement::kDeclaration || e.type == CMarkupElement::kComment ||
           e.type == CMarkupElement::kCommentStart || e.type == CMarkupElement::kCommentEnd;
}

bool isStart(const CMarkupElement& e) {
    return e.type == CMarkupElement::kStartTag || e.type == CMarkupElement::kEmptyElement;
}

// Walks the flat element list, keeping track of the drive and folder it is in.
class IndexReader {
  public:
    explicit IndexReader(CFileIndex& index) : index_(index) {}

    bool read(const std::vector<CMarkupElement>& elements) {
        auto it = std::find_if_not(elements.begin(), elements.end(), isMeaningless);
        if (it == elements.end() || it->type != CMarkupElement::kStartTag || it->name != kIndexer)
            return false;
        const CFileTime updated = parseIndexTime(attribute(*it, kUpdated));
        if (updated.isEmpty()) return false;
        index_.scanTime = updated.toSeconds();
        for (++it; it != elements.end(); ++it) {
            const CMarkupElement& e = *it;
            if (e.type == CMarkupElement::kEndTag) {
                if (e.name == kIndexer) return true;
                if (e.name == kDirectory) directory_ = nullptr;
                if (e.name == kDrive) drive_ = nullptr, directory_ = nullptr;
            } else if (isStart(e)) {
                element(e);
            }
        }
        return false;  // cut short
    }

  private:
    void element(const CMarkupElement& e) {
        const bool empty = e.type == CMarkupElement::kEmptyElement;
        if (e.name == kDrive) {
            index_.drives.push_back({exactName(e), {}});
            drive_ = empty ? nullptr : &index_.drives.back();
            directory_ = nullptr;
        } else if (e.name == kDirectory && drive_ != nullptr && !empty) {
            const QString name = exactName(e);
            if (!name.startsWith(u'/')) {
                directory_ = nullptr;
                return;
            }
            drive_->directories.push_back({name, {}});
            directory_ = &drive_->directories.back();
        } else if (e.name == kFile && directory_ != nullptr) {
            CIndexedFile file;
            file.name = exactName(e);
            if (!isScoreFileName(file.name) || file.name.contains(u'/')) return;
            file.size = std::max<qlonglong>(attribute(e, kSize).trimmed().toLongLong(), 0);
            file.created = parseIndexTime(attribute(e, kCreated));
            file.accessed = parseIndexTime(attribute(e, kAccessed));
            file.modified = parseIndexTime(attribute(e, kModified));
            directory_->files.push_back(std::move(file));
        }
    }

    CFileIndex& index_;
    CIndexedDrive* drive_ = nullptr;
    CIndexedDirectory* directory_ = nullptr;
};

bool isRegularFile(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

QString indexFilePath() {
    return pathIn(dataFolder(), QStringLiteral("Keystave.files"));
}

QString indexTimeText(const CFileTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d.%02d.%02d.%02d.%02d.%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return QString::fromLatin1(text);
}

CFileTime parseIndexTime(const QString& text) {
    CFileTime t;
    const QByteArray bytes = text.toLatin1();
    if (std::sscanf(bytes.constData(), "%4d.%2d.%2d.%2d.%2d.%2d", &t.year, &t.month, &t.day,
                    &t.hour, &t.minute, &t.second) != 6)
        return {};
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour < 0 ||
        t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 60)
        return {};
    return t;
}

bool saveIndexFile(const QString& path, const CFileIndex& index) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    CMarkupFile file;
    CMarkupElement root = tag(kIndexer, CMarkupElement::kStartTag);
    CMarkupFile::AddAttribute(root, kUpdated,
                              indexTimeText(CFileTime::fromSeconds(index.scanTime)));
    file.AppendElement(std::move(root));
    for (const CIndexedDrive& drive : index.drives) {
        const bool hasFiles = !drive.directories.empty() && fits(drive.name);
        CMarkupElement start =
            tag(kDrive, hasFiles ? CMarkupElement::kStartTag : CMarkupElement::kEmptyElement);
        addExact(start, kName, fits(drive.name) ? drive.name : QString());
        file.AppendElement(std::move(start));
        if (!hasFiles) continue;
        for (const CIndexedDirectory& directory : drive.directories) {
            if (directory.files.empty() || !fits(directory.name)) continue;
            CMarkupElement folder = tag(kDirectory, CMarkupElement::kStartTag);
            addExact(folder, kName, directory.name);
            file.AppendElement(std::move(folder));
            for (const CIndexedFile& f : directory.files) {
                if (!fits(f.name)) continue;
                CMarkupElement entry = tag(kFile, CMarkupElement::kEmptyElement);
                addExact(entry, kName, f.name);
                CMarkupFile::AddAttribute(entry, kSize, QString::number(f.size));
                CMarkupFile::AddAttribute(entry, kCreated, indexTimeText(f.created));
                CMarkupFile::AddAttribute(entry, kAccessed, indexTimeText(f.accessed));
                CMarkupFile::AddAttribute(entry, kModified, indexTimeText(f.modified));
                file.AppendElement(std::move(entry));
            }
            file.AppendElement(tag(kDirectory, CMarkupElement::kEndTag));
        }
        file.AppendElement(tag(kDrive, CMarkupElement::kEndTag));
    }
    file.AppendElement(tag(kIndexer, CMarkupElement::kEndTag));
    return file.Save(path);
}

bool loadIndexFile(const QString& path, CFileIndex& index) {
    index = {};
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxIndexFileSize) return false;
    CMarkupFile file;
    if (!file.Load(path) || !IndexReader(index).read(file.elements())) {
        index = {};
        return false;
    }
    index.dropEmptyDirectories();
    return true;
}

int dropMissingFiles(CFileIndex& index) {
    int dropped = 0;
    for (CIndexedDrive& drive : index.drives)
        for (CIndexedDirectory& directory : drive.directories)
            dropped += int(std::erase_if(directory.files, [&](const CIndexedFile& f) {
                return !isRegularFile(pathIn(directory.name, f.name));
            }));
    index.dropEmptyDirectories();
    return dropped;
}

}  // namespace ks
