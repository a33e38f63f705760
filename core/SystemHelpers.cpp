#include "core/SystemHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

namespace wyndlor {

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
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    f.close();
    return true;
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
    QFile src(source);
    if (source.isEmpty() || QFileInfo(source).isDir() || !src.open(QIODevice::ReadOnly)) return false;
    QFile dst(destination);
    if (destination.isEmpty() || !dst.open(QIODevice::WriteOnly | QIODevice::Append)) return false;

    // Only the bytes present when copying starts are copied: appending a
    // file to itself then doubles it instead of chasing its own growing end.
    qint64 remaining = src.size();
    const qint64 kChunk = 64 * 1024;
    QByteArray line;
    bool afterCR = false;
    bool pending = false;  // characters seen since the last line end
    QByteArray out;
    while (remaining > 0) {
        const QByteArray chunk = src.read(qMin(kChunk, remaining));
        if (chunk.isEmpty()) return false;
        remaining -= chunk.size();
        out.clear();
        for (char c : chunk) {
            if (c == '\n' && afterCR) { afterCR = false; continue; }
            afterCR = false;
            if (c == '\r' || c == '\n') {
                out += line;
                out += "\r\n";
                line.clear();
                pending = false;
                afterCR = c == '\r';
            } else {
                line += c;
                pending = true;
            }
        }
        if (!out.isEmpty() && dst.write(out) != out.size()) return false;
    }
    if (pending) {
        line += "\r\n";
        if (dst.write(line) != line.size()) return false;
    }
    return dst.flush();
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
