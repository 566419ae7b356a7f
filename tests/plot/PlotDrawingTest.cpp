#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "files/NumberText.h"
#include "files/ObservedData.h"
#include "plot/PlotDrawing.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using Kind = CanvasOperation::Kind;
using testing::errorText;

// x and y from 0 to 100 on a 110 x 110 image: data value v maps to column 5 + v, row 105 - v.
PlotRange hundredRange() {
    PlotRange range;
    range.DataXMax = 100;
    range.DataYMax = 100;
    PadRange(range);
    range.ImageWidth = 110;
    range.ImageHeight = 110;
    range.MarkerRadius = 3;
    return range;
}

CellTable tableOfPoints(const std::vector<std::pair<const char*, const char*>>& rows) {
    CellTable table(2, static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        table.setCell(0, static_cast<int>(i) + 1, rows[i].first);
        table.setCell(1, static_cast<int>(i) + 1, rows[i].second);
    }
    return table;
}

ext columnOne(const CellTable& table, int row) { return number(table.cell(1, row)); }

void expectOperation(const CanvasOperation& op, Kind kind, int x1, int y1, int x2, int y2) {
    EXPECT_EQ(op.kind, kind);
    EXPECT_EQ(op.x1, x1);
    EXPECT_EQ(op.y1, y1);
    if (kind == Kind::Rectangle || kind == Kind::Ellipse) {
        EXPECT_EQ(op.x2, x2);
        EXPECT_EQ(op.y2, y2);
    }
}

TEST(PlotDrawing, FramePaintsTheImageWithThePenItFindsThenTheGreenDataFrame) {
    RecordingCanvas canvas(110, 110);
    canvas.setPenColor(colors::blue);
    canvas.setPenWidth(2);
    canvas.setBrushColor(colors::red);
    DrawFrame(canvas, hundredRange());
    const auto& ops = canvas.operations();
    ASSERT_EQ(ops.size(), 2u);
    expectOperation(ops[0], Kind::Rectangle, 0, 110, 110, 0);
    EXPECT_EQ(ops[0].penColor, colors::blue);
    EXPECT_EQ(ops[0].penWidth, 2);
    EXPECT_EQ(ops[0].brushColor, colors::white);
    expectOperation(ops[1], Kind::Rectangle, 5, 105, 105, 5);
    EXPECT_EQ(ops[1].penColor, colors::green);
    EXPECT_EQ(ops[1].penWidth, 1);
    EXPECT_EQ(ops[1].brushColor, colors::white);
}

TEST(PlotDrawing, CurveHasACircleAtEachRowAndALineBetweenNeighbours) {
    RecordingCanvas canvas(110, 110);
    const CellTable table = tableOfPoints({{"10", "20"}, {"30", "40"}, {"50", "60"}, {"70", "80"}});
    DrawCurve(canvas, hundredRange(), table, [&](int row) { return columnOne(table, row); });
    const auto& ops = canvas.operations();
    ASSERT_EQ(ops.size(), 8u);  // 4 circles, 3 segments, 1 move
    expectOperation(ops[0], Kind::MoveTo, 15, 85, 0, 0);
    expectOperation(ops[1], Kind::Ellipse, 12, 82, 18, 88);
    expectOperation(ops[2], Kind::LineTo, 35, 65, 0, 0);
    expectOperation(ops[3], Kind::Ellipse, 32, 62, 38, 68);
    expectOperation(ops[4], Kind::LineTo, 55, 45, 0, 0);
    expectOperation(ops[5], Kind::Ellipse, 52, 42, 58, 48);
    expectOperation(ops[6], Kind::LineTo, 75, 25, 0, 0);
    expectOperation(ops[7], Kind::Ellipse, 72, 22, 78, 28);
}

TEST(PlotDrawing, CurveStopsAtACellThatIsNotANumberKeepingWhatWasDrawn) {
    RecordingCanvas canvas(110, 110);
    const CellTable table = tableOfPoints({{"10", "20"}, {"30", ""}, {"50", "60"}});
    const std::string error = errorText([&] {
        DrawCurve(canvas, hundredRange(), table, [&](int row) { return columnOne(table, row); });
    });
    EXPECT_EQ(error, "'' は浮動小数点数ではありません");
    ASSERT_EQ(canvas.operations().size(), 2u);
    EXPECT_EQ(canvas.operations()[1].kind, Kind::Ellipse);

    // A table with no data row still reads row 1.
    RecordingCanvas empty(110, 110);
    const CellTable headerOnly(2, 1);
    EXPECT_EQ(errorText([&] {
                  DrawCurve(empty, hundredRange(), headerOnly, [](int) { return ext(1); });
              }),
              "'' は浮動小数点数ではありません");
    EXPECT_TRUE(empty.operations().empty());
}

TEST(PlotDrawing, ObservedPointsAreARedAndABlueCircleEachInFileOrder) {
    RecordingCanvas canvas(110, 110);
    PlotRange range = hundredRange();
    ObservedData observed;
    observed.count = 2;
    observed.conc[1] = 20, observed.cond[1] = 40;
    observed.conc[2] = 50, observed.cond[2] = 10;
    // S = 1000000 plots the molar conductivity itself: 2 and 0.2.
    DrawObservedPoints(canvas, range, observed, 1000000);
    EXPECT_EQ(range.MarkerRadius, 5);
    const auto& ops = canvas.operations();
    ASSERT_EQ(ops.size(), 4u);
    expectOperation(ops[0], Kind::Ellipse, 20, 60, 30, 70);
    EXPECT_EQ(ops[0].penColor, colors::red);
    expectOperation(ops[1], Kind::Ellipse, 20, 98, 30, 108);
    EXPECT_EQ(ops[1].penColor, colors::blue);
    expectOperation(ops[2], Kind::Ellipse, 50, 90, 60, 100);
    EXPECT_EQ(ops[2].penColor, colors::red);
    expectOperation(ops[3], Kind::Ellipse, 50, 100, 60, 110);
    EXPECT_EQ(ops[3].penColor, colors::blue);
    for (const auto& op : ops) EXPECT_EQ(op.penWidth, 2);
}

TEST(PlotDrawing, ObservedZeroConcentrationFailsAfterItsRedCircle) {
    RecordingCanvas canvas(110, 110);
    PlotRange range = hundredRange();
    ObservedData observed;
    observed.count = 2;
    observed.conc[1] = 0, observed.cond[1] = 1;
    EXPECT_EQ(errorText([&] { DrawObservedPoints(canvas, range, observed, 300); }),
              "0 による浮動小数点数除算");
    ASSERT_EQ(canvas.operations().size(), 1u);
    EXPECT_EQ(canvas.operations()[0].penColor, colors::red);
    observed.cond[1] = 0;
    EXPECT_EQ(errorText([&] { DrawObservedPoints(canvas, range, observed, 300); }),
              "不正な浮動小数点数演算命令");
}

TEST(PlotDrawing, SpeciesColoursCycleEverySevenColumns) {
    const std::vector<Color> expected{colors::green, colors::black, colors::yellow, colors::purple,
                                      colors::blue,  colors::red,   colors::blue};
    for (int species = 0; species <= 13; ++species) {
        EXPECT_EQ(speciesColor(species + 2), expected[static_cast<size_t>(species % 7)])
            << "AX" << species;
    }
}

}  // namespace
}  // namespace condsim
