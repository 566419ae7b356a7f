#include "plot/AxisTicks.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "plot/FigureText.h"

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

// Fixed-point labels longer than this are written in scientific notation instead.
constexpr int longestFixedDecimals = 4;
constexpr double smallestScientificSize = 1e6;

// "2.5 × 10^{−7}": the value's own power of ten, with the digits the step needs.
std::string scientificLabel(double value, double step) {
    if (std::fabs(value) < step * 1e-6) return "0";
    const int power = static_cast<int>(std::floor(std::log10(std::fabs(value)) + 1e-9));
    const int stepPower = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    std::string mantissa = tickLabel(value / std::pow(10.0, power), power - stepPower);
    // "1 × 10^{−6}" beside "1.2 × 10^{−6}", not "1.0".
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    return withMinusSigns(mantissa) + " \u00d7 10^{" + withMinusSigns(std::to_string(power)) + "}";
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

AxisTicks logAxisTicks(double low, double high, int maximumCount) {
    if (!(low > 0) || !(high > 0) || !std::isfinite(low) || !std::isfinite(high))
        return logAxisTicks(1, 10, maximumCount);
    if (low > high) std::swap(low, high);
    // The ends: the minor ticks (1..9 times a power of ten) at or beyond the data.
    const double lowPower = std::pow(10.0, std::floor(std::log10(low) + 1e-9));
    const double highPower = std::pow(10.0, std::floor(std::log10(high) + 1e-9));
    AxisTicks ticks;
    ticks.minimum = std::max(1.0, std::floor(low / lowPower + 1e-9)) * lowPower;
    ticks.maximum = std::ceil(high / highPower - 1e-9) * highPower;
    if (ticks.maximum <= ticks.minimum) ticks.maximum = ticks.minimum + lowPower;
    const int first = static_cast<int>(std::ceil(std::log10(ticks.minimum) - 1e-9));
    const int last = static_cast<int>(std::floor(std::log10(ticks.maximum) + 1e-9));
    const int count = std::max(maximumCount, 3);
    int every = 1;
    for (const int factor : {1, 2, 5, 10, 20, 50, 100}) {
        every = factor;
        const int from = static_cast<int>(std::ceil(static_cast<double>(first) / factor));
        const int to = static_cast<int>(std::floor(static_cast<double>(last) / factor));
        if (to - from + 1 <= count) break;
    }
    ticks.step = std::pow(10.0, every);
    const auto label = [](int power) -> std::string {
        if (power == 0) return "1";
        if (power == 1) return "10";
        return "10^{" + withMinusSigns(std::to_string(power)) + "}";
    };
    for (int power = static_cast<int>(std::ceil(static_cast<double>(first) / every)) * every;
         power <= last; power += every) {
        ticks.values.push_back(std::pow(10.0, power));
        ticks.labels.push_back(label(power));
    }
    // Fewer than two powers of ten on the axis: its ends are labelled too.
    if (ticks.values.size() < 2) {
        for (const double end : {ticks.minimum, ticks.maximum}) {
            if (!ticks.values.empty() && std::fabs(ticks.values.front() / end - 1) < 1e-9) continue;
            const bool before = ticks.values.empty() || end < ticks.values.front();
            // In fixed point where that is short, as on a linear axis.
            const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(end) + 1e-9)));
            const std::string text =
                decimals > longestFixedDecimals || end >= smallestScientificSize
                    ? scientificLabel(end, lowPower)
                    : tickLabel(end, decimals);
            ticks.values.insert(before ? ticks.values.begin() : ticks.values.end(), end);
            ticks.labels.insert(before ? ticks.labels.begin() : ticks.labels.end(), text);
        }
    }
    // Unlabelled ticks at 2..9 times each power, where every power has its tick.
    if (every == 1) {
        for (double power = lowPower; power <= ticks.maximum * (1 + 1e-9); power *= 10)
            for (int m = 1; m <= 9; ++m) {
                const double value = m * power;
                if (value < ticks.minimum * (1 - 1e-9) || value > ticks.maximum * (1 + 1e-9))
                    continue;
                const bool labelled =
                    std::any_of(ticks.values.begin(), ticks.values.end(),
                                [&](double v) { return std::fabs(v / value - 1) < 1e-9; });
                if (!labelled) ticks.minorValues.push_back(value);
            }
    }
    return ticks;
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
    const double largest = std::max(std::fabs(ticks.minimum), std::fabs(ticks.maximum));
    // Tiny and huge values would need long rows of zeros in fixed point.
    const bool scientific = decimals > longestFixedDecimals || largest >= smallestScientificSize;
    for (double k = first; k <= last; k += 1) {
        ticks.values.push_back(k * step);
        ticks.labels.push_back(scientific ? scientificLabel(k * step, step)
                                          : withMinusSigns(tickLabel(k * step, decimals)));
    }
    return ticks;
}

}  // namespace condsim
