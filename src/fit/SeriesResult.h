#pragma once
// Everything a temperature series gives, for the tables, the report, figures and windows:
// the separate fit at each temperature, the van 't Hoff analysis of their K1, and the
// global fit when asked.

#include <optional>
#include <string>
#include <vector>

#include "fit/GlobalSeriesFit.h"
#include "fit/TemperatureSeries.h"
#include "fit/VantHoff.h"

namespace condsim {

struct SeriesResult {
    std::string seriesFile;                // its name, for the report
    std::vector<FitParameter> parameters;  // fitted at each temperature
    std::vector<SeriesFit> fits;           // in the order of the series file
    VantHoffResult vantHoff;
    std::optional<GlobalSeriesFit> global;
};

struct SeriesRunOptions {
    bool vantHoffHeatCapacity = false;
    bool global = false;
    GlobalFitOptions globalOptions;
};

// The separate fits, their van 't Hoff analysis and, when asked, the global fit.
SeriesResult runSeries(const std::vector<SeriesDataSet>& data, const SeriesSetup& setup,
                       const SeriesRunOptions& options);

}  // namespace condsim
