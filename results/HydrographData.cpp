#include "results/HydrographData.h"

#include "calc/AccuracyCheck.h"
#include "calc/CQo.h"
#include "calc/clsQi.h"

namespace wyndlor {

namespace {

const QColor kInflowColour(255, 0, 0);
const QColor kOutflowColour(0, 0, 255);
// Green, a colour of its own beside the red inflow and the blue outflow,
// drawn wider than them so that it shows where it lies on either, and told
// apart also on a black-and-white print by its dashes.
const QColor kReferenceColour(0, 150, 60);
constexpr double kReferenceLineWidth = 2.5;

// Every curve begins at rest, (0, 0), then one point per item.
template <class Collection, class Value>
QVector<QPointF> Curve(const Collection *items, Value value) {
    QVector<QPointF> points;
    points.reserve(1 + (items ? items->Count() : 0));
    points.append(QPointF(0, 0));
    if (items)
        for (const auto &item : *items) points.append(QPointF(item->t, value(*item)));
    return points;
}

GraphData Common() {
    GraphData d;
    d.XTitle = QStringLiteral("経過時間ｔ(min)");
    d.YTitle = QStringLiteral("流量Ｑ(m3/s)");
    return d;
}

}  // namespace

double WaterLevelAxisMax(double hmax) {
    return hmax > 0 ? 2.0 * hmax : 1.0;
}

GraphData GraphQiData(const clsQi *qi) {
    GraphData d = Common();
    d.FormName = QStringLiteral("frmGraphQi");
    d.Caption = d.Header = QStringLiteral("流入ハイドログラフ");
    d.Section = QStringLiteral("GraphQi");
    GraphSeries inflow;
    inflow.Label = QStringLiteral("流入量");
    inflow.Colour = kInflowColour;
    inflow.Marker = MarkerShape::Circle;
    inflow.Points = Curve(qi ? &qi->Qi() : nullptr, [](const clsQiData &i) { return i.Qid; });
    d.Series = {inflow};
    return d;
}

GraphData GraphQoData(const CQo *qo, const AccuracyCheck *check) {
    GraphData d = Common();
    d.FormName = QStringLiteral("frmGraphQo");
    d.Caption = d.Header = QStringLiteral("洪水調節計算結果");
    d.Section = QStringLiteral("GraphQo");
    d.Y2Title = QStringLiteral("水位Ｈ(m)");
    d.Y2Max = WaterLevelAxisMax(qo ? qo->Hmax() : 0);
    const colQoData *items = qo ? &qo->Qo() : nullptr;

    GraphSeries inflow;
    inflow.Label = QStringLiteral("流入量");
    inflow.Colour = kInflowColour;
    inflow.Marker = MarkerShape::Circle;
    inflow.Points = Curve(items, [](const clsQoData &i) { return i.Qi; });

    GraphSeries outflow;
    outflow.Label = QStringLiteral("放流量");
    outflow.Colour = kOutflowColour;
    outflow.Marker = MarkerShape::Square;
    outflow.Points = Curve(items, [](const clsQoData &i) { return i.Qo; });

    GraphSeries level;
    level.Label = QStringLiteral("水　位");
    level.RightAxis = true;
    level.Points = Curve(items, [](const clsQoData &i) { return i.h; });

    d.Series = {inflow, outflow, level};

    if (check && !check->refSeries.empty()) {
        GraphSeries reference;
        reference.Label = QStringLiteral("放流量（参考）");
        reference.Colour = kReferenceColour;
        reference.Line = Qt::DashLine;
        reference.LineWidth = kReferenceLineWidth;
        // The series starts at the first sub-step's end; the pond is at
        // rest before it, like every other curve.
        reference.Points.reserve(static_cast<int>(check->refSeries.size()) + 1);
        if (check->refSeries.front().t > 0) reference.Points.append(QPointF(0, 0));
        for (const RefSample &r : check->refSeries) reference.Points.append(QPointF(r.t, r.Qo));
        // Drawn last, over the markers of the outflow it checks: where the
        // two agree the dashes run through the squares.
        d.Series.append(reference);
    }
    return d;
}

}  // namespace wyndlor
