// Observed values that no calculation can use are refused when they are read, by File/Open
// and by the import alike, with the text the calculation would have shown and a line that
// names the file, the line and the value.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestSupport.h"
#include "core/Error.h"
#include "files/ObservedData.h"
#include "files/ObservedDataFile.h"
#include "files/ObservedTableConversion.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

const std::string divisionByZero = "0 による浮動小数点数除算.\n";
const std::string invalidOperation = "不正な浮動小数点数演算命令.\n";

struct ValueCase {
    const char* name;
    std::string content;
    std::string error;  // the error box, FILE for the file's name; empty: accepted
};

// The error box of a read, or "" when the data were accepted.
std::string errorBoxOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const Error& error) {
        return errorBoxText(error);
    }
    return "";
}

std::string withFileName(std::string text, const std::string& file) {
    for (auto at = text.find("FILE"); at != std::string::npos; at = text.find("FILE", at))
        text.replace(at, 4, file);
    return text;
}

TEST(ObservedValueCheck, RefusesWhatNoCalculationCanUseInEveryLoader) {
    const ValueCase cases[] = {
        {"ZeroConcentration", "0 0.11\n0.002 0.2\n",
         divisionByZero + "line 1 of FILE: the concentration 0 mol/L is not above 0; every "
                          "concentration must be."},
        {"NegativeZeroConcentration", "0.001 0.11\n-0 0.2\n",
         divisionByZero + "line 2 of FILE: the concentration 0 mol/L is not above 0; every "
                          "concentration must be."},
        {"PointAloneReadsAsZero", "0.001 0.11\n\n. 0.2\n",
         divisionByZero + "line 3 of FILE: the concentration 0 mol/L is not above 0; every "
                          "concentration must be."},
        {"NegativeConcentration", "0.001 0.11\n-0.002 0.2\n",
         invalidOperation + "line 2 of FILE: the concentration -0.002 mol/L is not above 0; "
                            "every concentration must be."},
        {"AllConductivitiesZero", "0.001 0\n0.002 0\n",
         invalidOperation + "FILE: no conductivity is above 0, so the plot has no height to "
                            "scale; at least one must be."},
        {"AllConductivitiesNegative", "0.001 -0.1\n0.002 -0.2\n",
         invalidOperation + "FILE: no conductivity is above 0, so the plot has no height to "
                            "scale; at least one must be."},
        {"OneNegativeConductivityAmongPositiveOnes", "0.001 -0.1\n0.002 0.2\n", ""},
    };
    // Specific conductance, so that a converted conductivity does not depend on the
    // concentration (a molar one times a zero concentration would be 0).
    ObservedImportSettings importSettings;
    importSettings.units.conductivity = ConductivityUnit::MillisiemensPerCentimetre;
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        const std::string file = directory.write("data.txt", c.content);
        EXPECT_EQ(errorBoxOf([&] { ReadObservedDataFile(file); }), withFileName(c.error, file));
        EXPECT_EQ(errorBoxOf([&] {
                      convertObservedTable(c.content, "data.txt", importSettings, observedCapacity);
                  }),
                  withFileName(c.error, "data.txt"));
    }
}

}  // namespace
}  // namespace condsim
