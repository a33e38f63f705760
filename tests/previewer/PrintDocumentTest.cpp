#include "previewer/PrintDocument.h"
#include "tests/previewer/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace wyndlor::glancer;

namespace {

struct SplitCase {
    const char *name;
    QByteArray bytes;
    QList<QStringList> pages;
};

QList<QStringList> PagesOf(const PrintDocument &doc)
{
    QList<QStringList> pages;
    for (const ReportPage &p : doc.pages)
        pages.append(p.lines);
    return pages;
}

void PrintTo(const SplitCase &c, std::ostream *os) { *os << c.name; }

class PageSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PageSplit, GivesPagesAndLines)
{
    const SplitCase &c = GetParam();
    const QList<QStringList> pages = PagesOf(ParsePrintFile(c.bytes));
    ASSERT_EQ(pages.size(), c.pages.size());
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages.at(i), c.pages.at(i)) << "page " << i;
}

INSTANTIATE_TEST_SUITE_P(
    FormFeeds, PageSplit,
    ::testing::Values(
        SplitCase{"OnePage", "a\r\nb\r\n", {{"a", "b"}}},
        SplitCase{"FeedStartsLine", "a\r\n\fb\r\nc\r\n", {{"a"}, {"b", "c"}}},
        SplitCase{"FeedAloneOnLine", "a\r\n\f\r\nb\r\n", {{"a"}, {"b"}}},
        SplitCase{"FeedInsideLine", "a\fb\r\n", {{"a"}, {"b"}}},
        SplitCase{"FeedEndsFile", "a\r\n\f", {{"a"}}},
        SplitCase{"FeedAndLineEndEndFile", "a\r\n\f\r\n", {{"a"}}},
        SplitCase{"BlankLinesAfterLastFeed", "a\r\n\f\r\n\r\n  \r\n", {{"a"}}},
        SplitCase{"TwoFeedsNoEmptyPage", "a\r\n\f\r\n\fb\r\n", {{"a"}, {"b"}}},
        SplitCase{"BlankLinesKeptInPage", "a\r\n\r\n\r\nb\r\n", {{"a", "", "", "b"}}},
        SplitCase{"LeadingBlankLinesKept", "\fa\r\n\f\r\n\r\nb", {{"a"}, {"", "b"}}},
        SplitCase{"BareLineFeeds", "a\nb\n\fc\n", {{"a", "b"}, {"c"}}},
        SplitCase{"NoFinalLineEnd", "a\r\nb", {{"a", "b"}}},
        SplitCase{"TabsToColumns", "ab\tc\r\n", {{"ab      c"}}},
        SplitCase{"EmptyFileOneEmptyPage", "", {{}}}),
    [](const auto &info) { return std::string(info.param.name); });

// A page of a print file holds what a sheet holds: a longer page goes on
// over continuation pages, a wider line (even one of megabytes, with tabs
// and control bytes) is cut at the sheet's width and ends in the cut mark.
TEST(SheetLimits, LongPagesContinueAndWideLinesAreCut)
{
    QByteArray bytes;
    for (int i = 0; i < kSheetLines + 4; ++i)
        bytes += "line\r\n";
    bytes += "\f?R1 " + QByteArray(10 * 1024 * 1024, 'W') + "\r\n";
    bytes += QByteArray(200, '\0') + "\t" + QByteArray("\x88\x9f").repeated(40) + "\r\n";  // 40 kanji after a tab
    const PrintDocument doc = ParsePrintFile(bytes);
    ASSERT_EQ(doc.PageCount(), 3);
    EXPECT_EQ(doc.pages.at(0).lines.size(), kSheetLines);
    EXPECT_EQ(doc.pages.at(1).lines.size(), 4);
    const QStringList &cut = doc.pages.at(2).lines;
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(LineColumns(cut.at(0)), kSheetColumns);
    EXPECT_TRUE(cut.at(0).endsWith(QChar(kCutMark)));
    EXPECT_TRUE(cut.at(0).startsWith(QStringLiteral(" WWW")));
    EXPECT_EQ(LineColumns(cut.at(1)), kSheetColumns);
    EXPECT_TRUE(cut.at(1).startsWith(QStringLiteral("        ")));
    ASSERT_EQ(doc.outline.size(), 1);
    EXPECT_EQ(doc.outline.at(0).page, 2);
    EXPECT_LE(LineColumns(doc.outline.at(0).text), kSheetColumns);
}

TEST(ShiftJis, DecodesFullAndHalfWidthText)
{
    EXPECT_EQ(DecodeShiftJis(QByteArray::fromHex("90dd8c768d5e908588ca")), QStringLiteral("設計洪水位"));
    EXPECT_EQ(DecodeShiftJis(QByteArray::fromHex("b4d7b0")), QStringLiteral("ｴﾗｰ"));
    EXPECT_EQ(DecodeShiftJis(QByteArray::fromHex("849f84a084a9")), QStringLiteral("─│┼"));
    // a trail byte equal to '\' (0x5C) stays inside its character
    EXPECT_EQ(DecodeShiftJis(QByteArray::fromHex("835c")), QStringLiteral("ソ"));
    const PrintDocument doc = ParsePrintFile(QByteArray::fromHex("8260826131320d0a"));
    ASSERT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(doc.pages.at(0).lines, QStringList{QStringLiteral("ＡＢ12")});
}

TEST(Columns, CountShiftJisBytes)
{
    EXPECT_EQ(CharColumns(U'A'), 1);
    EXPECT_EQ(CharColumns(U'ｱ'), 1);
    EXPECT_EQ(CharColumns(U'¥'), 1);
    EXPECT_EQ(CharColumns(U'Ａ'), 2);
    EXPECT_EQ(CharColumns(U'─'), 2);
    EXPECT_EQ(CharColumns(U'①'), 2);
    EXPECT_EQ(LineColumns(QStringLiteral("ＡＢ12")), 6);
    EXPECT_EQ(LineColumns(QStringLiteral("ｴﾗｰｺｰﾄﾞ 計算")), 12);
}

TEST(Outline, MarkersMakeEntriesAndAreNotShown)
{
    const PrintDocument doc = DocumentFromPages(
        {{"?R11. 計算条件", "", "  ?R21-1 ため池の諸元", "    本文 ?R1 は見出しでない"},
         {"?R12. 流量", "?R2   ", "  ?R22-1 ハイドログラフ"}});

    ASSERT_EQ(doc.outline.size(), 4);
    const struct { int level; const char16_t *text; int page; int line; } expected[] = {
        {1, u"1. 計算条件", 0, 0}, {2, u"1-1 ため池の諸元", 0, 2},
        {1, u"2. 流量", 1, 0}, {2, u"2-1 ハイドログラフ", 1, 2}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.outline.at(i).level, expected[i].level) << i;
        EXPECT_EQ(doc.outline.at(i).text, QString::fromUtf16(expected[i].text)) << i;
        EXPECT_EQ(doc.outline.at(i).page, expected[i].page) << i;
        EXPECT_EQ(doc.outline.at(i).line, expected[i].line) << i;
    }
    // the marker goes, the indentation stays; a marker inside the text stays
    EXPECT_EQ(doc.pages.at(0).lines.at(0), QStringLiteral("1. 計算条件"));
    EXPECT_EQ(doc.pages.at(0).lines.at(2), QStringLiteral("  1-1 ため池の諸元"));
    EXPECT_EQ(doc.pages.at(0).lines.at(3), QStringLiteral("    本文 ?R1 は見出しでない"));
    EXPECT_EQ(doc.pages.at(1).lines.at(1), QStringLiteral("   "));
}

TEST(LoadPrintFile, ReadsTheSampleReport)
{
    PrintDocument doc;
    QString error;
    ASSERT_TRUE(LoadPrintFile(previewer_test::SamplePath(), doc, error)) << error.toStdString();
    ASSERT_EQ(doc.PageCount(), 4);
    EXPECT_EQ(doc.pages.at(1).lines.at(0), QStringLiteral("2. 設計洪水流量の計算"));
    EXPECT_TRUE(doc.pages.at(2).lines.at(0).startsWith(QStringLiteral("    ┌")));
    EXPECT_EQ(doc.pages.at(3).lines.last().trimmed().left(5), QStringLiteral("設計洪水位"));
    EXPECT_EQ(doc.MaxColumns(), 80);
    EXPECT_EQ(doc.MaxLines(), 72);

    QStringList headings;
    QList<int> pages;
    for (const OutlineEntry &e : doc.outline) {
        headings.append(e.text.left(3).trimmed());
        pages.append(e.page);
    }
    EXPECT_EQ(headings, QStringList({"1.", "1-1", "1-2", "2.", "2-1", "3.", "3-1", "3-2"}));
    EXPECT_EQ(pages, QList<int>({0, 0, 0, 1, 1, 3, 3, 3}));
    for (const ReportPage &p : doc.pages)
        for (const QString &l : p.lines)
            EXPECT_FALSE(l.contains(QStringLiteral("?R"))) << l.toStdString();
}

TEST(LoadPrintFile, MissingFileGivesMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ない.prn"));
    PrintDocument doc;
    QString error;
    EXPECT_FALSE(LoadPrintFile(path, doc, error));
    EXPECT_TRUE(error.contains(QStringLiteral("読み込めませんでした"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("ない.prn"))) << error.toStdString();

    EXPECT_FALSE(LoadPrintFile(dir.path(), doc, error));  // a folder is no print file
    EXPECT_FALSE(LoadPrintFile(QString(), doc, error));
}

// A FIFO (which would block for ever) and a file larger than any report
// are refused with a message before anything is read.
TEST(LoadPrintFile, RefusesAFifoAndAnOversizedFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.prn"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PrintDocument doc;
    QString error;
    EXPECT_FALSE(LoadPrintFile(fifo, doc, error));
    EXPECT_TRUE(error.contains(QStringLiteral("通常のファイルではありません"))) << error.toStdString();

    const QString big = dir.filePath(QStringLiteral("big.prn"));
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(kMaxPrintFileBytes + 1));  // sparse
    f.close();
    EXPECT_FALSE(LoadPrintFile(big, doc, error));
    EXPECT_TRUE(error.contains(QStringLiteral("64 MB"))) << error.toStdString();
}

}  // namespace
