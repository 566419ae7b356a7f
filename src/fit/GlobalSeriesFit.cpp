#include "fit/GlobalSeriesFit.h"

namespace condsim {

GlobalSeriesFit fitSeriesGlobally(const std::vector<SeriesDataSet>&, const SeriesSetup&,
                                  const std::vector<SeriesFit>&, const VantHoffResult&,
                                  const GlobalFitOptions& options) {
    GlobalSeriesFit fit;
    fit.options = options;
    fit.failure = "not built yet";
    return fit;
}

}  // namespace condsim
