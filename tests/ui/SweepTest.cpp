#include <gtest/gtest.h>

#include <cmath>

#include "SweepSession.h"
#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

using testing::openObservedFile;
using testing::operationsOf;
using testing::Session;
using testing::sweep;
using testing::threePoints;
using Kind = CanvasOperation::Kind;

void setRange(Session& s, ext xMin, ext xMax) {
    s.app.state.range.DataXMin = xMin;
    s.app.state.range.DataXMax = xMax;
}

int countOf(const std::vector<CanvasOperation>& ops, Kind kind, Color pen) {
    int count = 0;
    for (const auto& op : ops) count += op.kind == kind && op.penColor == pen ? 1 : 0;
    return count;
}

TEST(ConcentrationSweep, NinePointsSplitTheRangeIntoTenStepsWithoutItsEnds) {
    Session s;
    s.form1.InitializeClick();
    setRange(s, 0, 0.01L);
    ASSERT_TRUE(sweep(s, 9)) << s.errors().front();

    const CellTable& table = s.form2.StringGrid1;
    EXPECT_EQ(table.rowCount(), 10);
    EXPECT_EQ(table.columnCount(), 9);
    const std::vector<std::string> headers{
        "conc.(M)", "conduct.(MC*C)", "AX0", "AX1", "AX2", "AX3", "AX4", "AX5", "AX6"};
    for (int c = 0; c < 9; ++c) EXPECT_EQ(table.cell(c, 0), headers[static_cast<size_t>(c)]);
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(table.cell(0, k), "0.00" + integerText(k)) << "row " << k;
        ext abundanceSum = 0;
        for (int c = 2; c <= 8; ++c) abundanceSum += number(table.cell(c, k));
        EXPECT_NEAR(static_cast<double>(abundanceSum), 100.0, 1e-11) << "row " << k;
    }
    EXPECT_EQ(table.cell(0, 10), "") << "no row beyond N";

    // The solver's fields and the model hold the last point.
    const auto& model = s.app.state.model;
    EXPECT_EQ(s.form1.c0.text(), "0.009");
    EXPECT_EQ(model.C0, number("0.009"));
    EXPECT_EQ(s.form1.conductivity.text(), table.cell(1, 9));
    EXPECT_EQ(s.form1.XConc.text(), NumberText(model.X));
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(table.cell(2 + i, 9), NumberText(model.abundance[i]));
    EXPECT_EQ(s.form1.StringGrid3.cell(1, 1), table.cell(2, 9));
}

TEST(ConcentrationSweep, LoweringNKeepsTheHiddenSpeciesColumns) {
    Session s;
    s.form1.InitializeClick();
    setRange(s, 0, 0.01L);
    ASSERT_TRUE(sweep(s, 9));
    const std::string oldAX6 = s.form2.StringGrid1.cell(8, 5);
    ASSERT_FALSE(oldAX6.empty());

    s.form1.SpinEdit1.setValue(3);
    setRange(s, 0, 0.01L);
    ASSERT_TRUE(sweep(s, 9)) << s.errors().front();
    const CellTable& table = s.form2.StringGrid1;
    EXPECT_EQ(table.columnCount(), 6);
    EXPECT_EQ(table.cell(5, 0), "AX3");
    EXPECT_EQ(table.cell(8, 0), "AX6");
    EXPECT_EQ(table.cell(8, 5), oldAX6);
    ext abundanceSum = 0;
    for (int c = 2; c <= 5; ++c) abundanceSum += number(table.cell(c, 5));
    EXPECT_NEAR(static_cast<double>(abundanceSum), 100.0, 1e-11);
}

TEST(ConcentrationSweep, BeforeAnyFileTheFirstPointFailsSaysWhyAndNothingIsDrawn) {
    Session s;
    s.form1.InitializeClick();
    EXPECT_FALSE(sweep(s, 200));
    ASSERT_EQ(s.errors().size(), 1u);
    EXPECT_EQ(s.errors()[0],
              "不正な浮動小数点数演算命令.\nNo observed data are loaded: open a data file first "
              "(File/Open).");

    const CellTable& table = s.form2.StringGrid1;
    EXPECT_EQ(table.rowCount(), 201);
    EXPECT_EQ(table.columnCount(), 9);
    EXPECT_EQ(table.cell(0, 0), "conc.(M)");
    EXPECT_EQ(table.cell(8, 0), "AX6");
    EXPECT_EQ(table.cell(0, 1), "");
    EXPECT_EQ(table.cell(1, 1), "");
    EXPECT_EQ(s.form1.c0.text(), "0");
    EXPECT_EQ(s.form1.Image1.canvas(), nullptr);
    EXPECT_EQ(s.form2.Image1.canvas(), nullptr);
    EXPECT_EQ(s.form2.Edit1.text(), "Edit1");
    EXPECT_EQ(s.form2.Edit2.text(), "Edit2");
}

TEST(ConcentrationSweep, HandsTheRangeToTheDistributionPlotAndDrawsBothPlots) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    s.form2.SpinEdit1.setValue(50);
    s.form2.Edit3.setText("7");
    ASSERT_TRUE(sweep(s, 9)) << s.errors().front();

    EXPECT_EQ(s.form2.Edit1.text(), "0");
    EXPECT_EQ(s.form2.Edit2.text(), s.form1.Edit2.text());
    EXPECT_EQ(s.form2.Edit2.text(), NumberText(0.004L * 1.6L));
    EXPECT_EQ(s.form2.Edit3.text(), "0");
    EXPECT_EQ(s.form2.SpinEdit1.value(), 100);
    // The distribution plot leaves its own range and image size behind.
    const PlotRange& range = s.app.state.range;
    EXPECT_EQ(range.DataXMax, number(s.form2.Edit2.text()));
    EXPECT_EQ(range.DataYMax, 100);
    EXPECT_EQ(range.ImageWidth, 1233);
    EXPECT_EQ(range.ImageHeight, 777);
    EXPECT_EQ(range.MarkerRadius, 3);

    // Conductivity plot: frame, 3 x (red, blue) observed circles, then two curves of
    // 9 circles and 8 segments each, red before blue.
    const auto ops = operationsOf(s.form1.Image1);
    const size_t redrawStart = ops.size() - (2 + 6 + 2 * (1 + 9 + 8));
    ASSERT_EQ(ops[redrawStart].kind, Kind::Rectangle);
    const std::vector<CanvasOperation> redraw(ops.begin() + static_cast<long>(redrawStart),
                                              ops.end());
    EXPECT_EQ(redraw[1].penColor, colors::green);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(redraw[2 + static_cast<size_t>(i)].kind, Kind::Ellipse);
        EXPECT_EQ(redraw[2 + static_cast<size_t>(i)].penColor,
                  i % 2 == 0 ? colors::red : colors::blue);
        EXPECT_EQ(redraw[2 + static_cast<size_t>(i)].penWidth, 2);
    }
    EXPECT_EQ(redraw[8].kind, Kind::MoveTo);
    EXPECT_EQ(redraw[8].penColor, colors::red);
    EXPECT_EQ(redraw[26].kind, Kind::MoveTo);
    EXPECT_EQ(redraw[26].penColor, colors::blue);
    // Both curves start at the first point: 0.00064 M and 0.334729164807925 MC*M (the golden
    // report). Worked by hand: the frame spans 0 to 0.0064 M (1.6 x 0.004) and 0 to 0.42
    // (1.2 x 0.35), with 5 % margins, over 849 x 625 pixels, so x = round(849 x 0.00096 /
    // 0.00704) = 116, the conductivity lies at 625 - round(625 x 0.355729 / 0.462) = 144 and
    // the molar conductivity scaled by 300, 300 x 0.334729 / 1e6 / 0.00064 = 0.156904, at
    // 625 - round(625 x 0.177904 / 0.462) = 384.
    EXPECT_EQ(redraw[8].x1, 116);
    EXPECT_EQ(redraw[8].y1, 144);
    EXPECT_EQ(redraw[26].x1, 116);
    EXPECT_EQ(redraw[26].y1, 384);
    const std::vector<CanvasOperation> curves(redraw.begin() + 8, redraw.end());
    EXPECT_EQ(countOf(curves, Kind::Ellipse, colors::red), 9);
    EXPECT_EQ(countOf(curves, Kind::LineTo, colors::red), 8);
    EXPECT_EQ(countOf(curves, Kind::Ellipse, colors::blue), 9);
    EXPECT_EQ(countOf(curves, Kind::LineTo, colors::blue), 8);
    for (const auto& op : curves) {
        EXPECT_EQ(op.penWidth, 1);
        if (op.kind == Kind::Ellipse) {
            EXPECT_EQ(op.x2 - op.x1, 6);
        }
    }
    // The whole-image outline keeps the pen the observed-data drawing left: blue, width 2.
    EXPECT_EQ(redraw[0].penColor, colors::blue);
    EXPECT_EQ(redraw[0].penWidth, 2);
}

TEST(ConcentrationSweep, NextSweepSpansTheRangeEditedInTheAbundanceWindow) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    s.form2.Edit1.setText("0.001");
    s.form2.Edit2.setText("0.002");
    ASSERT_TRUE(s.act([&] { s.form2.ReDraw1Click(); }));
    ASSERT_TRUE(sweep(s, 9));
    const CellTable& table = s.form2.StringGrid1;
    EXPECT_EQ(table.cell(0, 1), "0.0011");
    EXPECT_EQ(table.cell(0, 9), "0.0019");
    // ... and hands the observed range back to the abundance window.
    EXPECT_EQ(s.form2.Edit1.text(), "0");
    EXPECT_EQ(s.form2.Edit2.text(), s.form1.Edit2.text());
}

TEST(ConcentrationSweep, ObservedRowsGetTheirOwnFreeAnionAndConductivity) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    const CellTable observed = s.form1.StringGrid1;
    const std::string lastX = s.form1.XConc.text();
    const std::string lastLeft = s.form1.sahen_out.text();
    const EquilibriumModel model = s.app.state.model;

    EXPECT_EQ(s.form1.c0.text(), s.form2.StringGrid1.cell(0, 9))
        << "the hidden fields show the last point";
    EXPECT_EQ(s.form1.conductivity.text(), s.form2.StringGrid1.cell(1, 9));
    EXPECT_EQ(model.C0, number(s.form2.StringGrid1.cell(0, 9)));
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(NumberText(model.abundance[i]), s.form2.StringGrid1.cell(2 + i, 9));
    EXPECT_EQ(s.form1.StringGrid3.cell(1, 7), s.form2.StringGrid1.cell(8, 9));

    // A solve at the last sweep point reproduces the hidden fields: the observed rows'
    // solves did not write them.
    s.form1.c0.setText(s.form2.StringGrid1.cell(0, 9));
    s.form1.RefineXClick();
    EXPECT_EQ(s.form1.XConc.text(), lastX);
    EXPECT_EQ(s.form1.sahen_out.text(), lastLeft);

    // The solver run at each observed concentration gives the same texts.
    for (int r = 1; r <= 3; ++r) {
        s.form1.c0.setText(observed.cell(0, r));
        s.form1.RefineXClick();
        EXPECT_EQ(observed.cell(2, r), s.form1.XConc.text()) << "row " << r;
        EXPECT_EQ(observed.cell(3, r), s.form1.conductivity.text()) << "row " << r;
    }
}

TEST(ConcentrationSweep, ObservedRowsWithoutAPositiveConcentrationAreLeftEmpty) {
    Session s;
    s.form1.InitializeClick();
    CellTable& observed = s.form1.StringGrid1;  // the new table's four empty rows ...
    observed.setCell(0, 2, "0");                // ... one of them zero,
    observed.setCell(0, 3, "abc");              // one not a number,
    observed.setCell(0, 4, "0.002");            // one solvable
    observed.setCell(2, 1, "stale");
    observed.setCell(3, 2, "stale");
    setRange(s, 0, 0.01L);
    ASSERT_TRUE(sweep(s, 9)) << s.errors().front();
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(observed.cell(2, r), "") << "row " << r;
        EXPECT_EQ(observed.cell(3, r), "") << "row " << r;
    }
    const std::string freeAnion = observed.cell(2, 4);
    s.form1.c0.setText("0.002");
    s.form1.RefineXClick();
    EXPECT_EQ(freeAnion, s.form1.XConc.text());
}

}  // namespace
}  // namespace condsim
