// Page breaks: NeedLines and the long tables over several pages.
#include "tests/report/ReportTestUtil.h"
#include "report/PrintWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

class PagingTest : public ::testing::Test {
protected:
    void SetUp() override {
        buffer.open(QIODevice::WriteOnly);
        w.Attach(&buffer);
    }
    std::vector<std::vector<QByteArray>> Pages() { return test::Pages(buffer.data()); }
    QBuffer buffer;
    PrintWriter w;
};

TEST_F(PagingTest, NeedLinesWithRoomWritesTheBlankLines) {
    w.LineCount = 52;
    w.NeedLines(20, 2);
    EXPECT_EQ(buffer.data(), QByteArray("\r\n\r\n"));
    EXPECT_EQ(w.LineCount, 54);
}

TEST_F(PagingTest, NeedLinesWithoutRoomStartsANewPage) {
    w.LineCount = 53;
    w.NeedLines(20, 2);
    EXPECT_EQ(buffer.data(), QByteArray("\f"));
    EXPECT_EQ(w.LineCount, 0);
}

TEST_F(PagingTest, WholePageRequestBreaksAPageThatHoldsSomething) {
    w.LineCount = 1;
    w.NeedLines(w.LinesPerPage, 0);
    EXPECT_EQ(buffer.data(), QByteArray("\f"));
}

TEST_F(PagingTest, AnEmptyPageIsNeverBroken) {
    w.LineCount = 0;
    w.NeedLines(w.LinesPerPage, 0);
    w.NeedLines(w.LinesPerPage + 1, 0);  // more than a page: no blank sheet either
    EXPECT_EQ(buffer.data(), QByteArray());
}

TEST_F(PagingTest, BlankLinesAreCounted) {
    w.PrintBlankLines(3);
    EXPECT_EQ(buffer.data(), QByteArray("\r\n\r\n\r\n"));
    EXPECT_EQ(w.LineCount, 3);
}

// A table of numbered rows; header lines "H1".."H5", separator "S", bottom
// "B".  Each row line reads "R<number>".
PagedTable MakeTable(int32_t rows, int32_t linesPerRow) {
    PagedTable t;
    t.Rows = rows;
    t.LinesPerRow = linesPerRow;
    for (int i = 1; i <= 5; ++i) t.Header.push_back({0, QByteArray("H") + QByteArray::number(i)});
    t.Row = {0, "R##0"};
    t.Separator = {0, "S"};
    t.Bottom = {0, "B"};
    t.Values = [](int32_t row, std::vector<double> &n, QStringList &) { n = {double(row)}; };
    return t;
}

struct PageShape {
    int first, last;  // row numbers on the page
};

// Reads back the row numbers per page and checks the frame of each page:
// repeated header on every page but the first, separators between rows
// (k = 2), bottom line last.
std::vector<PageShape> Shapes(const std::vector<std::vector<QByteArray>> &pages, int k, int headerLinesOnFirst) {
    std::vector<PageShape> shapes;
    for (size_t p = 0; p < pages.size(); ++p) {
        const auto &lines = pages[p];
        size_t i = p == 0 ? static_cast<size_t>(headerLinesOnFirst) : 0;
        if (p > 0) {
            for (int h = 1; h <= 5; ++h) {
                EXPECT_EQ(lines.at(i++).trimmed(), QByteArray("H") + QByteArray::number(h)) << "page " << p + 1;
            }
        }
        PageShape s{-1, -1};
        for (; i < lines.size(); ++i) {
            const QByteArray l = lines[i].trimmed();
            if (l == "B") {
                EXPECT_EQ(i, lines.size() - 1) << "bottom line closes page " << p + 1;
                break;
            }
            if (l == "S") {
                EXPECT_EQ(k, 2);
                continue;
            }
            EXPECT_TRUE(l.startsWith('R')) << l.toStdString();
            const int n = l.mid(1).trimmed().toInt();
            if (s.first < 0) s.first = n;
            EXPECT_EQ(n, s.last < 0 ? s.first : s.last + 1);
            if (k == 2 && s.last >= 0) {
                EXPECT_EQ(lines[i - 1].trimmed(), QByteArray("S"));
            }
            s.last = n;
        }
        EXPECT_EQ(lines.back().trimmed(), QByteArray("B")) << "page " << p + 1;
        shapes.push_back(s);
    }
    return shapes;
}

struct TableCase {
    const char *name;
    int32_t rows, linesPerRow, startLine;
    std::vector<std::pair<int, int>> pages;  // first and last row per page
};

class PagedTableTest : public PagingTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(PagedTableTest, SplitsRowsOverPages) {
    const TableCase &c = GetParam();
    w.PrintBlankLines(c.startLine);  // caption and first header
    w.PrintPagedTable(MakeTable(c.rows, c.linesPerRow));
    const auto shapes = Shapes(Pages(), c.linesPerRow, c.startLine);
    ASSERT_EQ(shapes.size(), c.pages.size());
    for (size_t p = 0; p < shapes.size(); ++p) {
        EXPECT_EQ(shapes[p].first, c.pages[p].first) << "page " << p + 1;
        EXPECT_EQ(shapes[p].last, c.pages[p].second) << "page " << p + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PagedTableTest,
    ::testing::Values(
        // 72 lines, 7 used: 65 rows of one line fit the first page.
        TableCase{"OneLineRowsFitOnePage", 65, 1, 7, {{1, 65}}},
        TableCase{"OneLineRowsAllowanceOfTwo", 67, 1, 7, {{1, 67}}},
        TableCase{"OneLineRowsSplit", 68, 1, 7, {{1, 65}, {66, 68}}},
        TableCase{"OneLineRowsFullPagesOf65", 200, 1, 7, {{1, 65}, {66, 130}, {131, 195}, {196, 200}}},
        TableCase{"OneLineRowsLastPageAllowance", 197, 1, 7, {{1, 65}, {66, 130}, {131, 197}}},
        TableCase{"OneLineRowsShortFirstPage", 100, 1, 50, {{1, 22}, {23, 87}, {88, 100}}},
        // Two lines per row: 65 / 2 = 32.5 rounds to the even 32.
        TableCase{"TwoLineRowsFitOnePage", 32, 2, 7, {{1, 32}}},
        TableCase{"TwoLineRowsAllowanceOfTwo", 34, 2, 7, {{1, 34}}},
        TableCase{"TwoLineRowsSplit", 35, 2, 7, {{1, 32}, {33, 35}}},
        TableCase{"TwoLineRowsFullPagesOf32", 100, 2, 7, {{1, 32}, {33, 64}, {65, 96}, {97, 100}}},
        TableCase{"TwoLineRowsHalfRoundsToEven", 30, 2, 27, {{1, 22}, {23, 30}}},
        TableCase{"SingleRow", 1, 2, 7, {{1, 1}}}),
    [](const ::testing::TestParamInfo<TableCase> &i) { return std::string(i.param.name); });

TEST_F(PagingTest, CaptionThatFilledThePageMovesTheRowsToTheNextPage) {
    w.PrintBlankLines(72);
    w.PrintPagedTable(MakeTable(10, 1));
    const auto pages = Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 72u) << "no row and no bottom line left on the full page";
    EXPECT_EQ(pages[1].front().trimmed(), QByteArray("H1"));
    EXPECT_EQ(pages[1].size(), 5u + 10u + 1u);
    EXPECT_EQ(pages[1][5].trimmed(), QByteArray("R  1"));
    EXPECT_EQ(pages[1].back().trimmed(), QByteArray("B"));
}

TEST_F(PagingTest, EmptyTableWritesNothing) {
    w.PrintPagedTable(MakeTable(0, 1));
    EXPECT_EQ(buffer.data(), QByteArray());
    EXPECT_EQ(w.LineCount, 0);
}

TEST_F(PagingTest, PagesOfALongTableStayWithinThePageAndItsAllowance) {
    w.PrintBlankLines(7);
    w.PrintPagedTable(MakeTable(1000, 2));
    for (const auto &page : Pages()) EXPECT_LE(page.size(), size_t(72 + 2 * 2));
}

}  // namespace
}  // namespace wyndlor
