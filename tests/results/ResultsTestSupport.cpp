#include "tests/results/ResultsTestSupport.h"

#include "tests/support/SampleProjects.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace wyndlor::test {

ProjectData SmallProject() { return TestPond(); }

ProjectData CalmProject() {
    ProjectData d = SmallProject();
    d.ConditionsData(slot::Area) = SlotValue::Double(100000);
    return d;
}

ProjectData StiffProject(double pondArea) { return StiffPond(pondArea); }

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
