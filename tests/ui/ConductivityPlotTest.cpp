#include <gtest/gtest.h>

#include "TestSession.h"
#include "files/NumberText.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using testing::Session;
using Kind = CanvasOperation::Kind;

const RecordingCanvas& recordingOf(const Picture& picture) {
    return dynamic_cast<const RecordingCanvas&>(*picture.canvas());
}

TEST(ConductivityPlot, ObservedDrawingShowsTheRangeAndTwoCirclesPerPoint) {
    Session s;
    const std::string file =
        s.directory.write("obs.txt", "0.002 0.3\r\n0.01 0.75\r\n0.005 0.5\r\n");
    s.platform.answerNextDialog(file);
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));

    EXPECT_EQ(s.form1.Edit1.text(), "0");
    EXPECT_EQ(s.form1.Edit2.text(), NumberText(0.01L * 1.6L));
    EXPECT_EQ(s.form1.Edit2.text(), "0.016");
    EXPECT_EQ(s.form1.Edit3.text(), "0");
    EXPECT_EQ(s.form1.Edit4.text(), "0.9");
    const PlotRange& range = s.app.state.range;
    EXPECT_EQ(range.ImageWidth, 849);
    EXPECT_EQ(range.ImageHeight, 625);

    const auto& canvas = recordingOf(s.form1.Image1);
    const auto& ops = canvas.operations();
    ASSERT_EQ(ops.size(), 2u + 6u);
    EXPECT_EQ(ops[0].kind, Kind::Rectangle);
    EXPECT_EQ(ops[0].penColor, colors::black) << "a new image's pen";
    EXPECT_EQ(ops[0].penWidth, 1);
    EXPECT_EQ(ops[1].x1, 39);
    EXPECT_EQ(ops[1].x2, 810);
    EXPECT_EQ(ops[1].penColor, colors::green);
    // The first point, 0.002 M: its red circle at the conductivity, its blue one at
    // 300 x 0.3 / 0.002 / 1e6 = 0.045.
    EXPECT_EQ(ops[2].penColor, colors::red);
    EXPECT_EQ(ops[2].x1 + 5, MapX(range, 0.002L));
    EXPECT_EQ(ops[2].y1 + 5, MapY(range, 0.3L));
    EXPECT_EQ(ops[3].penColor, colors::blue);
    EXPECT_EQ(ops[3].y1 + 5, MapY(range, 0.045L));
    EXPECT_EQ(canvas.penColor(), colors::blue);
    EXPECT_EQ(canvas.penWidth(), 2);
    EXPECT_EQ(range.MarkerRadius, 5);
}

TEST(ConductivityPlot, CancelledOpenBeforeAnyDataDrawsTheMirroredFrameOnly) {
    Session s;
    s.platform.answerNextDialog(std::nullopt);
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    EXPECT_EQ(s.form1.Edit2.text(), "-160000000");
    EXPECT_EQ(s.form1.Edit4.text(), "-120000000");
    const auto& canvas = recordingOf(s.form1.Image1);
    const auto& ops = canvas.operations();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1].x1, 39);
    EXPECT_EQ(ops[1].y1, 597);
    EXPECT_EQ(ops[1].x2, 810);
    EXPECT_EQ(ops[1].y2, 28);
    EXPECT_EQ(canvas.penColor(), colors::green);
    EXPECT_EQ(canvas.penWidth(), 2);
}

}  // namespace
}  // namespace condsim
