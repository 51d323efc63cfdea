#include "storage/NZip.h"

#include <zip.h>

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace ks {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct MemberCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using Member = std::unique_ptr<zip_file_t, MemberCloser>;

constexpr int64_t kBlock = 256 * 1024;

}  // namespace

int n_zip(const QString& source, const QString& archive, const QString& member) {
    if (source.isEmpty() || archive.isEmpty() || member.isEmpty()) return 0;
    if (!QFileInfo(source).isFile()) return 0;
    int error = 0;
    Archive z(zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE, &error));
    if (!z) return 0;
    zip_source_t* src = zip_source_file(z.get(), QFile::encodeName(source).constData(), 0, -1);
    if (!src) return 0;
    const QByteArray name = member.toUtf8();
    const zip_int64_t index =
        zip_file_add(z.get(), name.constData(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(src);
        return 0;
    }
    // zlib's usual level: close to the smallest output at a fraction of the time of the
    // highest level, which libzip would pick.
    if (zip_set_file_compression(z.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, 6) != 0) return 0;
    // zip_close writes the whole archive through a temporary file and renames it, so a
    // failure here leaves the archive as it was.
    if (zip_close(z.get()) != 0) return 0;
    z.release();
    return 1;
}

int unzipMember(const QString& archive, const QString& destination, const QString& member,
                int64_t maxBytes) {
    if (archive.isEmpty() || destination.isEmpty() || member.isEmpty()) return kUnzipMissing;
    if (!QFileInfo(archive).isFile()) return kUnzipMissing;
    int error = 0;
    Archive z(zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error));
    if (!z) return kUnzipMissing;
    const QByteArray name = member.toUtf8();
    const zip_int64_t index = zip_name_locate(z.get(), name.constData(), ZIP_FL_ENC_GUESS);
    if (index < 0) return kUnzipMissing;
    // From here on the member is known to be there: every failure is a damaged member.
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(z.get(), zip_uint64_t(index), 0, &stat) != 0) return kUnzipFailed;
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(maxBytes)) return kUnzipFailed;
    Member in(zip_fopen_index(z.get(), zip_uint64_t(index), 0));
    if (!in) return kUnzipFailed;

    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return kUnzipFailed;
    // The stored size may lie: the bytes actually produced are counted and capped too.
    auto block = std::make_unique<char[]>(size_t(kBlock));
    int64_t total = 0;
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(in.get(), block.get(), zip_uint64_t(kBlock));
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        total += n;
        if (total > maxBytes || out.write(block.get(), n) != n) {
            ok = false;
            break;
        }
    }
    ok = ok && out.flush();
    out.close();
    ok = ok && out.error() == QFileDevice::NoError;
    if (!ok) {
        QFile::remove(destination);
        return kUnzipFailed;
    }
    return 1;
}

int n_unzip(const QString& archive, const QString& destination, const QString& member) {
    return unzipMember(archive, destination, member, kMaxUnzippedMember);
}

}  // namespace ks
