// Zip archives made for tests, including broken and hostile ones.
#pragma once

#include <zip.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <utility>
#include <vector>

namespace ks::test {

using ZipMember = std::pair<QByteArray, QByteArray>;  // stored name, content

// An archive holding the given members in order. False when libzip fails.
inline bool makeZip(const QString& path, const std::vector<ZipMember>& members) {
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return false;
    for (const auto& [name, content] : members) {
        // libzip takes no ownership of an empty buffer, so an empty member gets none.
        void* copy = content.isEmpty() ? nullptr : malloc(size_t(content.size()));
        if (copy) memcpy(copy, content.constData(), size_t(content.size()));
        zip_source_t* src = zip_source_buffer(z, copy, zip_uint64_t(content.size()), copy ? 1 : 0);
        if (!src || zip_file_add(z, name.constData(), src, ZIP_FL_ENC_UTF_8) < 0) {
            if (src) zip_source_free(src);
            zip_discard(z);
            return false;
        }
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        return false;
    }
    return true;
}

// A member of `size` zero bytes streamed into the archive without holding it in memory:
// a decompression bomb (a few hundred kilobytes on disk).
inline bool makeZeroBomb(const QString& path, const QByteArray& name, zip_uint64_t size) {
    struct State {
        zip_uint64_t size;
        zip_uint64_t done = 0;
    };
    auto* state = new State{size};
    const auto callback = [](void* user, void* data, zip_uint64_t len,
                             zip_source_cmd_t cmd) -> zip_int64_t {
        auto* s = static_cast<State*>(user);
        switch (cmd) {
            case ZIP_SOURCE_OPEN:
                s->done = 0;
                return 0;
            case ZIP_SOURCE_READ: {
                const zip_uint64_t n = std::min(len, s->size - s->done);
                memset(data, 0, n);
                s->done += n;
                return zip_int64_t(n);
            }
            case ZIP_SOURCE_CLOSE:
                return 0;
            case ZIP_SOURCE_STAT: {
                auto* st = static_cast<zip_stat_t*>(data);
                zip_stat_init(st);
                st->valid = ZIP_STAT_SIZE;
                st->size = s->size;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_FREE:
                delete s;
                return 0;
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                      ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                      ZIP_SOURCE_FREE, -1);
            default:
                return -1;
        }
    };
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) {
        delete state;
        return false;
    }
    zip_source_t* src = zip_source_function(z, callback, state);
    if (!src || zip_file_add(z, name.constData(), src, 0) < 0 || zip_close(z) != 0) {
        zip_discard(z);
        return false;
    }
    return true;
}

// Rewrites the uncompressed size a zip records for its members, in the local headers
// and the central directory, to `claimed`.
inline QByteArray withClaimedSize(QByteArray zip, quint32 claimed) {
    const auto put = [&](qsizetype at) {
        for (int i = 0; i < 4; ++i)
            zip[at + i] = char((claimed >> (8 * i)) & 0xFF);
    };
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0; at = zip.indexOf("PK\x03\x04", at + 4))
        put(at + 22);
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4))
        put(at + 24);
    return zip;
}

// Where the stored data of member `name` lies in a zip's bytes: offset and compressed
// size from its local header; {-1, 0} when the member is not found.
inline std::pair<qsizetype, quint32> memberData(const QByteArray& zip, const QByteArray& name) {
    const auto word = [&](qsizetype at) {
        return quint16(uchar(zip[at]) | uchar(zip[at + 1]) << 8);
    };
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0;
         at = zip.indexOf("PK\x03\x04", at + 4)) {
        if (at + 30 > zip.size()) break;
        const quint16 nameLength = word(at + 26), extraLength = word(at + 28);
        if (zip.mid(at + 30, nameLength) != name) continue;
        const quint32 size = quint32(word(at + 18)) | quint32(word(at + 20)) << 16;
        return {at + 30 + nameLength + extraLength, size};
    }
    return {-1, 0};
}

// Member `name` with its stored data cut to `size` bytes, in the local header and the
// central directory, the rest of the archive kept (a member truncated in place).
inline QByteArray withCompressedSize(QByteArray zip, const QByteArray& name, quint32 size) {
    const auto put = [&](qsizetype at) {
        for (int i = 0; i < 4; ++i)
            zip[at + i] = char((size >> (8 * i)) & 0xFF);
    };
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0; at = zip.indexOf("PK\x03\x04", at + 4))
        if (zip.mid(at + 30, name.size()) == name) put(at + 18);
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4))
        if (zip.mid(at + 46, name.size()) == name) put(at + 20);
    return zip;
}

}  // namespace ks::test
