// The temperature series of the batch tool: its options, and bad series files whose every
// problem is named with the series file and the line while the other data sets stand.
// Only 298.15 K (the water preset's temperature) is fitted here, and 400 K is outside
// every water the tool knows, so these tests hold whatever temperatures water allows.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestSession.h"
#include "batch/BatchSession.h"
#include "batch/BatchTestSupport.h"
#include "files/DecimalSeparator.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

std::string usageError(const std::vector<std::string>& arguments) {
    try {
        parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        return error.reason;
    }
    return "accepted";
}

TEST(BatchSeries, OptionsAndTheirMistakes) {
    const BatchOptions options =
        parseBatchOptions({"--series", "s.txt", "--fit", "K1,MCA", "--global-fit", "walden",
                           "--vant-hoff-cp", "on", "--solvent", "water"});
    EXPECT_EQ(*options.series, "s.txt");
    EXPECT_EQ(options.globalFit, true);
    EXPECT_TRUE(options.vantHoffHeatCapacity);
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--series", "s.txt"}, "--series needs --fit LIST"},
        {{"--series", "s.txt", "--fit", "K1", "--data", "d.txt"},
         "--data does not go with --series (its data and temperatures come from the series "
         "file, its outputs are --series-csv and --series-report)"},
        {{"--series", "s.txt", "--fit", "K1", "--fit-n", "2..4"}, "--fit-n does not go with"},
        {{"--series", "s.txt", "--fit", "K1", "--report", "r.txt"}, "--report does not go with"},
        {{"--series", "s.txt", "--fit", "K1", "--solution", "davies", "--temperature", "300",
          "--permittivity", "70", "--viscosity", "0.8"},
         "--temperature does not go with"},
        {{"--global-fit", "free"}, "--global-fit needs --series FILE"},
        {{"--vant-hoff-cp", "off"}, "--vant-hoff-cp needs --series FILE"},
        {{"--series-csv", "t.csv"}, "--series-csv needs --series FILE"},
        {{"--series", "s.txt", "--fit", "K1", "--global-fit", "tied"},
         "--global-fit takes free or walden"},
        {{"--series", "s.txt", "--fit", "K1", "--vant-hoff-cp", "yes"},
         "--vant-hoff-cp takes on or off"},
        {{"--fit", "K1", "--solvent", "water"}, "--solvent applies to the ionic-strength models"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(usageError(c.arguments).substr(0, c.error.size()), c.error) << c.arguments[0];
    }
}

struct SeriesRun {
    int status = 0;
    std::string messages;
    std::string results;
};

SeriesRun runSeries(const std::string& seriesFile, std::vector<std::string> more = {}) {
    std::vector<std::string> arguments{"--series", seriesFile, "--n",      "2",  "--mcx", "76.35",
                                       "--alfa",   "1",        "--model1", "on", "--fit", "K1,MCA"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    std::ostringstream messages;
    std::ostringstream results;
    const int status = runBatch(parseBatchOptions(arguments), messages, results,
                                testing::recordingCanvases(), testing::noPictures());
    return {status, messages.str(), results.str()};
}

TEST(BatchSeries, EachBadDataSetIsNamedWithItsLineAndTheOthersStand) {
    TemporaryDirectory folder;
    const std::string data = testing::exampleFile("cacl2-25C-water-dilute.txt");
    folder.write("two.txt", "0.001 0.25\n0.002 0.49\n");
    const struct {
        const char* name;
        std::string series;
        std::vector<std::string> messages;  // beginnings, in order
        int status;
        bool standing = true;  // the 298.15 K data set is fitted
    } cases[] = {
        {"MissingFile",
         "\"" + data + "\" 298.15\nnone.txt 400\n",
         {"series.txt, line 2: the data file "},
         1},
        {"DuplicateTemperature",
         "\"" + data + "\" 298.15\n\"" + data + "\" 298.15\n",
         {"series.txt, line 2: the temperature 298.15 K is already that of line 1"},
         1},
        {"TemperatureOutsideTheSolventsRange",
         "\"" + data + "\" 298.15\n\"" + data + "\" 400\n",
         {"series.txt, line 2: "},
         1},
        {"BadNumber",
         "# file T\n\"" + data + "\" 298,15\n\"" + data + "\" 298.15 76.35\n",
         {"series.txt, line 2: the temperature '298,15' is not a positive number (K)"},
         1},
        {"FileThatFailsToFit",
         "two.txt 298.15 76\n",
         {"series.txt, line 1: " + (folder.path() / "two.txt").string() + ": the fit cannot run: "},
         1,
         false},
        {"FewerThanTwoTemperatures", "\"" + data + "\" 298.15\n", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SeriesRun run = runSeries(folder.write("series.txt", c.series));
        EXPECT_EQ(run.status, c.status) << run.messages;
        std::istringstream lines(run.messages);
        std::string line;
        for (const std::string& expected : c.messages) {
            ASSERT_TRUE(std::getline(lines, line)) << run.messages;
            EXPECT_EQ(line.substr(0, expected.size()), expected);
        }
        EXPECT_FALSE(std::getline(lines, line)) << run.messages;
        // The 298.15 K data set stands: the fit of the measured CaCl2 set (docs/fit.md).
        EXPECT_EQ(run.results.find("\t12.759363502105\t") != std::string::npos, c.standing)
            << run.results;
        EXPECT_NE(run.results.find("The van 't Hoff fit needs K1 at two or more temperatures; " +
                                   std::string(c.standing ? "one" : "no") + " temperature"),
                  std::string::npos);
    }
}

TEST(BatchSeries, WritesItsTablesAndRefusesAMissingSeriesFile) {
    TemporaryDirectory folder;
    const std::string data = testing::exampleFile("cacl2-25C-water-dilute.txt");
    const std::string series = folder.write("series.txt", "\"" + data + "\" 298.15\n");
    const SeriesRun run =
        runSeries(series, {"--series-csv", "table.csv", "--series-report", "report.txt"});
    ASSERT_EQ(run.status, 0) << run.messages;
    const std::string csv = testing::contentOf(folder.path() / "table.csv");
    EXPECT_EQ(csv.substr(0, csv.find('\r')),
              "T (K),data file,K1,K1 profile 95% from,K1 profile 95% to,MCA,MCA profile 95% "
              "from,MCA profile 95% to,lambda cation (MCA),lambda anion (MCX),MCX from,eta (mPa "
              "s),Walden product MCA x eta (S cm2 mol-1 mPa s),RMS residual");
    EXPECT_NE(csv.find(",Walden,0.89"), std::string::npos) << csv;
    const std::string report = testing::contentOf(folder.path() / "report.txt");
    EXPECT_NE(report.find("[separate fits]\n" + run.results.substr(0, run.results.find("\n\n"))),
              std::string::npos)
        << report;

    // The tables take the decimal separator asked for, as a fit's; the CSV the period.
    std::ostringstream commaMessages;
    std::ostringstream comma;
    const char separator = decimalSeparator();
    setDecimalSeparator(',');  // as the tool's main does for --decimal-separator
    const int commaStatus =
        runBatch(parseBatchOptions({"--series", series, "--n", "2", "--mcx", "76,35", "--alfa", "1",
                                    "--model1", "on", "--fit", "K1,MCA", "--decimal-separator", ",",
                                    "--series-csv", "comma.csv"}),
                 commaMessages, comma, testing::recordingCanvases(), testing::noPictures());
    setDecimalSeparator(separator);
    ASSERT_EQ(commaStatus, 0) << commaMessages.str();
    EXPECT_NE(comma.str().find("\t12,759363502105\t"), std::string::npos) << comma.str();
    EXPECT_NE(testing::contentOf(folder.path() / "comma.csv").find(",12.759363502105"),
              std::string::npos);

    // The global fit needs two temperatures with a fit: it says so, and the status is 1.
    const SeriesRun global = runSeries(series, {"--global-fit", "walden"});
    EXPECT_EQ(global.status, 1);
    EXPECT_NE(global.results.find("The global fit: it needs two or more temperatures with a "
                                  "separate fit; 1 here\n"),
              std::string::npos)
        << global.results;

    const SeriesRun missing = runSeries((folder.path() / "none.txt").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.messages.find("none.txt"), std::string::npos) << missing.messages;
}

}  // namespace
}  // namespace condsim
