// The command-line calculator over real project files.
#include "cli/CliRun.h"
#include "cli/FileRun.h"
#include "core/ProjectFile.h"
#include "core/CPrivateProfile.h"
#include "core/CalcRun.h"
#include "previewer/PrintDocument.h"
#include "report/ReportJob.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/SampleProjects.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <sys/stat.h>
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace wyndlor::cli {
namespace {

// The test pond with a fixed canal inflow, at a one-hour step.
ProjectData WorkedPond() {
    ProjectData d = test::TestPond();
    d.ConditionsData(slot::Qfix) = SlotValue::Double(0.5);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(60);
    return d;
}

class CliFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        good = Save("good.wyd", WorkedPond());
        // An empty settings file: the report without numbering settings.
        QFile none(dir.filePath("none.ini"));
        ASSERT_TRUE(none.open(QIODevice::WriteOnly));
        ProjectData bad = WorkedPond();
        bad.ConditionsData(slot::Area) = SlotValue::Double(0);  // routing divides by zero
        failing = Save("failing.wyd", bad);
    }
    std::string Save(const char *name, const ProjectData &d) {
        const QString path = dir.filePath(name);
        int32_t code = 0;
        EXPECT_TRUE(SaveProjectFile(path, d, code)) << code;
        return path.toStdString();
    }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunCli(args, out, err);
    }
    QTemporaryDir dir;
    std::string good, failing;
    std::ostringstream out, err;
};

TEST_F(CliFixture, TableShowsHeadlineValues) {
    EXPECT_EQ(Run({good}), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("design flood WL (m)"), std::string::npos);
    // 24 one-hour steps of the Talbot storm on 2 km2: the last hour peaks.
    FileRun run = RunFile(QString::fromStdString(good));
    ASSERT_TRUE(cli::Succeeded(run));
    char q1[32];
    std::snprintf(q1, sizeof q1, "%.3f", run.run.Results.objQi->Q1());
    EXPECT_NE(text.find(q1), std::string::npos);
}

TEST_F(CliFixture, CsvHasHeaderAndFailureInWords) {
    EXPECT_EQ(Run({"--csv", good, failing, "missing.wyd"}), 1);
    std::istringstream lines(out.str());
    std::string header, a, b, c, extra;
    std::getline(lines, header);
    std::getline(lines, a);
    std::getline(lines, b);
    std::getline(lines, c);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_EQ(header,
              "file,Q1,Q2,Hmax,DesignFloodLevel,refQ2,refHmax,warning,status,reasons,startOffset,balance,"
              "deltaT,tp,tpStep,Q1AtTpStep,refDesignFloodLevel,safeSideLevel");
    EXPECT_NE(a.find(",ok,"), std::string::npos);
    // Every row has every column, a failure's empty check columns too.
    for (const std::string *row : {&a, &c}) EXPECT_EQ(std::count(row->begin(), row->end(), ','), 17) << *row;
    EXPECT_NE(b.find("計算途中でｴﾗｰが発生したため"), std::string::npos);
    EXPECT_NE(c.find("（ｴﾗｰｺｰﾄﾞ ： 53）"), std::string::npos);
}

TEST_F(CliFixture, JsonOneLinePerFileWithEveryTable) {
    EXPECT_EQ(Run({"--json", good}), 0);
    const std::string line = out.str();
    ASSERT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    for (const char *key : {"\"file\":", "\"read\":{\"ok\":true,\"version\":\"1.40\",\"error\":0}", "\"calc\":{\"ok\":true}",
                            "\"results\":{\"Q1\":", "\"tp\":{\"ok\":true", "\"aveFp\":{\"Error\":0", "\"aveC\":",
                            "\"rainfall\":{\"Error\":0,\"Datain\":[{\"t\":60,", "\"DataR\":[", "\"inflow\":{\"Error\":0",
                            "\"routing\":{\"Error\":0", "\"HVC\":[{\"EL\":100,\"h\":0,\"A\":0,\"V\":0}",
                            "\"Title\":\"A\"", "\"check\":{\"Q2\":", "\"reasons\":[", "\"startOffset\":0,\"balance\":",
                            "\"tpStep\":", "\"Q1AtTpStep\":", "\"designFloodLevel\":", "\"safeSideLevel\":"}) {
        EXPECT_NE(line.find(key), std::string::npos) << key;
    }
    // The check keeps the flood: no smaller step is suggested.
    EXPECT_EQ(line.find("suggestedDT"), std::string::npos);
    EXPECT_EQ(line.find("stepsTried"), std::string::npos);
    // 24 rain steps and 12 after: 36 routing rows.
    size_t rows = 0;
    for (size_t p = line.find("\"hh\":"); p != std::string::npos; p = line.find("\"hh\":", p + 1)) ++rows;
    EXPECT_EQ(rows, 36u);
}

TEST_F(CliFixture, FailedFileLeavesNothingOfThePreviousOne) {
    EXPECT_EQ(Run({"--json", good, "missing.wyd", failing}), 1);
    std::istringstream lines(out.str());
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_NE(second.find("\"read\":{\"ok\":false,\"version\":\"error\",\"error\":53}"), std::string::npos) << second;
    EXPECT_NE(second.find("\"calc\":null"), std::string::npos);
    EXPECT_NE(second.find("\"routing\":null"), std::string::npos);
    EXPECT_NE(second.find("\"check\":null"), std::string::npos);
    // The failing routing reports its own state, and the level is not the
    // good file's level.
    EXPECT_NE(third.find("\"calc\":{\"ok\":false,\"error\":999,\"reason\":\"計算途中でｴﾗｰが発生したため，"
                         "計算を中止しました。（洪水調節計算，ｴﾗｰｺｰﾄﾞ ： 999）\"}"),
              std::string::npos)
        << third;
    EXPECT_NE(third.find("\"DesignFloodLevel\":0"), std::string::npos) << third;
}

TEST_F(CliFixture, ZeroAdoptedCatchmentValueIsRefusedByName) {
    ProjectData d = WorkedPond();
    d.CatchmentSummary(slot::SumFp) = SlotValue::Double(0);  // ﾃﾞﾌｫﾙﾄ値 not pressed
    const std::string zero = Save("zero.wyd", d);
    const std::string why = "採用値「流域平均流出係数ｆp」が0以下のため，計算できません。「流域面積等の入力」で入力してください。";
    EXPECT_EQ(Run({zero}), 1);
    EXPECT_NE(out.str().find(why), std::string::npos) << out.str();
    EXPECT_EQ(Run({"--json", zero}), 1);
    EXPECT_NE(out.str().find("\"calc\":{\"ok\":false,\"error\":5,\"reason\":\"" + why + "\"}"), std::string::npos);
    EXPECT_NE(out.str().find("\"tp\":null"), std::string::npos) << "no step ran";
}

TEST_F(CliFixture, ReportAndPdfOfOneProject) {
    const std::string prn = dir.filePath("report.prn").toStdString();
    const std::string fmt = WYNDLOR_FORMAT_FILE;
    const std::string ini = dir.filePath("none.ini").toStdString();
    ASSERT_EQ(Run({"--report", prn, "--format", fmt, "--ini", ini, good}), 0) << err.str();
    QFile report(QString::fromStdString(prn));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray bytes = report.readAll();
    // The three sections, each under its level-1 heading, in their order.
    EXPECT_TRUE(bytes.startsWith("?R1"));
    EXPECT_EQ(bytes.count("?R1"), 3);
    EXPECT_GE(bytes.count('\f'), 2);
    EXPECT_TRUE(bytes.contains("\r\n"));

    const std::string pdf = dir.filePath("report.pdf").toStdString();
    ASSERT_EQ(Run({"--pdf", pdf, "--format", fmt, "--ini", ini, good}), 0) << err.str();
    QFile pdfFile(QString::fromStdString(pdf));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5).startsWith("%PDF"));

    // A project that does not calculate writes no report.
    const std::string none = dir.filePath("none.prn").toStdString();
    EXPECT_EQ(Run({"--report", none, "--format", fmt, failing}), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(none)));
    EXPECT_NE(err.str().find("計算途中でｴﾗｰ"), std::string::npos);
}

TEST_F(CliFixture, UsageErrors) {
    EXPECT_EQ(Run({"--report"}), 2);
    EXPECT_EQ(Run({"--report", "a.prn", good, good}), 2);
    EXPECT_EQ(Run({"--report", "a.prn", "--pdf", "b.pdf", good}), 2);
    EXPECT_EQ(Run({"--ini", "x.ini", good}), 2);
    EXPECT_EQ(Run({}), 2);
    EXPECT_NE(err.str().find("Usage"), std::string::npos);
    EXPECT_EQ(Run({"--bogus", good}), 2);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("--json"), std::string::npos);
}

QByteArray Bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Project, settings file, report and PDF written onto a full file system:
// each keeps its previous file byte for byte, leaves no temporary file and
// says why it failed.
TEST_F(CliFixture, FullDiskKeepsEveryPreviousFile) {
    test::FullFileSystem disk;
    const QByteArray previous("previous content\r\n");
    const QStringList names = {"pond.wyd", "Wyndlor.INI", "report.prn", "report.pdf"};
    for (const QString &n : names) {
        QFile f(disk.FilePath(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(previous) == previous.size());
    }
    disk.Fill();
    if (!disk.Mounted()) std::cout << "no tmpfs (not root): the writer's simulated full disk\n";
    // A full disk is 61 on the tmpfs; the simulated one says the same.
    const std::string diskFull = "（ｴﾗｰｺｰﾄﾞ ： 61）";

    int32_t code = 0;
    EXPECT_FALSE(SaveProjectFile(disk.FilePath("pond.wyd"), WorkedPond(), code));
    EXPECT_EQ(code, err::DiskFull);

    int reported = 0;
    CPrivateProfile::SetWriteFailureHandler([&reported](const QString &, int32_t c) {
        ++reported;
        EXPECT_EQ(c, err::DiskFull);
    });
    const QString ini = disk.FilePath("Wyndlor.INI");
    EXPECT_FALSE(CPrivateProfile::SetValueString(ini, "MenuMain", "Top", "1200", &code));
    EXPECT_EQ(code, err::DiskFull);
    EXPECT_FALSE(CPrivateProfile::SetValueString(ini, "MenuMain", "Left", "2400"));
    CPrivateProfile::SetWriteFailureHandler(nullptr);
    EXPECT_EQ(reported, 1) << "a settings file that cannot be written is said once";

    const std::string fmt = WYNDLOR_FORMAT_FILE;
    const std::string none = dir.filePath("none.ini").toStdString();
    EXPECT_EQ(Run({"--report", disk.FilePath("report.prn").toStdString(), "--format", fmt, "--ini", none, good}), 1);
    if (disk.Mounted()) {
        EXPECT_NE(err.str().find(diskFull), std::string::npos) << err.str();
    }
    EXPECT_EQ(Run({"--pdf", disk.FilePath("report.pdf").toStdString(), "--format", fmt, "--ini", none, good}), 1);
    if (disk.Mounted()) {
        EXPECT_NE(err.str().find(diskFull), std::string::npos) << err.str();
    }

    for (const QString &n : names) EXPECT_EQ(Bytes(disk.FilePath(n)), previous) << n.toStdString();
    QStringList left = disk.Names();
    left.sort();
    EXPECT_EQ(left, QStringList({"Wyndlor.INI", "pond.wyd", "report.pdf", "report.prn"}));
}

// A FIFO named as an input fails at once (no writer ever opens it).
TEST_F(CliFixture, FifoInputFailsAtOnce) {
    const QString fifo = dir.filePath("pipe.wyd");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(Run({"--json", fifo.toStdString()}), 1);
    EXPECT_NE(out.str().find("\"error\":75"), std::string::npos) << out.str();
    const std::string prn = dir.filePath("r.prn").toStdString();
    EXPECT_EQ(Run({"--report", prn, "--format", fifo.toStdString(), good}), 1);
    EXPECT_NE(err.str().find("75"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"--report", prn, "--format", WYNDLOR_FORMAT_FILE, "--ini", fifo.toStdString(), good}), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(prn)));
}

// Text from a project file reaches the terminal with its control
// characters escaped: here an escape sequence in the version line.
TEST_F(CliFixture, ControlCharactersFromAFileAreEscaped) {
    const QString path = dir.filePath("esc.wyd");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("TARNVALE\r\nPRODUCT\r\nINPUT FILE VERSION             [1.\x1b]2;owned\x07]\r\n");
    f.close();
    for (const char *mode : {"--csv", "--table"}) {
        std::vector<std::string> args = {path.toStdString()};
        if (std::string(mode) == "--csv") args.insert(args.begin(), mode);
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(out.str().find('\x1b'), std::string::npos) << mode;
        EXPECT_NE(out.str().find("\\u001b]2;owned\\u0007"), std::string::npos) << out.str();
    }
}

TEST_F(CliFixture, UpgradeWritesThroughTheSaveWriter) {
    // A version 1.20 file: the section block is the old weir record.
    const QString old = dir.filePath("old.wyd");
    QByteArray bytes = Bytes(QString::fromStdString(good));
    bytes.replace("[1.40]", "[1.20]");
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    const QString upgraded = dir.filePath("new.wyd");
    ASSERT_EQ(Run({"--upgrade", upgraded.toStdString(), old.toStdString()}), 0) << err.str();
    ProjectData expected, d;
    EXPECT_EQ(OpenProjectFile(old, expected).outcome, OpenOutcome::Ok);
    int32_t code = 0;
    const QString saved = dir.filePath("saved.wyd");
    ASSERT_TRUE(SaveProjectFile(saved, expected, code));
    EXPECT_EQ(Bytes(upgraded), Bytes(saved));
    EXPECT_TRUE(Bytes(upgraded).contains("[1.40]"));

    EXPECT_EQ(Run({"--upgrade", dir.filePath("no/such/folder.wyd").toStdString(), old.toStdString()}), 1);
    EXPECT_NE(err.str().find("ｴﾗｰｺｰﾄﾞ"), std::string::npos);
    EXPECT_EQ(Run({"--upgrade", upgraded.toStdString(), "missing.wyd"}), 1);
    EXPECT_EQ(Run({"--upgrade", upgraded.toStdString(), "--json", old.toStdString()}), 2);
    // Rewriting a project in place is what --upgrade is for.
    EXPECT_EQ(Run({"--upgrade", old.toStdString(), old.toStdString()}), 0) << err.str();
    EXPECT_EQ(Bytes(old), Bytes(saved));
}

// An output onto one of its own inputs is refused before anything is
// written, whatever link or spelling names it; so is a settings file named
// but missing.
TEST_F(CliFixture, OutputOntoAnInputOrAMissingSettingsFileIsRefused) {
    const QByteArray project = Bytes(QString::fromStdString(good));
    const std::string fmt = WYNDLOR_FORMAT_FILE;
    const std::string ini = dir.filePath("none.ini").toStdString();
    const std::string link = dir.filePath("link.pdf").toStdString();
    ASSERT_TRUE(QFile::link(QString::fromStdString(good), QString::fromStdString(link)));
    const std::string spelled = dir.path().toStdString() + "/./good.wyd";
    for (const char *option : {"--pdf", "--report"}) {
        for (const std::string &output : {good, link, spelled, ini}) {
            EXPECT_EQ(Run({option, output, "--format", fmt, "--ini", ini, good}), 1) << option << " " << output;
            EXPECT_NE(err.str().find("入力ﾌｧｲﾙは上書きしません"), std::string::npos) << err.str();
        }
    }
    EXPECT_EQ(Bytes(QString::fromStdString(good)), project);
    EXPECT_EQ(Bytes(QString::fromStdString(ini)), QByteArray());

    const std::string missing = dir.filePath("missing.ini").toStdString();
    EXPECT_EQ(Run({"--report", dir.filePath("r.prn").toStdString(), "--format", fmt, "--ini", missing, good}), 1);
    EXPECT_NE(err.str().find(missing), std::string::npos) << err.str();
    EXPECT_FALSE(QFile::exists(dir.filePath("r.prn")));
}

// Texts of the project never rewrite the report: a title and a
// sub-catchment name holding line ends, a form feed, a heading marker and
// terminal controls give the same pages, lines and headings as plain ones.
TEST(ReportText, InjectedProjectTextsChangeNoPageNorHeading) {
    QTemporaryDir dir;
    auto report = [&dir](const std::string &title, const char *name, const char *file) {
        ProjectData d = WorkedPond();
        d.ConditionsData(slot::Title) = SlotValue::String(title);
        d.CatchmentTable(1, 1) = SlotValue::String(name);
        const QString path = dir.filePath(file);
        QString message;
        EXPECT_TRUE(WriteFullReport(path, MakeCalcRun(d), WYNDLOR_FORMAT_FILE, QString(), message))
            << message.toStdString();
        return Bytes(path);
    };
    const QByteArray plain = report("AB ?R1 FAKE HEADING", "abcdefghi", "plain.prn");
    std::string title = "A\r\n\f?R1 FAKE HEADING\x1b]2;x\x07";
    title.push_back('\0');
    const QByteArray injected = report(title + "Z", "\f\r\n?R2 X", "injected.prn");
    const glancer::PrintDocument a = glancer::ParsePrintFile(plain);
    const glancer::PrintDocument b = glancer::ParsePrintFile(injected);
    ASSERT_EQ(a.PageCount(), b.PageCount());
    for (int i = 0; i < a.PageCount(); ++i)
        EXPECT_EQ(a.pages.at(i).lines.size(), b.pages.at(i).lines.size()) << "page " << i;
    ASSERT_EQ(a.outline.size(), b.outline.size());
    for (int i = 0; i < a.outline.size(); ++i) {
        EXPECT_EQ(a.outline.at(i).text, b.outline.at(i).text);
        EXPECT_EQ(a.outline.at(i).page, b.outline.at(i).page);
    }
    EXPECT_EQ(plain.count('\f'), injected.count('\f'));
    EXPECT_EQ(plain.count('\n'), injected.count('\n'));
    for (char c : {'\x1b', '\x07', '\0'}) EXPECT_FALSE(injected.contains(c)) << int(c);
    // A text that itself begins with a marker is shown, not obeyed.
    EXPECT_TRUE(injected.contains(ToShiftJis(QStringLiteral("？R2 X"))));
}

// The program as a shell runs it: its standard output, its signals.
class ProgramTest : public CliFixture {
protected:
    QProcess process;
    void Start(const QStringList &args) {
        process.start(QStringLiteral(WYNDLOR_CALC_PROGRAM), args);
        ASSERT_TRUE(process.waitForStarted());
    }
};

// A standard output that cannot take the output (a full disk) is a failure
// in every mode, --help included.
TEST_F(ProgramTest, FailedWriteToStandardOutputExitsOne) {
    const QString project = QString::fromStdString(good);
    const QList<QStringList> modes = {{project}, {"--csv", project}, {"--json", project},
                                      {"--solve-width", "200", project}, {"--help"},
                                      {"--report", dir.filePath("r.prn"), "--format", WYNDLOR_FORMAT_FILE, "--ini",
                                       dir.filePath("none.ini"), project}};
    for (const QStringList &args : modes) {
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        Start(args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                        .contains(QStringLiteral("標準出力に書き込めませんでした。（ｴﾗｰｺｰﾄﾞ ： 61）")))
            << args.join(' ').toStdString();
    }
}

// SIGTERM at any moment of a --pdf run leaves no file of the run behind,
// neither in the temporary folder nor beside the PDF.
TEST_F(ProgramTest, TerminatedPdfRunLeavesNothingBehind) {
    QTemporaryDir tmp, outDir, runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());  // else Qt makes one in TMPDIR
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    const QString pdf = outDir.filePath(QStringLiteral("report.pdf"));
    for (int delayMs : {0, 20, 40, 60, 80, 100, 130, 160, 200}) {  // a run takes about 150 ms
        Start({"--pdf", pdf, "--format", WYNDLOR_FORMAT_FILE, "--ini", dir.filePath("none.ini"),
               QString::fromStdString(good)});
        QThread::msleep(delayMs);
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList())
            << delayMs << " ms";
        const QStringList beside = QDir(outDir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_TRUE(beside.isEmpty() || beside == QStringList({"report.pdf"})) << beside.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace wyndlor::cli
