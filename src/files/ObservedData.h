#pragma once
// The observed data of the last load: up to 100 pairs of total concentration (mol/L) and
// measured conductivity, entries 1..count; entry 0 is never used.

#include <array>
#include <string>

#include "core/Ext.h"

namespace condsim {

inline constexpr int observedCapacity = 100;
// The refusal of data that do not fit.
inline constexpr const char* tooManyObservedPairsText =
    "The file holds more than 100 pairs of observed data; condsim reads at most 100.";

struct ObservedData {
    std::string fileName;
    int count = 0;
    std::array<ext, observedCapacity + 1> conc{};
    std::array<ext, observedCapacity + 1> cond{};
};

}  // namespace condsim
