#pragma once
// Axis ends and tick marks at round values for the labelled figures: ticks are whole
// multiples of a step of 1, 2 or 5 times a power of ten, and the axis runs from the last
// tick at or below the smallest value to the first tick at or above the largest.

#include <string>
#include <vector>

namespace condsim {

struct AxisTicks {
    double minimum = 0;  // the axis ends, both ticks
    double maximum = 0;
    double step = 0;
    std::vector<double> values;  // minimum, minimum + step, ..., maximum
    // Each value with as many decimals as the step needs and a true minus sign (U+2212);
    // in scientific notation with the markup of plot/FigureText ("2 × 10^{−7}") where
    // fixed point would need more than four decimals or seven digits.
    std::vector<std::string> labels;
    // Unlabelled ticks between them (on a logarithmic axis at 2..9 times each power).
    std::vector<double> minorValues;
};

// Ticks for data from low to high (in either order): the finest round step that needs no
// more than `maximumCount` ticks (at least 3) to enclose the data. A single value is
// widened to a span of its own size (of 1 at 0) first. Non-finite input gives the axis
// 0 to 1.
AxisTicks axisTicks(double low, double high, int maximumCount = 7);

// Ticks of a logarithmic axis for positive values from low to high: the axis runs from the
// minor tick (1..9 times a power of ten) at or below the smallest value to the one at or
// above the largest; a labelled tick at every power of ten on it, or at every second,
// fifth or tenth when there would be more than `maximumCount`, labels "10^{−4}" in the
// markup of plot/FigureText ("1" and "10" without a power); where fewer than two powers
// lie on the axis its ends are labelled too ("0.002", "2 × 10^{−7}"). Minor ticks at 2..9 times
// each power where every power is labelled. `step` is the labelled ticks' factor.
AxisTicks logAxisTicks(double low, double high, int maximumCount = 7);

// The text of a tick value with `decimals` digits after the point, without a minus sign
// on zero.
std::string tickLabel(double value, int decimals);

}  // namespace condsim
