// The recent-file list: its order rules and its four menu entries.
#include "app/RecentFiles.h"
#include "tests/app/ShellFixture.h"

#include <QAction>

namespace wyndlor {
namespace {

struct RecentCase {
    const char *name;
    QStringList old;
    const char *path;
    QStringList expected;
};
class NextRecentFilesTest : public ::testing::TestWithParam<RecentCase> {};

TEST_P(NextRecentFilesTest, Orders) {
    const RecentCase &c = GetParam();
    EXPECT_EQ(NextRecentFiles(c.old, QString::fromUtf8(c.path)), c.expected);
}

const QStringList kFour{"/p/a.wyd", "/p/b.wyd", "/p/c.wyd", "/p/d.wyd"};

INSTANTIATE_TEST_SUITE_P(
    Rules, NextRecentFilesTest,
    ::testing::Values(
        RecentCase{"FirstStays", kFour, "/p/a.wyd", kFour},
        RecentCase{"SecondMovesUp", kFour, "/p/b.wyd",
                   {"/p/b.wyd", "/p/a.wyd", "/p/c.wyd", "/p/d.wyd"}},
        RecentCase{"ThirdMovesUpFourthStays", kFour, "/p/c.wyd",
                   {"/p/c.wyd", "/p/a.wyd", "/p/b.wyd", "/p/d.wyd"}},
        RecentCase{"FourthMovesUp", kFour, "/p/d.wyd",
                   {"/p/d.wyd", "/p/a.wyd", "/p/b.wyd", "/p/c.wyd"}},
        RecentCase{"FifthDropsOldest", kFour, "/p/e.wyd",
                   {"/p/e.wyd", "/p/a.wyd", "/p/b.wyd", "/p/c.wyd"}},
        RecentCase{"CaseDifferentIsNewEntry", kFour, "/p/B.wyd",
                   {"/p/B.wyd", "/p/a.wyd", "/p/b.wyd", "/p/c.wyd"}},
        RecentCase{"DuplicateLastOccurrenceRemoved",
                   {"/p/a.wyd", "/p/x.wyd", "/p/b.wyd", "/p/x.wyd"}, "/p/x.wyd",
                   {"/p/x.wyd", "/p/a.wyd", "/p/x.wyd", "/p/b.wyd"}},
        RecentCase{"EmptyListFilled", {"", "", "", ""}, "/p/a.wyd", {"/p/a.wyd", "", "", ""}},
        RecentCase{"SavedNameOnTopOfTwo", {"/p/a.wyd", "/p/b.wyd", "", ""}, "/p/new.wyd",
                   {"/p/new.wyd", "/p/a.wyd", "/p/b.wyd", ""}}),
    [](const ::testing::TestParamInfo<RecentCase> &i) { return std::string(i.param.name); });

class RecentMenuTest : public test::ShellFixture {};

TEST_F(RecentMenuTest, EmptySettingsDisableAllFour) {
    for (int i = 0; i < kRecentFiles; ++i) {
        EXPECT_FALSE(Window().mnuFileName(i)->isEnabled()) << i;
        EXPECT_EQ(Window().mnuFileName(i)->text(), QStringLiteral("&%1").arg(i + 1));
    }
}

TEST_F(RecentMenuTest, StoredEntriesShowWithAccessDigit) {
    SetIni("FileName", "FileName1", "/p/a.wyd");
    SetIni("FileName", "FileName3", "/p/R&D.wyd");
    EXPECT_EQ(Window().mnuFileName(0)->text(), QStringLiteral("&1 /p/a.wyd"));
    EXPECT_TRUE(Window().mnuFileName(0)->isEnabled());
    EXPECT_FALSE(Window().mnuFileName(1)->isEnabled());
    EXPECT_EQ(Window().mnuFileName(2)->text(), QStringLiteral("&3 /p/R&&D.wyd"));
    EXPECT_TRUE(Window().mnuFileName(2)->isEnabled());
}

TEST_F(RecentMenuTest, UpdateWritesSettingsAndMenu) {
    const QStringList names{"/p/a.wyd", "/p/b.wyd", "/p/c.wyd", "/p/d.wyd", "/p/e.wyd"};
    for (const QString &n : names) Window().UpdateRecentFiles(n);
    EXPECT_EQ(ReadRecentFiles(ini),
              (QStringList{"/p/e.wyd", "/p/d.wyd", "/p/c.wyd", "/p/b.wyd"}));
    EXPECT_EQ(Window().mnuFileName(3)->text(), QStringLiteral("&4 /p/b.wyd"));
    Window().UpdateRecentFiles("/p/c.wyd");
    EXPECT_EQ(Ini("FileName", "FileName1"), QStringLiteral("/p/c.wyd"));
    EXPECT_EQ(Ini("FileName", "FileName3"), QStringLiteral("/p/d.wyd"));
    EXPECT_EQ(Ini("FileName", "FileName4"), QStringLiteral("/p/b.wyd"));
}

}  // namespace
}  // namespace wyndlor
