// wyndlor-calc --study-drawdown: the lists it refuses, and its JSON.
#include "cli/CliRun.h"

#include <QDir>
#include <gtest/gtest.h>

#include <sstream>

namespace wyndlor {
namespace {

std::string Osawa() {
    return QDir(QStringLiteral(WYNDLOR_EXAMPLES_DIR)).filePath("osawa-ike.wyd").toStdString();
}

struct BadArgs {
    const char *name;
    std::vector<std::string> args;
};

class StudyBadLists : public ::testing::TestWithParam<BadArgs> {};

TEST_P(StudyBadLists, AreUsageErrors) {
    std::vector<std::string> args = GetParam().args;
    args.push_back(Osawa());
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli(args, out, err), 2) << err.str();
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Lists, StudyBadLists,
    ::testing::Values(BadArgs{"negative", {"--study-drawdown", "-1"}},
                      BadArgs{"notANumber", {"--study-drawdown", "two"}},
                      BadArgs{"stepNotANumber", {"--study-drawdown", "2:x"}},
                      BadArgs{"zeroStep", {"--study-drawdown", "2:0"}},
                      BadArgs{"over100Cases", {"--study-drawdown", "2:0.01"}},
                      BadArgs{"factorZero", {"--study-drawdown", "2", "--factor", "0"}},
                      BadArgs{"factorNotANumber", {"--study-drawdown", "2", "--factor", "1.0,abc"}},
                      BadArgs{"factorTrailingComma", {"--study-drawdown", "2", "--factor", "1.0,"}},
                      BadArgs{"factorAlone", {"--factor", "1.1"}}),
    [](const auto &info) { return std::string(info.param.name); });

// The frustum example's h-A rows reach 1.2 m below its full water level:
// the deepest drawdown is skipped with its reason, and no drawdown the rows
// allow keeps the design flood below the crest.
TEST(StudyCli, JsonOfTheFrustumExample) {
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunCli({"--study-drawdown", "1.5:0.5", "--factor", "1", "--json", Osawa()}, out, err), 0);
    const std::string json = out.str();
    EXPECT_EQ(json.rfind("{\"file\":\"" + Osawa() +
                             "\",\"study\":{\"cases\":[{\"drawdown\":0,\"emptyVolume\":0,\"factor\":1,\"Q1\":",
                         0),
              0u)
        << json;
    EXPECT_NE(json.find("{\"drawdown\":1.5,\"factor\":1,\"startLevel\":43.7,\"skipped\":\"belowTable\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"noSpill\":[{\"factor\":1,\"drawdown\":null}],\"storageBelowFWL\":\"table\""),
              std::string::npos)
        << json;
}

}  // namespace
}  // namespace wyndlor
