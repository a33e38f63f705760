#include "core/CalcRun.h"

namespace wyndlor {

CalcRun MakeCalcRun(const ProjectData &data, const CalcRunOptions &options) {
    CalcRun run;
    run.Data = data;
    run.Ok = CalcAll(run.Data, run.Results);
    if (run.Ok && options.check) {
        AccuracyOptions check;
        check.keepSeries = options.keepSeries;
        run.Check = CheckAccuracy(run.Data, run.Results, check);
    }
    return run;
}

}  // namespace wyndlor
