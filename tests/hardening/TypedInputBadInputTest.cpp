// Typed texts and settings that a handler cannot use, and reports that cannot be written:
// the exact error box, and the data, tables and reports that did not change.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "CaseNames.h"
#include "TestSession.h"
#include "UnprivilegedRun.h"
#include "hardening/StateSnapshot.h"

namespace condsim {
namespace {

using testing::Session;
using testing::StateSnapshot;
using testing::TableSnapshot;

const std::string overflow = "浮動小数点数のオーバーフロー.";

void loadObservedData(Session& s) {
    s.platform.answerNextDialog(testing::exampleFile("observed-6to1-salt.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
    s.form1.SpinEdit3.setValue(9);
    ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
    s.platform.messages.clear();
}

void editConstant(Session& s, int column, int row, const std::string& text) {
    s.form1.StringGrid2SelectCell(column, row);
    s.form1.cellvalue.setText(text);
    s.form1.AdoptClick();
}

// Adopts the text in the cell selected before.
void adopt(Session& s, const std::string& text) {
    s.form1.cellvalue.setText(text);
    s.form1.AdoptClick();
}

void nothingChanged(Session& s, const StateSnapshot& before) {
    EXPECT_TRUE(StateSnapshot(s.app) == before);
}

// What a failing typed value must leave alone in every case: the observed data and its
// table, the calculated table of the last sweep and the scaling factors.
struct Untouched {
    explicit Untouched(const Application& app)
        : observed(app.Form1.StringGrid1),
          calculated(app.Form2.StringGrid1),
          factors(app.Form3.StringGrid2),
          observedCount(app.state.observed.count),
          conc(app.state.observed.conc),
          sf(app.state.factors.sf) {}
    bool operator==(const Untouched&) const = default;
    TableSnapshot observed, calculated, factors;
    int observedCount;
    std::array<ext, observedCapacity + 1> conc;
    SpeciesArray sf;
};

struct TypedCase {
    const char* name;
    std::function<void(Session&)> prepare;  // typed before the snapshot
    std::function<void(Session&)> action;   // the handler that meets the value
    std::string error;
    // What this case leaves alone beyond Untouched.
    std::function<void(Session&, const StateSnapshot& before)> alsoUnchanged;
};

const TypedCase typedCases[] = {
    {"beta1 of 1E4000 overflows beta(2) in Initialize",
     [](Session& s) { s.form1.beta1.setText("1E4000"); },
     [](Session& s) { s.form1.InitializeClick(); }, overflow,
     [](Session&, const StateSnapshot&) {}},
    {"beta1 of 1E5000 is not a number: the constants stay",
     [](Session& s) { s.form1.beta1.setText("1E5000"); },
     [](Session& s) { s.form1.InitializeClick(); },
     "'1E5000' は浮動小数点数ではありません.\nThe field Beta(1) holds '1E5000', which is too "
     "large for a number: it takes a decimal number of 0 or more, such as 10000.",
     [](Session& s, const StateSnapshot& before) {
         EXPECT_TRUE(TableSnapshot(s.form1.StringGrid2) == before.constantsTable);
         EXPECT_EQ(s.app.state.model.beta, before.beta);
     }},
    {"stepwise constants of 1E4000 and 1E1000 typed into the table overflow the products",
     [](Session& s) { editConstant(s, 1, 2, "1E4000"); },
     [](Session& s) { editConstant(s, 1, 3, "1E1000"); }, overflow,
     [](Session&, const StateSnapshot&) {}},
    {"a concentration of 1E1000 overflows the powers of X in the solver",
     [](Session& s) { s.form1.c0.setText("1E1000"); }, [](Session& s) { s.form1.RefineXClick(); },
     overflow,
     [](Session& s, const StateSnapshot& before) {
         EXPECT_EQ(s.form1.conductivity.text(), before.fields[13]);
     }},
    {"beta(1) = 3 and beta(2) = 2 make D zero at a typed X of -1",
     [](Session& s) {
         s.form1.SpinEdit1.setValue(2);
         s.form1.InitializeClick();
         editConstant(s, 0, 1, "3");
         editConstant(s, 0, 2, "2");
         s.form1.XConc.setText("-1");
     },
     [](Session& s) { s.form1.CalcRightClick(); }, "0 による浮動小数点数除算.",
     [](Session& s, const StateSnapshot& before) {
         EXPECT_EQ(s.form1.uhen_out.text(), before.fields[15]);
     }},
    {"MCA that is not a number ends the sweep at its first point",
     [](Session& s) { s.form1.MCA.setText("abc"); }, [](Session& s) { s.form1.Button3Click(); },
     "'abc' は浮動小数点数ではありません.\nThe field MCA, lambda(A/z) holds 'abc', which is not "
     "a number: it takes a decimal number of 0 or more, such as 88.",
     [](Session&, const StateSnapshot&) {}},
    // Negative stepwise constants and limiting conductivities are refused before anything
    // changes; 0 stays allowed.
    {"beta1 of -5 is a negative K1", [](Session& s) { s.form1.beta1.setText("-5"); },
     [](Session& s) { s.form1.InitializeClick(); },
     "K1 = -5 in the field Beta(1) is negative: stepwise constants are 0 or more.", nothingChanged},
    {"a K cell of -20", [](Session& s) { s.form1.StringGrid2SelectCell(1, 2); },
     [](Session& s) { adopt(s, "-2E1"); },
     "K2 = -20 in the constants table is negative: stepwise constants are 0 or more.",
     nothingChanged},
    {"a K cell beyond n", [](Session& s) { s.form1.StringGrid2SelectCell(1, 40); },
     [](Session& s) { adopt(s, "-1"); },
     "K40 = -1 in the constants table is negative: stepwise constants are 0 or more.",
     nothingChanged},
    {"a beta cell of -1 in row 1", [](Session& s) { s.form1.StringGrid2SelectCell(0, 1); },
     [](Session& s) { adopt(s, "-1"); },
     "K1 = -1 in the constants table is negative: stepwise constants are 0 or more.",
     nothingChanged},
    {"a beta cell of -1 in row 3 makes K3 = beta3 / beta2 negative",
     [](Session& s) { s.form1.StringGrid2SelectCell(0, 3); }, [](Session& s) { adopt(s, "-1"); },
     "K3 = -5E-8 from beta3 = -1 in the constants table is negative: stepwise constants are 0 or "
     "more.",
     nothingChanged},
    {"MCA of -88 is refused before the sweep", [](Session& s) { s.form1.MCA.setText("-88"); },
     [](Session& s) { s.form1.Button3Click(); },
     "MCA = -88 is negative: limiting molar conductivities are 0 or more.", nothingChanged},
    {"MCX of -0.001 is refused before the sweep",
     [](Session& s) { s.form1.MCX.setText(" -1e-3 "); }, [](Session& s) { s.form1.Button3Click(); },
     "MCX = -0.001 is negative: limiting molar conductivities are 0 or more.", nothingChanged},
    {"a of 1E4933 in the hyperbolic rule is not a number: the factors stay",
     [](Session& s) {
         s.form1.Option1Click();
         s.form3.a_value.setText("1E4933");
     },
     [](Session& s) { s.form3.Button6Click(); },
     "'1E4933' は浮動小数点数ではありません.\nThe field a of Type 2 for the gradient holds "
     "'1E4933', "
     "which is too large for a number: it takes a decimal number other than 0, such as 1 or -0.5.",
     [](Session& s, const StateSnapshot& before) {
         EXPECT_TRUE(TableSnapshot(s.form3.StringGrid2) == before.factorTable);
     }},
};

class TypedBadInput : public ::testing::TestWithParam<int> {};

TEST_P(TypedBadInput, ShowsTheErrorAndLeavesTheDataAlone) {
    const TypedCase& c = typedCases[GetParam()];
    SCOPED_TRACE(c.name);
    Session s;
    loadObservedData(s);
    c.prepare(s);
    const StateSnapshot before(s.app);
    const Untouched untouched(s.app);

    EXPECT_FALSE(s.act([&] { c.action(s); }));
    EXPECT_EQ(s.errors(), std::vector<std::string>{c.error});
    EXPECT_TRUE(Untouched(s.app) == untouched);
    c.alsoUnchanged(s, before);
}

INSTANTIATE_TEST_SUITE_P(EveryCase, TypedBadInput,
                         ::testing::Range(0, static_cast<int>(std::size(typedCases))),
                         [](const auto& info) {
                             return testing::caseName(typedCases[info.param].name);
                         });

// Spin-field texts beyond every range, typed as a user would and not corrected (the field
// kept the focus): the logic reads each value bounded to the field's range, and the
// calculation runs to its end.
struct SpinCase {
    const char* name;
    SpinField TForm1::*field;
    std::string text;
    int constantsRows;   // n + 1
    int calculatedRows;  // points + 1
};

const SpinCase spinCases[] = {
    {"n of 31", &TForm1::SpinEdit1, "31", 31, 10},
    {"n of 2147483648, not a 32-bit number", &TForm1::SpinEdit1, "2147483648", 3, 10},
    {"n of -7", &TForm1::SpinEdit1, "-7", 3, 10},
    {"1001 points", &TForm1::SpinEdit3, "1001", 7, 1001},
    {"2147483647 points", &TForm1::SpinEdit3, "2147483647", 7, 1001},
    {"0 points", &TForm1::SpinEdit3, "0", 7, 10},
    {"-2147483648 points", &TForm1::SpinEdit3, "-2147483648", 7, 10},
    {"scale 0", &TForm1::SpinEdit4, "0", 7, 10},
    {"scale 100001", &TForm1::SpinEdit4, "100001", 7, 10},
    {"scale -2147483648", &TForm1::SpinEdit4, "-2147483648", 7, 10},
    {"alfa 0", &TForm1::SpinEdit2, "0", 7, 10},
    {"alfa 101", &TForm1::SpinEdit2, "101", 7, 10},
    {"alfa -50", &TForm1::SpinEdit2, "-50", 7, 10},
};

class SpinFieldBeyondRange : public ::testing::TestWithParam<int> {};

TEST_P(SpinFieldBeyondRange, IsReadWithinTheRangeAndTheCalculationEnds) {
    const SpinCase& c = spinCases[GetParam()];
    SCOPED_TRACE(c.name);
    Session s;
    loadObservedData(s);
    SpinField& field = s.form1.*(c.field);
    field.userSetText(c.text);  // runs Initialize, as every change of these fields does
    EXPECT_EQ(field.text(), c.text);
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), c.constantsRows);

    const bool calculated = s.act([&] { s.form1.Button3Click(); });
    // A negative alfa gives constants of alternating sign; the search may meet a pole of
    // the formation function, which is a floating-point error, never a hang or a crash.
    if (!calculated) {
        EXPECT_EQ(c.field, &TForm1::SpinEdit2);
        return;
    }
    EXPECT_TRUE(s.errors().empty());
    EXPECT_EQ(s.form2.StringGrid1.rowCount(), c.calculatedRows);
}

INSTANTIATE_TEST_SUITE_P(EveryField, SpinFieldBeyondRange,
                         ::testing::Range(0, static_cast<int>(std::size(spinCases))),
                         [](const auto& info) {
                             return testing::caseName(spinCases[info.param].name);
                         });

// --- Reports that cannot be written ----------------------------------------------------

void expectSaveFails(Session& s, const std::string& target, const std::string& error) {
    const StateSnapshot before(s.app);
    s.platform.answerNextDialog(target);
    EXPECT_FALSE(s.act([&] { s.form1.Save1Click(); }));
    EXPECT_EQ(s.errors(), std::vector<std::string>{error});
    EXPECT_TRUE(StateSnapshot(s.app) == before);
}

TEST(ReportBadTarget, FullDeviceShowsDiskFull) {
    Session s;
    loadObservedData(s);
    expectSaveFails(s, "/dev/full", "ディスクがいっぱいです.\n/dev/full");
}

TEST(ReportBadTarget, FolderThatDoesNotExistShowsFileNotFoundAndCreatesNothing) {
    Session s;
    loadObservedData(s);
    const auto folder = s.directory.path() / "no-such-folder";
    expectSaveFails(s, (folder / "report.txt").string(),
                    "ファイルが見つかりません.\n" + (folder / "report.txt").string());
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(ReportBadTarget, ReadOnlyReportIsRefusedAndKeepsItsText) {
    if (testing::ranAgainAsUnprivilegedUser())
        return;  // a read-only file does not stop root from writing
    Session s;
    loadObservedData(s);
    const std::string report = s.directory.write("old-report.txt", "the old report\r\n");
    ASSERT_EQ(::chmod(report.c_str(), 0444), 0);
    expectSaveFails(s, report, "ファイルへのアクセスが拒否されました.\n" + report);
    EXPECT_EQ(testing::contentOf(report), "the old report\r\n");
    for (const auto& entry : std::filesystem::directory_iterator(s.directory.path())) {
        EXPECT_NE(entry.path().filename().string().rfind(".condsim-", 0), 0u)
            << "temporary file left behind";
    }
}

}  // namespace
}  // namespace condsim
