#pragma once
// The observed data file: one pair per line, the total concentration (mol/L) and the
// measured conductivity, read with the rules of ReadNumberRecords.

#include <string>

#include "files/NumberRecords.h"

namespace condsim {

// The pairs of the file, at least one and at most observedCapacity. Raises every error of
// ReadNumberRecords (each naming the file), the refusal of a file of more pairs, and
// "FILE holds no pairs of observed data" for a file without any (empty, blanks only): a
// calculation over no data has no concentration range to sweep. Refuses, too, the values
// that ObservedValueCheck refuses, naming their line.
NumberRecords ReadObservedDataFile(const std::string& fileName);

}  // namespace condsim
