#include "plot/ResidualPlot.h"

#include <algorithm>
#include <cmath>

namespace condsim {

namespace {

constexpr Color frameGrey{160, 160, 160};

// The pixel of value v on an axis from low to high drawn from pixel `from` to pixel `to`.
int pixelOf(ext v, ext low, ext high, int from, int to) {
    const ext fraction = (v - low) / (high - low);
    return from + static_cast<int>(
                      std::lround(static_cast<double>(fraction * static_cast<ext>(to - from))));
}

// The smallest of 1, 2, 2.5, 5 and 10 times a power of ten that is at least v > 0: the
// axis end gets a short label.
ext roundNumberAbove(ext v) {
    const ext power = std::pow(10.0L, std::floor(std::log10(v)));
    for (const ext step : {1.0L, 2.0L, 2.5L, 5.0L}) {
        if (step * power >= v) return step * power;
    }
    return 10 * power;
}

}  // namespace

ResidualAxes residualAxesOf(const std::vector<ResidualPoint>& points) {
    ResidualAxes axes;
    if (points.empty()) return {0, 1, 1};
    axes.xMinimum = axes.xMaximum = points.front().concentration;
    for (const ResidualPoint& point : points) {
        axes.xMinimum = std::min(axes.xMinimum, point.concentration);
        axes.xMaximum = std::max(axes.xMaximum, point.concentration);
        axes.yLimit = std::max(axes.yLimit, std::fabs(point.residual));
    }
    if (axes.xMaximum == axes.xMinimum) {
        // One concentration only: centre it in a span of its own size (or of 1 at 0).
        const ext half = axes.xMinimum != 0 ? std::fabs(axes.xMinimum) / 2 : 0.5L;
        axes.xMinimum -= half;
        axes.xMaximum += half;
    }
    axes.yLimit = axes.yLimit > 0 && std::isfinite(axes.yLimit) ? roundNumberAbove(axes.yLimit) : 1;
    return axes;
}

void BlankResidualPlot(Canvas& canvas) {
    canvas.setPenColor(colors::white);
    canvas.setPenWidth(1);
    canvas.setBrushColor(colors::white);
    canvas.rectangle(0, 0, canvas.width(), canvas.height());
}

ResidualAxes DrawResidualPlot(Canvas& canvas, const std::vector<ResidualPoint>& points) {
    BlankResidualPlot(canvas);
    const ResidualAxes axes = residualAxesOf(points);
    const int left = residualPlotMargin;
    const int top = residualPlotMargin;
    const int right = canvas.width() - 1 - residualPlotMargin;
    const int bottom = canvas.height() - 1 - residualPlotMargin;
    // The frame encloses the data area with room for a whole circle at its edges.
    const int pad = residualMarkerRadius + 1;
    canvas.setPenColor(frameGrey);
    canvas.rectangle(left - pad, top - pad, right + pad + 1, bottom + pad + 1);

    const int zero = pixelOf(0, -axes.yLimit, axes.yLimit, bottom, top);
    canvas.setPenColor(colors::black);
    canvas.moveTo(left - pad, zero);
    canvas.lineTo(right + pad + 1, zero);

    canvas.setPenColor(colors::red);
    canvas.setPenWidth(2);
    for (const ResidualPoint& point : points) {
        const int x = pixelOf(point.concentration, axes.xMinimum, axes.xMaximum, left, right);
        const int y = pixelOf(point.residual, -axes.yLimit, axes.yLimit, bottom, top);
        canvas.ellipse(x - residualMarkerRadius, y - residualMarkerRadius, x + residualMarkerRadius,
                       y + residualMarkerRadius);
    }
    canvas.setPenWidth(1);
    return axes;
}

}  // namespace condsim
