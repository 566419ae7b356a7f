// The stepwise-constant import of the main window with a fuzzed file, after a good
// import; when it succeeds, one solve of the free-anion balance with those constants.

#include "LoaderRun.h"

using namespace condsim;
using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string good = fuzzing::goodFile("good-constants.txt", "100\r\n10\r\n1\r\n");
    const std::string file = fuzzing::inputFile(data, size);
    fuzzing::LoaderRun run;
    TForm1& form1 = run.app.Form1;
    require(run.load(good, [&] { form1.Button4Click(); }), "the good constants file did not load");
    if (!run.load(file, [&] { form1.Button4Click(); })) return 0;

    const int m = run.app.state.stepwiseCount;
    require(m >= 0 && m <= speciesCapacity - 1, "more constants than K(1..100) holds");
    require(form1.StringGrid2.rowCount() == m + 1, "constants table rows do not follow the count");
    require(!form1.CheckBox1.checked(), "the import left Model #1 on");
    for (int i = 1; i <= m; ++i)
        require(!(run.app.state.model.K[i] < 0), "a negative stepwise constant was imported");
    form1.c0.setText("0.0001");
    run.act([&] { form1.RefineXClick(); });
    return 0;
}
