#include "previewer/PageRenderer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace wyndlor::glancer;

namespace {

// A page drawn so that one column is kCell pixels wide and a line 2 kCell
// high: 80 x 76 cells of the report, with the lines of the page's head
// above them and of its foot below.
constexpr int kCell = 10;
constexpr int kMargin = 50;  // white around the printable area, px
// Darker than this is ink (a thin rule at this size is about 150).
constexpr int kInkGray = 200;
constexpr int kHead = PageRenderer::kHeadLines;
constexpr int kGridLines = kHead + 76 + PageRenderer::kFootLines;
const QRect kPrintable(kMargin, kMargin, 80 * kCell, kGridLines * 2 * kCell);

PrintDocument DocOf(const QStringList &lines)
{
    return DocumentFromPages({lines});
}

QImage Render(const PrintDocument &doc, const QRect &printable = kPrintable)
{
    QImage image(printable.width() + 2 * kMargin, printable.height() + 2 * kMargin,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PageRenderer(doc).Paint(painter, doc.pages.at(0), 1, printable);
    painter.end();
    return image;
}

bool HasInk(const QImage &image, const QRect &area)
{
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (qGray(image.pixel(x, y)) < kInkGray)
                return true;
    return false;
}

// The pixels of columns [first, first + count) of line `line`.
QImage Cells(const QImage &image, int line, int first, int count)
{
    return image.copy(kMargin + first * kCell, kMargin + (kHead + line) * 2 * kCell, count * kCell, 2 * kCell);
}

TEST(PageRenderer, FontHasTwoToOneAdvances)
{
    const PageRenderer renderer(DocOf({"x"}));
    EXPECT_TRUE(renderer.FontFitsGrid()) << renderer.Font().family().toStdString();
}

TEST(PageRenderer, CharactersSitOnTheirColumns)
{
    // "12" after two full-width characters starts at column 4, as after four
    // spaces, after half-width katakana plus a kanji, and after circled numbers
    const QImage reference = Cells(Render(DocOf({"    12"})), 0, 4, 2);
    ASSERT_TRUE(HasInk(reference, reference.rect()));
    for (const QString &line : {QStringLiteral("ＡＢ12"), QStringLiteral("ｱｲ漢12"),
                                QStringLiteral("①②12"), QStringLiteral("─┼12")}) {
        const QImage image = Render(DocOf({line}));
        EXPECT_EQ(Cells(image, 0, 4, 2), reference) << line.toStdString();
    }
    EXPECT_EQ(PageRenderer::ColumnsOfCharacters(QStringLiteral("ＡＢ12")), QList<int>({0, 2, 4, 5}));
}

TEST(PageRenderer, LinesStackOneUnderAnother)
{
    const QImage image = Render(DocOf({"", "", "X"}));
    const int top = kMargin + kHead * 2 * kCell;  // below the page's head
    EXPECT_FALSE(HasInk(image, QRect(0, top, image.width(), 2 * 2 * kCell)));
    EXPECT_TRUE(HasInk(image, QRect(kMargin, top + 2 * 2 * kCell, kCell, 2 * kCell)));
}

TEST(PageRenderer, RuledLinesJoinAcrossCellsAndLines)
{
    // a horizontal rule inks every column it covers, a vertical one every line
    const QImage image = Render(DocOf({"────", "│", "│"}));
    const int top = kMargin + kHead * 2 * kCell;
    for (int x = kMargin; x < kMargin + 8 * kCell; ++x)
        EXPECT_TRUE(HasInk(image, QRect(x, top, 1, 2 * kCell))) << "x " << x;
    const int x = kMargin + kCell;  // middle of the 2-column "│"
    for (int y = top + 2 * kCell; y < top + 3 * 2 * kCell; ++y)
        EXPECT_TRUE(HasInk(image, QRect(x - 2, y, 4, 1))) << "y " << y;
}

TEST(PageRenderer, WideDocumentShrinksToFitTheWidth)
{
    const QString wide = QString(99, u'W') + u'M';
    const PrintDocument doc = DocOf({wide});
    const PageRenderer renderer(doc);
    EXPECT_EQ(renderer.Columns(), 100);
    EXPECT_EQ(renderer.Lines(), 76);

    const QImage image = Render(doc);
    const int right = kPrintable.right() + 1;
    const int line = 2 * kCell * 80 / 100;  // a line's height at the scale that fits 100 columns
    EXPECT_TRUE(HasInk(image, QRect(right - kCell, kMargin + kHead * line, kCell, line)));
    EXPECT_FALSE(HasInk(image, QRect(right, 0, image.width() - right, image.height())));
}

TEST(PageRenderer, LongPageShrinksToFitTheHeight)
{
    QStringList lines(90, QStringLiteral("x"));
    lines.last() = QStringLiteral("最後");
    const PrintDocument doc = DocOf(lines);
    EXPECT_EQ(PageRenderer(doc).Lines(), 90);
    const QImage image = Render(doc);
    const int bottom = kPrintable.bottom() + 1;
    const int line = kPrintable.height() / (kHead + 90 + PageRenderer::kFootLines);
    const int lastLine = bottom - (PageRenderer::kFootLines + 1) * line;  // above the foot
    EXPECT_TRUE(HasInk(image, QRect(kMargin, lastLine, kPrintable.width(), line)));
    EXPECT_TRUE(HasInk(image, QRect(kMargin, bottom - line, kPrintable.width(), line))) << "the page number";
    EXPECT_FALSE(HasInk(image, QRect(0, bottom, image.width(), image.height() - bottom)));
}

TEST(PageRenderer, PrintableRectFollowsTheMargins)
{
    const QPageLayout layout = DefaultPageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    // paper drawn at 2 px per millimetre, offset by (10, 20)
    const QRectF paper(10, 20, full.width() * 2, full.height() * 2);
    const QRectF printable = PrintableRect(layout, paper);
    EXPECT_DOUBLE_EQ(printable.left(), 10 + paint.left() * 2);
    EXPECT_DOUBLE_EQ(printable.top(), 20 + paint.top() * 2);
    EXPECT_DOUBLE_EQ(printable.width(), paint.width() * 2);
    EXPECT_DOUBLE_EQ(printable.height(), paint.height() * 2);
}

}  // namespace
