#include "results/frmGraph.h"

#include "core/Messages.h"
#include "core/SystemHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ToolbarIcons.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStyle>
#include <QSvgGenerator>
#include <QToolBar>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace wyndlor {

namespace {

// Design size of the window, before the settings file says otherwise.
constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 560;
// Point markers of the discharge curves, in pixels.
constexpr int kMarkerSize = 8;
// A curve of more points than this shows a marker on every k-th point only
// (k the smallest step that keeps at most this many): a marker on each of
// the 200 points of a fine time step merges into a thick band.
constexpr int kMostMarkers = 60;

// Hides the markers of the points between every k-th one.
void ThinMarkers(QLineSeries *series) {
    const int n = series->count();
    if (n <= kMostMarkers) return;
    const int step = (n + kMostMarkers - 1) / kMostMarkers;
    QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> hidden;
    for (int i = 0; i < n; ++i)
        if (i % step != 0) hidden[i][QXYSeries::PointConfiguration::Visibility] = false;
    series->setPointsConfiguration(hidden);
}

// A filled marker in the series colour; the inflow and outflow curves
// differ in shape as well as colour, which still tells them apart on a
// black-and-white print.
QImage MarkerImage(MarkerShape shape, const QColor &colour) {
    QImage image(kMarkerSize, kMarkerSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    if (shape == MarkerShape::Circle)
        p.drawEllipse(QRectF(0.5, 0.5, kMarkerSize - 1, kMarkerSize - 1));
    else
        p.drawRect(QRectF(1, 1, kMarkerSize - 2, kMarkerSize - 2));
    return image;
}

}  // namespace

double RoundTickStep(double span) {
    if (!(span > 0)) return 1;
    // The smallest of 1, 2 and 5 times a power of ten that divides the span
    // into at most kMaxTicks intervals.
    constexpr double kMaxTicks = 6;
    const double raw = span / kMaxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) return m * power;
    return 10 * power;
}

namespace {

// The smallest of 1, 2 and 5 times a power of ten at or above x > 0.
double RoundStepAtLeast(double x) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= x * (1 - 1e-12)) return m * power;
    return 10 * power;
}

// Decimals that show every tick of a step exactly ("%.1f" for 0.5).
QString TickLabelFormat(double step) {
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    return QStringLiteral("%.%1f").arg(decimals);
}

// A span cut into whole steps of RoundTickStep from a tick at or below
// `lo` to one at or above `hi`; an empty span is one unit from `lo`.
AxisScale RoundScale(double lo, double hi) {
    if (!(hi > lo)) hi = lo + 1;
    const double step = RoundTickStep(hi - lo);
    AxisScale s;
    s.step = step;
    s.min = std::floor(lo / step) * step;
    s.max = std::ceil(hi / step) * step;
    s.intervals = std::max(1, static_cast<int>(std::lround((s.max - s.min) / step)));
    s.max = s.min + s.intervals * step;
    return s;
}

}  // namespace

GraphScales ScaleGraph(const GraphData &data) {
    // Every axis starts from 0 and reaches every value of every curve it
    // carries: none is drawn off the plot, a negative one neither.
    double tEnd = 0, qLow = 0, qHigh = 0, hLow = 0;
    for (const GraphSeries &s : data.Series) {
        for (const QPointF &p : s.Points) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
            tEnd = std::max(tEnd, p.x());
            if (s.RightAxis) {
                hLow = std::min(hLow, p.y() - data.Y2Base);
            } else {
                qLow = std::min(qLow, p.y());
                qHigh = std::max(qHigh, p.y());
            }
        }
    }
    GraphScales g;
    // The time axis ends at the last time point, rounded up to a tick; an
    // empty graph (a failed run) spans one hour, in whole minutes.
    g.x = RoundScale(0, tEnd > 0 ? tEnd : 60);
    g.y = RoundScale(qLow, qHigh);
    if (data.Y2Title.isEmpty()) return g;

    // The level axis shares the discharge axis's grid lines: the same
    // number of intervals, its 0 on the discharge axis's 0, and a round
    // step (1, 2 or 5 times a power of ten) that reaches Y2Max (twice the
    // largest depth) at its top.  A depth below the crest, or a discharge
    // below 0, adds intervals below 0 to both.
    const int above = std::max(1, static_cast<int>(std::lround(g.y.max / g.y.step)));
    g.y.max = above * g.y.step;
    g.y2.step = RoundStepAtLeast(data.Y2Max > 0 ? data.Y2Max / above : 1.0 / above);
    int below = static_cast<int>(std::lround(-g.y.min / g.y.step));
    if (hLow < 0) below = std::max(below, static_cast<int>(std::ceil(-hLow / g.y2.step - 1e-9)));
    g.y.min = -below * g.y.step;
    g.y.intervals = g.y2.intervals = above + below;
    g.y2.min = data.Y2Base - below * g.y2.step;
    g.y2.max = data.Y2Base + above * g.y2.step;
    return g;
}

QRect ChartGeometry(QSize inner, int toolbarHeight) {
    const int width = inner.width() < 1 ? 0 : inner.width();
    const int rest = inner.height() - toolbarHeight;
    return QRect(0, toolbarHeight, width, rest < 1 ? 0 : rest);
}

frmGraph::frmGraph(GraphData data, QWidget *parent)
    : WindowBase(data.Section, Keeps::PlaceAndSize, PlaceRule::CentreNonPositive, parent),
      data_(std::move(data)) {
    setObjectName(data_.FormName);
    setWindowTitle(data_.Caption);
    setSizeGripEnabled(true);

    menu_ = new QMenuBar(this);
    QMenu *mnuMenu = menu_->addMenu(QStringLiteral("ﾒﾆｭｰ(&M)"));
    mnuMenu->setObjectName(QStringLiteral("mnuMenu"));
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("tbrMenu"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    QAction *printer = AddCommand(QStringLiteral("Printer"), QStringLiteral("ﾌﾟﾘﾝﾀを選択して印刷(&P)"));
    printer->setIcon(ToolbarIcon(QStringLiteral("Printer")));
    QAction *copy = AddCommand(QStringLiteral("Copy"), QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&C)"));
    copy->setIcon(ToolbarIcon(QStringLiteral("Copy")));
    QAction *save = AddCommand(QStringLiteral("Save"), QStringLiteral("PNG/SVG で保存(&S)..."));
    save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    QAction *close = AddCommand(QStringLiteral("Close"), QStringLiteral("閉じる"));
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    printer->setObjectName(QStringLiteral("mnuPrinter"));
    copy->setObjectName(QStringLiteral("mnuCopy"));
    save->setObjectName(QStringLiteral("mnuSave"));
    close->setObjectName(QStringLiteral("mnuClose"));
    mnuMenu->addAction(printer);
    mnuMenu->addAction(copy);
    mnuMenu->addAction(save);
    mnuMenu->addSeparator()->setObjectName(QStringLiteral("mnuBar1"));
    mnuMenu->addAction(close);
    for (QAction *a : {printer, copy, save, close}) toolbar_->addAction(a);
    if (data_.Stale) {
        lblStale_ = StaleResultsLabel(this);
        lblStale_->setVisible(true);
    }

    // The chart view raises its minimum size to what the title, axes and
    // legend need; the area around it follows the layout rule down to 0 and
    // clips the view.
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("Chart2D1"));
    chart_ = new QChart();
    view_ = new QChartView(chart_, area_);  // the view owns the chart
    view_->setRenderHint(QPainter::Antialiasing);

    resize(kDesignWidth, kDesignHeight);
    BuildChart();
    LayOut();
}

frmGraph::~frmGraph() = default;

QAction *frmGraph::AddCommand(const QString &key, const QString &text) {
    auto *action = new QAction(text, this);
    action->setData(key);
    connect(action, &QAction::triggered, this, [this, key] { RunCommand(key); });
    return action;
}

void frmGraph::RunCommand(const QString &key) {
    if (key == QLatin1String("Printer"))
        PrintChart();
    else if (key == QLatin1String("Copy"))
        CopyToClipboard();
    else if (key == QLatin1String("Save"))
        SaveImageAs();
    else if (key == QLatin1String("Close"))
        close();
}

void frmGraph::BuildChart() {
    chart_->setTitle(data_.Header);
    QFont titleFont = chart_->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    chart_->setTitleFont(titleFont);

    auto *axisX = new QValueAxis(chart_);
    axisX->setTitleText(data_.XTitle);
    axisX->setLabelFormat(data_.XLabelFormat);
    chart_->addAxis(axisX, Qt::AlignBottom);
    auto *axisY = new QValueAxis(chart_);
    axisY->setTitleText(data_.YTitle);
    chart_->addAxis(axisY, Qt::AlignLeft);
    if (!data_.Y2Title.isEmpty()) {
        axisY2_ = new QValueAxis(chart_);
        axisY2_->setTitleText(data_.Y2Title);
        chart_->addAxis(axisY2_, Qt::AlignRight);
    }

    // Every point is drawn, 999 included: a discharge of exactly 999 m3/s
    // is a value like any other, not a gap in the curve.
    for (const GraphSeries &s : data_.Series) {
        auto *series = new QLineSeries(chart_);
        series->setName(s.Label);
        series->replace(s.Points);
        chart_->addSeries(series);
        if (s.Colour.isValid()) {
            QPen pen(s.Colour);
            pen.setWidthF(s.LineWidth);
            pen.setStyle(s.Line);
            series->setPen(pen);
            series->setColor(s.Colour);
        }
        if (s.Marker != MarkerShape::None) {
            series->setMarkerSize(kMarkerSize);
            series->setLightMarker(MarkerImage(s.Marker, s.Colour));
            series->setPointsVisible(true);
            ThinMarkers(series);
        }
        series->attachAxis(axisX);
        series->attachAxis(s.RightAxis && axisY2_ ? axisY2_ : axisY);
    }

    ScaleAxes(axisX, axisY);

    chart_->legend()->setVisible(true);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    // A dashed curve shows as a dashed line in the legend too, not as the
    // solid square of the others, so that the legend tells it apart.
    const QList<QAbstractSeries *> drawn = chart_->series();
    for (int i = 0; i < drawn.size() && i < data_.Series.size(); ++i) {
        if (data_.Series[i].Line == Qt::SolidLine) continue;
        for (QLegendMarker *m : chart_->legend()->markers(drawn[i])) m->setShape(QLegend::MarkerShapeFromSeries);
    }
}

void frmGraph::ScaleAxes(QValueAxis *axisX, QValueAxis *axisY) {
    const GraphScales scales = ScaleGraph(data_);
    auto apply = [](QValueAxis *axis, const AxisScale &scale) {
        axis->setRange(scale.min, scale.max);
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(scale.intervals + 1);
    };
    apply(axisX, scales.x);
    apply(axisY, scales.y);
    axisY->setLabelFormat(TickLabelFormat(scales.y.step));
    if (axisY2_) {
        apply(axisY2_, scales.y2);
        // Its ticks fall on the discharge axis's grid lines, which are
        // drawn once.
        axisY2_->setGridLineVisible(false);
        axisY2_->setLabelFormat(TickLabelFormat(scales.y2.step));
    }
}

void frmGraph::LayOut() {
    int menuHeight = menu_->sizeHint().height();
    const int toolbarHeight = toolbar_->sizeHint().height();
    menu_->setGeometry(0, 0, width(), menuHeight);
    // The line that the input changed since the run sits under the menu.
    if (lblStale_) {
        const int margin = lblStale_->fontMetrics().averageCharWidth();
        const int height = lblStale_->sizeHint().height();
        lblStale_->setGeometry(margin, menuHeight, std::max(0, width() - 2 * margin), height);
        menuHeight += height;
    }
    toolbar_->setGeometry(0, menuHeight, width(), toolbarHeight);
    const QRect chart = ChartGeometry(QSize(width(), height() - menuHeight), toolbarHeight);
    area_->setGeometry(chart.translated(0, menuHeight));
    view_->setGeometry(QRect(QPoint(0, 0), chart.size()));
}

void frmGraph::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void frmGraph::PrintChart() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(data_.Header);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(msg::PrintTitle());
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintChartOn(printer)) {
        MessageBoxes().Show(this, msg::PrintFailedText(), msg::PrintTitle(), MsgIcon::Critical, MsgButtons::Ok);
    }
}

bool frmGraph::PrintChartOn(QPrinter &printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The scene is drawn again at printer resolution, scaled to fill the
    // printable area with the screen's proportions.
    view_->render(&painter, QRectF(painter.viewport()), view_->viewport()->rect(),
                  Qt::KeepAspectRatio);
    return painter.end();
}

QImage frmGraph::ChartImage() const {
    return view_->grab().toImage();
}

void frmGraph::CopyToClipboard() {
    QApplication::clipboard()->setImage(ChartImage());
}

bool frmGraph::SaveImage(const QString &path) {
    // Drawn into memory, then written whole through a temporary file, so a
    // full disk leaves the previous picture.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(view_->size());
        svg.setViewBox(QRect(QPoint(0, 0), view_->size()));
        svg.setTitle(data_.Header);
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        view_->render(&painter);
        if (!painter.end()) return false;
    } else if (!ChartImage().save(&buffer, "PNG")) {
        return false;
    }
    lastSaveError_ = WriteFileReplacing(path, bytes);
    return lastSaveError_ == 0;
}

void frmGraph::SaveImageAs() {
    const QString suggested = SuggestedOutputPath(data_.SourceFile, data_.Caption, QStringLiteral("png"));
    const QString png = QStringLiteral("PNG 画像 (*.png)");
    const QString svg = QStringLiteral("SVG 画像 (*.svg)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PNG/SVG で保存"), suggested,
                                                png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty()) return;
    // A name typed without a suffix takes the one of the chosen file type.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    lastSaveError_ = 0;
    if (!SaveImage(path))
        MessageBoxes().Show(this, msg::ImageSaveFailedText() + path +
                                      (lastSaveError_ ? msg::ErrorCodeSuffix(lastSaveError_) : QString()),
                            msg::ImageSaveTitle(), MsgIcon::Critical, MsgButtons::Ok);
}

}  // namespace wyndlor
