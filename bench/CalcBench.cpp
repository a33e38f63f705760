// Speed of the whole calculation, of its accuracy check and of the project
// file on the largest project the input forms allow: 72 hours of rain and
// 99 hours after it at a 10-minute step, 1 026 time points.
#include "core/CalcRun.h"
#include "core/ProjectFile.h"
#include "calc/AccuracyCheck.h"
#include "calc/CalcDriver.h"
#include "calc/FloodStudy.h"
#include "calc/WidthSolver.h"
#include "tests/support/SampleProjects.h"

#include <QDir>

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace wyndlor;

namespace {

using test::MaximalProject;

void BM_CalcAll(benchmark::State &state) {
    const ProjectData d = MaximalProject(state.range(0) != 0);
    for (auto _ : state) {
        CalcResults res;
        const bool ok = CalcAll(d, res);
        if (!ok || res.objQo->Qo().Count() != 1026) state.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(res.DesignFloodLevel);
    }
}
BENCHMARK(BM_CalcAll)->Arg(0)->ArgName("frustum")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcAll)->Arg(1)->ArgName("frustum")->Unit(benchmark::kMicrosecond);

// A whole calculation run as the program makes it: the calculation and
// its accuracy check.
void BM_CalcRun(benchmark::State &state) {
    const ProjectData d = MaximalProject(state.range(0) != 0);
    for (auto _ : state) {
        const CalcRun run = MakeCalcRun(d, CalcRunOptions{true, false});
        if (!run.Ok) state.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(run.Results.DesignFloodLevel);
    }
}
BENCHMARK(BM_CalcRun)->Arg(0)->ArgName("frustum")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcRun)->Arg(1)->ArgName("frustum")->Unit(benchmark::kMillisecond);

// Sizing the spillway of each shipped example for an allowable level below
// the one it reaches: a few dozen full calculations per solve (target:
// under 50 ms each).
struct WidthExample {
    const char *file;
    double allowable;  // m
};
const WidthExample kWidthExamples[] = {
    {"nishitani-ike.wyd", 129.3}, {"osawa-ike.wyd", 46.0}, {"yamanaka-ike.wyd", 83.2}};

void BM_SolveWidth(benchmark::State &state) {
    const WidthExample &e = kWidthExamples[state.range(0)];
    ProjectData d;
    InitProjectData(d);
    OpenProjectFile(QDir(QStringLiteral(WYNDLOR_EXAMPLES_DIR)).filePath(e.file), d);
    int32_t calculations = 0;
    for (auto _ : state) {
        const WidthSolution s = SolveWidth(d, e.allowable);
        if (!s.ok || s.status != WidthStatus::Found) state.SkipWithError("no width found");
        calculations = s.calculations;
    }
    state.SetLabel(std::string(e.file) + ", " + std::to_string(calculations) + " calculations");
}
BENCHMARK(BM_SolveWidth)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The accuracy check alone on the worst project for it: the maximal project
// by the frustum method at a 60-minute step with a pond a twentieth of its
// size, so that the guideline routing does not settle and the check gives
// routing reasons: one reference routing of 10 260 one-minute sub-steps
// and one recalculation of the rainfall and inflow at the guideline's step.
void BM_AccuracyCheckWorst(benchmark::State &state) {
    ProjectData d = MaximalProject(true, 0.05);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(60);
    CalcResults res;
    if (!CalcAll(d, res)) {
        state.SkipWithError("calculation failed");
        return;
    }
    AccuracyOptions options;
    options.keepSeries = false;
    bool warned = false;
    for (auto _ : state) {
        const AccuracyCheck check = CheckAccuracy(d, res, options);
        warned = check.HasRoutingReason();
        benchmark::DoNotOptimize(check.refQ2);
    }
    if (!warned) state.SkipWithError("the pond does not warn for the routing");
}
BENCHMARK(BM_AccuracyCheckWorst)->Unit(benchmark::kMillisecond);

// The check of a typical project: nishitani-ike (72 hours of rain and 24
// after it at 30 minutes, 192 time points, a constant-area pond), as the
// program makes it after each calculation (with the sub-step series for
// the graph).
void BM_AccuracyCheckTypical(benchmark::State &state) {
    const ProjectData d = test::NishitaniIke(30);
    CalcResults res;
    if (!CalcAll(d, res)) {
        state.SkipWithError("calculation failed");
        return;
    }
    for (auto _ : state) {
        const AccuracyCheck check = CheckAccuracy(d, res);
        benchmark::DoNotOptimize(check.refQ2);
    }
}
BENCHMARK(BM_AccuracyCheckTypical)->Unit(benchmark::kMicrosecond);

// A whole calculation run of the typical project with its check.
void BM_CalcRunTypical(benchmark::State &state) {
    const ProjectData d = test::NishitaniIke(30);
    for (auto _ : state) {
        const CalcRun run = MakeCalcRun(d);
        if (!run.Ok) state.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(run.Results.DesignFloodLevel);
    }
}
BENCHMARK(BM_CalcRunTypical)->Unit(benchmark::kMicrosecond);

// The flood-control study of the window's defaults, 9 drawdowns (0 to 2 m
// by 0.25 m) x 2 factors (1.0 and 1.1), with the no-spill drawdown of each
// factor: on the maximal project by frustums (target under 200 ms) and on
// each shipped example (under 30 ms).
void RunStudyBench(benchmark::State &state, const ProjectData &d) {
    const std::vector<double> drawdowns = DrawdownList(kDefaultMaxDrawdown, kDefaultDrawdownStep);
    int32_t calculations = 0;
    for (auto _ : state) {
        const FloodStudy s = RunFloodStudy(d, drawdowns, DefaultRainFactors());
        if (!s.ok || s.cases.size() != 18) state.SkipWithError("study failed");
        calculations = s.calculations;
    }
    state.counters["calculations"] = calculations;
}

void BM_FloodStudyMaximal(benchmark::State &state) { RunStudyBench(state, MaximalProject(true)); }
BENCHMARK(BM_FloodStudyMaximal)->Unit(benchmark::kMillisecond);

const char *const kStudyExamples[] = {"nishitani-ike.wyd", "osawa-ike.wyd", "yamanaka-ike.wyd"};

void BM_FloodStudyExample(benchmark::State &state) {
    ProjectData d;
    InitProjectData(d);
    OpenProjectFile(QDir(QStringLiteral(WYNDLOR_EXAMPLES_DIR)).filePath(kStudyExamples[state.range(0)]), d);
    RunStudyBench(state, d);
    state.SetLabel(kStudyExamples[state.range(0)]);
}
BENCHMARK(BM_FloodStudyExample)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SaveProjectFile(benchmark::State &state) {
    const ProjectData d = MaximalProject(true);
    QTemporaryDir dir;
    const QString path = dir.filePath("max.wyd");
    for (auto _ : state) {
        int32_t code = 0;
        if (!SaveProjectFile(path, d, code)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveProjectFile)->Unit(benchmark::kMicrosecond);

void BM_LoadProjectFile(benchmark::State &state) {
    const ProjectData d = MaximalProject(true);
    QTemporaryDir dir;
    const QString path = dir.filePath("max.wyd");
    int32_t code = 0;
    SaveProjectFile(path, d, code);
    for (auto _ : state) {
        ProjectData read;
        int32_t c = 0;
        if (!LoadProjectFile(path, read, c)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(read.HVCCount);
    }
}
BENCHMARK(BM_LoadProjectFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
