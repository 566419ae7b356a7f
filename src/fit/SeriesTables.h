#pragma once
// The text forms of a temperature series: the table of the separate fits (one row per
// temperature: the fitted values with their 95 % profile intervals, lambda of the cation
// and of the anion, the Walden product, the RMS residual), as tab-separated text for
// standard output and as CSV; the van 't Hoff table; the global fit's table; and the
// report of them all. A data set without a fit has its row with the reason.

#include <string>

#include "fit/SeriesResult.h"
#include "model/SolutionModel.h"

namespace condsim {

// Tab-separated, numbers as NumberText (15 digits).
std::string seriesFitTable(const SeriesResult& result);
// The same table as CSV (csvRecord, csvNumber).
std::string seriesFitCsv(const SeriesResult& result);
std::string vantHoffTable(const VantHoffResult& result);
std::string globalFitTable(const GlobalSeriesFit& result);
// The model a series ran with, as its report names it: "n = 2, Ideal, solvent water".
std::string seriesModelText(int n, SolutionModelKind kind, const std::string& solvent);
// The report: what was fitted, then the three tables under their headings.
std::string seriesReport(const SeriesResult& result, const std::string& model);

}  // namespace condsim
