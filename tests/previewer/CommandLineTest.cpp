#include "previewer/CommandLine.h"

#include <gtest/gtest.h>

using namespace wyndlor::glancer;

namespace {

struct ArgsCase {
    const char *name;
    QStringList args;
    QString iniFolder;
    QString printFile;
};

void PrintTo(const ArgsCase &c, std::ostream *os) { *os << c.name; }

class LaunchArgs : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(LaunchArgs, GiveFolderAndFile)
{
    const LaunchArguments parsed = ParseLaunchArguments(GetParam().args);
    EXPECT_EQ(parsed.iniFolder, GetParam().iniFolder);
    EXPECT_EQ(parsed.printFile, GetParam().printFile);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, LaunchArgs,
    ::testing::Values(
        ArgsCase{"FolderAndFile", {"/INI=/tmp/w", "/tmp/a.prn"}, "/tmp/w", "/tmp/a.prn"},
        ArgsCase{"SpacesInBoth", {"/INI=/tmp/my work", "/tmp/my dir/a b.prn"},
                 "/tmp/my work", "/tmp/my dir/a b.prn"},
        ArgsCase{"QuotedFolderSplitFile", {"/INI=\"C:\\Users\\a b\"", "C:\\Temp\\my", "file.tmp"},
                 "C:\\Users\\a b", "C:\\Temp\\my file.tmp"},
        ArgsCase{"SwitchInLowerCase", {"/ini=w", "f.prn"}, "w", "f.prn"},
        ArgsCase{"FileOnly", {"f.prn"}, "", "f.prn"},
        ArgsCase{"SwitchOnly", {"/INI=w"}, "w", ""},
        ArgsCase{"Nothing", {}, "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
