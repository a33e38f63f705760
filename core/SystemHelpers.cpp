#include "core/SystemHelpers.h"

#include "calc/SlotValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <atomic>
#include <cerrno>
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

}  // namespace

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
        code = err::OutOfMemory;
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
        if (code == 0 && got > maxBytes) code = err::OutOfMemory;
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
    // A link keeps being a link: its target is what gets replaced.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        if (!resolved.isEmpty()) target = resolved;
    }
    struct stat old {};
    const bool exists = ::stat(Native(target).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return err::PathAccess;
    // The rename needs only the folder's permission; a file the user may not
    // write is still not replaced behind its back.
    if (exists && ::access(Native(target).constData(), W_OK) != 0) return FileErrorCode(errno, false);

    const QFileInfo t(target);
    QByteArray temp = Native(t.absolutePath() + QStringLiteral("/.") + t.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return FileErrorCode(errno, false);
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
    if (e != 0) {
        ::unlink(temp.constData());
        return FileErrorCode(e, false);
    }
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
    QTemporaryFile f(QDir::tempPath() + QStringLiteral("/~MTXXXXXX.tmp"));
    f.setAutoRemove(false);
    if (!f.open()) return QString();
    const QString name = f.fileName();
    f.close();
    return name;
}

bool RemoveFile(const QString &path) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    return QFile::remove(path);
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
