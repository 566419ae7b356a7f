// File/Open of the main window with a fuzzed observed-data file, after a good file was
// loaded; when the load succeeds, a short concentration sweep over the ranges it drew.
// Hangs of the solver show up as libFuzzer timeouts.

#include "LoaderRun.h"

using namespace condsim;
using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string good =
        fuzzing::goodFile("good-observed.txt", "0.001 0.11\r\n0.002 0.2\r\n");
    const std::string file = fuzzing::inputFile(data, size);
    fuzzing::LoaderRun run;
    TForm1& form1 = run.app.Form1;
    require(run.load(good, [&] { form1.Open1Click(); }), "the good observed file did not load");
    if (!run.load(file, [&] { form1.Open1Click(); })) return 0;

    const int count = run.app.state.observed.count;
    require(count >= 1 && count <= observedCapacity, "observed count beyond 1..100 after a load");
    require(form1.StringGrid1.rowCount() == count + 1,
            "observed table rows do not follow the count");
    form1.SpinEdit3.setValue(9);
    run.act([&] { form1.InitializeClick(); });
    run.act([&] { form1.Button3Click(); });
    return 0;
}
