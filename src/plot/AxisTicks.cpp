#include "plot/AxisTicks.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace condsim {

namespace {

// The smallest of 1, 2, 5 and 10 times a power of ten that is at least `rough` > 0.
double roundStepAbove(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough * (1 - 1e-12)) return factor * power;
    }
    return 10 * power;
}

}  // namespace

std::string tickLabel(double value, int decimals) {
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                   std::max(decimals, 0))
                         .ptr;
    std::string label(text, end);
    // A tiny negative residue of the step arithmetic must not print as "-0.00".
    if (label.find_first_not_of("-0.") == std::string::npos && label.front() == '-')
        label.erase(0, 1);
    return label;
}

AxisTicks axisTicks(double low, double high, int maximumCount) {
    if (!std::isfinite(low) || !std::isfinite(high)) return axisTicks(0, 1, maximumCount);
    if (low > high) std::swap(low, high);
    if (low == high) {
        const double half = low != 0 ? std::fabs(low) / 2 : 0.5;
        low -= half;
        high += half;
    }
    const int count = std::max(maximumCount, 3);
    // The finest round step whose enclosing ticks are no more than `count`: the step that
    // the span alone suggests may need one or two coarser steps once the ends are rounded.
    double step = roundStepAbove((high - low) / (count - 1));
    double first = 0;
    double last = 0;
    for (;;) {
        // Whole multiples of the step, so that no error accumulates from tick to tick.
        first = std::floor(low / step + 1e-9);
        last = std::ceil(high / step - 1e-9);
        if (last - first + 1 <= count) break;
        step = roundStepAbove(step * 1.5);
    }
    AxisTicks ticks;
    ticks.step = step;
    ticks.minimum = first * step;
    ticks.maximum = last * step;
    const int decimals = static_cast<int>(std::max(0.0, -std::floor(std::log10(step) + 1e-9)));
    for (double k = first; k <= last; k += 1) {
        ticks.values.push_back(k * step);
        ticks.labels.push_back(tickLabel(k * step, decimals));
    }
    return ticks;
}

}  // namespace condsim
