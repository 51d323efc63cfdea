// A generated folder tree for the crawl tests, and a way to run code without the
// superuser's right to read every folder (so an unreadable folder stays unreadable when
// the tests run as root).
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace ks::test {

// Writes a file of `size` bytes, making its folders; native path bytes.
inline bool makeFile(const QByteArray& path, int size = 10) {
    const QByteArray folder = path.left(path.lastIndexOf('/'));
    QDir().mkpath(QFile::decodeName(folder));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const QByteArray bytes(size, 'x');
    const bool ok = ::write(fd, bytes.constData(), size_t(size)) == size;
    ::close(fd);
    return ok;
}

inline bool makeFile(const QString& path, int size = 10) {
    return makeFile(QFile::encodeName(path), size);
}

// Runs `work` on a thread of its own that has given up the right to read and search
// folders whatever their permissions (capabilities are per thread on Linux).
inline void runWithoutReadOverride(const std::function<void()>& work) {
    std::thread thread([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) == 0) {
            for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
                data[cap / 32].effective &= ~(1u << (cap % 32));
            syscall(SYS_capset, &header, data);
        }
        work();
    });
    thread.join();
}

// The tree: score files of every accepted extension, files that are not score files,
// hidden files and folders, links to files and folders (one a loop back to the root),
// a pipe, an unreadable folder, a folder standing for another file system's mount
// point, odd names, a name that is not valid UTF-8 and an empty folder.
struct FinderTree {
    QTemporaryDir dir;
    QString root;
    QString locked;
    QString mountPoint;

    FinderTree() {
        root = QDir(dir.path()).canonicalPath() + QStringLiteral("/tree");
        const QString r = root + u'/';
        for (const char* name : {"a.ksv",
                                 "b.KSV",
                                 "c.tpm",
                                 "d.TPM",
                                 "mixed.Ksv",
                                 "mixed.kSV",
                                 "notes.txt",
                                 "noextension",
                                 "a.ksv.bak",
                                 ".hidden.ksv",
                                 ".hiddenfolder/inside.ksv",
                                 "sub/one.ksv",
                                 "sub/deeper/two.ksv",
                                 "sub/deeper/deepest/three.tpm",
                                 "odd names/Ünïcødé & <quotes> \"double\" 'single'.ksv",
                                 "odd names/new\nline.ksv",
                                 "odd names/tab\there.ksv",
                                 "odd names/ leading.ksv",
                                 "odd names/&lt;entity-like&gt;.ksv",
                                 "empty/nothing.txt",
                                 "mnt/mounted.ksv",
                                 "locked/secret.ksv",
                                 "many.dots.in.name.ksv",
                                 ".ksv"})
            makeFile(r + QString::fromUtf8(name));
        makeFile(QFile::encodeName(r) + QByteArray("bad\xff\xfename.ksv"));
        makeFile(QFile::encodeName(r) + QByteArray("bad\xff folder/inside.ksv"));
        symlink("a.ksv", QFile::encodeName(r + "link.ksv").constData());
        symlink(".", QFile::encodeName(r + "loop").constData());
        symlink("..", QFile::encodeName(r + "sub/up").constData());
        symlink(QFile::encodeName(r + "sub").constData(),
                QFile::encodeName(r + "sublink").constData());
        mkfifo(QFile::encodeName(r + "pipe.ksv").constData(), 0644);
        locked = r + "locked";
        chmod(QFile::encodeName(locked).constData(), 0);
        mountPoint = r + "mnt";
    }
    ~FinderTree() {
        chmod(QFile::encodeName(locked).constData(), 0755);
        // Names that are not UTF-8 cannot be removed by their text.
        const QByteArray r = QFile::encodeName(root) + '/';
        unlink((r + "bad\xff\xfename.ksv").constData());
        unlink((r + "bad\xff folder/inside.ksv").constData());
        rmdir((r + "bad\xff folder").constData());
    }
    // Makes the locked folder readable again.
    void unlock() { chmod(QFile::encodeName(locked).constData(), 0755); }

    // The score files a crawl of the root must find, relative to it, sorted.
    static QStringList expected() {
        return {"a.ksv",
                "b.KSV",
                "c.tpm",
                "d.TPM",
                "many.dots.in.name.ksv",
                "odd names/ leading.ksv",
                "odd names/&lt;entity-like&gt;.ksv",
                "odd names/new\nline.ksv",
                "odd names/tab\there.ksv",
                QString::fromUtf8("odd names/Ünïcødé & <quotes> \"double\" 'single'.ksv"),
                "sub/deeper/deepest/three.tpm",
                "sub/deeper/two.ksv",
                "sub/one.ksv"};
    }
};

}  // namespace ks::test
