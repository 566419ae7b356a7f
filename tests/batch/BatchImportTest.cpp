// condsim-batch with --import: the options and their usage errors, a run that imports
// the CaCl2 example from molality and equivalent conductance and writes it for --data,
// and decimal commas guessed, or refused.

#include <gtest/gtest.h>

#include <sstream>

#include "BatchTestSupport.h"
#include "TestSession.h"
#include "batch/BatchOptions.h"
#include "files/NumberText.h"
#include "model/ionic/WaterProperties.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

TEST(BatchImportOptions, EveryOptionTakesItsValue) {
    const auto options = parseBatchOptions(
        {"--import", "m.csv", "--columns", "2,3", "--skip", "4", "--separator", "semicolon",
         "--decimal-comma", "no", "--concentration-unit", "mol/kg", "--density=1.02",
         "--conductivity-unit", "equivalent", "--write-data", "w.txt"});
    const BatchImportOptions& i = options.importing;
    EXPECT_EQ(*i.file, "m.csv");
    EXPECT_EQ(*i.columns, std::make_pair(2, 3));
    EXPECT_EQ(*i.skip, 4);
    EXPECT_EQ(*i.separator, ColumnSeparator::Semicolon);
    EXPECT_EQ(*i.decimalComma, DecimalComma::No);
    EXPECT_EQ(*i.concentration, ConcentrationUnit::MolPerKilogram);
    EXPECT_EQ(*i.density, "1.02");
    EXPECT_EQ(*i.conductivity, ConductivityUnit::EquivalentConductance);
    EXPECT_EQ(*i.writeData, "w.txt");
    EXPECT_FALSE(options.data);

    const auto guessed =
        parseBatchOptions({"--import", "m.csv", "--separator", "auto", "--decimal-comma", "auto",
                           "--conductivity-unit", "uS/cm"});
    EXPECT_FALSE(guessed.importing.separator);
    EXPECT_FALSE(guessed.importing.decimalComma);
    EXPECT_FALSE(guessed.importing.skip);
    EXPECT_EQ(*guessed.importing.conductivity, ConductivityUnit::MicrosiemensPerCentimetre);
}

TEST(BatchImportOptions, UsageErrorsNameTheProblem) {
    const auto reason = [](std::vector<std::string> arguments) {
        try {
            parseBatchOptions(arguments);
        } catch (const BatchUsageError& error) {
            return error.reason;
        }
        return std::string("accepted");
    };
    const std::vector<std::string> import = {"--import", "m.csv", "--conductivity-unit", "molar"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), import.begin(), import.end());
        return more;
    };
    EXPECT_EQ(reason(with({})), "accepted");
    EXPECT_EQ(reason({"--import", "m.csv"}),
              "--import needs --conductivity-unit S/cm|mS/cm|uS/cm|S/m|molar|equivalent");
    EXPECT_EQ(reason(with({"--data", "d.txt"})),
              "--import and --data both load observed data: give one of them");
    EXPECT_EQ(reason({"--columns", "1,2"}), "the options of an import need --import FILE");
    EXPECT_EQ(reason(with({"--density", "1"})),
              "--density applies to --concentration-unit mol/kg only");
    EXPECT_EQ(
        reason(with({"--columns", "2,2"})),
        "--columns takes two different column numbers from 1, C,K, for example 1,3, not '2,2'");
    EXPECT_EQ(reason(with({"--separator", "pipe"})),
              "--separator takes auto|comma|semicolon|space|tab, not 'pipe'");
    EXPECT_EQ(reason(with({"--decimal-comma", "on"})),
              "--decimal-comma takes auto|no|yes, not 'on'");
    EXPECT_EQ(reason({"--decimal-comma", "yes"}), "the options of an import need --import FILE");
    EXPECT_EQ(reason({"--import", "m.csv", "--conductivity-unit", "S/cm2"}),
              "--conductivity-unit takes S/cm|S/m|equivalent|mS/cm|molar|uS/cm, not 'S/cm2'");
}

// The report without its first line, which names the data file.
std::string reportBody(const std::string& report) { return report.substr(report.find('\n') + 1); }

TEST(BatchImport, CalciumChlorideImportedGivesTheReportOfItsWrittenDataFile) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    BatchOptions options = parseBatchOptions(
        {"--import", testing::exampleFile("cacl2-25C-water-dilute-molal.csv"), "--columns", "2,3",
         "--concentration-unit", "mol/kg", "--conductivity-unit", "equivalent", "--n", "2",
         "--beta1", "0.2", "--points", "20", "--write-data", "written.txt", "--report",
         "imported-report.txt"});
    ASSERT_EQ(runBatch(options, messages, testing::recordingCanvases(), testing::noPictures()), 0)
        << messages.str();
    EXPECT_EQ(messages.str(),
              "Import of " + testing::exampleFile("cacl2-25C-water-dilute-molal.csv") +
                  ": --separator comma --skip 1 --decimal-comma no (guessed where not "
                  "given)\n"
                  "  skipped line 1: t (C),m (mol/kg),Lambda_eq (S cm2 equiv-1)\n");
    const std::string written = testing::contentOf(directory.path() / "written.txt");
    EXPECT_EQ(written.substr(0, written.find('\n') + 1), "7.577557E-5\t0.0199805\r\n");

    std::ostringstream again;
    options = parseBatchOptions({"--data", "written.txt", "--n", "2", "--beta1", "0.2", "--points",
                                 "20", "--report", "opened-report.txt"});
    ASSERT_EQ(runBatch(options, again, testing::recordingCanvases(), testing::noPictures()), 0)
        << again.str();
    const std::string imported = testing::contentOf(directory.path() / "imported-report.txt");
    EXPECT_FALSE(imported.empty());
    EXPECT_EQ(reportBody(imported),
              reportBody(testing::contentOf(directory.path() / "opened-report.txt")));
}

// A European export, semicolons and decimal commas, is guessed and the message names it;
// with decimal commas turned off the run ends with the refusal.
TEST(BatchImport, DecimalCommasAreGuessedAndNamedOrRefusedWithTheirReason) {
    TemporaryDirectory directory;
    const std::string file = directory.write("comma.csv", "\"c; mol/L\";k\r\n0,001;0,11\r\n");
    const auto run = [&](const std::string& decimalComma, std::ostringstream& messages) {
        return runBatch(
            parseBatchOptions({"--import", file, "--conductivity-unit", "mS/cm", "--decimal-comma",
                               decimalComma, "--write-data", "w.txt"}),
            messages, testing::recordingCanvases(), testing::noPictures());
    };
    std::ostringstream guessed;
    ASSERT_EQ(run("auto", guessed), 0) << guessed.str();
    EXPECT_EQ(guessed.str(), "Import of " + file +
                                 ": --separator semicolon --skip 1 --decimal-comma yes (guessed "
                                 "where not given)\n  skipped line 1: \"c; mol/L\";k\n");
    EXPECT_EQ(testing::contentOf(directory.path() / "w.txt"), "0.001\t0.11\r\n");

    std::ostringstream refused;
    EXPECT_EQ(run("no", refused), 1);
    EXPECT_TRUE(
        refused.str().ends_with("\nDecimal commas are not read, as no was chosen for them: "
                                "choose yes or automatic.\n"))
        << refused.str();
}

// The lines that the guess of the header skips are shown, so that a data row taken for a
// header is seen; lines skipped by --skip are the user's choice and are not repeated.
TEST(BatchImport, LinesSkippedByTheGuessAreShown) {
    const struct {
        const char* name;
        std::string content;
        std::vector<std::string> skip;  // --skip, or none
        std::string shown;              // the messages after the guess's line
    } cases[] = {
        {"a header", "conc cond\n0.001 0.11\n0.002 0.2\n", {}, "  skipped line 1: conc cond\n"},
        {"a unit in the first row",
         "0.0001 M,0.05\n0.001,0.11\n0.002,0.2\n",
         {},
         "  skipped line 1: 0.0001 M,0.05\n"},
        {"a NUL at the end of the first row",
         std::string("0.0001 0.05\0\n0.001 0.11\n", 24) + "0.002 0.2\n",
         {},
         "  skipped line 1: 0.0001 0.05\\x00\n"},
        {"no header", "0.001 0.11\n0.002 0.2\n", {}, ""},
        {"lines skipped by the user", "conc cond\n0.001 0.11\n0.002 0.2\n", {"--skip", "1"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        const std::string file = directory.write("measured.txt", c.content);
        std::vector<std::string> arguments = {"--import", file, "--conductivity-unit", "mS/cm"};
        arguments.insert(arguments.end(), c.skip.begin(), c.skip.end());
        std::ostringstream messages;
        runBatch(parseBatchOptions(arguments), messages, testing::recordingCanvases(),
                 testing::noPictures());
        const std::string text = messages.str();
        const auto guess = text.find("(guessed where not given)\n");
        ASSERT_NE(guess, std::string::npos) << text;
        const std::string after =
            text.substr(guess + std::string("(guessed where not given)\n").size());
        EXPECT_EQ(after.substr(0, c.shown.size()), c.shown) << text;
        if (c.shown.empty()) {
            EXPECT_EQ(after.find("skipped line"), std::string::npos) << text;
        }
    }
}

// Molalities become molarities with water's density at the run's temperature when the
// solvent is water at a temperature; otherwise with the density of 25 C, or --density.
TEST(BatchImport, MolalitiesTakeWatersDensityAtTheRunsTemperature) {
    TemporaryDirectory directory;
    const std::string file = directory.write("molal.txt", "0.01 0.11\n");
    const struct {
        std::vector<std::string> options;
        ext density;  // kg/L
        bool said;    // the density named on standard error
    } cases[] = {
        {{}, 0.997047L, false},
        {{"--solution", "davies", "--temperature", "298.15"}, 0.997047L, false},
        {{"--solution", "davies", "--temperature", "323.15"},
         waterProperties(323.15L).density,
         true},
        {{"--solution", "davies", "--temperature", "323.15", "--density", "1.01"}, 1.01L, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.empty() ? "default" : c.options.back());
        std::vector<std::string> arguments = {"--import",
                                              file,
                                              "--concentration-unit",
                                              "mol/kg",
                                              "--conductivity-unit",
                                              "mS/cm",
                                              "--write-data",
                                              "w.txt",
                                              "--n",
                                              "2"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        std::ostringstream messages;
        ASSERT_EQ(runBatch(parseBatchOptions(arguments), messages, testing::recordingCanvases(),
                           testing::noPictures()),
                  0)
            << messages.str();
        const std::string written = testing::contentOf(directory.path() / "w.txt");
        const ext concentration = *numberOrNothing(written.substr(0, written.find('\t')));
        EXPECT_NEAR(concentration / (0.01L * c.density), 1, 1e-6L) << written;
        EXPECT_EQ(messages.str().find("  --density 0.988") != std::string::npos, c.said)
            << messages.str();
    }
    // 50 C water is lighter than 25 C water by about 0.9 %: the cases differ.
    EXPECT_LT(waterProperties(323.15L).density, 0.992L);
}

}  // namespace
}  // namespace condsim
