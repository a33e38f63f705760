// Engine results built for the display tests, and a message-box stand-in.
#pragma once

#include "widgets/MessageBoxes.h"
#include "calc/CalcDriver.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace wyndlor::test {

// A complete small project (Talbot storm, constant-area pond of 20000 m2,
// weir 5 m wide): CalcAll succeeds on it.
ProjectData SmallProject();

// The small project on a pond of 100000 m2: slow enough against its
// 10-minute step that the accuracy check passes with room (reference depth
// about 0.006 m above the routing's).  The small project itself warns: on
// 20000 m2 its 10-minute step misses the peak depth by about 0.12 m.
ProjectData CalmProject();

// A pond that responds fast against a 60-minute step: a 72-hour
// rear-peaked Talbot storm (a 6000, b 40, minutes) on 2 km2 (fp 0.75,
// C 265), a constant-area pond of `pondArea` m2 at FWL 100 m behind a 20 m
// weir (Cd 1.8), 12 hours after the rain.  The level iteration does not
// settle at 60 minutes, and the accuracy check finds no step that passes.
ProjectData StiffProject(double pondArea);

// A routing through a constant-area pond (full water level 100 m, 20000 m2,
// weir B 5 m, Cd 1.8) of the given (minutes, m3/s) points, calculated.
std::shared_ptr<CQo> RoutedPond(const std::vector<std::pair<int32_t, double>> &inflow);

// A triangular flood of `steps` 10-minute steps peaking at `peak` m3/s at
// step steps / 3, then back to 0.
std::vector<std::pair<int32_t, double>> TriangularFlood(int32_t steps, double peak);

// An inflow hydrograph with the given (t, r) steps, calculated.
std::shared_ptr<clsQi> InflowOf(const std::vector<std::pair<int32_t, double>> &rain);

struct ShownMessage {
    QString text, title;
    MsgIcon icon;
};

// Records message boxes instead of showing them, for its lifetime.
class FakeMessageBoxes : public IMessageBoxes {
public:
    FakeMessageBoxes() { SetMessageBoxes(this); }
    ~FakeMessageBoxes() override { SetMessageBoxes(nullptr); }
    MsgResult Show(QWidget *, const QString &text, const QString &title, MsgIcon icon,
                   MsgButtons) override {
        shown.push_back({text, title, icon});
        return MsgResult::Ok;
    }
    void Beep() override {}
    std::vector<ShownMessage> shown;
};

// Runs `action` (which opens a modal window) and, once the window is up,
// calls `whileOpen` with it and closes it.
void WithModal(const std::function<void()> &action,
               const std::function<void(QWidget *)> &whileOpen = {});

}  // namespace wyndlor::test
