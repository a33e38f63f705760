#include "previewer/PageRenderer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPageSize>

#include <cmath>

namespace wyndlor::glancer {

namespace {

// The text is laid out in font units of a large pixel size and scaled down
// by the painter, so that the layout is the same on every device.
constexpr int kEm = 1000;
constexpr qreal kCellWidth = kEm / 2.0;
constexpr qreal kLineHeight = kEm;
// Baseline below the top of a line: the ideographic em box reaches 0.88 em
// above the baseline and 0.12 em below it.
constexpr qreal kBaseline = 0.88 * kEm;
// The rule under the page's head: halfway down the gap below the title.
constexpr qreal kHeadRuleY = 1.4 * kEm;
constexpr qreal kRuleWidth = 0.05 * kEm;
// Tolerance of the advance check, font units.
constexpr qreal kAdvanceTolerance = 0.5;

constexpr qreal kMarginLeftMm = 15;
constexpr qreal kMarginRightMm = 10;
constexpr qreal kMarginTopMm = 12;
constexpr qreal kMarginBottomMm = 12;

// Preferred families.  IPAGothic comes first because its PDF text maps back
// to the right characters (Noto CJK shares glyphs between kanji such as 水
// and the Kangxi radicals, and a PDF reader then copies the radical).
const char *const kFamilies[] = {"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"};

}  // namespace

QPageLayout DefaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMarginLeftMm, kMarginTopMm, kMarginRightMm, kMarginBottomMm),
                       QPageLayout::Millimeter);
}

QString ReportFontFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char *family : kFamilies)
        if (installed.contains(QLatin1String(family)))
            return QLatin1String(family);
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QRectF PrintableRect(const QPageLayout &layout, const QRectF &paper)
{
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    const qreal sx = paper.width() / full.width();
    const qreal sy = paper.height() / full.height();
    return QRectF(paper.left() + paint.left() * sx, paper.top() + paint.top() * sy,
                  paint.width() * sx, paint.height() * sy);
}

PageRenderer::PageRenderer(const PrintDocument &doc)
    : columns_(std::max(kMinColumns, doc.MaxColumns())),
      lines_(std::max(kMinLines, doc.MaxLines())),
      pageCount_(doc.PageCount()),
      title_(PlainText(doc.title).simplified())
{
    font_.setFamily(ReportFontFamily());
    font_.setPixelSize(kEm);
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setKerning(false);
    font_.setStyleHint(QFont::TypeWriter);
}

bool PageRenderer::FontFitsGrid() const
{
    return OnGrid(U'M', 1) && OnGrid(U'漢', 2) && OnGrid(U'─', 2);
}

bool PageRenderer::OnGrid(char32_t ch, int columns) const
{
    auto it = onGridCache_.constFind(ch);
    if (it != onGridCache_.constEnd())
        return *it;
    const QString s = QString::fromUcs4(&ch, 1);
    const qreal advance = QFontMetricsF(font_).horizontalAdvance(s);
    const bool fits = std::abs(advance - columns * kCellWidth) <= kAdvanceTolerance;
    onGridCache_.insert(ch, fits);
    return fits;
}

QList<int> PageRenderer::ColumnsOfCharacters(const QString &line)
{
    QList<int> columns;
    int column = 0;
    for (char32_t ch : line.toUcs4()) {
        columns.append(column);
        column += CharColumns(ch);
    }
    return columns;
}

QList<PageRenderer::Run> PageRenderer::RunsOf(const QString &line) const
{
    QList<Run> runs;
    int column = 0;
    for (char32_t ch : line.toUcs4()) {
        // 0x5C is shown as the yen sign, as Japanese systems show it
        const char32_t shown = ch == U'\\' ? U'¥' : ch;
        const int width = CharColumns(ch);
        if (ch == U' ') {
            if (!runs.isEmpty() && runs.last().onGrid && runs.last().column + runs.last().columns == column) {
                runs.last().text.append(u' ');
                runs.last().columns += width;
            }
        } else {
            const bool onGrid = OnGrid(shown, width);
            const bool joins = onGrid && !runs.isEmpty() && runs.last().onGrid
                               && runs.last().column + runs.last().columns == column;
            if (joins) {
                runs.last().text.append(QString::fromUcs4(&shown, 1));
                runs.last().columns += width;
            } else {
                runs.append(Run{column, width, QString::fromUcs4(&shown, 1), onGrid});
            }
        }
        column += width;
    }
    for (Run &r : runs) {  // trailing spaces carry nothing
        while (r.text.endsWith(u' ')) {
            r.text.chop(1);
            r.columns -= 1;
        }
    }
    return runs;
}

QString PageRenderer::PageFoot(int pageNumber) const
{
    return QStringLiteral("%1 / %2").arg(pageNumber).arg(pageCount_);
}

void PageRenderer::Paint(QPainter &painter, const ReportPage &page, int pageNumber,
                         const QRectF &printable) const
{
    const qreal gridWidth = columns_ * kCellWidth;
    const qreal gridHeight = (kHeadLines + lines_ + kFootLines) * kLineHeight;
    const qreal scale = std::min(printable.width() / gridWidth, printable.height() / gridHeight);
    if (!(scale > 0))
        return;

    painter.save();
    painter.translate(printable.left() + (printable.width() - gridWidth * scale) / 2,
                      printable.top());
    painter.scale(scale, scale);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    QFontMetricsF metrics(font_);

    // Head: the title, narrowed to the width of the grid when it is wider,
    // over a thin rule.
    if (!title_.isEmpty()) {
        const qreal advance = metrics.horizontalAdvance(title_);
        painter.save();
        if (advance > gridWidth)
            painter.scale(gridWidth / advance, 1);
        painter.drawText(QPointF(0, kBaseline), title_);
        painter.restore();
    }
    painter.save();
    painter.setPen(QPen(Qt::black, kRuleWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(0, kHeadRuleY), QPointF(gridWidth, kHeadRuleY));
    painter.restore();
    // Foot: the page number and count, centred.
    const QString foot = PageFoot(pageNumber);
    painter.drawText(QPointF((gridWidth - metrics.horizontalAdvance(foot)) / 2,
                             (kHeadLines + lines_ + kFootLines - 1) * kLineHeight + kBaseline),
                     foot);

    for (int i = 0; i < page.lines.size(); ++i) {
        const qreal baseline = (kHeadLines + i) * kLineHeight + kBaseline;
        for (const Run &run : RunsOf(page.lines.at(i))) {
            qreal x = run.column * kCellWidth;
            if (!run.onGrid)
                x += (run.columns * kCellWidth - metrics.horizontalAdvance(run.text)) / 2;
            painter.drawText(QPointF(x, baseline), run.text);
        }
    }
    painter.restore();
}

}  // namespace wyndlor::glancer
