#pragma once
// The stepwise-constant file: K(1), K(2), ... one per line, read with the rules of
// ReadNumberRecords.

#include <string>

#include "files/NumberRecords.h"

namespace condsim {

inline constexpr int stepwiseConstantCapacity = 100;  // K(1..100)

// The constants of the file, at most stepwiseConstantCapacity (an empty file gives none).
// Raises every error of ReadNumberRecords (each naming the file), the refusal of a file of
// more constants, and the refusal of a negative constant with its value and line:
// "K2 = -1000 in line 2 of FILE is negative: stepwise constants are 0 or more".
NumberRecords ReadStepwiseConstantsFile(const std::string& fileName);

}  // namespace condsim
