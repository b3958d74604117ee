#include "framework/RunFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace pravik::frame {

namespace {

const QString kPrefix = QStringLiteral("pravik-");
const QString kOwnerFile = QStringLiteral("owner");
constexpr qsizetype kRandomPart = 6; // QTemporaryDir's XXXXXX
constexpr qint64 kOwnerlessAgeSeconds = 24 * 3600;

// ---- the folders a signal handler removes: plain memory, no allocation in the handler

constexpr int kSlots = 8;
constexpr int kPathMax = 4096;
enum SlotState : int { Free = 0, Busy = 1, Live = 2 };

struct Slot {
    std::atomic<int> state{Free};
    char path[kPathMax];
};

Slot g_slots[kSlots];

void removeTreeAt(int parent, const char* name, int depth);

// Removes what is in the open folder fd; subfolders to a few levels (a run folder is flat but
// for the mail's page copies).
void emptyFolder(int fd, int depth)
{
    alignas(8) char buffer[4096];
    for (;;) {
        const long n = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (long offset = 0; offset < n;) {
            struct Entry {
                unsigned long long ino;
                long long off;
                unsigned short reclen;
                unsigned char type;
                char name[1];
            };
            const auto* e = reinterpret_cast<const Entry*>(buffer + offset);
            offset += e->reclen;
            if (std::strcmp(e->name, ".") == 0 || std::strcmp(e->name, "..") == 0)
                continue;
            if (e->type == DT_DIR)
                removeTreeAt(fd, e->name, depth + 1);
            else if (unlinkat(fd, e->name, 0) != 0 && errno == EISDIR)
                removeTreeAt(fd, e->name, depth + 1);
        }
    }
}

void removeTreeAt(int parent, const char* name, int depth)
{
    if (depth > 4)
        return;
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    emptyFolder(fd, depth);
    close(fd);
    unlinkat(parent, name, AT_REMOVEDIR);
}

void onStopSignal(int sig)
{
    const int saved = errno;
    for (Slot& slot : g_slots)
        if (slot.state.load() == Live)
            removeTreeAt(AT_FDCWD, slot.path, 0);
    errno = saved;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// ---- owners

// The process's start time in clock ticks since boot (field 22 of /proc/PID/stat); 0 when the
// process does not exist.
qulonglong processStart(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.read(4096);
    // The command name in parentheses may hold blanks; the fields count from after it.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // fields[0] is field 3 (state), so field 22 is fields[19].
    return fields.size() > 19 ? fields[19].toULongLong() : 0;
}

bool looksLikeRunFolder(const QString& name)
{
    return name.startsWith(kPrefix) && name.size() == kPrefix.size() + kRandomPart;
}

} // namespace

bool adoptRunFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(QDir(path).absolutePath());
    if (native.size() < kPathMax) {
        for (Slot& slot : g_slots) {
            int expected = Free;
            if (slot.state.compare_exchange_strong(expected, Busy)) {
                std::memcpy(slot.path, native.constData(), size_t(native.size()) + 1);
                slot.state.store(Live);
                break;
            }
        }
    }
    const qint64 pid = qint64(getpid());
    QSaveFile owner(QDir(path).filePath(kOwnerFile));
    const QByteArray text = QByteArray::number(pid) + ' ' + QByteArray::number(processStart(pid)) + '\n';
    return owner.open(QIODevice::WriteOnly) && owner.write(text) == text.size() && owner.commit();
}

void forgetRunFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(QDir(path).absolutePath());
    for (Slot& slot : g_slots) {
        if (slot.state.load() != Live || std::strcmp(slot.path, native.constData()) != 0)
            continue;
        int expected = Live;
        if (slot.state.compare_exchange_strong(expected, Busy))
            slot.state.store(Free);
    }
}

int sweepStaleRunFolders(const QString& parent)
{
    const QDir dir(parent);
    const QFileInfoList entries = dir.entryInfoList({kPrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    const uint me = uint(geteuid());
    const QDateTime dayAgo = QDateTime::currentDateTimeUtc().addSecs(-kOwnerlessAgeSeconds);
    int removed = 0;
    for (const QFileInfo& folder : entries) {
        if (folder.isSymLink() || !looksLikeRunFolder(folder.fileName()) || folder.ownerId() != me)
            continue;
        QFile owner(QDir(folder.absoluteFilePath()).filePath(kOwnerFile));
        bool stale = false;
        if (owner.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> fields = owner.readLine(64).trimmed().split(' ');
            const qint64 pid = fields.value(0).toLongLong();
            const qulonglong start = fields.value(1).toULongLong();
            if (pid <= 0)
                continue;
            const qulonglong running = processStart(pid);
            // A process of that number that started at another time is another process.
            stale = running == 0 || (start != 0 && running != start);
        } else {
            stale = folder.lastModified().toUTC() < dayAgo;
        }
        if (stale && QDir(folder.absoluteFilePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

void removeRunFoldersOnSignals()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
}

} // namespace pravik::frame
