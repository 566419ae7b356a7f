#include <gtest/gtest.h>

#include "CaseNames.h"
#include "plot/RecordingCanvas.h"
#include "plot/ResidualPlot.h"

namespace condsim {
namespace {

using Kind = CanvasOperation::Kind;

struct AxesCase {
    const char* name;
    std::vector<ResidualPoint> points;
    ResidualAxes expected;
};

void PrintTo(const AxesCase& c, std::ostream* out) { *out << c.name; }

class ResidualAxesTest : public ::testing::TestWithParam<AxesCase> {};

TEST_P(ResidualAxesTest, SpanTheConcentrationsAndTheLargestResidualInSize) {
    const ResidualAxes axes = residualAxesOf(GetParam().points);
    EXPECT_EQ(axes.xMinimum, GetParam().expected.xMinimum);
    EXPECT_EQ(axes.xMaximum, GetParam().expected.xMaximum);
    EXPECT_EQ(axes.yLimit, GetParam().expected.yLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResidualAxesTest,
    ::testing::Values(
        AxesCase{"unordered", {{0.004L, 0.5L}, {0.001L, -2}, {0.002L, 1}}, {0.001L, 0.004L, 2}},
        AxesCase{
            "one concentration is centred", {{0.5L, 0.25L}, {0.5L, -0.5L}}, {0.25L, 0.75L, 0.5L}},
        AxesCase{"all residuals zero", {{1, 0}, {3, 0}}, {1, 3, 1}},
        AxesCase{"rounded up to five", {{1, 3}, {3, 0}}, {1, 3, 5}},
        AxesCase{"rounded up to two and a half", {{1, 2.2L}, {3, 0}}, {1, 3, 2.5L}},
        AxesCase{"rounded up to the next power of ten", {{1, -700}, {3, 0}}, {1, 3, 1000}}),
    testing::NamedCase());

TEST(ResidualPlot, ZeroLineInTheMiddleAndACircleAtEachPointInOrder) {
    RecordingCanvas canvas(224, 124);
    // Data area: x from 12 to 211, y from 12 (+2) to 111 (-2); halves round away from zero.
    DrawResidualPlot(canvas, {{1, 2}, {3, -1}, {2, -2}});
    const auto& operations = canvas.operations();
    ASSERT_EQ(operations.size(), 7u);
    EXPECT_EQ(operations[0].kind, Kind::Rectangle);  // white background
    EXPECT_EQ(operations[0].brushColor, colors::white);
    EXPECT_EQ(operations[1].kind, Kind::Rectangle);  // frame
    EXPECT_EQ(operations[2].kind, Kind::MoveTo);
    EXPECT_EQ(operations[3].kind, Kind::LineTo);
    EXPECT_EQ(operations[3].penColor, colors::black);
    EXPECT_EQ(operations[2].y1, 61);  // 111 - 49.5
    EXPECT_EQ(operations[3].y1, 61);
    const int centres[3][2] = {{12, 12}, {211, 86}, {112, 111}};
    for (int j = 0; j < 3; ++j) {
        const CanvasOperation& circle = operations[static_cast<size_t>(4 + j)];
        EXPECT_EQ(circle.kind, Kind::Ellipse);
        EXPECT_EQ(circle.penColor, colors::red);
        EXPECT_EQ(circle.x1 + residualMarkerRadius, centres[j][0]) << j;
        EXPECT_EQ(circle.y1 + residualMarkerRadius, centres[j][1]) << j;
        EXPECT_EQ(circle.x2 - circle.x1, 2 * residualMarkerRadius);
    }
}

}  // namespace
}  // namespace condsim
