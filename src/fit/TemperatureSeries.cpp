#include "fit/TemperatureSeries.h"

#include "core/Error.h"
#include "core/IndexOrderedWork.h"

namespace condsim {

std::vector<SeriesDataSet> seriesDataSetsOf(const std::vector<SeriesFileLine>& lines) {
    std::vector<SeriesDataSet> data;
    data.reserve(lines.size());
    for (const SeriesFileLine& line : lines) {
        SeriesDataSet set{line.where, line.dataFile, line.temperature, line.anionConductivity,
                          {},         line.problem};
        for (int r = 0; r < line.observed.count(); ++r)
            set.points.push_back({line.observed.value(r, 0), line.observed.value(r, 1)});
        data.push_back(std::move(set));
    }
    return data;
}

FitSystem seriesSystemAt(const SeriesDataSet& data, const SeriesSetup& setup,
                         AnionSource* anionSource) {
    FitSystem system = setup.system;
    system.points = data.points;
    system.solution.solvent = setup.solventAt(data.temperature);
    // Bjerrum's distance depends on the permittivity and the temperature: taken at this one.
    system.solution = withBjerrumIonSize(system.solution, system.n);
    if (data.anionConductivity) {
        system.MCX = *data.anionConductivity;
        if (anionSource != nullptr) *anionSource = AnionSource::SeriesFile;
    } else {
        // Walden: lambda x eta is the same at every temperature.
        const ext reference = setup.solventAt(seriesReferenceTemperature).viscosity;
        system.MCX = setup.system.MCX * reference / system.solution.solvent.viscosity;
        if (anionSource != nullptr) *anionSource = AnionSource::Walden;
    }
    return system;
}

const FittedValue* fittedValueOf(const FitResult& result, const FitParameter& parameter) {
    for (const FittedValue& value : result.values) {
        if (value.parameter == parameter) return &value;
    }
    return nullptr;
}

namespace {

SeriesFit fitOne(const SeriesDataSet& data, const SeriesSetup& setup) {
    SeriesFit fit;
    fit.where = data.where;
    fit.dataFile = data.dataFile;
    fit.temperature = data.temperature;
    if (!data.problem.empty()) {
        fit.failure = data.where + ": " + data.problem;
        return fit;
    }
    FitSystem system;
    try {
        system = seriesSystemAt(data, setup, &fit.anionSource);
    } catch (const Error& error) {
        fit.failure = data.where + ": " + error.text();
        return fit;
    }
    fit.solvent = system.solution.solvent;
    fit.anionConductivity = system.MCX;
    FitRequest request = setup.request;
    request.options.threads = 1;
    fit.result = fitConstants(system, request);
    if (!fit.result.converged()) {
        fit.failure = data.where + ": " + data.dataFile +
                      (fit.result.status == FitStatus::Refused ? ": the fit cannot run: "
                                                               : ": the fit did not converge: ") +
                      fit.result.reason;
        return fit;
    }
    fit.cationConductivity = fit.result.MCA;
    // Pa s to mPa s.
    fit.waldenProduct = fit.cationConductivity * fit.solvent.viscosity * 1000;
    return fit;
}

}  // namespace

std::vector<SeriesFit> fitSeriesSeparately(const std::vector<SeriesDataSet>& data,
                                           const SeriesSetup& setup) {
    std::vector<SeriesFit> fits;
    fits.reserve(data.size());
    runInIndexOrder<SeriesFit>(
        static_cast<int>(data.size()), setup.request.options.threads,
        [&](int i) { return fitOne(data[static_cast<size_t>(i)], setup); },
        [&](int, SeriesFit&& fit) { fits.push_back(std::move(fit)); },
        [](int, const std::exception_ptr& error) { std::rethrow_exception(error); });
    return fits;
}

}  // namespace condsim
