#include <gtest/gtest.h>

#include <sstream>

#include "TestSession.h"
#include "batch/BatchOptions.h"
#include "batch/BatchTestSupport.h"
#include "files/NumberText.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

std::string usageError(const std::vector<std::string>& arguments) {
    try {
        parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        return error.reason;
    }
    return "accepted";
}

TEST(BatchSolutionModelOptions, ChoicesAreParsedAndMistakesNamed) {
    const BatchOptions options =
        parseBatchOptions({"--solution", "davies", "--ion-size", "3", "--solvent", "methanol"});
    EXPECT_EQ(*options.solution, SolutionModelKind::Davies);
    EXPECT_EQ(*options.ionSize, "3");
    EXPECT_EQ(*options.solvent, "methanol");
    EXPECT_FALSE(parseBatchOptions({"--n", "2"}).setsSolutionModel());

    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{"--solution", "debye"}, "--solution takes ideal, debye-huckel or davies, not 'debye'"},
        {{"--solvent", "benzene"},
         "--solvent takes water, acetonitrile or methanol, not 'benzene'"},
        {{"--temperature", "298", "--permittivity", "30"},
         "--temperature, --permittivity and --viscosity give another solvent together"},
        {{"--solvent", "water", "--temperature", "298", "--permittivity", "30", "--viscosity", "1"},
         "--solvent and --temperature, --permittivity, --viscosity exclude each other"},
        {{"--solution", "davies", "--temperature", "298", "--permittivity", "30", "--viscosity",
          "1"},
         "accepted"},
    };
    for (const Case& c : cases) EXPECT_EQ(usageError(c.arguments), c.reason);
}

struct BatchRun {
    int status;
    std::string messages;
    std::string results;
};

BatchRun run(const std::vector<std::string>& arguments) {
    testing::TemporaryDirectory directory;
    std::ostringstream messages;
    std::ostringstream results;
    const int status = runBatch(parseBatchOptions(arguments), messages, results,
                                testing::recordingCanvases(), testing::noPictures());
    return {status, messages.str(), results.str()};
}

// The value column of a parameter's line in the fit table.
ext fitted(const std::string& table, const std::string& name) {
    const size_t at = table.find("\n" + name + "\t");
    if (at == std::string::npos) {
        ADD_FAILURE() << name << " missing from\n" << table;
        return 0;
    }
    const size_t start = at + name.size() + 2;
    return number(table.substr(start, table.find('\t', start) - start));
}

// Dilute aqueous CaCl2 at 25 C: with activities and the Onsager-Fuoss conductances the
// fit finds the literature's lambda(1/2 Ca2+) = 59.5 and a weak ion pair, where the ideal
// model reads the fall of the molar conductivity as association.
TEST(BatchSolutionModel, DiluteCalciumChlorideGivesTheLiteratureValues) {
    const std::string data = testing::exampleFile("cacl2-25C-water-dilute.txt");
    const std::vector<std::string> common = {
        "--data",   data, "--n",     "2", "--mcx", "76.35", "--alfa", "1",
        "--model1", "on", "--beta1", "1", "--mca", "60",    "--fit",  "K1,MCA"};
    std::vector<std::string> ionic = common;
    for (const char* argument :
         {"--solution", "debye-huckel", "--ion-size", "4.5", "--solvent", "water"}) {
        ionic.emplace_back(argument);
    }
    const BatchRun model = run(ionic);
    ASSERT_EQ(model.status, 0) << model.messages;
    EXPECT_NEAR(fitted(model.results, "MCA"), 59.5L, 0.015L * 59.5L) << model.results;
    EXPECT_GT(fitted(model.results, "K1"), 0.05L);
    EXPECT_LT(fitted(model.results, "K1"), 1);
    EXPECT_NE(model.results.find(
                  "solution model\tDebye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A\t"),
              std::string::npos);

    const BatchRun ideal = run(common);
    ASSERT_EQ(ideal.status, 0) << ideal.messages;
    EXPECT_GT(fitted(ideal.results, "K1"), 5);
    EXPECT_LT(fitted(ideal.results, "MCA"), 56);
    EXPECT_EQ(ideal.results.find("solution model"), std::string::npos);

    // The ion size is a parameter of the ionic-strength model only.
    std::vector<std::string> withIonSize = common;
    withIonSize.back() = "K1,MCA,a";
    const BatchRun refused = run(withIonSize);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.messages,
              "The fit cannot run: a is the ion size of the ionic-strength model; choose that "
              "model to fit it.\n");
}

// --ion-size bjerrum: a is Bjerrum's distance q = n e^2 / (8 pi eps0 eps_r k T) for the n and
// the solvent of the run (7.15054 A at n = 2 in water, 25.7406 A at n = 3 in methanol, by
// hand with mpmath), named with the constants; a fit of a replaces it.
TEST(BatchSolutionModel, TheIonSizeMayBeBjerrumsDistance) {
    const std::string data = testing::exampleFile("cacl2-25C-water-dilute.txt");
    struct Case {
        std::string n, solvent, fit;
        std::string said;  // in the fit's solution model line; empty: no Bjerrum's q there
    };
    const Case cases[] = {
        {"2", "water", "K1,MCA", "water 25 C, a = 7.15054 A (Bjerrum's q)\t"},
        {"3", "methanol", "K1,MCA", "methanol 25 C, a = 25.7406 A (Bjerrum's q)\t"},
        {"2", "water", "K1,MCA,a", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n + " " + c.solvent + " " + c.fit);
        const BatchRun outcome =
            run({"--data", data, "--n", c.n, "--mcx", "76.35", "--solution", "debye-huckel",
                 "--ion-size", "bjerrum", "--solvent", c.solvent, "--fit", c.fit});
        ASSERT_EQ(outcome.status, 0) << outcome.messages;
        const size_t line = outcome.results.find("\nsolution model\t");
        ASSERT_NE(line, std::string::npos) << outcome.results;
        const std::string model = outcome.results.substr(line);
        if (c.said.empty()) {
            EXPECT_EQ(model.find("Bjerrum"), std::string::npos) << model;
        } else {
            EXPECT_NE(model.find(c.said), std::string::npos) << model;
        }
    }
    EXPECT_EQ(usageError({"--solution", "davies", "--ion-size", "bjerum"}),
              "'bjerum' は浮動小数点数ではありません.\n--ion-size takes the ion size in Angstrom "
              "as a number, for example 4.5, or bjerrum, not 'bjerum'");
}

// The model's edges, named at their point: a conductivity that is not positive is an
// error (status 1, C0 and the reason); several ionic strengths and ionic strengths above
// the activity law's range are said on standard error, and the run completes.
TEST(BatchSolutionModel, TheModelsEdgesAreNamedAtTheirPoint) {
    const std::string data = testing::exampleFile("cacl2-25C-water.txt");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::vector<std::string> said;
    };
    const std::vector<Case> cases = {
        {{"--solution", "davies",         "--n",        "3",           "--beta1",
          "255.527",    "--alfa",         "98",         "--mca",       "18.835",
          "--mcx",      "35.329",         "--ion-size", "7.327",       "--temperature",
          "333.76",     "--permittivity", "26.57",      "--viscosity", "0.3482"},
         1,
         {"mol/L the ionic-strength model is outside its range: the electrophoretic term of AX0",
          "the solvent's permittivity eps_r = 26.57 is too low for charge 3"}},
        {{"--solution", "debye-huckel", "--temperature", "298.15", "--permittivity", "10",
          "--viscosity", "0.8903"},
         1,
         {"the ionic-strength model is outside its range"}},
        {{"--solution", "debye-huckel", "--temperature", "298.15", "--permittivity", "1e-30",
          "--viscosity", "0.8903"},
         1,
         {"The relative permittivity of the solvent must be from 1 to 200."}},
        {{"--solution", "debye-huckel",   "--n",        "5",           "--beta1",
          "3946.09",    "--alfa",         "76",         "--mca",       "69.056",
          "--mcx",      "133.66",         "--ion-size", "3.392",       "--temperature",
          "339.39",     "--permittivity", "33.34",      "--viscosity", "1.26"},
         0,
         {"At C0 = 0.0126987080597015 mol/L the ionic balance has 3 roots, I = 0.0111542219969989, "
          "0.101520823314941, 0.131682968786026 mol/L: the lowest is used"}},
        {{"--solution", "debye-huckel", "--n", "2", "--beta1", "1", "--mca", "60", "--mcx",
          "76.35"},
         0,
         {"The ionic strength is above the range of Debye-Hueckel + Onsager-Fuoss (I up to 0.1 "
          "mol/L) at 158 of 200 calculated points, from C0 = 0.0341278 mol/L",
          "at 11 of 28 observed points"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"--data", data};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const BatchRun outcome = run(arguments);
        SCOPED_TRACE(outcome.messages);
        EXPECT_EQ(outcome.status, c.status);
        for (const std::string& text : c.said)
            EXPECT_NE(outcome.messages.find(text), std::string::npos) << text;
    }
}

// --temperature alone (or with --solvent water) is water at that temperature, its
// permittivity and viscosity from the correlations; a temperature the solvent does not
// allow is a usage error naming the option; with --permittivity and --viscosity it is
// another solvent, as before.
TEST(BatchSolutionModel, TheTemperatureAloneIsWatersWithinItsRange) {
    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const Case usage[] = {
        {{"--solution", "davies", "--temperature", "310"}, "accepted"},
        {{"--solution", "davies", "--solvent", "water", "--temperature", "373.15"}, "accepted"},
        {{"--solution", "davies", "--solvent", "methanol", "--temperature", "298.15"}, "accepted"},
        {{"--solution", "davies", "--temperature", "400", "--permittivity", "30", "--viscosity",
          "1"},
         "accepted"},
        {{"--solution", "davies", "--temperature", "400"},
         "--temperature takes water from 273.15 to 373.15 K, not '400'"},
        {{"--solution", "davies", "--solvent", "water", "--temperature", "273"},
         "--temperature takes water from 273.15 to 373.15 K, not '273'"},
        {{"--solution", "davies", "--solvent", "acetonitrile", "--temperature", "310"},
         "--temperature takes acetonitrile at 298.15 K only, not '310'"},
        {{"--solution", "davies", "--permittivity", "30", "--viscosity", "1"},
         "--temperature, --permittivity and --viscosity give another solvent together"},
    };
    for (const Case& c : usage) EXPECT_EQ(usageError(c.arguments), c.reason) << c.arguments[3];

    const std::string data = testing::exampleFile("cacl2-25C-water-dilute.txt");
    const struct {
        std::vector<std::string> solvent;
        std::string said;  // in the fit's solution model line
    } runs[] = {
        // The values by scripts/check-water-properties' formulas, in Python floats.
        {{"--temperature", "310"},
         "water (T = 310 K, eps_r = 74.2657, eta = 0.693329 mPa s), a = 4.5 A\t"},
        {{"--solvent", "water", "--temperature", "298.15"}, "water 25 C, a = 4.5 A\t"},
    };
    for (const auto& r : runs) {
        std::vector<std::string> arguments = {"--data",     data,          "--n",   "2",
                                              "--mcx",      "76.35",       "--fit", "K1,MCA",
                                              "--solution", "debye-huckel"};
        arguments.insert(arguments.end(), r.solvent.begin(), r.solvent.end());
        const BatchRun outcome = run(arguments);
        ASSERT_EQ(outcome.status, 0) << outcome.messages;
        const size_t line = outcome.results.find("\nsolution model\t");
        ASSERT_NE(line, std::string::npos) << outcome.results;
        EXPECT_NE(outcome.results.find(r.said, line), std::string::npos) << outcome.results;
    }
}

}  // namespace
}  // namespace condsim
