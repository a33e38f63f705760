// The hydrograph graphs: what goes into the chart, the reference outflow of
// the accuracy check, the level axis, the layout and the picture exports.
#include "calc/AccuracyCheck.h"
#include "tests/results/ResultsTestSupport.h"
#include "results/frmGraph.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QValueAxis>
#include <cmath>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

QList<QLineSeries *> LineSeries(const frmGraph &g) {
    QList<QLineSeries *> out;
    for (QAbstractSeries *s : g.Chart()->series())
        if (auto *line = qobject_cast<QLineSeries *>(s)) out << line;
    return out;
}

// ---- Series content ---------------------------------------------------------------

TEST(GraphSeriesData, InflowStartsAtRestThenOnePointPerStep) {
    auto qi = test::InflowOf({{10, 0.134}, {20, 9.615}, {30, 0.385}});
    const GraphData d = GraphQiData(qi.get());
    ASSERT_EQ(d.Series.size(), 1);
    const QVector<QPointF> expected{{0, 0}, {10, 0.567}, {20, 5.308}, {30, 0.692}};
    ASSERT_EQ(d.Series[0].Points.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_DOUBLE_EQ(d.Series[0].Points[i].x(), expected[i].x()) << i;
        EXPECT_DOUBLE_EQ(d.Series[0].Points[i].y(), expected[i].y()) << i;
    }
    EXPECT_EQ(d.Series[0].Colour, QColor(255, 0, 0));
    EXPECT_TRUE(d.Y2Title.isEmpty());
}

TEST(GraphSeriesData, RoutingHasInflowOutflowAndDepthEachOfNPlusOnePoints) {
    auto qo = test::RoutedPond(test::TriangularFlood(150, 20.0));
    const GraphData d = GraphQoData(qo.get());
    ASSERT_EQ(d.Series.size(), 3);
    const QStringList labels{"流入量", "放流量", "水　位"};
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(d.Series[s].Label, labels[s]);
        ASSERT_EQ(d.Series[s].Points.size(), 151) << s;
        EXPECT_EQ(d.Series[s].Points.first(), QPointF(0, 0)) << s;
    }
    const auto last = qo->Qo().Item(150);
    EXPECT_EQ(d.Series[0].Points[150], QPointF(last->t, last->Qi));
    EXPECT_EQ(d.Series[1].Points[150], QPointF(last->t, last->Qo));
    EXPECT_EQ(d.Series[2].Points[150], QPointF(last->t, last->h));
    EXPECT_FALSE(d.Series[0].RightAxis || d.Series[1].RightAxis);
    EXPECT_TRUE(d.Series[2].RightAxis);
    EXPECT_EQ(d.Series[1].Colour, QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(d.Y2Max, 2 * qo->Hmax());
}

TEST(GraphSeriesData, EmptyCollectionsGiveTheLoneOrigin) {
    auto qi = test::InflowOf({});
    auto qo = test::RoutedPond({});
    EXPECT_EQ(GraphQiData(qi.get()).Series[0].Points, QVector<QPointF>{QPointF(0, 0)});
    for (const GraphSeries &s : GraphQoData(qo.get()).Series)
        EXPECT_EQ(s.Points, QVector<QPointF>{QPointF(0, 0)});
}

// A project calculated with its accuracy check.
struct Checked {
    explicit Checked(const ProjectData &data) {
        EXPECT_TRUE(CalcAll(data, results));
        check = CheckAccuracy(data, results);
        EXPECT_TRUE(check.ok);
    }
    CalcResults results;
    AccuracyCheck check;
};

TEST(GraphSeriesData, ReferenceOutflowIsTheLastCurveOverEverySubStep) {
    const Checked run(test::StiffProject(20000));
    const AccuracyCheck &c = run.check;
    const GraphData d = GraphQoData(run.results.objQo.get(), &c);
    ASSERT_EQ(d.Series.size(), 4);
    const QStringList labels{"流入量", "放流量", "水　位", "放流量（参考）"};
    for (int s = 0; s < 4; ++s) EXPECT_EQ(d.Series[s].Label, labels[s]);
    const GraphSeries &ref = d.Series[3];
    EXPECT_EQ(ref.Line, Qt::DashLine);
    EXPECT_GT(ref.LineWidth, d.Series[1].LineWidth) << "wider, so it shows where it lies on another curve";
    EXPECT_FALSE(ref.RightAxis);
    EXPECT_EQ(ref.Marker, MarkerShape::None);
    EXPECT_TRUE(d.Series[2].RightAxis);

    // From rest to the end of the routing, through the reference's peak.
    ASSERT_GE(ref.Points.size(), static_cast<int>(c.refSeries.size()));
    EXPECT_EQ(ref.Points.first(), QPointF(0, 0));
    EXPECT_DOUBLE_EQ(ref.Points.last().x(), run.results.objQo->Qo().Item(run.results.objQo->Qo().Count())->t);
    double top = 0, at = -1;
    for (const QPointF &p : ref.Points)
        if (p.y() > top) top = p.y(), at = p.x();
    EXPECT_DOUBLE_EQ(top, c.refQ2);
    EXPECT_DOUBLE_EQ(at, c.tPeak);
    // Far finer than the routing's 60-minute points.
    EXPECT_GT(ref.Points.size(), 30 * d.Series[1].Points.size());
}

TEST(GraphSeriesData, NoReferenceWithoutACheckOrItsSeries) {
    Checked run(test::SmallProject());
    EXPECT_EQ(GraphQoData(run.results.objQo.get()).Series.size(), 3);
    run.check.refSeries.clear();
    EXPECT_EQ(GraphQoData(run.results.objQo.get(), &run.check).Series.size(), 3);
}

TEST(GraphWindow, ReferenceIsDrawnDashedOnTheDischargeAxisAndListed) {
    const Checked run(test::StiffProject(20000));
    // The reference peak lies above the coarse routing's: the axis must
    // follow it, not the routing alone.
    ASSERT_GT(run.check.refQ2, run.results.objQo->Q2());
    frmGraph g(GraphQoData(run.results.objQo.get(), &run.check));
    const QList<QLineSeries *> series = LineSeries(g);
    ASSERT_EQ(series.size(), 4);
    EXPECT_EQ(series[3]->pen().style(), Qt::DashLine);
    for (int other : {0, 1}) EXPECT_NE(series[3]->color(), series[other]->color()) << "a colour of its own";
    EXPECT_GT(series[3]->pen().widthF(), series[1]->pen().widthF());
    EXPECT_EQ(series[1]->pen().style(), Qt::SolidLine);
    EXPECT_FALSE(series[3]->pointsVisible());
    EXPECT_FALSE(series[3]->attachedAxes().contains(g.AxisY2()));
    EXPECT_TRUE(series[2]->attachedAxes().contains(g.AxisY2()));
    for (QAbstractAxis *a : series[3]->attachedAxes()) {
        if (a->orientation() == Qt::Vertical) {
            EXPECT_GE(static_cast<QValueAxis *>(a)->max(), run.check.refQ2);
        }
    }
    QStringList legend;
    for (QLegendMarker *m : g.Chart()->legend()->markers()) legend << m->label();
    EXPECT_EQ(legend, (QStringList{"流入量", "放流量", "水　位", "放流量（参考）"}));
}

struct AxisCase {
    const char *name;
    double hmax, top;
};
class LevelAxis : public ::testing::TestWithParam<AxisCase> {};
TEST_P(LevelAxis, TopIsTwiceTheLargestDepthOrOneMetre) {
    EXPECT_DOUBLE_EQ(WaterLevelAxisMax(GetParam().hmax), GetParam().top);
}
INSTANTIATE_TEST_SUITE_P(Depths, LevelAxis,
                         ::testing::Values(AxisCase{"Ordinary", 0.441, 0.882},
                                           AxisCase{"Small", 0.001, 0.002},
                                           AxisCase{"NoOverflow", 0, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

struct StepCase {
    const char *name;
    double span, step;
};
class TickStep : public ::testing::TestWithParam<StepCase> {};
TEST_P(TickStep, RoundAndAtMostSixParts) {
    EXPECT_DOUBLE_EQ(RoundTickStep(GetParam().span), GetParam().step);
}
INSTANTIATE_TEST_SUITE_P(Spans, TickStep,
                         ::testing::Values(StepCase{"TwiceAWorkedDepth", 0.882, 0.2},
                                           StepCase{"FourAndAHalfMetres", 4.446, 1},
                                           StepCase{"SixExactly", 6, 1},
                                           StepCase{"OneMetre", 1, 0.2},
                                           StepCase{"Nothing", 0, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

// Every axis steps by 1, 2 or 5 times a power of ten: also the level axis,
// whose top is only a bound (labels read 0.2 / 0.4, not 1.023 / 2.046), and
// the empty graph of a failed run, whose time axis reads whole minutes.
TEST(GraphScale, LevelAxisAndEmptyGraphTakeRoundSteps) {
    auto isRound = [](double step) {
        const double m = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        return std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9;
    };
    for (double hmax : {0.5115, 0.0417, 1.8333, 3.07}) {
        GraphData d = GraphQoData(nullptr);
        d.Y2Max = 2 * hmax;
        d.Series[0].Points = {QPointF(0, 0), QPointF(600, 13.7)};
        const GraphScales g = ScaleGraph(d);
        EXPECT_TRUE(isRound(g.y2.step)) << hmax << " step " << g.y2.step;
        EXPECT_GE(g.y2.max, d.Y2Max - 1e-12);
        EXPECT_EQ(g.y2.intervals, g.y.intervals);
    }
    const GraphScales empty = ScaleGraph(GraphQoData(nullptr));
    EXPECT_GE(empty.x.step, 1) << "whole minutes on the time axis";
}

// ---- The chart in the window ------------------------------------------------------

TEST(GraphWindow, RoutingChartCarriesTheSeriesAxesAndLegend) {
    auto qo = test::RoutedPond(test::TriangularFlood(60, 15.0));
    frmGraph g(GraphQoData(qo.get()));
    EXPECT_EQ(g.windowTitle(), QStringLiteral("洪水調節計算結果"));
    EXPECT_EQ(g.Chart()->title(), QStringLiteral("洪水調節計算結果"));
    const QList<QLineSeries *> series = LineSeries(g);
    ASSERT_EQ(series.size(), 3);
    for (QLineSeries *s : series) EXPECT_EQ(s->count(), 61);
    EXPECT_EQ(series[0]->color(), QColor(255, 0, 0));
    EXPECT_EQ(series[1]->color(), QColor(0, 0, 255));
    EXPECT_TRUE(series[0]->pointsVisible());

    ASSERT_TRUE(g.AxisY2());
    EXPECT_EQ(g.AxisY2()->titleText(), QStringLiteral("水位Ｈ(m)"));
    EXPECT_GE(g.AxisY2()->max(), 2 * qo->Hmax());
    EXPECT_TRUE(series[2]->attachedAxes().contains(g.AxisY2()));
    EXPECT_FALSE(series[1]->attachedAxes().contains(g.AxisY2()));

    QStringList titles;
    for (QAbstractAxis *a : g.Chart()->axes()) titles << a->titleText();
    EXPECT_TRUE(titles.contains(QStringLiteral("経過時間ｔ(min)")));
    EXPECT_TRUE(titles.contains(QStringLiteral("流量Ｑ(m3/s)")));

    QStringList legend;
    for (QLegendMarker *m : g.Chart()->legend()->markers()) legend << m->label();
    EXPECT_EQ(legend, (QStringList{"流入量", "放流量", "水　位"}));
    EXPECT_TRUE(g.Chart()->legend()->isVisible());
}

TEST(GraphWindow, NoOverflowGivesALevelAxisOfOneMetre) {
    auto qo = test::RoutedPond({{10, 0}, {20, 0}});
    ASSERT_EQ(qo->Hmax(), 0);
    frmGraph g(GraphQoData(qo.get()));
    ASSERT_TRUE(g.AxisY2());
    EXPECT_DOUBLE_EQ(g.AxisY2()->min(), 0);
    EXPECT_DOUBLE_EQ(g.AxisY2()->max(), 1);
}

TEST(GraphWindow, InflowChartHasNoLevelAxisAndDraws999) {
    // 999 m3/s is a discharge like any other, not a gap in the curve.
    auto qi = std::make_shared<clsQi>();
    qi->Qi().Add(10, 0.0);
    qi->Qi().Add(20, 0.0);
    qi->Calc();
    qi->Qi().Item(2)->Qid = 999;
    frmGraph g(GraphQiData(qi.get()));
    EXPECT_FALSE(g.AxisY2());
    const QList<QLineSeries *> series = LineSeries(g);
    ASSERT_EQ(series.size(), 1);
    ASSERT_EQ(series[0]->count(), 3);
    EXPECT_EQ(series[0]->at(2), QPointF(20, 999));
    EXPECT_EQ(series[0]->name(), QStringLiteral("流入量"));
}

// Every point of every curve lies inside the axes the curve is drawn on.
void ExpectEveryPointInside(const frmGraph &g) {
    for (QLineSeries *s : LineSeries(g)) {
        for (QAbstractAxis *a : s->attachedAxes()) {
            const auto *axis = static_cast<QValueAxis *>(a);
            for (const QPointF &p : s->points()) {
                const double v = a->orientation() == Qt::Vertical ? p.y() : p.x();
                EXPECT_GE(v, axis->min()) << s->name().toStdString();
                EXPECT_LE(v, axis->max()) << s->name().toStdString();
            }
        }
    }
}

TEST(GraphWindow, StiffPondShowsTheWholeOutflowPeakOnSharedGridLines) {
    // At a 60-minute step the routing overshoots: the outflow peak lies far
    // above the inflow's, and the design inflow and the depth dip below 0.
    const Checked run(test::StiffProject(2000));
    const CQo &qo = *run.results.objQo;
    ASSERT_GT(qo.Q2(), run.results.objQi->Q1());
    frmGraph g(GraphQoData(&qo, &run.check));
    ExpectEveryPointInside(g);
    const GraphScales scales = ScaleGraph(g.Data());
    // The time axis ends at the last point, rounded up to a tick.
    const double last = qo.Qo().Item(qo.Qo().Count())->t;
    EXPECT_GE(scales.x.max, last);
    EXPECT_LT(scales.x.max, last + scales.x.step);
    // The level axis reaches 2 hmax in round steps on the discharge grid.
    EXPECT_GE(g.AxisY2()->max(), 2 * qo.Hmax());
    EXPECT_DOUBLE_EQ(scales.y2.step, RoundTickStep(scales.y2.step * 6)) << "a round step";
    for (QAbstractAxis *a : g.Chart()->axes(Qt::Vertical))
        EXPECT_EQ(static_cast<QValueAxis *>(a)->tickCount(), scales.y.intervals + 1);
    // The dashed reference is drawn as a line in the legend, the rest as squares.
    const QList<QLegendMarker *> markers = g.Chart()->legend()->markers();
    ASSERT_EQ(markers.size(), 4);
    EXPECT_EQ(markers[3]->shape(), QLegend::MarkerShapeFromSeries);
    EXPECT_EQ(markers[1]->shape(), QLegend::MarkerShapeDefault);
}

struct ChartCase {
    const char *name;
    QSize inner;
    int toolbar;
    QRect chart;
};
class ChartLayout : public ::testing::TestWithParam<ChartCase> {};
TEST_P(ChartLayout, ChartFillsBelowTheToolbarAndNeverGoesNegative) {
    EXPECT_EQ(ChartGeometry(GetParam().inner, GetParam().toolbar), GetParam().chart);
}
INSTANTIATE_TEST_SUITE_P(
    Sizes, ChartLayout,
    ::testing::Values(ChartCase{"Ordinary", {800, 560}, 30, QRect(0, 30, 800, 530)},
                      ChartCase{"BelowTheToolbar", {800, 20}, 30, QRect(0, 30, 800, 0)},
                      ChartCase{"OnePixelLeft", {800, 31}, 30, QRect(0, 30, 800, 1)},
                      ChartCase{"NoWidth", {0, 100}, 30, QRect(0, 30, 0, 70)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GraphWindow, ShrunkBelowTheToolbarLeavesTheChartAtZeroHeight) {
    frmGraph g(GraphQiData(nullptr));
    g.show();
    g.resize(200, 10);
    EXPECT_EQ(g.ChartArea()->height(), 0);
    g.resize(600, 400);
    EXPECT_GT(g.ChartArea()->height(), 0);
    EXPECT_EQ(g.ChartArea()->geometry().bottom(), 399);
    EXPECT_EQ(g.ChartArea()->geometry().top(), g.ToolBar()->geometry().bottom() + 1);
    EXPECT_EQ(g.ChartView()->size(), g.ChartArea()->size());
    g.close();
}

// ---- Picture exports --------------------------------------------------------------

TEST(GraphExport, PngAndSvgFilesAndTheClipboardImage) {
    auto qo = test::RoutedPond(test::TriangularFlood(30, 10.0));
    frmGraph g(GraphQoData(qo.get()));
    g.show();
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("graph.png"));
    const QString svg = dir.filePath(QStringLiteral("graph.SVG"));
    ASSERT_TRUE(g.SaveImage(png));
    ASSERT_TRUE(g.SaveImage(svg));
    QImage image(png);
    EXPECT_EQ(image.size(), g.ChartView()->size());
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_FALSE(g.SaveImage(QStringLiteral("/nonexistent-folder/graph.png")));

    QApplication::clipboard()->clear();
    g.RunCommand(QStringLiteral("Copy"));
    EXPECT_EQ(QApplication::clipboard()->image().size(), g.ChartView()->size());
    g.RunCommand(QStringLiteral("NoSuchKey"));  // ignored
    EXPECT_TRUE(g.isVisible());
    g.RunCommand(QStringLiteral("Close"));
    EXPECT_FALSE(g.isVisible());
}

TEST(GraphExport, PrintsOnAFilePrinterAsOneLandscapePage) {
    auto qo = test::RoutedPond(test::TriangularFlood(30, 10.0));
    frmGraph g(GraphQoData(qo.get()));
    g.show();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(g.PrintChartOn(printer));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // One page object ("/Type /Page", not the "/Type /Pages" tree).
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
}

}  // namespace
}  // namespace wyndlor
