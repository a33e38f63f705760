#include "previewer/CommandLine.h"

#include <gtest/gtest.h>

using namespace wyndlor::glancer;

namespace {

struct ArgsCase {
    const char *name;
    QStringList args;
    QString iniFolder;
    QString printFile;
    QString projectFile = {};
    QString title = {};
};

void PrintTo(const ArgsCase &c, std::ostream *os) { *os << c.name; }

class LaunchArgs : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(LaunchArgs, GiveFolderAndFile)
{
    const LaunchArguments parsed = ParseLaunchArguments(GetParam().args);
    EXPECT_EQ(parsed.iniFolder, GetParam().iniFolder);
    EXPECT_EQ(parsed.printFile, GetParam().printFile);
    EXPECT_EQ(parsed.projectFile, GetParam().projectFile);
    EXPECT_EQ(parsed.title, GetParam().title);
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
        ArgsCase{"ProjectAndTitle", {"/INI=w", "/PROJECT=/p/大沢 池.wyd", "/TITLE=大沢 ため池", "/t/a b.prn"},
                 "w", "/t/a b.prn", "/p/大沢 池.wyd", "大沢 ため池"},
        ArgsCase{"SwitchAfterTheFileIsPartOfIt", {"f", "/TITLE=x"}, "", "f /TITLE=x"},
        ArgsCase{"Nothing", {}, "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
