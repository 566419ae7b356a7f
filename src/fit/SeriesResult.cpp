#include "fit/SeriesResult.h"

namespace condsim {

SeriesResult runSeries(const std::vector<SeriesDataSet>& data, const SeriesSetup& setup,
                       const SeriesRunOptions& options) {
    SeriesResult result;
    result.parameters = setup.request.parameters;
    result.fits = fitSeriesSeparately(data, setup);
    result.vantHoff = vantHoffAnalysis(result.fits, options.vantHoffHeatCapacity);
    if (options.global) {
        GlobalFitOptions global = options.globalOptions;
        global.heatCapacity = options.vantHoffHeatCapacity;
        result.global = fitSeriesGlobally(data, setup, result.fits, result.vantHoff, global);
    }
    return result;
}

}  // namespace condsim
