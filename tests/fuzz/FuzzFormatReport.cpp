// libFuzzer entry: every input is a candidate report format file, written
// into a whole report of the test pond.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/Probes.h"
#include "tests/support/SampleProjects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace wyndlor;
    using namespace wyndlor::probe;
    static const CalcRun run = MakeCalcRun(test::TestPond(), CalcRunOptions{true, false});
    Check(ProbeFormatFile(ScratchFile("Wyndlor.FMT"), ScratchFile("Wyndlor.INI"), ScratchFile("report.prn"), run,
                          Input(data, size)));
    return 0;
}
