#include "core/SystemHelpers.h"

#include "calc/SlotValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wyndlor {

namespace {

std::atomic<qint64> g_writeSpace{-1};  // bytes left before a simulated full disk

// write() with the simulated full disk of the tests.
ssize_t WriteSome(int fd, const char *data, size_t size) {
    qint64 space = g_writeSpace.load();
    if (space >= 0) {
        if (space == 0) {
            errno = ENOSPC;
            return -1;
        }
        size = std::min<size_t>(size, static_cast<size_t>(space));
    }
    const ssize_t n = ::write(fd, data, size);
    if (n > 0 && space >= 0) g_writeSpace.store(space - n);
    return n;
}

// Writes all of `bytes`; 0 or errno.
int WriteAll(int fd, const QByteArray &bytes) {
    const char *p = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = WriteSome(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return 0;
}

QByteArray Native(const QString &path) { return QFile::encodeName(path); }

// ---- The registry of temporary files ----
// A fixed table, so that the signal handler reads it without allocating or
// locking: a slot is free, being filled or emptied, or holds a path.
enum SlotState : int { kFree = 0, kBusy = 1, kHeld = 2 };
struct TempSlot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
// More than the print files a print menu can hold open at once.
constexpr int kTempSlots = 256;
TempSlot g_tempSlots[kTempSlots];

void RegisterNative(const QByteArray &path) {
    if (path.isEmpty() || path.size() >= PATH_MAX) return;
    for (TempSlot &slot : g_tempSlots) {
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kBusy)) continue;
        std::memcpy(slot.path, path.constData(), static_cast<size_t>(path.size()) + 1);
        slot.state.store(kHeld);
        return;
    }
    // A full table only loses the cleanup on a signal; the stale-file
    // removal of the next run still finds the file.
}

void UnregisterNative(const QByteArray &path) {
    for (TempSlot &slot : g_tempSlots) {
        if (slot.state.load() != kHeld || std::strcmp(slot.path, path.constData()) != 0) continue;
        int expected = kHeld;
        if (slot.state.compare_exchange_strong(expected, kBusy)) {
            slot.path[0] = '\0';
            slot.state.store(kFree);
            return;
        }
    }
}

// The signals that take the registered files with them are held back from
// a file's creation until its registration: a signal that arrives while
// the creating system call runs is delivered as the call returns, which
// without this would be just before the new file is registered.
class CleanupSignalsHeld {
public:
    CleanupSignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, sig);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~CleanupSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    CleanupSignalsHeld(const CleanupSignalsHeld &) = delete;
    CleanupSignalsHeld &operator=(const CleanupSignalsHeld &) = delete;

private:
    sigset_t old_;
};

// SIGINT, SIGTERM, SIGHUP: delete every registered file, then end as the
// signal says (the handler was installed to reset itself, and the signal
// raised again is delivered when the handler returns).
extern "C" void RemoveTempFilesOnSignal(int sig) {
    const int savedErrno = errno;
    for (TempSlot &slot : g_tempSlots)
        if (slot.state.load() == kHeld) ::unlink(slot.path);
    errno = savedErrno;
    ::raise(sig);
}

// The target a chain of symbolic links ends at, whether it exists or not
// (a dangling link names the file to create); `path` itself when it is no
// link.  Gives up after as many links as the system follows.
QByteArray LinkTarget(const QByteArray &path) {
    QByteArray p = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(p.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(p.constData(), buf, sizeof buf - 1);
        if (n <= 0) break;
        QByteArray next(buf, static_cast<qsizetype>(n));
        if (!next.startsWith('/')) {
            const qsizetype slash = p.lastIndexOf('/');
            next.prepend(slash < 0 ? QByteArray() : p.left(slash + 1));
        }
        p = next;
    }
    return p;
}

}  // namespace

QString TempFilePrefix() {
    // The executable's own name: "Wyndlor", "wyndlor-calc", "Glancer".
    QString name = QString::fromLocal8Bit(program_invocation_short_name);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("wyndlor") : name;
}

void RegisterTempFile(const QString &path) { RegisterNative(Native(path)); }
void UnregisterTempFile(const QString &path) { UnregisterNative(Native(path)); }

void PrepareTempFiles() {
    struct sigaction action {};
    action.sa_handler = RemoveTempFilesOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(sig, &action, nullptr);
    }
    constexpr qint64 kDay = 24 * 60 * 60;
    RemoveStaleTempFiles(QDir::tempPath(), kDay);
}

int RemoveStaleTempFiles(const QString &folder, qint64 maxAgeSeconds) {
    // "<program>-<pid>-…" and the hidden ".<program>-<pid>-…" that the
    // whole-file writer makes beside one of them.
    const QRegularExpression own(QStringLiteral("^\\.?%1-(\\d+)-").arg(QRegularExpression::escape(TempFilePrefix())));
    const time_t now = ::time(nullptr);
    int removed = 0;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = own.match(name);
        if (!m.hasMatch()) continue;
        const QByteArray path = Native(QDir(folder).filePath(name));
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) continue;
        if (now - st.st_mtime <= maxAgeSeconds) continue;
        bool ok = false;
        const long pid = m.captured(1).toLong(&ok);
        if (ok && pid > 0 && pid <= INT_MAX && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM))
            continue;  // still running (or a process of that number is)
        if (::unlink(path.constData()) == 0) ++removed;
    }
    return removed;
}

bool SameFile(const QString &a, const QString &b) {
    struct stat sa {}, sb {};
    if (a.isEmpty() || b.isEmpty() || ::stat(Native(a).constData(), &sa) != 0 ||
        ::stat(Native(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int32_t FileErrorCode(int e, bool reading) {
    switch (e) {
    case 0: return 0;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return err::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return err::PermissionDenied;
    case ENOENT: return reading ? err::FileNotFound : err::PathAccess;
    default: return err::PathAccess;
    }
}

int32_t ReadRegularFile(const QString &path, qint64 maxBytes, QByteArray &bytes) {
    bytes.clear();
    if (path.isEmpty()) return err::FileNotFound;
    // Opened without blocking: the open of a FIFO without a writer would
    // otherwise wait for ever.  What it is is asked of the open file, so a
    // name swapped between a check and the open changes nothing.
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FileErrorCode(errno, true);
    struct stat st {};
    int32_t code = 0;
    if (::fstat(fd, &st) != 0) {
        code = FileErrorCode(errno, true);
    } else if (!S_ISREG(st.st_mode)) {
        code = err::PathAccess;
    } else if (st.st_size > maxBytes) {
        code = err::FileTooLarge;
    } else {
        // Read one byte past the limit, so that a file that grew since the
        // size was asked is still caught.
        bytes.resize(static_cast<qsizetype>(st.st_size) + 1);
        qint64 got = 0;
        for (;;) {
            if (got == bytes.size()) {
                if (got > maxBytes) break;
                bytes.resize(std::min<qint64>(maxBytes + 1, got * 2 + 4096));
            }
            const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                code = FileErrorCode(errno, true);
                break;
            }
            if (n == 0) break;
            got += n;
        }
        bytes.resize(static_cast<qsizetype>(got));
        if (code == 0 && got > maxBytes) code = err::FileTooLarge;
    }
    ::close(fd);
    if (code != 0) bytes.clear();
    return code;
}

bool ExistsButNotRegularFile(const QString &path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(Native(path).constData(), &st) != 0) return false;
    return !S_ISREG(st.st_mode);
}

int32_t WriteFileReplacing(const QString &path, const QByteArray &bytes) {
    if (path.isEmpty()) return err::PathAccess;
    // A link keeps being a link: its target is what gets replaced, or
    // created when the link dangles.
    const QString target = QFile::decodeName(LinkTarget(Native(path)));
    struct stat old {};
    const bool exists = ::stat(Native(target).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return err::PathAccess;
    // The rename needs only the folder's permission; a file the user may not
    // write is still not replaced behind its back.
    if (exists && ::access(Native(target).constData(), W_OK) != 0) return FileErrorCode(errno, false);

    const QFileInfo t(target);
    QByteArray temp = Native(t.absolutePath() + QStringLiteral("/.") + t.fileName() + QLatin1Char('.') +
                             TempFilePrefix() + QStringLiteral("-XXXXXX"));
    int fd = -1;
    {
        CleanupSignalsHeld held;
        fd = ::mkstemp(temp.data());
        if (fd < 0) return FileErrorCode(errno, false);
        RegisterNative(temp);
    }
    // mkstemp creates the file for its owner only: give it the old file's
    // permissions, or those of a newly created file.
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int e = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (e == EPERM) e = 0;  // a file system without modes keeps its own
    if (e == 0) e = WriteAll(fd, bytes);
    // The data must be on the disk before the name points at it: a crash
    // after the rename must not leave an empty file under the old name.
    if (e == 0 && ::fsync(fd) != 0) e = errno;
    if (::close(fd) != 0 && e == 0) e = errno;
    if (e == 0 && ::rename(temp.constData(), Native(target).constData()) != 0) e = errno;
    if (e != 0) ::unlink(temp.constData());
    UnregisterNative(temp);
    if (e != 0) return FileErrorCode(e, false);
    // The rename itself reaches the disk with the folder (best effort).
    const int dir = ::open(Native(t.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

int32_t AppendFileReplacing(const QString &path, const QByteArray &bytes, qint64 maxBytes) {
    QByteArray old;
    const int32_t e = ReadRegularFile(path, maxBytes, old);
    if (e != 0 && e != err::FileNotFound) return e;
    return WriteFileReplacing(path, old + bytes);
}

void SetWriteSpaceForTests(qint64 bytes) { g_writeSpace.store(bytes); }

QString LocalAppDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString PrepareWorkFolder() {
    const QString base = LocalAppDataFolder();
    if (base.isEmpty()) return QString();
    const QString path = base + QStringLiteral("/Tarnvale/Wyndlor");
    QDir().mkpath(path);  // a failure shows later, when a file is written there
    return path;
}

bool MakeFolder(const QString &path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return false;
    return QDir().mkdir(path);
}

QString MakeTempFileName() {
    QByteArray name = Native(QDir::tempPath() + QLatin1Char('/') + TempFilePrefix() + QLatin1Char('-') +
                             QString::number(::getpid()) + QStringLiteral("-XXXXXX.tmp"));
    int fd = -1;
    {
        CleanupSignalsHeld held;
        fd = ::mkstemps(name.data(), 4);
        if (fd < 0) return QString();
        RegisterNative(name);
    }
    ::close(fd);
    return QFile::decodeName(name);
}

bool RemoveFile(const QString &path) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    // Removed before it leaves the registry, so that no signal in between
    // leaves it behind.
    const bool removed = QFile::remove(path);
    UnregisterTempFile(path);
    return removed;
}

bool CanWriteFile(const QString &path) {
    if (path.isEmpty()) return false;
    return WriteFileReplacing(path, QByteArray()) == 0;
}

QString SuggestedOutputPath(const QString &projectFile, const QString &what, const QString &suffix) {
    if (projectFile.isEmpty())
        return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(what + QLatin1Char('.') + suffix);
    const QFileInfo project(projectFile);
    const QString name = what.isEmpty() ? project.completeBaseName() : project.completeBaseName() + QLatin1Char('_') + what;
    return QDir(project.absolutePath()).filePath(name + QLatin1Char('.') + suffix);
}

bool AppendFileLines(const QString &destination, const QString &source) {
    QByteArray src;
    if (source.isEmpty() || destination.isEmpty() || ReadRegularFile(source, kMaxPrintFileBytes, src) != 0)
        return false;
    // Every line end (CR LF, CR or LF) becomes CR LF, and a last line
    // without one gets one.  Only the source as it was read is copied, so
    // appending a file to itself doubles it.
    QByteArray out;
    out.reserve(src.size() + src.size() / 16 + 2);
    bool afterCR = false;
    bool pending = false;  // characters seen since the last line end
    for (char c : src) {
        if (c == '\n' && afterCR) {
            afterCR = false;
            continue;
        }
        afterCR = false;
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            pending = false;
            afterCR = c == '\r';
        } else {
            out += c;
            pending = true;
        }
    }
    if (pending) out += "\r\n";
    return AppendFileReplacing(destination, out, kMaxPrintFileBytes) == 0;
}

namespace CSystem {

bool Shell(const QString &program, const QStringList &arguments, bool wait) {
    if (program.isEmpty()) return false;
    if (!wait) return QProcess::startDetached(program, arguments);
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, arguments);
    if (!p.waitForStarted()) return false;
    p.waitForFinished(-1);
    return true;
}

}  // namespace CSystem

// A new converter for every conversion: Qt 6.4's ICU-backed converters keep
// their error flag through resetState() and lose it when move-assigned, so
// a reused one would report a later bad text as good.
QByteArray ToShiftJis(const QString &text, bool *ok) {
    QStringEncoder enc("Shift_JIS");
    const QByteArray bytes = enc.isValid() ? QByteArray(enc(text)) : QByteArray();
    if (ok) *ok = enc.isValid() && !enc.hasError();
    return bytes;
}

QString FromShiftJis(const QByteArray &bytes, bool *ok) {
    QStringDecoder dec("Shift_JIS");
    const QString text = dec.isValid() ? QString(dec(bytes)) : QString();
    if (ok) *ok = dec.isValid() && !dec.hasError();
    return text;
}

QString FromShiftJis(const QByteArray &bytes) { return FromShiftJis(bytes, nullptr); }

bool CanEncodeShiftJis(const QString &text) {
    bool ok = false;
    const QByteArray bytes = ToShiftJis(text, &ok);
    // The round trip also catches a character the encoder maps to a
    // look-alike without reporting it.
    return ok && FromShiftJis(bytes) == text;
}

}  // namespace wyndlor
