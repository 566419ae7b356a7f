#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/NumberText.h"
#include "files/ObservedData.h"
#include "plot/PlotRange.h"

namespace condsim {
namespace {

using testing::errorText;

PlotRange paddedRange(int width, int height, ext xMin, ext xMax, ext yMin, ext yMax) {
    PlotRange range;
    range.DataXMin = xMin;
    range.DataXMax = xMax;
    range.DataYMin = yMin;
    range.DataYMax = yMax;
    PadRange(range);
    range.ImageWidth = width;
    range.ImageHeight = height;
    return range;
}

PlotRange axisRange(int width, int height, ext axisMax) {
    PlotRange range;
    range.AxisXMax = axisMax;
    range.AxisYMax = axisMax;
    range.ImageWidth = width;
    range.ImageHeight = height;
    return range;
}

struct MappingCase {
    const char* name;
    PlotRange range;
    bool vertical;
    ext value;
    int pixel;
};

void PrintTo(const MappingCase& c, std::ostream* out) { *out << c.name; }

class Mapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(Mapping, GivesThePixel) {
    const auto& c = GetParam();
    EXPECT_EQ(c.vertical ? MapY(c.range, c.value) : MapX(c.range, c.value), c.pixel);
}

const PlotRange mainImage = paddedRange(849, 625, 0, 0.016L, 0, 1.2L);
const PlotRange tenPixels = axisRange(10, 10, 10);

INSTANTIATE_TEST_SUITE_P(
    PlotRange, Mapping,
    ::testing::Values(
        MappingCase{"MainImageLeftOfFrame", mainImage, false, 0, 39},
        MappingCase{"MainImageRightOfFrame", mainImage, false, 0.016L, 810},
        MappingCase{"MainImageBottomOfFrame", mainImage, true, 0, 597},
        MappingCase{"MainImageTopOfFrame", mainImage, true, 1.2L, 28},
        MappingCase{"AxisMinimumIsColumnZero", mainImage, false, mainImage.AxisXMin, 0},
        MappingCase{"AxisMaximumIsTheWidth", mainImage, false, mainImage.AxisXMax, 849},
        MappingCase{"AxisMaximumIsRowZero", mainImage, true, mainImage.AxisYMax, 0},
        MappingCase{"XTieTwoAndAHalfRoundsDown", tenPixels, false, 2.5L, 2},
        MappingCase{"XTieThreeAndAHalfRoundsUp", tenPixels, false, 3.5L, 4},
        MappingCase{"YTieTwoAndAHalf", tenPixels, true, 2.5L, 8},
        MappingCase{"YTieThreeAndAHalf", tenPixels, true, 3.5L, 6},
        MappingCase{"OutsideTheAxisIsNotClipped", tenPixels, false, 25, 25},
        MappingCase{"AbsurdlyFarIsBounded", tenPixels, false, 1e30L, 1000000000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlotRange, ObservedDataGiveFramesFromZeroWithHeadroom) {
    ObservedData observed;
    observed.count = 3;
    observed.conc[1] = 0.002L, observed.cond[1] = 0.3L;
    observed.conc[2] = 0.01L, observed.cond[2] = 0.75L;
    observed.conc[3] = 0.005L, observed.cond[3] = 0.5L;
    observed.conc[4] = 5, observed.cond[4] = 5;  // beyond the count: not data
    PlotRange range;
    range.DataXMin = range.DataYMin = -3;
    RangeFromObserved(range, observed);
    EXPECT_EQ(range.DataXMin, 0);
    EXPECT_EQ(range.DataYMin, 0);
    EXPECT_EQ(range.DataXMax, 0.01L * 1.6L);
    EXPECT_EQ(range.DataYMax, 0.75L * 1.2L);
}

TEST(PlotRange, NoObservedDataMirrorTheAxesWithoutError) {
    ObservedData none;
    PlotRange range;
    RangeFromObserved(range, none);
    EXPECT_EQ(range.DataXMax, -100000000.0L * 1.6L);
    EXPECT_EQ(range.DataYMax, -100000000.0L * 1.2L);
    EXPECT_EQ(NumberText(range.DataXMax), "-160000000");
    EXPECT_EQ(NumberText(range.DataYMax), "-120000000");
    PadRange(range);
    range.ImageWidth = 849;
    range.ImageHeight = 625;
    // The frame stands where it stands with data; the axes run the other way.
    EXPECT_EQ(MapX(range, range.DataXMin), 39);
    EXPECT_EQ(MapX(range, range.DataXMax), 810);
    EXPECT_EQ(MapY(range, range.DataYMin), 597);
    EXPECT_EQ(MapY(range, range.DataYMax), 28);
}

TEST(PlotRange, ZeroSpanRaisesTheFloatingPointError) {
    const PlotRange flat = paddedRange(100, 100, 0.5L, 0.5L, 0.5L, 0.5L);
    EXPECT_EQ(errorText([&] { MapX(flat, 1); }), "0 による浮動小数点数除算");
    EXPECT_EQ(errorText([&] { MapX(flat, 0.5L); }), "不正な浮動小数点数演算命令");
    EXPECT_EQ(errorText([&] { MapY(flat, 2); }), "0 による浮動小数点数除算");
    EXPECT_EQ(errorText([&] { MapY(flat, 0.5L); }), "不正な浮動小数点数演算命令");
}

}  // namespace
}  // namespace condsim
