// What the two hydrograph graphs draw, taken from the engine objects.
//
// The inflow graph shows the design inflow Qid of every step; the routing
// graph shows inflow and outflow on the discharge axis and the overflow
// depth above the spillway crest on a right-hand level axis whose top is
// twice the largest depth, so that the level curve stays in the lower half
// of the plot and does not hide the discharges.  Every curve starts at
// (0 min, 0): the pond is at rest before the rain.
//
// Beside the routing's outflow, sampled once per time step, the routing
// graph draws the outflow of the accuracy check's 1-minute reference
// routing as a dashed green line of its own width over every sub-step:
// where the two part, the time step is too coarse for the pond.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QVector>

namespace wyndlor {

class clsQi;
class CQo;
struct AccuracyCheck;

enum class MarkerShape { None, Circle, Square };

struct GraphSeries {
    QString Label;            // legend text
    QColor Colour;            // invalid: the chart's own colour
    MarkerShape Marker = MarkerShape::None;
    bool RightAxis = false;   // drawn against the level axis Y2
    Qt::PenStyle Line = Qt::SolidLine;
    double LineWidth = 1;     // pixels, with a valid Colour
    QVector<QPointF> Points;  // (minutes, m3/s or m)
};

struct GraphData {
    QString FormName;   // frmGraphQi or frmGraphQo
    QString Caption;
    QString Header;     // chart title
    QString Section;    // settings-file section of place and size
    QString XTitle;
    QString YTitle;
    QString Y2Title;    // empty: no right axis
    double Y2Max = 0;   // top of the right axis above Y2Base, m
    // The right axis's value on the discharge axis's 0: 0 for depths above
    // the crest, the crest level for water levels.
    double Y2Base = 0;
    QString XLabelFormat = QStringLiteral("%.0f");  // whole minutes
    QVector<GraphSeries> Series;
    QString SourceFile; // project file of the run ("" never saved): images go beside it
    bool Stale = false; // the project changed since the run: the toolbar says so
};

// Top of the level axis for a largest overflow depth hmax (m): 2 hmax.
// A routing that never lifts the pond above the crest has hmax 0, and an
// axis from 0 to 0 cannot be drawn, so the axis then spans 0 to 1 m.
double WaterLevelAxisMax(double hmax);

// The graph of the inflow hydrograph; a missing object draws the lone
// point (0, 0).
GraphData GraphQiData(const clsQi *qi);
// The graph of the flood routing; a missing object likewise.  With a
// check, a last curve "放流量（参考）" of its reference series on the
// discharge axis (none when the check kept no series).
GraphData GraphQoData(const CQo *qo, const AccuracyCheck *check = nullptr);

}  // namespace wyndlor
