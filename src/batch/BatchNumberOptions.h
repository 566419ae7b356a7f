#pragma once
// The options whose values the windows read as numbers (number(t) of files/NumberText):
// checked once every argument was read, with the decimal separator the run will use, so
// that a value a field would refuse is a usage error before anything runs.

#include <string>

#include "batch/BatchOptions.h"

namespace condsim {

// Throws BatchUsageError for the first value that is not a number: the program's own
// not-a-number line, then a line that names the option, the value and what it takes, and
// a hint when the value has the other decimal mark or lies beyond the range of numbers.
void checkNumberOptions(const BatchOptions& options);

// Whether a character may be the decimal separator: one that cannot be part of a number
// otherwise (no digit, sign, letter or blank).
bool usableDecimalSeparator(char separator);

}  // namespace condsim
