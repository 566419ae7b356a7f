// File/Open of the scaling-factor window with a fuzzed factor file, after a good file;
// when it succeeds, the conductivity at one concentration with those factors.

#include "LoaderRun.h"

using namespace condsim;
using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string good =
        fuzzing::goodFile("good-factors.txt", "1\n0.9\n0.8\n0.7\n0.6\n0.5\n");
    const std::string file = fuzzing::inputFile(data, size);
    fuzzing::LoaderRun run;
    TForm3& form3 = run.app.Form3;
    require(run.load(good, [&] { form3.Open1Click(); }), "the good factor file did not load");
    if (!run.load(file, [&] { form3.Open1Click(); })) return 0;

    const int k = run.app.state.factorCount;
    require(k >= 0 && k <= speciesCapacity, "more factors than sf(0..100) holds");
    require(form3.StringGrid2.rowCount() == k + 1, "factor table rows do not follow the count");
    TForm1& form1 = run.app.Form1;
    run.act([&] { form1.InitializeClick(); });
    run.act([&] { form1.RefineXClick(); });
    return 0;
}
