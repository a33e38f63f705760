// libFuzzer entry: every input is a candidate project file, read,
// calculated and checked.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/Probes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace wyndlor::probe;
    Check(ProbeCalculation(ScratchFile("probe.wyd"), Input(data, size)));
    return 0;
}
