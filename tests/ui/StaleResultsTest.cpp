// What the main window computes is what it shows: File/Save and File/Export Data... calculate
// again when an input of the calculation changed since Conduct Calculations, Conduct
// Calculations makes constants that were never set from the fields first, and a field that
// does not read as a number is named in the error.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "SweepSession.h"
#include "TestSession.h"
#include "files/DecimalSeparator.h"
#include "ui/FitWindow.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"

namespace condsim {
namespace {

using testing::openObservedFile;
using testing::Session;
using testing::sweep;
using testing::threePoints;

std::string saved(Session& s, const std::string& name, const std::function<void()>& command = {}) {
    s.platform.answerNextDialog((s.directory.path() / name).string());
    const bool done = s.act(command ? command : [&] { s.form1.Save1Click(); });
    EXPECT_TRUE(done) << (s.errors().empty() ? "" : s.errors().back());
    return done ? testing::contentOf(s.directory.path() / name) : std::string();
}

// The example of the 6:1 salt, initialised and calculated with 20 points.
void calculatedExample(Session& s) {
    s.platform.answerNextDialog(testing::exampleFile("observed-6to1-salt.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 20));
}

TEST(StaleResults, SaveAndExportCalculateAgainWhenAnInputChangedSinceTheSweep) {
    const struct {
        const char* change;
        std::function<void(Session&)> make;
    } cases[] = {
        {"beta1 and Update",
         [](Session& s) {
             s.form1.beta1.setText("5000");
             s.form1.Button1Click();
         }},
        {"n", [](Session& s) { s.form1.SpinEdit1.userSetText("4"); }},
        {"alfa", [](Session& s) { s.form1.SpinEdit2.userSetText("35"); }},
        {"MCA", [](Session& s) { s.form1.MCA.setText("70"); }},
        {"MCX", [](Session& s) { s.form1.MCX.setText("65"); }},
        {"scaling factors",
         [](Session& s) {
             s.form1.Option1Click();
             s.form3.katamuki.userSetText("-10");
         }},
        {"an observed concentration",
         [](Session& s) { s.form1.StringGrid1.setCell(0, 3, "4E-04"); }},
        {"other observed data", [](Session& s) { openObservedFile(s, "three.txt", threePoints); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        Session s;
        calculatedExample(s);
        const std::string before = saved(s, "before.txt");
        const std::string csvBefore = saved(s, "before.csv", [&] { s.form1.ExportData1Click(); });
        c.make(s);
        const std::string report = saved(s, "report.txt");
        const std::string csv = saved(s, "data.csv", [&] { s.form1.ExportData1Click(); });
        EXPECT_NE(report, before);
        EXPECT_NE(csv, csvBefore);
        // The same as Conduct Calculations and then Save.
        ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
        EXPECT_EQ(report, saved(s, "again.txt"));
        EXPECT_EQ(csv, saved(s, "again.csv", [&] { s.form1.ExportData1Click(); }));
    }

    // Nothing changed: the results are saved as they stand (a cell put into the calculated
    // table by hand stays), and the plot range's rounding in its fields does not count.
    Session s;
    calculatedExample(s);
    s.form2.StringGrid1.setCell(1, 1, "0.5");
    const std::string firstRow = "\r\n" + s.form2.StringGrid1.cell(0, 1) + "\t0.5\t";
    EXPECT_NE(saved(s, "kept.txt").find(firstRow), std::string::npos);

    // A sweep that failed left half old, half new tables: Save runs it again and shows its
    // error rather than write them.
    s.form1.MCA.setText("abc");
    EXPECT_FALSE(s.act([&] { s.form1.Button3Click(); }));
    s.platform.answerNextDialog((s.directory.path() / "failed.txt").string());
    EXPECT_FALSE(s.act([&] { s.form1.Save1Click(); }));
    EXPECT_EQ(s.errors().size(), 2u);
    EXPECT_EQ(s.errors().front(), s.errors().back());
    EXPECT_FALSE(std::filesystem::exists(s.directory.path() / "failed.txt"));
}

// No row stays from before: new observed data empty the species table of the last solve
// (at n = 30 it had 31 rows), and the cell-value field follows its cell when Update,
// Initialize or an import of constants rewrites the table, unless a value was typed in it.
TEST(StaleResults, NoRowOrCellValueOutlivesWhatItWasOf) {
    Session s;
    s.form1.SpinEdit1.setValue(30);
    calculatedExample(s);
    ASSERT_EQ(s.form1.StringGrid3.rowCount(), 32);  // header, AX0..AX30
    s.platform.answerNextDialog(testing::exampleFile("observed-2to1-salt.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    EXPECT_EQ(s.form1.StringGrid3.rowCount(), 5);
    for (int row = 1; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(s.form1.StringGrid3.cell(column, row), "") << column << "," << row;
    EXPECT_EQ(s.form1.StringGrid3.cell(0, 0), "Species");  // the header stays

    const struct {
        const char* change;
        const char* typed;  // nullptr: the field shows the cell as selected
        const char* shown;
    } cases[] = {
        {"beta1 and Update", nullptr, "50"},  // K2 = 1000 x alfa 5 %
        {"beta1 and Update", "777", "777"},   // a value typed for Adopt stays
    };
    for (const auto& c : cases) {
        Session t;
        t.form1.InitializeClick();
        t.form1.StringGrid2.select(1, 2);  // K2 = 2000
        ASSERT_EQ(t.form1.cellvalue.text(), "2000");
        if (c.typed != nullptr) t.form1.cellvalue.setText(c.typed);
        t.form1.beta1.setText("1000");
        t.form1.SpinEdit2.setValue(5);
        ASSERT_TRUE(t.act([&] { t.form1.Button1Click(); }));
        EXPECT_EQ(t.form1.StringGrid2.cell(1, 2), "50");
        EXPECT_EQ(t.form1.cellvalue.text(), c.shown) << c.change << (c.typed ? " typed" : "");
    }
}

TEST(ConductCalculations, ConstantsNeverSetAreMadeFromTheFieldsFirst) {
    const struct {
        const char* before;
        std::function<void(Session&)> make;
        const char* K1;  // after the calculation
        bool sameAsInitialize;
    } cases[] = {
        {"nothing", [](Session&) {}, "10000", true},
        {"beta1 typed", [](Session& s) { s.form1.beta1.setText("2500"); }, "2500", true},
        {"Model #1 off", [](Session& s) { s.form1.CheckBox1.setChecked(false); }, "10000", true},
        // Constants already set are used as they are.
        {"stepwise constants imported",
         [](Session& s) {
             s.form1.SetStepwiseConstants({300, 20});
         },
         "300", false},
        {"a cell adopted",
         [](Session& s) {
             s.form1.StringGrid2SelectCell(1, 1);
             s.form1.cellvalue.setText("700");
             s.form1.AdoptClick();
         },
         "700", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        Session s;
        openObservedFile(s, "three.txt", threePoints);
        c.make(s);
        ASSERT_TRUE(sweep(s, 9)) << s.errors().back();
        EXPECT_EQ(s.form1.StringGrid2.cell(1, 1), c.K1);
        EXPECT_NE(s.form2.StringGrid1.cell(2, 1), "100");  // not all of it free
        if (!c.sameAsInitialize) continue;

        Session initialized;
        openObservedFile(initialized, "three.txt", threePoints);
        c.make(initialized);
        initialized.form1.InitializeClick();
        ASSERT_TRUE(sweep(initialized, 9));
        for (int row = 0; row < s.form2.StringGrid1.rowCount(); ++row)
            for (int column = 0; column < s.form2.StringGrid1.columnCount(); ++column)
                EXPECT_EQ(s.form2.StringGrid1.cell(column, row),
                          initialized.form2.StringGrid1.cell(column, row));
        EXPECT_EQ(s.platform.messages, initialized.platform.messages);  // the caution, if any
    }
}

struct SeparatorScope {
    explicit SeparatorScope(char separator) { setDecimalSeparator(separator); }
    ~SeparatorScope() { setDecimalSeparator('.'); }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;
};

// The Fit window's fit and comparison of n make constants never set from the fields first,
// as Conduct Calculations does; constants already set are kept.
TEST(FitWindowStart, ConstantsNeverSetAreMadeFromTheFieldsFirst) {
    const struct {
        const char* action;
        std::function<void(FitWindow&)> press;
    } actions[] = {
        {"Run", [](FitWindow& fit) { fit.RunClick(); }},
        {"Compare", [](FitWindow& fit) { fit.CompareClick(); }},
    };
    for (const auto& action : actions) {
        for (const bool setBefore : {false, true}) {
            SCOPED_TRACE(std::string(action.action) + (setBefore ? ", constants set" : ""));
            Session s;
            openObservedFile(s, "three.txt", threePoints);
            if (setBefore) s.form1.SetStepwiseConstants({300, 20});
            FitWindow fit(s.form1, testing::recordingCanvases());
            fit.fromN.setValue(2);
            fit.toN.setValue(3);
            s.act([&] { action.press(fit); });
            EXPECT_TRUE(s.app.state.constantsSet);
            EXPECT_EQ(s.form1.StringGrid2.cell(1, 1), setBefore ? "300" : "10000");
        }
    }
}

TEST(FieldNumbers, ATextThatIsNotANumberNamesItsFieldAndWhatItTakes) {
    const auto conduct = [](Session& s) { s.form1.Button3Click(); };
    const auto okWithOtherSolvent = [](Session& s) {
        SolutionModelWindow& window = s.app.SolutionModelForm;
        window.Model = SolutionModelKind::Davies;
        window.SolventChoice = window.otherSolventChoice();
        window.OKClick();
    };
    const struct {
        const char* name;
        char separator;
        std::function<void(Session&)> type;
        std::function<void(Session&)> act;
        const char* error;
    } cases[] = {
        {"MCA", '.', [](Session& s) { s.form1.MCA.setText("abc"); }, conduct,
         "'abc' は浮動小数点数ではありません.\nThe field MCA, lambda(A/z) holds 'abc', which is "
         "not a number: it takes a decimal number of 0 or more, such as 88."},
        {"MCX with a decimal comma", '.', [](Session& s) { s.form1.MCX.setText("59,5"); }, conduct,
         "'59,5' は浮動小数点数ではありません.\nThe field MCX, lambda(X-) holds '59,5', which is "
         "not a number: it takes a decimal number of 0 or more, such as 59. The decimal "
         "separator is a period: type '59.5'."},
        {"MCA with a period where the separator is a comma", ',',
         [](Session& s) { s.form1.MCA.setText("88.5"); }, conduct,
         "'88.5' は浮動小数点数ではありません.\nThe field MCA, lambda(A/z) holds '88.5', which "
         "is not a number: it takes a decimal number of 0 or more, such as 88. The decimal "
         "separator is a comma: type '88,5'."},
        {"beta1", '.', [](Session& s) { s.form1.beta1.setText("1O000"); },
         [](Session& s) { s.form1.Button1Click(); },
         "'1O000' は浮動小数点数ではありません.\nThe field Beta(1) holds '1O000', which is not a "
         "number: it takes a decimal number of 0 or more, such as 10000."},
        {"beta1 empty", '.', [](Session& s) { s.form1.beta1.setText(" "); },
         [](Session& s) { s.form1.Button1Click(); },
         "' ' は浮動小数点数ではありません.\nThe field Beta(1) is empty: it takes a decimal number "
         "of 0 or more, such as 10000."},
        {"eps_r", '.', [](Session& s) { s.app.SolutionModelForm.Permittivity.setText("abc"); },
         okWithOtherSolvent,
         "'abc' は浮動小数点数ではありません.\nThe field eps_r holds 'abc', which is not a number: "
         "it takes a positive decimal number, such as 78.38."},
        {"a of the hyperbolic rule", '.', [](Session& s) { s.form3.a_value.setText("0,5"); },
         [](Session& s) { s.form3.Button6Click(); },
         "'0,5' は浮動小数点数ではありません.\nThe field a of Type 2 for the gradient holds '0,5', "
         "which is not a number: it takes a decimal number other than 0, such as 1 or -0.5. The "
         "decimal separator is a period: type '0.5'."},
        {"ion size", '.', [](Session& s) { s.app.SolutionModelForm.IonSize.setText("4,5"); },
         okWithOtherSolvent,
         "'4,5' は浮動小数点数ではありません.\nThe field a (ion size, Angstrom) holds '4,5', which "
         "is not a number: it takes a positive decimal number, such as 4.5. The decimal "
         "separator is a period: type '4.5'."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SeparatorScope separator(c.separator);
        Session s;
        openObservedFile(s, "three.txt", threePoints);
        s.form1.InitializeClick();
        c.type(s);
        EXPECT_FALSE(s.act([&] { c.act(s); }));
        EXPECT_EQ(s.errors(), std::vector<std::string>{c.error});
    }
}

}  // namespace
}  // namespace condsim
