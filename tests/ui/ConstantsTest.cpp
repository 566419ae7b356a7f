#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSession.h"
#include "ui/TForm1.h"

namespace condsim {
namespace {

using testing::Session;
using Texts = std::vector<std::string>;

const std::string caution =
    "Caution!! The current K2-Kn values (excluding K1) are used to set up all the beta(n) values.";

// The texts of one column of the constants table, rows 1..rowCount-1.
Texts column(const TForm1& form, int c) {
    Texts texts;
    for (int r = 1; r < form.StringGrid2.rowCount(); ++r)
        texts.push_back(form.StringGrid2.cell(c, r));
    return texts;
}
Texts betaColumn(const TForm1& form) { return column(form, 0); }
Texts kColumn(const TForm1& form) { return column(form, 1); }

// Every row the constants table can show while n stays within 2..30, header included.
constexpr int storedRows = 32;

// Everything a failed step must leave alone: the arrays, every stored cell and the switch.
struct Snapshot {
    explicit Snapshot(const TForm1& form)
        : K(form.state().model.K),
          beta(form.state().model.beta),
          switchOn(form.CheckBox1.checked()) {
        for (int r = 0; r < storedRows; ++r)
            cells.push_back({form.StringGrid2.cell(0, r), form.StringGrid2.cell(1, r)});
    }
    SpeciesArray K, beta;
    bool switchOn;
    std::vector<Texts> cells;
};

void expectUnchanged(const Snapshot& before, const TForm1& form, int exceptRow = -1,
                     int exceptColumn = -1) {
    const Snapshot after(form);
    EXPECT_EQ(after.K, before.K);
    EXPECT_EQ(after.beta, before.beta);
    EXPECT_EQ(after.switchOn, before.switchOn);
    for (int r = 0; r < storedRows; ++r) {
        for (int c = 0; c < 2; ++c) {
            if (r == exceptRow && c == exceptColumn) continue;
            EXPECT_EQ(after.cells[r][c], before.cells[r][c]) << "cell " << c << "," << r;
        }
    }
}

void adopt(Session& s, int c, int r, const std::string& text) {
    s.form1.StringGrid2.select(c, r);
    s.form1.cellvalue.setText(text);
    s.act([&] { s.form1.AdoptClick(); });
}

TEST(FormationConstants, DefaultsGiveTheModelOneTable) {
    Session s;
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 1), "");  // nothing runs at start
    s.act([&] { s.form1.InitializeClick(); });
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), 7);
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 0), "beta(n) (M)");
    EXPECT_EQ(s.form1.StringGrid2.cell(1, 0), "K(n) (M)");
    EXPECT_EQ(kColumn(s.form1), (Texts{"10000", "2000", "400", "80", "16", "3.2"}));
    EXPECT_EQ(betaColumn(s.form1), (Texts{"10000", "20000000", "8000000000", "640000000000",
                                          "10240000000000", "32768000000000"}));
    EXPECT_EQ(s.form1.state().model.K[6],
              10000.0L * 20 / 100 * 20 / 100 * 20 / 100 * 20 / 100 * 20 / 100);
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_TRUE(s.errors().empty());
}

TEST(FormationConstants, AlfaIsThePercentageOfThePreviousConstant) {
    struct Case {
        int alfa;
        Texts K, beta;
    };
    const Case cases[] = {
        {100,
         {"10000", "10000", "10000", "10000", "10000", "10000"},
         {"10000", "100000000", "1000000000000", "1E16", "1E20", "1E24"}},
        {1,
         {"10000", "100", "1", "0.01", "0.0001", "1E-6"},
         {"10000", "1000000", "1000000", "10000", "1", "1E-6"}},
    };
    for (const auto& c : cases) {
        Session s;
        s.form1.SpinEdit2.setValue(c.alfa);
        s.form1.InitializeClick();
        EXPECT_EQ(kColumn(s.form1), c.K) << c.alfa;
        EXPECT_EQ(betaColumn(s.form1), c.beta) << c.alfa;
    }
}

TEST(FormationConstants, SwitchOffWarnsAndUsesTheKValuesHeld) {
    Session s;
    s.form1.CheckBox1.setChecked(false);
    s.act([&] { s.form1.InitializeClick(); });
    EXPECT_EQ(s.platform.messages, Texts{caution});
    EXPECT_EQ(kColumn(s.form1), (Texts{"10000", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(betaColumn(s.form1), (Texts{"10000", "0", "0", "0", "0", "0"}));
    // Every change of the other spin fields runs Initialize, and with it the caution (for a
    // typed text when it is committed).
    s.form1.SpinEdit2.userStep(+1);
    s.form1.SpinEdit3.userSetText("");
    s.form1.SpinEdit3.userLeave();
    s.form1.SpinEdit4.userStep(-1);
    EXPECT_EQ(s.platform.messages.size(), 4u);
    EXPECT_TRUE(s.errors().empty());
}

TEST(FormationConstants, LoweringAndRaisingNWithTheSwitchOffBringsBackHiddenK) {
    Session s;
    s.form1.InitializeClick();  // K = 10000, 2000, 400, 80, 16, 3.2
    s.form1.CheckBox1.setChecked(false);
    s.form1.beta1.setText("100");
    s.form1.SpinEdit1.userSetText("3");
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), 4);
    EXPECT_EQ(kColumn(s.form1), (Texts{"100", "2000", "400"}));
    s.form1.SpinEdit1.userSetText("6");
    EXPECT_EQ(kColumn(s.form1), (Texts{"100", "2000", "400", "80", "16", "3.2"}));
    EXPECT_EQ(betaColumn(s.form1),
              (Texts{"100", "200000", "80000000", "6400000000", "102400000000", "327680000000"}));
    s.form1.SpinEdit1.userLeave();
    EXPECT_EQ(s.platform.messages.size(), 1u);
}

// With Model #1 off the caution must not take the digits of a number being typed: each
// typed change initializes at once, and the one caution comes when the text is committed.
TEST(FormationConstants, CautionWaitsUntilTheTypedNumberIsCommitted) {
    const struct {
        const char* commit;
        std::function<void(SpinField&)> act;
        int rows;
    } cases[] = {
        {"Enter", [](SpinField& f) { f.userCommit(); }, 31},
        {"leaving", [](SpinField& f) { f.userLeave(); }, 31},
        {"arrow up", [](SpinField& f) { f.userStep(+1); }, 31},  // 30 stays 30
        {"arrow down", [](SpinField& f) { f.userStep(-1); }, 30},
    };
    for (const auto& c : cases) {
        Session s;
        s.form1.CheckBox1.setChecked(false);
        s.form1.SpinEdit1.userSetText("3");
        s.form1.SpinEdit1.userSetText("30");
        EXPECT_EQ(s.form1.StringGrid2.rowCount(), 31) << c.commit;
        EXPECT_TRUE(s.platform.messages.empty()) << c.commit;
        c.act(s.form1.SpinEdit1);
        EXPECT_EQ(s.form1.StringGrid2.rowCount(), c.rows) << c.commit;
        EXPECT_EQ(s.platform.messages, Texts{caution}) << c.commit;
        // Committed: Enter or leaving again shows nothing more.
        s.form1.SpinEdit1.userCommit();
        s.form1.SpinEdit1.userLeave();
        EXPECT_EQ(s.platform.messages, Texts{caution}) << c.commit;
    }
    // Model #1 on (no caution), or turned on before the commit: nothing waits.
    Session s;
    s.form1.SpinEdit3.userSetText("30");
    s.form1.SpinEdit3.userCommit();
    s.form1.CheckBox1.setChecked(false);
    s.form1.SpinEdit4.userSetText("9");
    s.form1.CheckBox1.setChecked(true);
    s.form1.SpinEdit4.userSetText("8");
    s.form1.SpinEdit4.userLeave();
    EXPECT_TRUE(s.platform.messages.empty());
}

TEST(FormationConstants, NTypedBeyondTheFieldRangeIsBoundedToIt) {
    Session s;
    const struct {
        const char* typed;
        int rows;
    } cases[] = {{"500", 31}, {"-5", 3}, {"1", 3}, {"12", 13}, {"", 3}, {"-", 3}};
    for (const auto& c : cases) {
        s.form1.SpinEdit1.userSetText(c.typed);
        EXPECT_EQ(s.form1.StringGrid2.rowCount(), c.rows) << c.typed;
    }
    EXPECT_EQ(s.form1.StringGrid2.cell(1, 2), "2000");
    // Nothing beyond the field's maximum was written.
    EXPECT_EQ(s.form1.state().model.K[31], 0);
    EXPECT_EQ(s.form1.state().model.beta[31], 0);
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 31), "");
    // Leaving the field puts the typed 45 back to 30 and runs Initialize once more.
    s.form1.SpinEdit1.userSetText("45");
    s.form1.SpinEdit2.setValue(100);
    s.form1.SpinEdit1.userLeave();
    EXPECT_EQ(s.form1.SpinEdit1.text(), "30");
    EXPECT_EQ(s.form1.StringGrid2.cell(1, 30), "10000");
    EXPECT_TRUE(s.errors().empty());
}

TEST(FormationConstants, ListOfStepwiseConstants) {
    Session s;
    s.form1.SpinEdit2.setValue(100);
    s.form1.InitializeClick();  // K = 10000 in all six rows
    s.form1.SetStepwiseConstants({100, 10, 1});
    EXPECT_EQ(s.form1.SpinEdit1.text(), "3");
    EXPECT_EQ(kColumn(s.form1), (Texts{"100", "10", "1"}));
    EXPECT_EQ(betaColumn(s.form1), (Texts{"100", "1000", "1000"}));
    EXPECT_FALSE(s.form1.CheckBox1.checked());
    EXPECT_EQ(s.form1.beta1.text(), "10000");
    EXPECT_TRUE(s.platform.messages.empty());  // setting n ran no Initialize

    s.form1.SetStepwiseConstants({7});
    EXPECT_EQ(s.form1.SpinEdit1.text(), "2");
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), 2);
    EXPECT_EQ(kColumn(s.form1), Texts{"7"});
    EXPECT_EQ(s.form1.state().model.K[2], 10);
    EXPECT_EQ(s.form1.state().model.beta[2], 1000);

    s.form1.SetStepwiseConstants({});
    EXPECT_EQ(s.form1.SpinEdit1.text(), "2");
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), 1);
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 0), "beta(n) (M)");

    // A list longer than the field's range still sets every constant, n stays 30.
    s.form1.SetStepwiseConstants(std::vector<ext>(40, 2));
    EXPECT_EQ(s.form1.SpinEdit1.text(), "30");
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), 41);
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 40), "1099511627776");
}

TEST(FormationConstants, AdoptingACellBringsTheOtherColumnIntoLine) {
    struct Case {
        int column, row;
        const char* text;
        Texts beta, K;
    };
    const Case cases[] = {
        {0, 2, "5000", {"100", "5000", "1000"}, {"100", "50", "0.2"}},
        {1, 2, "20", {"100", "2000", "2000"}, {"100", "20", "1"}},
        {1, 1, " 1E3 ", {"1000", "10000", "10000"}, {"1000", "10", "1"}},
    };
    for (const auto& c : cases) {
        Session s;
        s.form1.SetStepwiseConstants({100, 10, 1});
        s.form1.StringGrid2.select(c.column, c.row);
        EXPECT_EQ(s.form1.cellvalue.text(), s.form1.StringGrid2.cell(c.column, c.row));
        s.form1.cellvalue.setText(c.text);
        EXPECT_TRUE(s.act([&] { s.form1.AdoptClick(); }));
        EXPECT_EQ(betaColumn(s.form1), c.beta) << c.text;
        EXPECT_EQ(kColumn(s.form1), c.K) << c.text;
        EXPECT_EQ(s.form1.state().model.K[1], s.form1.state().model.beta[1]);
        EXPECT_EQ(s.form1.beta1.text(), "10000");
    }
    // Adopt turns Model #1 off, so the next Initialize warns and keeps the adopted K.
    Session s;
    s.form1.InitializeClick();
    adopt(s, 1, 3, "1");
    EXPECT_FALSE(s.form1.CheckBox1.checked());
    s.form1.InitializeClick();
    EXPECT_EQ(kColumn(s.form1), (Texts{"10000", "2000", "1", "80", "16", "3.2"}));
    EXPECT_EQ(s.platform.messages, Texts{caution});
}

TEST(FormationConstants, AdoptBeforeAnySelectionWritesTheHeaderCell) {
    Session s;
    s.form1.InitializeClick();
    s.form1.cellvalue.setText("7");
    s.act([&] { s.form1.AdoptClick(); });
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 0), "7");
    EXPECT_EQ(s.form1.state().model.beta[0], 7);
    EXPECT_EQ(kColumn(s.form1), (Texts{"10000", "2000", "400", "80", "16", "3.2"}));
    EXPECT_FALSE(s.form1.CheckBox1.checked());
    s.form1.InitializeClick();
    EXPECT_EQ(s.form1.StringGrid2.cell(0, 0), "beta(n) (M)");
}

TEST(FormationConstants, NonNumberChangesNothingButWhatWasAlreadyShown) {
    for (const bool switchOn : {true, false}) {
        Session s;
        s.form1.InitializeClick();
        s.form1.CheckBox1.setChecked(switchOn);
        s.platform.messages.clear();
        const Snapshot before(s.form1);

        // beta1: the table already has the rows of the new n and its headers, nothing else.
        s.form1.beta1.setText(" 1x ");
        s.form1.SpinEdit1.setValue(3);
        EXPECT_FALSE(s.act([&] { s.form1.InitializeClick(); }));
        EXPECT_EQ(s.errors().back(),
                  "' 1x ' は浮動小数点数ではありません.\nThe field Beta(1) holds ' 1x ', which is "
                  "not a number: it takes a decimal number of 0 or more, such as 10000.");
        EXPECT_EQ(s.form1.StringGrid2.rowCount(), 4);
        expectUnchanged(before, s.form1);
        EXPECT_TRUE(s.platform.messages.empty());  // the caution comes after the parse

        // cellvalue: the cell shows the text, nothing else changes.
        s.form1.SpinEdit1.setValue(6);
        adopt(s, 1, 2, "abc");
        EXPECT_EQ(s.errors().back(), "'abc' は浮動小数点数ではありません.");
        EXPECT_EQ(s.form1.StringGrid2.cell(1, 2), "abc");
        expectUnchanged(before, s.form1, 2, 1);
        EXPECT_EQ(s.errors().size(), 2u);
    }
}

TEST(FormationConstants, BetaEditOverAZeroBetaStopsAtThatRow) {
    // A zero beta(2) makes K(3) = beta(3) / 0.
    Session s;
    s.form1.InitializeClick();
    const Snapshot before(s.form1);
    adopt(s, 0, 2, "0");
    EXPECT_EQ(s.errors(), Texts{"0 による浮動小数点数除算."});
    const auto& model = s.form1.state().model;
    EXPECT_EQ(model.beta[2], 0);
    EXPECT_EQ(model.K[2], 0);
    EXPECT_EQ(betaColumn(s.form1), (Texts{"10000", "0", "8000000000", "640000000000",
                                          "10240000000000", "32768000000000"}));
    EXPECT_EQ(kColumn(s.form1), (Texts{"10000", "0", "400", "80", "16", "3.2"}));
    for (int r = 3; r <= 6; ++r) EXPECT_EQ(model.K[r], before.K[r]) << r;
    EXPECT_TRUE(s.form1.CheckBox1.checked());

    // Then a zero beta(3) as well: K(3) = 0 / 0 is an invalid operation, and K(3) keeps
    // its value while its beta cell already shows the adopted text.
    adopt(s, 0, 3, "0");
    EXPECT_EQ(s.errors().back(), "不正な浮動小数点数演算命令.");
    EXPECT_EQ(model.beta[3], 0);
    EXPECT_EQ(model.K[3], before.K[3]);
    EXPECT_EQ(betaColumn(s.form1),
              (Texts{"10000", "0", "0", "640000000000", "10240000000000", "32768000000000"}));
    EXPECT_EQ(kColumn(s.form1), (Texts{"10000", "0", "400", "80", "16", "3.2"}));
    EXPECT_TRUE(s.form1.CheckBox1.checked());
}

TEST(FormationConstants, OverflowEndsInitialize) {
    Session s;
    s.form1.beta1.setText("1E4000");
    EXPECT_FALSE(s.act([&] { s.form1.InitializeClick(); }));
    EXPECT_EQ(s.errors(), Texts{"浮動小数点数のオーバーフロー."});
}

TEST(FormationConstants, ShrinkingTheTableMovesTheSelectionThroughItsHandler) {
    Session s;
    s.form1.InitializeClick();
    s.form1.StringGrid2.select(1, 6);
    EXPECT_EQ(s.form1.cellvalue.text(), "3.2");
    s.form1.SetStepwiseConstants({100, 10, 1});
    // The selection moved to row 3 while the count changed, before row 3 was rewritten;
    // the cell-value field then follows the rewritten cell.
    EXPECT_EQ(s.form1.StringGrid2.selectedRow(), 3);
    EXPECT_EQ(s.form1.selectrow.text(), "3");
    EXPECT_EQ(s.form1.cellvalue.text(), "1");
    s.act([&] { s.form1.AdoptClick(); });
    EXPECT_EQ(kColumn(s.form1), (Texts{"100", "10", "1"}));
}

}  // namespace
}  // namespace condsim
