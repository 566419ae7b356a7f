// condsim-batch --figure KIND:FILE and --export-csv: the options, the figures handed to
// the writer in the order given, the CSV beside them, and refusals that end the run.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "BatchTestSupport.h"
#include "TestSession.h"
#include "batch/BatchOptions.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

std::string usageReason(const std::vector<std::string>& arguments) {
    try {
        parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        return error.reason;
    }
    return "accepted";
}

TEST(BatchFigure, OptionsNameAKindAndAFile) {
    const auto options = parseBatchOptions(
        {"--figure", "molar-sqrt:a.pdf", "--figure=residuals:b:c.svg", "--figure-dpi", "600",
         "--figure-width", "17.5", "--export-csv", "d.csv", "--figure-caption", "off"});
    ASSERT_EQ(options.figures.size(), 2u);
    EXPECT_EQ(options.figures[0],
              std::make_pair(FigureKind::MolarConductivitySqrt, std::string("a.pdf")));
    EXPECT_EQ(options.figures[1], std::make_pair(FigureKind::Residuals, std::string("b:c.svg")));
    EXPECT_EQ(*options.figureDotsPerInch, 600);
    EXPECT_EQ(*options.figureWidth, 17.5);
    EXPECT_EQ(*options.exportCsv, "d.csv");
    EXPECT_EQ(options.figureCaption, false);
    EXPECT_EQ(parseBatchOptions({"--figure-caption=on"}).figureCaption, true);
    const auto figureOptions =
        parseBatchOptions({"--figure-x", "log", "--species-names", "Ca2+,CaCl+,CaCl2"})
            .figureOptions;
    EXPECT_EQ(figureOptions.x, FigureScale::Logarithmic);
    EXPECT_EQ(figureOptions.speciesNames, (std::vector<std::string>{"Ca2+", "CaCl+", "CaCl2"}));
    const auto compared =
        parseBatchOptions({"--compare-solution", "ideal", "--compare-solution", "davies:3.5"})
            .compareSolutions;
    ASSERT_EQ(compared.size(), 2u);
    EXPECT_EQ(compared[0], std::make_pair(SolutionModelKind::Ideal, std::optional<std::string>()));
    EXPECT_EQ(compared[1],
              std::make_pair(SolutionModelKind::Davies, std::optional<std::string>("3.5")));

    const struct {
        std::vector<std::string> arguments;
        const char* reasonStart;
    } refused[] = {
        {{"--figure", "kappa:a.svg"}, "--figure takes KIND:FILE"},
        {{"--figure", "conductivity"}, "--figure takes KIND:FILE"},
        {{"--figure", "conductivity:"}, "--figure takes KIND:FILE"},
        {{"--figure-dpi", "3"}, "--figure-dpi takes 10 to 2400"},
        {{"--figure-width", "8,5"}, "--figure-width takes a width"},
        {{"--figure-width", "0"}, "--figure-width takes a width"},
        {{"--figure-caption", "yes"}, "--figure-caption takes on or off"},
        {{"--figure-x", "logarithmic"}, "--figure-x takes linear, log or sqrt"},
        {{"--compare-solution", "ideal:4"}, "--compare-solution takes ideal, debye-huckel"},
        {{"--compare-solution", "debye-huckel:"}, "--compare-solution takes ideal, debye-huckel"},
        {{"--compare-solution", "extended"}, "--compare-solution takes ideal, debye-huckel"},
        {{"--species-names", "Ca2+,,CaCl2"}, "--species-names takes names separated by commas"},
        {{"--species-names", "Ca2+,CaCl2,"}, "--species-names takes names separated by commas"},
    };
    for (const auto& c : refused)
        EXPECT_EQ(usageReason(c.arguments).rfind(c.reasonStart, 0), 0u) << usageReason(c.arguments);
}

struct FigureLog {
    std::vector<std::pair<std::string, size_t>> written;  // file name, number of series
    FigureWriter writer() {
        return [this](const Figure& figure, const std::string& name) {
            written.emplace_back(name, figure.series.size());
            return std::string();
        };
    }
};

TEST(BatchFigure, FiguresAndDataFollowTheCalculation) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    FigureLog figures;
    BatchOptions options;
    options.data = testing::exampleFile("observed-6to1-salt.txt");
    options.figures = {{FigureKind::Distribution, "d.svg"}, {FigureKind::Conductivity, "c.pdf"}};
    options.exportCsv = "data.csv";
    ASSERT_EQ(runBatch(options, messages, testing::recordingCanvases(), testing::noPictures(),
                       figures.writer()),
              0)
        << messages.str();
    const auto path = [&](const char* name) { return (directory.path() / name).string(); };
    const std::vector<std::pair<std::string, size_t>> expected = {{path("d.svg"), 7},
                                                                  {path("c.pdf"), 2}};
    EXPECT_EQ(figures.written, expected);
    const std::string csv = testing::contentOf(path("data.csv"));
    EXPECT_EQ(csv.rfind("point,C0 / mol L-1,", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 200 + 12);
}

// --compare-solution: the same run, fit included, in another model; its curve joins the
// conductivity figures with the models' names in the legend, and its fit results follow
// a line naming it. Other kinds are drawn as without it.
TEST(BatchFigure, ComparedModelsAddTheirCurves) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    std::ostringstream results;
    std::vector<std::vector<std::string>> names;  // of each figure's series
    const FigureWriter writer = [&names](const Figure& figure, const std::string&) {
        names.emplace_back();
        for (const FigureSeries& series : figure.series) names.back().push_back(series.name);
        return std::string();
    };
    BatchOptions options;
    options.data = testing::exampleFile("cacl2-25C-water-dilute.txt");
    options.n = 2;
    options.mcx = "76.35";
    options.alfa = 1;
    options.model1 = true;
    options.fit = parseBatchOptions({"--fit", "MCA"}).fit;
    options.compareSolutions = {{SolutionModelKind::DebyeHuckel, std::nullopt},
                                {SolutionModelKind::Davies, "6"}};
    options.figures = {{FigureKind::MolarConductivity, "m.svg"},
                       {FigureKind::Distribution, "d.svg"}};
    ASSERT_EQ(runBatch(options, messages, results, testing::recordingCanvases(),
                       testing::noPictures(), writer),
              0)
        << messages.str();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0],
              (std::vector<std::string>{"ideal solution",
                                        "Debye\u2013H\u00fcckel, water 25 \u00b0C, a = 4.5 \u00c5",
                                        "Davies, water 25 \u00b0C, a = 6 \u00c5", "observed"}));
    EXPECT_EQ(names[1].size(), 3u);
    const std::string text = results.str();
    const size_t compared =
        text.find("compared: Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A\n");
    ASSERT_NE(compared, std::string::npos) << text;
    EXPECT_NE(text.find("MCA\t", compared), std::string::npos);
    EXPECT_NE(text.find("compared: Davies"), std::string::npos);
}

TEST(BatchFigure, AFigureNotWrittenEndsTheRunBeforeTheData) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    BatchOptions options;
    options.data = testing::exampleFile("observed-6to1-salt.txt");
    options.figures = {{FigureKind::Residuals, "r.svg"}};
    options.exportCsv = "data.csv";
    const FigureWriter failing = [](const Figure&, const std::string&) {
        return std::string("cannot write r.svg: denied");
    };
    EXPECT_EQ(
        runBatch(options, messages, testing::recordingCanvases(), testing::noPictures(), failing),
        1);
    EXPECT_EQ(messages.str(), "The figure was not written: cannot write r.svg: denied.\n");
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "data.csv"));
}

}  // namespace
}  // namespace condsim
