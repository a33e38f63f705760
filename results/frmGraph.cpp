#include "results/frmGraph.h"

#include "widgets/MessageBoxes.h"
#include "widgets/ToolbarIcons.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLegend>
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
    axisX->setLabelFormat(QStringLiteral("%.0f"));
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

    // X and Y follow the data, on round numbers; Y2 is fixed.  A curve of
    // the lone origin (no results) spans nothing, and an axis from 0 to 0
    // has no scale: it then spans one unit.
    for (QValueAxis *axis : {axisX, axisY}) {
        if (axis == axisY) axis->setMin(0);
        if (!(axis->max() > axis->min())) axis->setRange(axis->min(), axis->min() + 1);
        axis->applyNiceNumbers();
    }
    if (axisY2_) {
        // The top stays at exactly 2 hmax; the ticks fall on round depths
        // from 0 rather than on fifths of an odd maximum.
        axisY2_->setRange(0, data_.Y2Max);
        const double step = RoundTickStep(data_.Y2Max);
        axisY2_->setTickType(QValueAxis::TicksDynamic);
        axisY2_->setTickAnchor(0);
        axisY2_->setTickInterval(step);
        axisY2_->setLabelFormat(QStringLiteral("%.") +
                                QString::number(std::max(0, -static_cast<int>(std::floor(std::log10(step))))) +
                                QStringLiteral("f"));
    }

    chart_->legend()->setVisible(true);
    chart_->legend()->setAlignment(Qt::AlignBottom);
}

void frmGraph::LayOut() {
    const int menuHeight = menu_->sizeHint().height();
    const int toolbarHeight = toolbar_->sizeHint().height();
    menu_->setGeometry(0, 0, width(), menuHeight);
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
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintChartOn(printer)) {
        MessageBoxes().Show(this, QStringLiteral("印刷を開始できませんでした。"),
                            QStringLiteral("印刷"), MsgIcon::Critical, MsgButtons::Ok);
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
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(view_->size());
        svg.setViewBox(QRect(QPoint(0, 0), view_->size()));
        svg.setTitle(data_.Header);
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        view_->render(&painter);
        return painter.end();
    }
    return ChartImage().save(path, "PNG");
}

void frmGraph::SaveImageAs() {
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(data_.Section + QStringLiteral(".png"));
    const QString png = QStringLiteral("PNG 画像 (*.png)");
    const QString svg = QStringLiteral("SVG 画像 (*.svg)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PNG/SVG で保存"), suggested,
                                                png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty()) return;
    // A name typed without a suffix takes the one of the chosen file type.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (!SaveImage(path))
        MessageBoxes().Show(this, QStringLiteral("画像を保存できませんでした。\n") + path,
                            QStringLiteral("PNG/SVG で保存"), MsgIcon::Critical, MsgButtons::Ok);
}

}  // namespace wyndlor
