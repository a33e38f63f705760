// The command-line calculator over real project files.
#include "cli/CliRun.h"
#include "cli/FileRun.h"
#include "core/ProjectFile.h"
#include "tests/support/SampleProjects.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
              "file,Q1,Q2,Hmax,DesignFloodLevel,refQ2,refHmax,warning,suggestedDT,status,reasons,startOffset,balance");
    EXPECT_NE(a.find(",ok,"), std::string::npos);
    // Every row has every column, a failure's empty check columns too.
    for (const std::string *row : {&a, &c}) EXPECT_EQ(std::count(row->begin(), row->end(), ','), 12) << *row;
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
                            "\"Title\":\"A\"", "\"check\":{\"Q2\":", "\"reasons\":[", "\"startOffset\":0,\"balance\":"}) {
        EXPECT_NE(line.find(key), std::string::npos) << key;
    }
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
    EXPECT_NE(third.find("\"calc\":{\"ok\":false}"), std::string::npos);
    EXPECT_NE(third.find("\"DesignFloodLevel\":0"), std::string::npos) << third;
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

}  // namespace
}  // namespace wyndlor::cli
