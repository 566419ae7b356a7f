// The series file of a temperature series over arbitrary content, with data files looked
// up in the working folder (the fuzz input itself is one of them, "input.txt").
//
// Invariants: the parse never throws; the lines come in increasing order, each named
// "s.txt, line N"; a usable line has a positive finite temperature, a positive finite
// anion conductivity when it gives one, and at least one observed pair; no two lines that
// parsed share a temperature unless the later one says so.

#include <cmath>
#include <string>
#include <string_view>

#include "FuzzSession.h"
#include "files/SeriesFile.h"

using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    condsim::fuzzing::inputFile(data, size);
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Only files of the working folder: a name such as /dev/stdin would block the run.
    if (text.find('/') != std::string::npos) return 0;
    const std::vector<condsim::SeriesFileLine> lines =
        condsim::parseSeriesText(text, "s.txt", condsim::fuzzing::workingFolder());
    int previous = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const condsim::SeriesFileLine& line = lines[i];
        require(line.line > previous, "the lines are not in increasing order");
        previous = line.line;
        require(line.where == "s.txt, line " + std::to_string(line.line), "a line is misnamed");
        if (!line.problem.empty()) continue;
        require(std::isfinite(line.temperature) && line.temperature > 0,
                "a usable line has a temperature that is not positive");
        require(!line.anionConductivity ||
                    (std::isfinite(*line.anionConductivity) && *line.anionConductivity > 0),
                "a usable line has an anion conductivity that is not positive");
        require(line.observed.count() > 0, "a usable line has no observed pairs");
        for (size_t j = 0; j < i; ++j) {
            require(lines[j].temperature != line.temperature,
                    "a usable line repeats an earlier temperature");
        }
    }
    return 0;
}
