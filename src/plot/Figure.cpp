#include "plot/Figure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace condsim {

FigureAxis figureAxis(std::string title, const std::vector<std::vector<double>>& values,
                      bool fromZero) {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const auto& list : values) {
        for (const double v : list) {
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (low > high) low = high = 0;  // no finite value at all
    if (fromZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    return {std::move(title), axisTicks(low, high)};
}

FigureAxis logarithmicFigureAxis(std::string title,
                                 const std::vector<std::vector<double>>& values) {
    double low = std::numeric_limits<double>::infinity();
    double high = 0;
    for (const auto& list : values) {
        for (const double v : list) {
            if (!(v > 0) || !std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (!(high > 0)) low = high = 1;  // no positive value at all
    return {std::move(title), logAxisTicks(low, high), true};
}

std::vector<double> curveConcentrations(const std::vector<double>& observed, bool fromZero) {
    constexpr int evenSteps = 120;
    constexpr int stepsPerDecade = 40;
    std::vector<double> grid;
    for (const double c : observed)
        if (c > 0 && std::isfinite(c)) grid.push_back(c);
    if (grid.empty()) return grid;
    const auto [lowest, highest] = std::minmax_element(grid.begin(), grid.end());
    const double high = *highest;
    const double low = fromZero ? std::min(*lowest, high * 1e-4) : *lowest;
    if (high > low) {
        for (int i = 0; i <= evenSteps; ++i) grid.push_back(low + (high - low) * i / evenSteps);
        const double decades = std::log10(high / low);
        if (decades > 1) {
            const int steps = static_cast<int>(std::ceil(decades * stepsPerDecade));
            for (int i = 0; i <= steps; ++i)
                grid.push_back(low * std::pow(high / low, static_cast<double>(i) / steps));
        }
    }
    std::sort(grid.begin(), grid.end());
    // Values closer than a millionth of the range are one.
    const double tolerance = (high - low) * 1e-6;
    grid.erase(std::unique(grid.begin(), grid.end(),
                           [tolerance](double a, double b) { return b - a <= tolerance; }),
               grid.end());
    // The ends exactly, whatever the steps' rounding.
    grid.front() = std::max(grid.front(), low);
    grid.back() = high;
    return grid;
}

}  // namespace condsim
