#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "SweepSession.h"
#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

using testing::Session;

// Relative agreement to the number of significant digits the figures are given with.
void expectDigits(ext actual, ext expected, int digits) {
    EXPECT_LE(std::fabs(actual - expected),
              std::fabs(expected) * 0.5L * std::pow(10.0L, 1 - digits))
        << NumberText(actual) << " vs " << NumberText(expected);
}

void setTwoSpecies(Session& s) {
    s.form1.SpinEdit1.setValue(2);
    s.form1.InitializeClick();
    // beta = 1e4, 2e7 with Model #1 at alfa 20: K2 = 2000.
    ASSERT_EQ(s.form1.StringGrid2.cell(0, 2), "20000000");
}

TEST(FreeAnionSolver, DefaultSystemAtOneTenThousandthMolar) {
    Session s;
    s.form1.InitializeClick();
    s.form1.c0.setText("0.0001");
    s.form1.RefineXClick();
    const auto& model = s.form1.state().model;
    expectDigits(model.X, 4.548441551e-4L, 10);
    expectDigits(number(s.form1.sahen_out.text()), 1.451558449L, 10);
    expectDigits(number(s.form1.uhen_out.text()), 1.451558449L, 10);
    expectDigits(number(s.form1.conductivity.text()), 0.06686209080L, 10);
    expectDigits(model.abundance[0], 9.554297144L, 10);
    expectDigits(model.abundance[1], 43.45716212L, 10);
    expectDigits(model.abundance[2], 39.53247238L, 10);
    ext sum = 0;
    for (int i = 0; i <= 6; ++i) sum += model.abundance[i];
    EXPECT_NEAR(static_cast<double>(sum), 100.0, 1e-12);
    EXPECT_EQ(s.form1.StringGrid3.rowCount(), 8);
    EXPECT_EQ(s.form1.StringGrid3.cell(0, 7), "AX6");
    EXPECT_EQ(s.form1.XConc.text(), NumberText(model.X));
}

TEST(FreeAnionSolver, TwoSpeciesFigures) {
    Session s;
    setTwoSpecies(s);
    s.form1.c0.setText("0.0001");
    s.form1.RefineXClick();
    expectDigits(s.form1.state().model.X, 1.263542847e-4L, 10);
    expectDigits(s.form1.LeftSide(1e-4L, s.form1.state().model.X), 0.7364571526L, 9);
    s.form1.c0.setText("0.001");
    s.form1.RefineXClick();
    expectDigits(s.form1.state().model.X, 5.779623490e-4L, 10);
}

TEST(FreeAnionSolver, ZeroConcentrationIsAnInvalidOperation) {
    Session s;
    s.form1.InitializeClick();
    s.form1.c0.setText("0");
    EXPECT_TRUE(!s.act([&] { s.form1.RefineXClick(); }));
    ASSERT_EQ(s.errors().size(), 1u);
    EXPECT_EQ(s.errors()[0], "不正な浮動小数点数演算命令.");
    EXPECT_EQ(s.form1.XConc.text(), "0");
    EXPECT_EQ(s.form1.state().model.C0, 0);
    EXPECT_EQ(s.form1.state().model.X, 0);
}

// The solver's "record.txt": made once with one empty line, an existing one left as it is,
// and a folder where it cannot be made (here a folder of that name is in the way, which
// holds for root too) does not stop the solve or the sweep. A caller that names a folder
// of its own gets it there, and none in the current folder.
TEST(FreeAnionSolver, RecordFileIsMadeOnceAndNeverStopsACalculation) {
    struct RecordCase {
        const char* name;
        std::function<void()> before;
        const char* expected;          // the content afterwards; nullptr: a folder stays in the way
        const char* folder = nullptr;  // SweepOptions::recordFolder; nullptr: the current one
    };
    const RecordCase cases[] = {
        {"missing", [] {}, "\r\n"},
        {"kept", [] { std::ofstream("record.txt", std::ios::binary) << "kept"; }, "kept"},
        {"folder in the way", [] { std::filesystem::create_directory("record.txt"); }, nullptr},
        {"a folder of its own", [] { std::filesystem::create_directory("own"); }, "\r\n", "own"},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        c.before();
        if (c.folder != nullptr) s.form1.sweepOptions.recordFolder = c.folder;
        s.form1.InitializeClick();
        EXPECT_TRUE(s.act([&] { s.form1.RefineXClick(); }));
        testing::openObservedFile(s, "data.txt", testing::threePoints);
        EXPECT_TRUE(testing::sweep(s, 9));
        EXPECT_TRUE(s.errors().empty()) << s.errors().front();
        const std::string file =
            c.folder != nullptr ? std::string(c.folder) + "/record.txt" : "record.txt";
        if (c.expected != nullptr)
            EXPECT_EQ(testing::contentOf(file), c.expected);
        else
            EXPECT_TRUE(std::filesystem::is_directory(file));
        if (c.folder != nullptr) {
            EXPECT_FALSE(std::filesystem::exists("record.txt"));
        }
    }
}

// n = 2 at C0 = X = 1e-4 with MCA 88 and MCX 59, worked by hand: D = 1 + 1e4 X + 2e7 X^2 =
// 2.2; the cations carry 2 sf(0) + sf(1) x 1e4 X = 2 sf(0) + sf(1) charges per A, so the
// conductivity is 88 x 1e-4 x (2 sf(0) + sf(1)) / 2.2 + 59 x 1e-4 = 0.004 (2 sf(0) + sf(1)) +
// 0.0059.
TEST(Conductivity, TwoSpeciesAtAGivenX) {
    struct FactorCase {
        ext sf0, sf1, sf2;
        ext conductivity;
    };
    const FactorCase factorCases[] = {
        {1, 1, 1, 0.0179L}, {1, 0.5L, 1, 0.0159L}, {0.5L, 1, 1, 0.0139L},
        {2, 1, 1, 0.0259L}, {1, 1, 7, 0.0179L},  // AX2 carries no charge: its factor takes no part
    };
    for (const FactorCase& c : factorCases) {
        Session s;
        setTwoSpecies(s);
        auto& sf = s.app.state.factors.sf;
        sf[0] = c.sf0;
        sf[1] = c.sf1;
        sf[2] = c.sf2;
        s.form1.state().model.C0 = 1e-4L;
        expectDigits(s.form1.ConductivityAt(1e-4L), c.conductivity, 15);
        // The factors scale conductivities, never the distribution.
        const auto& a = s.form1.state().model.abundance;
        expectDigits(a[0], 100.0L / 2.2L, 15);
        expectDigits(a[1], 100.0L / 2.2L, 15);
        expectDigits(a[2], 20.0L / 2.2L, 15);
        EXPECT_EQ(s.form1.StringGrid3.rowCount(), 4);
        EXPECT_EQ(s.form1.StringGrid3.cell(1, 0), "abundance%");
        EXPECT_EQ(s.form1.StringGrid3.cell(2, 3), "9.09090909090909E-6");
    }
}

}  // namespace
}  // namespace condsim
