#include "core/AppPaths.h"
#include "core/SystemHelpers.h"
#include "tests/core/TestFiles.h"
#include "tests/support/FileSystemFaults.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace wyndlor {
namespace {

using testfiles::ReadBytes;
using testfiles::WriteBytes;

TEST(MakeFolder, CreatesOnceAndRefusesAnExistingFolder) {
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("work"));
    EXPECT_TRUE(MakeFolder(sub));
    EXPECT_TRUE(QFileInfo(sub).isDir());
    EXPECT_FALSE(MakeFolder(sub));
    EXPECT_FALSE(MakeFolder(dir.filePath(QStringLiteral("a/b"))));  // one level only
    EXPECT_FALSE(MakeFolder(QString()));
}

TEST(MakeTempFileName, GivesDistinctEmptyFilesInTheTempFolder) {
    const QString a = MakeTempFileName();
    const QString b = MakeTempFileName();
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_NE(a, b);
    const QFileInfo ia(a);
    EXPECT_TRUE(ia.exists());
    EXPECT_EQ(ia.size(), 0);
    EXPECT_TRUE(ia.fileName().startsWith(TempFilePrefix() + QLatin1Char('-'))) << ia.fileName().toStdString();
    EXPECT_EQ(ia.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(RemoveFile(a));
    EXPECT_TRUE(RemoveFile(b));
    EXPECT_FALSE(RemoveFile(a));
}

TEST(CanWriteFile, CreatesOrEmptiesAndFailsWhereItCannot) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("print.txt"));
    ASSERT_TRUE(WriteBytes(p, "old content"));
    EXPECT_TRUE(CanWriteFile(p));
    EXPECT_EQ(QFileInfo(p).size(), 0);
    EXPECT_FALSE(CanWriteFile(dir.filePath(QStringLiteral("none/x.txt"))));
    EXPECT_FALSE(CanWriteFile(dir.path()));
}

TEST(AppendFileLines, EndsEveryLineWithCrLf) {
    QTemporaryDir dir;
    const QString dst = dir.filePath(QStringLiteral("all.txt"));
    const QString src = dir.filePath(QStringLiteral("part.txt"));
    ASSERT_TRUE(WriteBytes(dst, "head\r\n"));
    ASSERT_TRUE(WriteBytes(src, "one\r\ntwo\nthree\r\r\n\fpage\x82\xa0"));
    EXPECT_TRUE(AppendFileLines(dst, src));
    EXPECT_EQ(ReadBytes(dst), QByteArray("head\r\none\r\ntwo\r\nthree\r\n\r\n\fpage\x82\xa0\r\n"));
}

TEST(AppendFileLines, AFileAppendedToItselfDoublesInsteadOfGrowingForever) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("self.txt"));
    ASSERT_TRUE(WriteBytes(p, "a\r\nb\r\n"));
    EXPECT_TRUE(AppendFileLines(p, p));
    EXPECT_EQ(ReadBytes(p), QByteArray("a\r\nb\r\na\r\nb\r\n"));
}

TEST(AppendFileLines, FailsOnAMissingFileAndLeavesTheDestination) {
    QTemporaryDir dir;
    const QString dst = dir.filePath(QStringLiteral("all.txt"));
    ASSERT_TRUE(WriteBytes(dst, "keep\r\n"));
    EXPECT_FALSE(AppendFileLines(dst, dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(AppendFileLines(dir.filePath(QStringLiteral("no/dst.txt")), dst));
    EXPECT_EQ(ReadBytes(dst), QByteArray("keep\r\n"));
}

// What is no regular file is refused at once, never read (a FIFO without a
// writer and /dev/zero would each block or run for ever).
TEST(ReadRegularFile, RefusesWhatIsNoRegularFileAndWhatIsTooLarge) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir.filePath(QStringLiteral("big"));
    ASSERT_TRUE(testfiles::WriteBytes(big, QByteArray(101, 'x')));
    const std::pair<QString, int32_t> cases[] = {{dir.path(), err::PathAccess},
                                                 {fifo, err::PathAccess},
                                                 {QStringLiteral("/dev/zero"), err::PathAccess},
                                                 {dir.filePath(QStringLiteral("missing")), err::FileNotFound},
                                                 {big, err::FileTooLarge}};
    for (const auto &[path, code] : cases) {
        QByteArray bytes("stale");
        EXPECT_EQ(ReadRegularFile(path, 100, bytes), code) << path.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
}

TEST(WriteFileReplacing, KeepsModeAndLinkAndNeverReplacesAFifo) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    ASSERT_TRUE(testfiles::WriteBytes(target, "old"));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(WriteFileReplacing(link, "new"), 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(testfiles::ReadBytes(target), "new");
    EXPECT_EQ(QFile::permissions(target) & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    // A dangling link (relative, through a second link) is written through,
    // as a shell's redirection does: its target is created.
    ASSERT_TRUE(QFile::link(QStringLiteral("made"), dir.filePath(QStringLiteral("dangling"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("dangling"), dir.filePath(QStringLiteral("chain"))));
    EXPECT_EQ(WriteFileReplacing(dir.filePath(QStringLiteral("chain")), "made"), 0);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("chain"))).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("dangling"))).isSymLink());
    EXPECT_EQ(testfiles::ReadBytes(dir.filePath(QStringLiteral("made"))), "made");
    EXPECT_TRUE(SameFile(dir.filePath(QStringLiteral("chain")), dir.path() + QStringLiteral("/./made")));
    EXPECT_FALSE(SameFile(link, dir.filePath(QStringLiteral("made"))));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("chain"))));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("dangling"))));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("made"))));

    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(WriteFileReplacing(fifo, "x"), err::PathAccess);
    EXPECT_EQ(WriteFileReplacing(dir.path(), "x"), err::PathAccess);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

// An interrupting signal takes the registered temporary files with it and
// still ends the program as the signal says (in a child process).
TEST(TempFiles, SignalRemovesRegisteredFilesAndStillEndsTheProgram) {
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept"));
    ASSERT_TRUE(WriteBytes(kept, "user's"));
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            PrepareTempFiles();
            const QString temp = MakeTempFileName();
            if (temp.isEmpty() || WriteFileReplacing(kept, "user's") != 0) ::_exit(3);
            RegisterTempFile(dir.filePath(QStringLiteral("beside.tmp")));
            WriteBytes(dir.filePath(QStringLiteral("beside.tmp")), "x");
            WriteBytes(dir.filePath(QStringLiteral("temp-name")), temp.toLocal8Bit());
            ::raise(sig);
            ::_exit(4);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << sig;
        EXPECT_EQ(WTERMSIG(status), sig);
        EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(ReadBytes(dir.filePath(QStringLiteral("temp-name"))))));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"kept", "temp-name"})) << sig;
    }
}

// Files an earlier run left after kill -9: only this program's, only when
// older than the limit and only when their process is gone.
TEST(TempFiles, StaleFilesOfThisProgramAreRemoved) {
    QTemporaryDir dir;
    const QString own = TempFilePrefix();
    const QStringList names = {own + "-999999999-aaaaaa.tmp", "." + own + "-999999999-bbbbbb.tmp." + own + "-cc",
                               own + "-" + QString::number(::getpid()) + "-dddddd.tmp", "other-999999999-eeeeee.tmp",
                               "report.pdf"};
    for (const QString &n : names) {
        ASSERT_TRUE(WriteBytes(dir.filePath(n), "x"));
        const QDateTime old = QDateTime::currentDateTime().addDays(-2);
        QFile f(dir.filePath(n));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(WriteBytes(dir.filePath(own + "-999999999-young.tmp"), "x"));
    EXPECT_EQ(RemoveStaleTempFiles(dir.path(), 24 * 3600), 2);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QStringList expected = {names[2], names[3], names[4], own + "-999999999-young.tmp"};
    expected.sort();
    EXPECT_EQ(left, expected);
}

TEST(Shell, PassesArgumentsWithoutAShell) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out file.txt"));
    // A file name with a blank and a ';' reaches the program as one
    // argument; through a shell it would have been split and run.
    const QString arg = dir.filePath(QStringLiteral("a b;touch x"));
    ASSERT_TRUE(WriteBytes(arg, "text"));
    ASSERT_TRUE(CSystem::Shell(QStringLiteral("/bin/cp"), {arg, out}, true));
    EXPECT_EQ(ReadBytes(out), QByteArray("text"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("x")));
}

TEST(Shell, ReportsAProgramThatCannotStart) {
    EXPECT_FALSE(CSystem::Shell(QStringLiteral("/no/such/program"), {}, true));
    EXPECT_FALSE(CSystem::Shell(QStringLiteral("/no/such/program"), {}, false));
    EXPECT_FALSE(CSystem::Shell(QString(), {}, false));
}

TEST(Shell, DetachedStartDoesNotWait) {
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(CSystem::Shell(QStringLiteral("/bin/sleep"), {QStringLiteral("3")}, false));
    EXPECT_LT(t.elapsed(), 2000);
}

struct SjisRow {
    const char *name;
    const char *text;
    bool encodable;
};

class ShiftJisTest : public ::testing::TestWithParam<SjisRow> {};

TEST_P(ShiftJisTest, EncodesOrSaysItCannot) {
    const QString s = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(CanEncodeShiftJis(s), GetParam().encodable);
    bool ok = !GetParam().encodable;
    const QByteArray b = ToShiftJis(s, &ok);
    EXPECT_EQ(ok, GetParam().encodable);
    if (GetParam().encodable) {
        EXPECT_EQ(FromShiftJis(b), s);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ShiftJisTest,
    ::testing::Values(SjisRow{"Ascii", "Pond 1", true}, SjisRow{"Kana", "ためいけ", true},
                      SjisRow{"Kanji", "山中池", true}, SjisRow{"HalfWidthKana", "ｴﾗｰ", true},
                      SjisRow{"CircledDigitOfCodePage932", "①", true},
                      SjisRow{"FullWidthTilde", "～", true}, SjisRow{"Emoji", "😀", false},
                      SjisRow{"AccentedLetter", "é", false}, SjisRow{"WaveDash", "〜", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ShiftJis, KnownBytes) {
    EXPECT_EQ(ToShiftJis(QStringLiteral("ため池")), QByteArray("\x82\xbd\x82\xdf\x92\x72"));
    EXPECT_EQ(FromShiftJis(QByteArray("\x81\x46")), QStringLiteral("："));
}

TEST(ShiftJis, AFailedConversionDoesNotColourTheNext) {
    for (int round = 0; round < 2; ++round) {
        bool ok = true;
        ToShiftJis(QStringLiteral("😀"), &ok);
        EXPECT_FALSE(ok);
        ToShiftJis(QStringLiteral("池"), &ok);
        EXPECT_TRUE(ok);
        FromShiftJis(QByteArray("\x81\x7f"), &ok);
        EXPECT_FALSE(ok);
        FromShiftJis(QByteArray("\x92\x72"), &ok);
        EXPECT_TRUE(ok);
    }
}

TEST(AppPaths, SettableAndDefaultNames) {
    EXPECT_TRUE(DefaultIniFileName().endsWith(QStringLiteral("/Wyndlor.INI")));
    EXPECT_TRUE(DefaultFormatFileName().endsWith(QStringLiteral("/Wyndlor.FMT")));
    SetIniFileName(QStringLiteral("/tmp/t/Wyndlor.INI"));
    SetFormatFileName(QStringLiteral("/tmp/t/Wyndlor.FMT"));
    SetWorkFolder(QStringLiteral("/tmp/t/work"));
    EXPECT_EQ(IniFileName(), QStringLiteral("/tmp/t/Wyndlor.INI"));
    EXPECT_EQ(FormatFileName(), QStringLiteral("/tmp/t/Wyndlor.FMT"));
    EXPECT_EQ(WorkFolder(), QStringLiteral("/tmp/t/work"));
    SetIniFileName(QString());
    EXPECT_EQ(IniFileName(), DefaultIniFileName());
}

TEST(AppPaths, WorkFolderLivesUnderTheUsersDataFolder) {
    QStandardPaths::setTestModeEnabled(true);
    const QString w = PrepareWorkFolder();
    EXPECT_EQ(w, LocalAppDataFolder() + QStringLiteral("/Tarnvale/Wyndlor"));
    EXPECT_TRUE(QFileInfo(w).isDir());
    QStandardPaths::setTestModeEnabled(false);
}

// Where the settings file of a program lives, by the tree it sits in.
struct SettingsPlaceCase {
    const char *name;
    bool share;            // PREFIX/share/wyndlor beside PREFIX/bin
    bool formatBeside;     // Wyndlor.FMT beside the program
    bool writable;         // the program's folder is writable
    bool inConfigFolder;   // else beside the program
};

class SettingsPlace : public ::testing::TestWithParam<SettingsPlaceCase> {};

TEST_P(SettingsPlace, InstalledUnderTheUsersConfigFolderPortableBeside) {
    const SettingsPlaceCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("prefix/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    if (c.share) ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("prefix/share/wyndlor"))));
    if (c.formatBeside) WriteBytes(bin + QStringLiteral("/Wyndlor.FMT"), "[x]\r\n");
    if (!c.writable) ASSERT_EQ(chmod(QFile::encodeName(bin).constData(), 0555), 0);
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));

    const QString expected = c.inConfigFolder ? root.filePath(QStringLiteral("config/Tarnvale/Wyndlor/Wyndlor.INI"))
                                              : bin + QStringLiteral("/Wyndlor.INI");
    EXPECT_EQ(IsInstalledProgram(bin), c.share);
    if (c.writable) {
        EXPECT_EQ(IniFileNameFor(bin), expected);
    } else {
        // Permissions bind only a user without privileges.
        test::OpenToEveryone(root);
        EXPECT_EQ(test::AsUnprivilegedUser([&] { return IniFileNameFor(bin) == expected ? 0 : 1; }), 0);
    }

    qputenv("XDG_CONFIG_HOME", saved);
    chmod(QFile::encodeName(bin).constData(), 0755);
}

// An installed program never writes beside itself, even where it could
// (run as root): the package owns /usr/bin.
INSTANTIATE_TEST_SUITE_P(
    Trees, SettingsPlace,
    ::testing::Values(SettingsPlaceCase{"installed", true, false, false, true},
                      SettingsPlaceCase{"installedWritableAsForRoot", true, false, true, true},
                      SettingsPlaceCase{"installedWithFormatBeside", true, true, true, true},
                      SettingsPlaceCase{"portableFolder", false, true, true, false},
                      SettingsPlaceCase{"portableReadOnly", false, true, false, true}),
    [](const ::testing::TestParamInfo<SettingsPlaceCase> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyndlor
