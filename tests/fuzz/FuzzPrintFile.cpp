// libFuzzer entry: every input is a candidate print file for the previewer.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/Probes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace wyndlor::probe;
    Check(ProbePrintFile(Input(data, size)));
    return 0;
}
