#pragma once
// Comma-separated text for the data export: one record per line, CR LF line ends, fields
// quoted only when they hold a comma, a quote or a line break, and numbers with a period
// as decimal separator whatever the locale.

#include <string>
#include <vector>

#include "core/Ext.h"

namespace condsim {

// 17 significant digits in the shortest general form ("0.0001", "1.2345678901234567e-05"):
// more than the 15 of the windows' text, enough to tell apart any two doubles.
std::string csvNumber(ext value);

// One record with its line end.
std::string csvRecord(const std::vector<std::string>& fields);

}  // namespace condsim
