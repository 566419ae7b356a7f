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

}  // namespace condsim
