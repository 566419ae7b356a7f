#pragma once
// The residual plot of a fit: the residual (calculated - observed conductivity) of each
// observed point against its total concentration, with a horizontal line at zero. The
// x axis runs linearly from the smallest to the largest concentration, as in the
// conductivity plot; the y axis is symmetric about zero and reaches the largest residual
// in size, rounded up to a short number, so the zero line always lies in the middle of
// the frame. A margin keeps the
// circles at the ends inside the frame.

#include <vector>

#include "core/Ext.h"
#include "plot/Canvas.h"

namespace condsim {

struct ResidualPoint {
    ext concentration = 0;  // C0 (mol/L)
    ext residual = 0;       // calculated - observed conductivity (MC*M), as the fit has it
};

// The data ends of the axes that a drawing used: x from xMinimum to xMaximum, y from
// -yLimit to +yLimit.
struct ResidualAxes {
    ext xMinimum = 0;
    ext xMaximum = 0;
    ext yLimit = 0;
};

// Distance in pixels between the picture's edge and the data frame.
inline constexpr int residualPlotMargin = 12;
// Radius in pixels of the circle at each point.
inline constexpr int residualMarkerRadius = 5;

// The axes for the points: the concentration range (widened around a single
// concentration so it has a span) and the largest |residual| rounded up to 1, 2, 2.5 or 5
// times a power of ten (1 when all are 0).
ResidualAxes residualAxesOf(const std::vector<ResidualPoint>& points);

// Paints the canvas white, draws the data frame in grey, the zero line in black and a red
// circle at each point, in the order given. Returns the axes used.
ResidualAxes DrawResidualPlot(Canvas& canvas, const std::vector<ResidualPoint>& points);

// Paints the whole canvas white: the picture of no fit.
void BlankResidualPlot(Canvas& canvas);

}  // namespace condsim
