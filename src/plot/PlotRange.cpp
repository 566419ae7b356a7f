#include "plot/PlotRange.h"

#include <cmath>

#include "core/CheckedArithmetic.h"
#include "files/ObservedData.h"

namespace condsim {

namespace {

// The maxima start here, so that the first observed point always replaces them.
constexpr ext noMaximumYet = -100000000.0L;
// The data frame reaches this far beyond the largest concentration and conductivity,
// leaving room for the calculated curves above and to the right of the observed points.
constexpr ext concentrationHeadroom = 1.6L;
constexpr ext conductivityHeadroom = 1.2L;
// Each axis extends this fraction of its data span beyond the frame on both sides.
constexpr ext axisMargin = 0.05L;
// Pixel positions are kept within this magnitude: far beyond any image, and small enough
// that adding a marker radius or subtracting from the image height cannot overflow.
constexpr ext pixelLimit = 1000000000.0L;

// Adding and then subtracting 2^63 rounds a magnitude below 2^63 to an integer, with
// ties to even: the sum has no bits below the units. Exact and much cheaper than a call.
constexpr ext integerRounder = 9223372036854775808.0L;

// Nearest integer, ties to even (the default rounding mode), bounded to +-pixelLimit.
int roundedPixel(ext value) {
    // Beyond the limit the bound is the answer whatever the rounding.
    if (value > pixelLimit) return static_cast<int>(pixelLimit);
    if (value < -pixelLimit) return -static_cast<int>(pixelLimit);
    const ext rounded = value < 0 ? (value - integerRounder) + integerRounder
                                  : (value + integerRounder) - integerRounder;
    return static_cast<int>(rounded);
}

// Round( size x (value - low) / (high - low) ): the product first, then the quotient.
int scaledPixel(int size, ext value, ext low, ext high) {
    return roundedPixel(div(mul(toExt(size), sub(value, low)), sub(high, low)));
}

}  // namespace

void RangeFromObserved(PlotRange& range, const ObservedData& observed) {
    range.DataXMax = noMaximumYet;
    range.DataYMax = noMaximumYet;
    for (int i = 1; i <= observed.count; ++i) {
        if (observed.conc[i] > range.DataXMax) range.DataXMax = observed.conc[i];
        if (observed.cond[i] > range.DataYMax) range.DataYMax = observed.cond[i];
    }
    range.DataXMin = 0;
    range.DataYMin = 0;
    range.DataXMax = mul(range.DataXMax, concentrationHeadroom);
    range.DataYMax = mul(range.DataYMax, conductivityHeadroom);
}

void PadRange(PlotRange& range) {
    const ext dx = mul(sub(range.DataXMax, range.DataXMin), axisMargin);
    range.AxisXMin = sub(range.DataXMin, dx);
    range.AxisXMax = add(range.DataXMax, dx);
    const ext dy = mul(sub(range.DataYMax, range.DataYMin), axisMargin);
    range.AxisYMin = sub(range.DataYMin, dy);
    range.AxisYMax = add(range.DataYMax, dy);
}

int MapX(const PlotRange& range, ext x) {
    return scaledPixel(range.ImageWidth, x, range.AxisXMin, range.AxisXMax);
}

int MapY(const PlotRange& range, ext y) {
    return range.ImageHeight - scaledPixel(range.ImageHeight, y, range.AxisYMin, range.AxisYMax);
}

}  // namespace condsim
