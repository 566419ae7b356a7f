// The temperature series of the batch tool: its options, and bad series files whose every
// problem is named with the series file and the line while the other data sets stand.
// The bad files fit 298.15 K only, and 400 K is outside every water the tool knows; the
// example series of examples/series-cacl2 is fitted at its five temperatures, 5 to 45 C.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TestSession.h"
#include "batch/BatchSession.h"
#include "batch/BatchTestSupport.h"
#include "files/DecimalSeparator.h"
#include "plot/RecordingCanvas.h"
#include "ui/ExportCommands.h"

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
    EXPECT_EQ(options.vantHoffHeatCapacity, true);
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
        {{"--series-figure", "walden:w.svg"}, "--series-figure needs --series FILE"},
        {{"--series", "s.txt", "--fit", "K1", "--series-figure", "arrhenius:a.svg"},
         "--series-figure takes KIND:FILE with KIND vant-hoff or walden, not 'arrhenius:a.svg'"},
        {{"--series", "s.txt", "--fit", "K1", "--series-figure", "walden:w.eps"},
         "--series-figure writes SVG, PDF or PNG"},
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

// The first row of the table that begins with `name`, after the line that begins with
// `heading`: its numbers after the name.
std::vector<double> rowAfter(const std::string& text, const std::string& heading,
                             const std::string& name) {
    const size_t from = text.find(heading);
    if (from == std::string::npos) return {};
    const size_t at = text.find("\n" + name + "\t", from);
    if (at == std::string::npos) return {};
    std::istringstream row(text.substr(at + name.size() + 2, text.find('\n', at + 1) - at));
    std::vector<double> numbers;
    for (double v; row >> v;) numbers.push_back(v);
    return numbers;
}

const std::vector<std::string> exampleSeriesArguments{
    "--series",   testing::exampleFile("series-cacl2/series.txt"),
    "--n",        "2",
    "--mcx",      "76.35",
    "--alfa",     "1",
    "--model1",   "on",
    "--fit",      "K1,MCA",
    "--solution", "debye-huckel"};

// The example series was made by the model at dH = 8 kJ/mol and dS = 48 J/(mol K)
// (scripts/make-series-example): the van 't Hoff line through the separate fits and the
// global fit with lambda of the cation free hold them in their 95 % intervals, from the
// Jacobian and, for the global fit, from the profile too. (Tied by Walden, the global fit
// does not: the data's lambda departs from Walden's by 1 % per 40 K; docs/temperature-series.md.)
TEST(BatchSeries, TheExampleSeriesRecoversItsEnthalpyAndEntropy) {
    const struct {
        const char* tie;
        const char* heading;
        size_t columns;  // value, standard error, interval(s)
    } cases[] = {
        {"free", "van 't Hoff:", 4},
        {"free", "Global fit to 60 points at 5 temperatures", 6},
    };
    std::map<std::string, SeriesRun> runs;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tie) + " " + c.heading);
        if (!runs.count(c.tie)) {
            std::vector<std::string> arguments = exampleSeriesArguments;
            arguments.insert(arguments.end(), {"--global-fit", c.tie});
            std::ostringstream messages;
            std::ostringstream results;
            const int status = runBatch(parseBatchOptions(arguments), messages, results,
                                        testing::recordingCanvases(), testing::noPictures());
            runs[c.tie] = {status, messages.str(), results.str()};
        }
        const SeriesRun& run = runs[c.tie];
        ASSERT_EQ(run.status, 0) << run.messages;
        for (const char* T : {"278.15\t", "288.15\t", "298.15\t", "308.15\t", "318.15\t"})
            EXPECT_NE(run.results.find(std::string("\n") + T), std::string::npos) << T;
        for (const auto& [name, truth] :
             {std::pair{"dH (kJ/mol)", 8.0}, {"dS (J/(mol K))", 48.0}}) {
            const std::vector<double> row = rowAfter(run.results, c.heading, name);
            ASSERT_GE(row.size(), c.columns) << name << "\n" << run.results;
            for (size_t lower = 2; lower + 1 < c.columns; lower += 2) {
                EXPECT_LT(row[lower], truth) << name;
                EXPECT_GT(row[lower + 1], truth) << name;
            }
        }
    }
}

// A series run with --save-session runs again from the session alone: the same tables and
// report (its first line names where the data sets came from); an option beside the session
// changes what it chose. A session without a series has no series to give outputs of.
TEST(BatchSeries, ASessionCarriesTheSeriesAndItsAnalysis) {
    TemporaryDirectory folder;
    const auto run = [](const std::vector<std::string>& arguments) {
        std::ostringstream messages;
        std::ostringstream results;
        const int status = runBatch(parseBatchOptions(arguments), messages, results,
                                    testing::recordingCanvases(), testing::noPictures());
        return SeriesRun{status, messages.str(), results.str()};
    };
    const auto withoutFirstLine = [](const std::string& text) {
        return text.substr(text.find('\n'));
    };
    const std::string session = (folder.path() / "series.condsim").string();
    const std::string savedReport = (folder.path() / "saved.txt").string();
    std::vector<std::string> arguments = exampleSeriesArguments;
    arguments.insert(arguments.end(), {"--global-fit", "free", "--series-report", savedReport,
                                       "--save-session", session});
    const SeriesRun saved = run(arguments);
    ASSERT_EQ(saved.status, 0) << saved.messages;
    EXPECT_NE(testing::contentOf(session).find("\"globalFit\": \"free\""), std::string::npos);

    const struct {
        const char* name;
        std::vector<std::string> more;
        bool same;  // tables and report
    } cases[] = {
        {"the session alone", {}, true},
        {"the session and its series file",
         {"--series", testing::exampleFile("series-cacl2/series.txt")},
         true},
        {"a global fit of its own", {"--global-fit", "walden"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string report = (folder.path() / "report.txt").string();
        std::vector<std::string> again{"--session", session, "--series-report", report};
        again.insert(again.end(), c.more.begin(), c.more.end());
        const SeriesRun opened = run(again);
        ASSERT_EQ(opened.status, 0) << opened.messages;
        EXPECT_EQ(opened.results == saved.results, c.same);
        EXPECT_EQ(withoutFirstLine(testing::contentOf(report)) ==
                      withoutFirstLine(testing::contentOf(savedReport)),
                  c.same);
    }

    const std::string plain = (folder.path() / "plain.condsim").string();
    ASSERT_EQ(
        run({"--data", testing::exampleFile("cacl2-25C-water-dilute.txt"), "--save-session", plain})
            .status,
        0);
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } refusals[] = {
        {{"--series-csv", "t.csv"},
         "--series-csv needs --series FILE or a session with a temperature series; " + plain +
             " holds none"},
        {{"--series", testing::exampleFile("series-cacl2/series.txt")},
         "A temperature series needs the parameters to fit: give --fit LIST (the session " + plain +
             " chooses none)"},
    };
    for (const auto& refusal : refusals) {
        std::vector<std::string> arguments{"--session", plain};
        arguments.insert(arguments.end(), refusal.arguments.begin(), refusal.arguments.end());
        const SeriesRun refused = run(arguments);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.messages.find(refusal.message), std::string::npos) << refused.messages;
    }
}

// The figures of the series as the tool hands them to its figure writer: the van 't Hoff
// figure's points with their bars and its line, the Walden products of the separate and
// the global fit, the axes' titles and the caption's results.
TEST(BatchSeries, FiguresOfTheSeriesHoldItsPointsLinesAndLabels) {
    TemporaryDirectory folder;
    std::map<std::string, Figure> written;
    const FigureWriter record = [&](const Figure& figure, const std::string& fileName) {
        written[std::filesystem::path(fileName).filename().string()] = figure;
        return std::string();
    };
    std::vector<std::string> arguments = exampleSeriesArguments;
    arguments.insert(arguments.end(), {"--global-fit", "walden", "--series-figure",
                                       "vant-hoff:" + (folder.path() / "vh.svg").string(),
                                       "--series-figure", "walden:w.png"});
    std::ostringstream messages;
    std::ostringstream results;
    ASSERT_EQ(runBatch(parseBatchOptions(arguments), messages, results,
                       testing::recordingCanvases(), testing::noPictures(), record),
              0)
        << messages.str();
    const struct {
        const char* file;
        std::vector<size_t> points;  // of each series
        const char* xTitle;
        const char* yTitle;
        const char* caption;
        size_t barred;  // the series with error bars, or npos
    } cases[] = {
        {"vh.svg", {2, 5}, "10^{3} K / T", "ln (K_{1} / L mol^{\u22121})", "\u0394H\u00b0 = ", 1},
        {"w.png",
         {5, 5},
         "T / K",
         "\u03bb_{+}\u03b7 / S cm^{2} mol^{\u22121} mPa s",
         "tied by the Walden rule",
         std::string::npos},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(written.count(c.file));
        const Figure& figure = written[c.file];
        ASSERT_EQ(figure.series.size(), c.points.size());
        for (size_t i = 0; i < c.points.size(); ++i) {
            const FigureSeries& series = figure.series[i];
            EXPECT_EQ(series.x.size(), c.points[i]) << i;
            EXPECT_EQ(series.y.size(), c.points[i]) << i;
            EXPECT_EQ(series.yLow.size(), i == c.barred ? c.points[i] : 0u) << i;
            for (size_t j = 0; j < series.yLow.size(); ++j) {
                EXPECT_LT(series.yLow[j], series.y[j]);
                EXPECT_GT(series.yHigh[j], series.y[j]);
            }
            for (size_t j = 0; j < series.x.size(); ++j) {
                EXPECT_GE(series.x[j], figure.x.ticks.minimum);
                EXPECT_LE(series.x[j], figure.x.ticks.maximum);
                EXPECT_GE(series.y[j], figure.y.ticks.minimum);
                EXPECT_LE(series.y[j], figure.y.ticks.maximum);
            }
        }
        EXPECT_EQ(figure.x.title, c.xTitle);
        EXPECT_EQ(figure.y.title, c.yTitle);
        EXPECT_NE(figure.caption.find(c.caption), std::string::npos) << figure.caption;
    }
    // The van 't Hoff line runs through the points: ln K1 = -dH/(R T) + dS/R, falling with
    // 1/T for an association that takes up heat (dH > 0), from 5 to 45 C.
    const FigureSeries& line = written["vh.svg"].series[0];
    EXPECT_EQ(line.line, LineStyle::Solid);
    EXPECT_NEAR(line.x.front(), 1000 / 278.15, 1e-9);
    EXPECT_NEAR(line.x.back(), 1000 / 318.15, 1e-9);
    EXPECT_GT(line.y.back(), line.y.front());
    // Tied by Walden, the global fit's product is the same at every temperature.
    const FigureSeries& tied = written["w.png"].series[1];
    for (const double product : tied.y) EXPECT_NEAR(product, tied.y.front(), 1e-9);

    // A figure with nothing to draw is an error that names why; the tables stand.
    TemporaryDirectory empty;
    const std::string series = empty.write("series.txt", "none.txt 298.15\n");
    const SeriesRun refused = runSeries(series, {"--series-figure", "walden:w.svg"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.messages.find("No walden figure: There is no Walden figure: no data set of "
                                    "the series was fitted."),
              std::string::npos)
        << refused.messages;
}

}  // namespace
}  // namespace condsim
