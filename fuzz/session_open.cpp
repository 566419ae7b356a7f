// File/Open Session with a fuzzed session file, after good data: a session that is
// refused leaves the windows as they were; one that opens is saved again and opens again
// to the same text.

#include "LoaderRun.h"
#include "files/SessionFile.h"
#include "ui/SessionState.h"

using namespace condsim;
using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string good =
        fuzzing::goodFile("good-data.txt", "0.001 0.5\n0.002 0.9\n0.004 1.6\n");
    const std::string file = fuzzing::inputFile(data, size);
    fuzzing::LoaderRun run;
    require(run.load(good, [&] { run.app.Form1.Open1Click(); }), "the good data did not load");
    const testing::StateSnapshot before(run.app);
    if (!run.act([&] { restoreSession(run.app, readSessionFile(file), file); })) {
        // A refused session changes nothing; a session that opened may still meet the
        // refusal of its calculation (a negative MCA), as the same fields typed would.
        if (run.platform.errors.back().rfind("The session ", 0) == 0 ||
            run.platform.errors.back().find(file) != std::string::npos)
            require(testing::StateSnapshot(run.app) == before,
                    "a refused session changed the state");
        return 0;
    }
    const std::string text = sessionText(takeSession(run.app));
    fuzzing::LoaderRun again;
    require(again.act([&] { restoreSession(again.app, parseSession(text, "again"), "again"); }),
            "a session saved after opening did not open again");
    require(sessionText(takeSession(again.app)) == text, "a session changed on its way round");
    return 0;
}
