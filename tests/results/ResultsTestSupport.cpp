#include "ResultsTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace wyndlor::test {

ProjectData SmallProject() {
    ProjectData d;
    InitProjectData(d);
    d.HasConditions = true;
    d.ConditionsData(slot::Title) = SlotValue::String("試験ため池");
    d.ConditionsData(slot::FWL) = SlotValue::Double(100);
    d.ConditionsData(slot::Area) = SlotValue::Double(20000);
    d.ConditionsData(slot::Yoyuu) = SlotValue::Double(20);
    d.ConditionsData(slot::Qfix) = SlotValue::Double(0);
    d.ConditionsData(slot::Siki) = SlotValue::Int32(0);
    d.ConditionsData(slot::Time) = SlotValue::Int32(0);
    d.ConditionsData(slot::Unit) = SlotValue::Int32(0);
    d.ConditionsData(slot::ConstA) = SlotValue::Double(5000);
    d.ConditionsData(slot::ConstB) = SlotValue::Double(40);
    d.ConditionsData(slot::ConstN) = SlotValue::Double(0);
    d.ConditionsData(slot::CalcTime) = SlotValue::Double(12);
    d.ConditionsData(slot::Hakei) = SlotValue::Int32(0);
    d.HasHVC = true;
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(0);
    d.HVCData(slot::HVCStartLevel) = SlotValue::Double(100);
    d.HasCatchment = true;
    d.CatchmentCount = 1;
    d.CatchmentTable(1, 1) = SlotValue::String("A");
    d.CatchmentTable(2, 1) = SlotValue::Double(2.0);
    d.CatchmentTable(3, 1) = SlotValue::Double(0.75);
    d.CatchmentTable(4, 1) = SlotValue::Double(265);
    d.CatchmentSummary(slot::SumArea) = SlotValue::Double(2.0);
    d.CatchmentSummary(slot::SumFp) = SlotValue::Double(0.75);
    d.CatchmentSummary(slot::SumC) = SlotValue::Double(265);
    d.HasSection = true;
    d.SectionData(slot::SectType) = SlotValue::Int32(1);
    d.SectionData(slot::SectB) = SlotValue::Double(5);
    d.SectionData(slot::SectCd) = SlotValue::Double(1.8);
    d.HasDeltaT = true;
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(10);
    return d;
}

ProjectData CalmProject() {
    ProjectData d = SmallProject();
    d.ConditionsData(slot::Area) = SlotValue::Double(100000);
    return d;
}

ProjectData StiffProject(double pondArea) {
    ProjectData d = SmallProject();
    d.ConditionsData(slot::Title) = SlotValue::String("速い応答のため池");
    d.ConditionsData(slot::Area) = SlotValue::Double(pondArea);
    d.ConditionsData(slot::Time) = SlotValue::Int32(2);
    d.ConditionsData(slot::ConstA) = SlotValue::Double(6000);
    d.SectionData(slot::SectB) = SlotValue::Double(20);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(60);
    return d;
}

std::shared_ptr<CQo> RoutedPond(const std::vector<std::pair<int32_t, double>> &inflow) {
    auto qo = std::make_shared<CQo>();
    qo->HVCMethod = 0;
    qo->HVC().Add(100.0, 0.0, 0.0, 0.0);
    qo->HVC().Add(101.0, 1.0, 20000.0, 20000.0);
    qo->ELS = 100;
    qo->SectType = 1;
    qo->SectEL = 100;
    qo->SectB = 5;
    qo->SectCd = 1.8;
    for (const auto &[t, q] : inflow) qo->Qo().Add(t, q);
    qo->Calc();
    return qo;
}

std::vector<std::pair<int32_t, double>> TriangularFlood(int32_t steps, double peak) {
    std::vector<std::pair<int32_t, double>> points;
    const int32_t top = steps / 3;
    for (int32_t k = 1; k <= steps; ++k) {
        const double q = k <= top ? peak * k / top : peak * std::max(0, 2 * top - k) / top;
        points.emplace_back(10 * k, q);
    }
    return points;
}

std::shared_ptr<clsQi> InflowOf(const std::vector<std::pair<int32_t, double>> &rain) {
    auto qi = std::make_shared<clsQi>();
    qi->fp = 0.75;
    qi->A = 2.0;
    qi->Fs = 1.2;
    qi->Qfix = 0.5;
    qi->DecQi = 4;
    qi->DecQid = 3;
    for (const auto &[t, r] : rain) qi->Qi().Add(t, r);
    qi->Calc();
    return qi;
}

void WithModal(const std::function<void()> &action,
               const std::function<void(QWidget *)> &whileOpen) {
    // Polls until the modal window is up, then acts on it and closes it.
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&timer, whileOpen] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w) return;
        timer.stop();
        if (whileOpen) whileOpen(w);
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
        else
            w->close();
    });
    timer.start();
    action();
}

}  // namespace wyndlor::test
