// Edit/Copy as Command: the command copied from the windows, run by the batch tool, writes
// the report the windows write, byte for byte; its arguments come back from the shell as
// they were.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "BatchTestSupport.h"
#include "TestSession.h"
#include "batch/BatchOptions.h"
#include "fit/ConstantsFit.h"
#include "ui/BatchCommand.h"
#include "ui/FitApplication.h"
#include "ui/MainWindowFit.h"
#include "ui/ObservedDataImport.h"

namespace condsim {
namespace {

using testing::Session;

// A copy of the example in the test's folder, where the command's files go beside it.
void openData(Session& s, const std::string& example) {
    const auto copy = s.directory.path() / example;
    std::filesystem::copy_file(testing::exampleFile(example), copy);
    s.platform.answerNextDialog(copy.string());
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
}

void chooseModel(Session& s, SolutionModelKind kind, const std::function<void()>& fields) {
    SolutionModelWindow& window = s.app.SolutionModelForm;
    window.Show();
    window.Model = kind;
    fields();
    ASSERT_TRUE(s.act([&] { window.OKClick(); })) << s.errors().back();
}

TEST(CopyAsCommand, TheCommandRunByTheBatchToolWritesTheWindowsReport) {
    struct Case {
        const char* name;
        std::function<void(Session&)> steps;  // before Conduct Calculations
        size_t files;                         // written beside the data
        const char* firstFile = "";           // the name of the first
    };
    const Case cases[] = {
        {"the fields as typed",
         [](Session& s) {
             openData(s, "observed-6to1-salt.txt");
             s.form1.SpinEdit1.setValue(5);
             s.form1.beta1.setText("12345.6");
             s.form1.SpinEdit2.setValue(41);
             s.form1.MCA.setText("80.5");
             s.form1.SpinEdit3.setValue(33);
             s.form1.InitializeClick();
         },
         0},
        {"a constant adopted by hand, factors of the hyperbolic rule",
         [](Session& s) {
             openData(s, "observed-6to1-salt.txt");
             // A file of the user's where the constants would go is left alone.
             std::ofstream(s.directory.path() / "observed-6to1-salt_constants.txt") << "1\n";
             s.form1.InitializeClick();
             s.form1.StringGrid2SelectCell(1, 4);
             s.form1.cellvalue.setText("77.7");
             ASSERT_TRUE(s.act([&] { s.form1.AdoptClick(); }));
             s.form1.Option1Click();
             s.form3.a_value.setText("2.3");
             ASSERT_TRUE(s.act([&] { s.form3.Button6Click(); }));
         },
         2, "observed-6to1-salt_constants-2.txt"},
        {"a fit of K1, alfa and MCA applied",
         [](Session& s) {
             openData(s, "observed-6to1-salt.txt");
             s.form1.InitializeClick();
             const FitResult result =
                 fitConstants(s.form1, {parseFitParameterList("K1,alfa,MCA"), {}});
             ASSERT_TRUE(result.converged()) << result.reason;
             ASSERT_TRUE(s.act([&] { applyFit(s.form1, result); }));
         },
         1, "observed-6to1-salt_constants.txt"},  // alfa fitted: Model #1 off
        {"Debye-Hueckel with Bjerrum's distance",
         [](Session& s) {
             openData(s, "observed-2to1-salt.txt");
             s.form1.SpinEdit1.setValue(2);
             s.form1.InitializeClick();
             chooseModel(s, SolutionModelKind::DebyeHuckel,
                         [&] { s.app.SolutionModelForm.BjerrumIonSize.setChecked(true); });
         },
         0},
        {"Davies in a solvent of one's own",
         [](Session& s) {
             openData(s, "observed-2to1-salt.txt");
             s.form1.SpinEdit1.setValue(2);
             s.form1.InitializeClick();
             chooseModel(s, SolutionModelKind::Davies, [&] {
                 SolutionModelWindow& w = s.app.SolutionModelForm;
                 w.SolventChoice = w.otherSolventChoice();
                 w.Temperature.setText("301.7");
                 w.Permittivity.setText("66.6");
                 w.Viscosity.setText("0.777");
                 w.IonSize.setText("5.1");
             });
         },
         0},
        {"measured data imported",
         [](Session& s) {
             const auto csv = s.directory.path() / "my data.csv";
             std::ofstream(csv) << "c;k\n0,5;60,1\n1;118,4\n2;232,9\n4;455\n";
             s.form1.SpinEdit1.setValue(2);
             s.form1.InitializeClick();
             s.platform.answerNextDialog(csv.string());
             ASSERT_TRUE(s.act([&] {
                 importObservedData(s.form1, [](ObservedDataImport& import) {
                     import.concentrationUnit = ConcentrationUnit::MillimolPerLitre;
                     import.conductivityUnit = ConductivityUnit::MicrosiemensPerCentimetre;
                     import.saveAfterLoading = false;
                     return true;
                 });
             })) << s.errors().back();
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        c.steps(s);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
        const std::string windows = (s.directory.path() / "windows.txt").string();
        s.platform.answerNextDialog(windows);
        ASSERT_TRUE(s.act([&] { s.form1.Save1Click(); }));

        const BatchCommand command = batchCommandOf(s.app);
        EXPECT_EQ(command.files.size(), c.files);
        if (!command.files.empty()) {
            EXPECT_EQ(command.files[0].first, (s.directory.path() / c.firstFile).string());
        }
        std::string line;
        ASSERT_TRUE(s.act([&] { line = copyAsCommand(s.app); }));
        EXPECT_EQ(line.rfind("condsim-batch ", 0), 0u);
        std::vector<std::string> arguments = command.arguments;
        arguments.insert(arguments.end(), {"--report", "batch.txt"});
        std::ostringstream messages;
        std::ostringstream results;
        ASSERT_EQ(runBatch(parseBatchOptions(arguments), messages, results,
                           testing::recordingCanvases(), testing::noPictures()),
                  0)
            << messages.str() << line;
        EXPECT_EQ(testing::contentOf(s.directory.path() / "batch.txt"), testing::contentOf(windows))
            << line;
    }
}

TEST(CopyAsCommand, ArgumentsComeBackFromTheShellAsTheyWere) {
    const std::vector<std::string> arguments = {
        "plain-1.5e-3", "/home/ana/my data.txt", "it's", "$HOME", "a\"b", "*", "",
        "tab\there",    "back\\slash",           "100%"};
    BatchCommand command{arguments, {}};
    std::string script = "printf '%s\\n'";
    for (const std::string& argument : arguments) script += " " + shellQuoted(argument);
    EXPECT_EQ(shellQuoted("0.001"), "0.001");
    EXPECT_EQ(shellQuoted("it's"), "'it'\\''s'");
    FILE* shell = popen(("/bin/sh -c " + shellQuoted(script)).c_str(), "r");
    ASSERT_NE(shell, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, shell) != nullptr) output += buffer;
    pclose(shell);
    std::string expected;
    for (const std::string& argument : arguments) expected += argument + "\n";
    EXPECT_EQ(output, expected);
    EXPECT_EQ(commandLineText(command).substr(0, 27), "condsim-batch plain-1.5e-3 ");
}

}  // namespace
}  // namespace condsim
