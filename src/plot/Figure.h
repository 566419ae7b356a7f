#pragma once
// A labelled figure for papers, described in data units: two axes with titles and ticks
// at round values, the series to draw, a legend and a caption line. A backend lays it out
// with real fonts at a physical size and draws it (SVG, PDF, PNG); nothing here depends
// on the windows' pictures, which stay as they are.

#include <string>
#include <vector>

#include "plot/AxisTicks.h"
#include "plot/Canvas.h"

namespace condsim {

// Styles that stay distinct in black and white.
enum class LineStyle { None, Solid, Dashed, Dotted, DashDotted };
enum class MarkerShape { None, OpenCircle, FilledCircle, OpenSquare, OpenTriangle };

struct FigureSeries {
    std::string name;  // legend text
    std::vector<double> x;
    std::vector<double> y;  // as many as x
    Color color = colors::black;
    LineStyle line = LineStyle::None;  // a line through the points in their order
    MarkerShape marker = MarkerShape::None;
    bool labelAtPeak = false;  // its name written beside its largest y
    // Error bars: a vertical bar from yLow to yHigh at each x, with short caps; none when
    // empty, otherwise as many as x.
    std::vector<double> yLow;
    std::vector<double> yHigh;
};

struct FigureAxis {
    std::string title;  // quantity and unit, "C0 / mol L-1"
    AxisTicks ticks;
    bool logarithmic = false;  // values placed by their logarithm (ticks at decades)
};

enum class LegendPlace { None, TopLeft, TopRight };

struct Figure {
    FigureAxis x;
    FigureAxis y;
    std::vector<FigureSeries> series;  // drawn in order, later over earlier
    LegendPlace legend = LegendPlace::TopLeft;
    bool zeroLine = false;  // a horizontal line at y = 0
    std::string caption;    // one line under the plot, wrapped when long
};

// The axis for data values: ticks at round values around all of them, from 0 when
// `fromZero` (and the values are not negative).
FigureAxis figureAxis(std::string title, const std::vector<std::vector<double>>& values,
                      bool fromZero);
// The logarithmic axis for positive values: from the decade at or below the smallest to
// the decade at or above the largest (logAxisTicks).
FigureAxis logarithmicFigureAxis(std::string title, const std::vector<std::vector<double>>& values);

// The concentrations at which a calculated curve is drawn over observed ones: from the
// lowest observed (or, with `fromZero`, from a ten-thousandth of the highest, which lies
// on the axis's zero) to the highest; evenly spaced across the range, and also evenly on a
// logarithmic scale where the data span more than a decade, so that the curve is fine
// where dilute data crowd together; and each observed concentration itself. Ascending,
// no value twice.
std::vector<double> curveConcentrations(const std::vector<double>& observed, bool fromZero);

}  // namespace condsim
