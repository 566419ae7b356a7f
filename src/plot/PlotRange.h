#pragma once
// The one range record shared by both plots: data extremes, axis limits (the extremes
// widened by margins), the pixel size of the image being drawn and the marker radius.

#include <cstdint>

#include "core/Ext.h"

namespace condsim {

struct ObservedData;

struct PlotRange {
    ext AxisXMin = 0;  // data x at pixel column 0
    ext AxisXMax = 0;  // data x at pixel column ImageWidth
    ext AxisYMin = 0;  // data y at pixel row ImageHeight
    ext AxisYMax = 0;  // data y at pixel row 0
    ext DataXMin = 0;
    ext DataXMax = 0;
    ext DataYMin = 0;
    ext DataYMax = 0;
    int ImageHeight = 0;
    int ImageWidth = 0;
    std::uint8_t MarkerRadius = 0;
};

// Sets the data extremes from the observed points: minima 0, maxima 1.6 x the largest
// concentration and 1.2 x the largest conductivity (-1e8 before the factors when there
// are no points).
void RangeFromObserved(PlotRange& range, const ObservedData& observed);

// Axis limits: 5 % of each data span added on each side.
void PadRange(PlotRange& range);

// Data value to pixel column / row (rows counted down from the top), rounded to the
// nearest integer with ties to even. A zero span raises the floating-point error.
int MapX(const PlotRange& range, ext x);
int MapY(const PlotRange& range, ext y);

}  // namespace condsim
