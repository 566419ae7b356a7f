#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSession.h"
#include "files/NumberText.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"

namespace condsim {
namespace {

using testing::Session;
using Texts = std::vector<std::string>;

Texts factorColumn(const TForm3& form) {
    Texts texts;
    for (int r = 1; r < form.StringGrid2.rowCount(); ++r)
        texts.push_back(form.StringGrid2.cell(1, r));
    return texts;
}

// Opens the factor window from the main menu with n factor rows.
void openWithRows(Session& s, int n) {
    s.form1.SpinEdit1.setValue(n);
    s.form1.Option1Click();
}

TEST(ScalingFactors, MenuShowsOneRowPerChargedSpecies) {
    Session s;
    EXPECT_FALSE(s.form3.window.visible);
    s.form1.Option1Click();
    const auto& table = s.form3.StringGrid2;
    EXPECT_TRUE(s.form3.window.visible);
    EXPECT_EQ(table.rowCount(), 7);
    EXPECT_EQ(table.cell(0, 0), "Species");
    EXPECT_EQ(table.cell(1, 0), "Scaling Factor");
    EXPECT_EQ(table.cell(0, 1), "AX0^6+");
    EXPECT_EQ(table.cell(0, 6), "AX5^1+");
    EXPECT_EQ(factorColumn(s.form3), Texts(6, "1"));
}

TEST(ScalingFactors, TypeOneRuleFollowsEveryChangeOfTheGradientText) {
    Session s;
    openWithRows(s, 4);
    const struct {
        const char* typed;
        Texts factors;
    } cases[] = {
        {"20", {"1", "1.2", "1.4", "1.6"}},
        {"-", {"1", "0", "-1", "-2"}},  // not a whole number: the minimum, -100
        {"-50", {"1", "0.5", "0", "-0.5"}},
        {"250", {"1", "3.5", "6", "8.5"}},  // beyond the range while typing
    };
    for (const auto& c : cases) {
        s.form3.katamuki.userSetText(c.typed);
        EXPECT_EQ(factorColumn(s.form3), c.factors) << c.typed;
    }
    s.form3.katamuki.userLeave();
    EXPECT_EQ(s.form3.katamuki.text(), "100");
    EXPECT_EQ(factorColumn(s.form3), (Texts{"1", "2", "3", "4"}));
    s.form3.katamuki.userSetText("20");
    // The array holds the computed values, and only the table's rows are written.
    const auto& sf = s.form1.state().factors.sf;
    EXPECT_EQ(sf[1], 1 + 20.0L / 100);
    EXPECT_EQ(sf[3], 1 + 60.0L / 100);
    EXPECT_EQ(sf[4], 1);
    EXPECT_EQ(s.form3.StringGrid2.cell(0, 2), "AX1^3+");
}

// The gradient field shows the value in effect once it loses the focus, and the main
// window's status line names the factors of the charged species while any is not 1.
TEST(ScalingFactors, TheGradientFieldAndTheStatusLineShowTheFactorsInEffect) {
    const struct {
        int n;
        const char* typed;
        const char* shown;  // after leaving the field
        const char* status;
    } cases[] = {
        {6, "-", "-100", "Solution model: ideal; scaling factors in use: 1, 0, -1, -2, ..."},
        {6, "", "-100", "Solution model: ideal; scaling factors in use: 1, 0, -1, -2, ..."},
        {6, "1.5", "-100", "Solution model: ideal; scaling factors in use: 1, 0, -1, -2, ..."},
        {6, "-20", "-20", "Solution model: ideal; scaling factors in use: 1, 0.8, 0.6, 0.4, ..."},
        {4, "250", "100", "Solution model: ideal; scaling factors in use: 1, 2, 3, 4"},
        {2, "-5", "-5", "Solution model: ideal; scaling factors in use: 1, 0.95"},
        {6, "0", "0", "Solution model: ideal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Session s;
        openWithRows(s, c.n);
        s.form3.katamuki.userSetText(c.typed);
        s.form3.katamuki.userLeave();
        EXPECT_EQ(s.form3.katamuki.text(), c.shown);
        EXPECT_EQ(factorColumn(s.form3)[1], NumberText(s.form1.state().factors.sf[1]));
        EXPECT_EQ(s.form1.statusLine(), c.status);
    }
    // Only the factors of the charged species of the current n count: AX0 and AX1 at n = 2.
    Session s;
    openWithRows(s, 2);
    s.platform.answerNextDialog(s.directory.write("factors.txt", "1\r\n1\r\n0.5\r\n"));
    ASSERT_TRUE(s.act([&] { s.form3.Open1Click(); }));
    EXPECT_EQ(s.form1.statusLine(), "Solution model: ideal");
    s.form1.SpinEdit1.setValue(3);
    EXPECT_EQ(s.form1.statusLine(), "Solution model: ideal; scaling factors in use: 1, 1, 0.5");
}

TEST(ScalingFactors, TypeTwoRule) {
    const struct {
        const char* a;
        Texts factors;
    } cases[] = {
        {"1", {"1", "0.5", "0.333333333333333", "0.25"}},
        {"2", {"1", "0.666666666666667", "0.5", "0.4"}},
        {"-0.5", {"1", "-1", "-0.333333333333333", "-0.2"}},
    };
    for (const auto& c : cases) {
        Session s;
        openWithRows(s, 4);
        s.form3.a_value.setText(c.a);
        EXPECT_TRUE(s.act([&] { s.form3.Button6Click(); }));
        EXPECT_EQ(factorColumn(s.form3), c.factors) << c.a;
        const ext a = number(c.a);
        EXPECT_EQ(s.form1.state().factors.sf[2], a / (a + 2)) << c.a;
        EXPECT_TRUE(s.platform.messages.empty());
    }
    Session s;
    openWithRows(s, 30);
    s.form3.Button6Click();
    EXPECT_EQ(s.form3.StringGrid2.cell(1, 30), "0.0333333333333333");
    EXPECT_EQ(s.form1.state().factors.sf[29], 1.0L / 30);
}

TEST(ScalingFactors, TypeTwoRefusalsAndFaultsKeepWhatTheyMust) {
    Session s;
    openWithRows(s, 4);
    s.form3.katamuki.userSetText("20");  // factors 1, 1.2, 1.4, 1.6
    const auto before = s.form1.state().factors.sf;
    for (const char* zero : {"0", "-0", " 0.0E5 "}) {
        s.form3.a_value.setText(zero);
        EXPECT_TRUE(s.act([&] { s.form3.Button6Click(); }));
    }
    EXPECT_EQ(s.platform.messages,
              Texts(3, "The value of a should not be zero!!!  A zero division error occurs!!!"));
    s.form3.a_value.setText("a1");
    EXPECT_FALSE(s.act([&] { s.form3.Button6Click(); }));
    EXPECT_EQ(
        s.errors(),
        Texts{"'a1' は浮動小数点数ではありません.\nThe field a of Type 2 for the gradient holds "
              "'a1', which is not a number: it takes a decimal number other than 0, such as "
              "1 or -0.5."});
    EXPECT_EQ(factorColumn(s.form3), (Texts{"1", "1.2", "1.4", "1.6"}));
    EXPECT_EQ(s.form1.state().factors.sf, before);

    // a = -2: rows 1 and 2 get 1 and 2, then -2 / 0 at row 3.
    s.form3.a_value.setText("-2");
    EXPECT_FALSE(s.act([&] { s.form3.Button6Click(); }));
    EXPECT_EQ(s.errors().back(), "0 による浮動小数点数除算.");
    EXPECT_EQ(factorColumn(s.form3), (Texts{"1", "2", "1.4", "1.6"}));
    const auto& sf = s.form1.state().factors.sf;
    EXPECT_EQ(sf[0], 1);
    EXPECT_EQ(sf[1], 2);
    EXPECT_EQ(sf[2], before[2]);
    EXPECT_EQ(sf[3], before[3]);
}

TEST(ScalingFactors, AdoptChangesOnlyTheCell) {
    Session s;
    openWithRows(s, 4);
    s.form3.katamuki.userSetText("20");
    s.form3.cellvalue.setText("X");
    s.form3.AdoptClick();  // no selection yet: the header cell
    EXPECT_EQ(s.form3.StringGrid2.cell(0, 0), "X");

    s.form3.StringGrid2.select(1, 3);
    EXPECT_EQ(s.form3.cellvalue.text(), "1.4");
    s.form3.cellvalue.setText("2");
    s.form3.AdoptClick();
    EXPECT_EQ(factorColumn(s.form3), (Texts{"1", "1.2", "2", "1.6"}));
    EXPECT_EQ(s.form1.state().factors.sf[2], 1 + 40.0L / 100);
    s.form1.Option1Click();
    EXPECT_EQ(factorColumn(s.form3), (Texts{"1", "1.2", "1.4", "1.6"}));
    EXPECT_EQ(s.form3.StringGrid2.cell(0, 0), "Species");
}

}  // namespace
}  // namespace condsim
