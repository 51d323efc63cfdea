#include "updater/UpdaterCommand.h"

#include <limits>

namespace ks {

UpdaterCommand parseUpdaterCommand(const QString& tail) {
    UpdaterCommand command;
    if (tail == u"/Install") {
        command.install = true;
        return command;
    }
    if (tail.size() < 18) {
        command.installerPath = tail;
        return command;
    }
    qsizetype i = 0;
    uint64_t pid = 0;
    for (; i < tail.size() && tail[i] >= u'0' && tail[i] <= u'9'; ++i) {
        const uint64_t next = pid * 10 + uint64_t(tail[i].unicode() - u'0');
        // A number past 64 bits names no process; it is kept from wrapping round.
        pid = next < pid ? std::numeric_limits<uint64_t>::max() : next;
    }
    command.editorPid = pid > uint64_t(std::numeric_limits<int64_t>::max()) ? -1 : int64_t(pid);
    while (i < tail.size() && tail[i].isSpace())
        ++i;
    command.installerPath = tail.mid(i);
    return command;
}

QString commandTail(const QStringList& arguments) {
    return arguments.join(u' ');
}

}  // namespace ks
