// The hydrograph graph window: one class, configured as the inflow graph
// (frmGraphQi) or the flood-routing graph (frmGraphQo) by its GraphData.
//
// A menu and a toolbar over one chart that fills the rest of the window.
// The engineer prints the chart on a printer of choice, copies it as a
// picture into a report, or saves it as PNG or SVG.  The chart shows the
// results as they were when the window opened; it does not follow later
// runs.
#pragma once

#include "results/HydrographData.h"
#include "widgets/WindowBase.h"

#include <QRect>

class QAction;
class QChart;
class QChartView;
class QLabel;
class QMenuBar;
class QToolBar;
class QValueAxis;

class QPrinter;

namespace wyndlor {

// Layout rule below the menu: the chart sits under the toolbar, full
// width, and takes the remaining height; a size below 1 becomes 0.
QRect ChartGeometry(QSize inner, int toolbarHeight);

// A round tick interval (1, 2 or 5 times a power of ten) that cuts `span`
// into at most six parts; 1 for a span that is not positive.
double RoundTickStep(double span);

// The range and ticks of one axis: `intervals` steps of `step` from `min`
// to `max`.
struct AxisScale {
    double min = 0, max = 1, step = 1;
    int intervals = 1;
};
// The three axes of a graph: time from 0 to the last time point rounded up
// to a tick; discharge over every curve on it, negative values included;
// the level axis (when there is one) from Y2Base at the discharge axis's 0
// up to Y2Base + Y2Max on the discharge axis's grid lines.
struct GraphScales {
    AxisScale x, y, y2;
};
GraphScales ScaleGraph(const GraphData &data);

class frmGraph : public WindowBase {
    Q_OBJECT
public:
    explicit frmGraph(GraphData data, QWidget *parent = nullptr);
    ~frmGraph() override;

    QChart *Chart() const { return chart_; }
    QChartView *ChartView() const { return view_; }
    QWidget *ChartArea() const { return area_; }  // the chart's place in the window
    QToolBar *ToolBar() const { return toolbar_; }
    QValueAxis *AxisY2() const { return axisY2_; }
    const GraphData &Data() const { return data_; }

    // The menu's and toolbar's commands by key: "Printer", "Copy", "Save",
    // "Close"; any other key does nothing.
    void RunCommand(const QString &key);

    void PrintChart();
    // Draws the chart on a printer chosen already (also a PDF printer);
    // false when the printer cannot be painted on.
    bool PrintChartOn(QPrinter &printer);
    void CopyToClipboard();
    void SaveImageAs();
    // Writes the chart to `path`: SVG (vector, for reports) when the name
    // ends in .svg, else PNG.  False when the file cannot be written.
    bool SaveImage(const QString &path);
    // The chart drawn at its on-screen size.
    QImage ChartImage() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildChart();
    void ScaleAxes(QValueAxis *axisX, QValueAxis *axisY);
    void LayOut();
    QAction *AddCommand(const QString &key, const QString &text);

    GraphData data_;
    QMenuBar *menu_ = nullptr;
    QToolBar *toolbar_ = nullptr;
    QChart *chart_ = nullptr;
    QWidget *area_ = nullptr;
    QChartView *view_ = nullptr;
    QValueAxis *axisY2_ = nullptr;
    QLabel *lblStale_ = nullptr;  // only while the project changed since the run
    int32_t lastSaveError_ = 0;  // error number of the last failed picture write
};

}  // namespace wyndlor
