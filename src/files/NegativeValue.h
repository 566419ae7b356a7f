#pragma once
// The refusal of a negative value where only 0 or more make sense: a stepwise constant
// (a negative one gives abundances below 0 and above 100 percent) or a limiting molar
// conductivity.

#include <string>

#include "core/Ext.h"

namespace condsim {

inline constexpr const char* stepwiseConstantRule = "stepwise constants are 0 or more";
inline constexpr const char* limitingConductivityRule =
    "limiting molar conductivities are 0 or more";

// "NAME = VALUE PLACE is negative: RULE", for example "K2 = -1000 in line 2 of FILE is
// negative: stepwise constants are 0 or more". The place may be empty; the value is shown
// as its number text.
std::string negativeValueText(const std::string& name, ext value, const std::string& place,
                              const std::string& rule);

}  // namespace condsim
