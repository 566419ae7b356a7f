#include <gtest/gtest.h>

#include "SweepSession.h"
#include "TestSession.h"

namespace condsim {
namespace {

using testing::openObservedFile;
using testing::operationsOf;
using testing::Session;
using testing::sweep;
using testing::threePoints;
using Kind = CanvasOperation::Kind;

TEST(DistributionPlot, SevenSpeciesCurvesInTheirColoursAfterASweep) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    const auto ops = operationsOf(s.form2.Image1);
    ASSERT_EQ(ops.size(), 2u + 7u * (1u + 9u + 8u));
    EXPECT_EQ(ops[1].penColor, colors::green);
    const std::vector<Color> colours{colors::green, colors::black, colors::yellow, colors::purple,
                                     colors::blue,  colors::red,   colors::blue};
    for (size_t species = 0; species < 7; ++species) {
        const size_t first = 2 + species * 18;
        EXPECT_EQ(ops[first].kind, Kind::MoveTo) << "AX" << species;
        for (size_t i = first; i < first + 18; ++i) {
            EXPECT_EQ(ops[i].penColor, colours[species]) << "AX" << species;
            EXPECT_EQ(ops[i].penWidth, 1);
            EXPECT_EQ(ops[i].brushColor, colors::white);
            if (ops[i].kind == Kind::Ellipse) {
                EXPECT_EQ(ops[i].x2 - ops[i].x1, 6);
            }
        }
    }
}

TEST(DistributionPlot, RedrawOverFiftyPercent) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    s.form2.SpinEdit1.setValue(50);
    ASSERT_TRUE(s.act([&] { s.form2.ReDraw1Click(); }));
    const PlotRange& range = s.app.state.range;
    EXPECT_EQ(range.DataYMax, 50);
    EXPECT_EQ(range.AxisYMax, 52.5L);
    const auto ops = operationsOf(s.form2.Image1);
    const size_t start = ops.size() - (2 + 7 * 18);
    // Frame bottom at 0 %: 777 - round(777 x 2.5 / 55) = 742; top at 50 %: 777 - 742 = 35.
    EXPECT_EQ(ops[start + 1].y1, 742);
    EXPECT_EQ(ops[start + 1].y2, 35);
}

TEST(DistributionPlot, RedrawBeforeAnySweepFailsOnEdit1AndDrawsNothing) {
    Session s;
    s.app.state.range.DataXMax = 0.25L;
    const PlotRange before = s.app.state.range;
    EXPECT_FALSE(s.act([&] { s.form2.ReDraw1Click(); }));
    ASSERT_EQ(s.errors().size(), 1u);
    EXPECT_EQ(s.errors()[0], "'Edit1' は浮動小数点数ではありません.");
    EXPECT_EQ(s.form2.Image1.canvas(), nullptr);
    EXPECT_EQ(s.app.state.range.DataXMin, before.DataXMin);
    EXPECT_EQ(s.app.state.range.DataXMax, before.DataXMax);
}

TEST(DistributionPlot, BadUpperFieldKeepsTheLowerOneTaken) {
    Session s;
    s.form2.Edit1.setText("0.5");
    s.app.state.range.DataXMax = 0.25L;
    EXPECT_FALSE(s.act([&] { s.form2.ReDraw1Click(); }));
    EXPECT_EQ(s.errors()[0], "'Edit2' は浮動小数点数ではありません.");
    EXPECT_EQ(s.app.state.range.DataXMin, 0.5L);
    EXPECT_EQ(s.app.state.range.DataXMax, 0.25L);
}

TEST(DistributionPlot, ZeroSpanFailsAtTheFrame) {
    Session s;
    s.form2.Edit1.setText("0.01");
    s.form2.Edit2.setText("0.01");
    EXPECT_FALSE(s.act([&] { s.form2.ReDraw1Click(); }));
    EXPECT_EQ(s.errors()[0], "不正な浮動小数点数演算命令.");
    EXPECT_TRUE(operationsOf(s.form2.Image1).empty());
}

TEST(DistributionPlot, TableOfFewerThanThreeColumnsDrawsTheFrameOnly) {
    Session s;
    s.form2.Edit1.setText("0");
    s.form2.Edit2.setText("0.01");
    s.form2.StringGrid1.setColumnCount(2);
    ASSERT_TRUE(s.act([&] { s.form2.ReDraw1Click(); }));
    const auto ops = operationsOf(s.form2.Image1);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(s.app.state.range.ImageWidth, 1233);
    EXPECT_EQ(s.app.state.range.ImageHeight, 777);
}

TEST(AbundanceWindow, SweepWhileHiddenFillsTheWindowShownLater) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    ASSERT_FALSE(s.form2.window.visible);
    ASSERT_TRUE(sweep(s, 9));
    EXPECT_FALSE(s.form2.window.visible);
    s.form1.Abundance1Click();
    EXPECT_TRUE(s.form2.window.visible);
    EXPECT_EQ(s.form2.StringGrid1.rowCount(), 10);
    EXPECT_FALSE(operationsOf(s.form2.Image1).empty());
    s.form2.Exit1Click();
    EXPECT_FALSE(s.form2.window.visible);
}

}  // namespace
}  // namespace condsim
