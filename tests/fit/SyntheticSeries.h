#pragma once
// A temperature series made by the model: aqueous CaCl2-like data at n = 2, Model #1 with
// alfa = 1, K1(T) from dH and dS of association, lambda of the cation by the Walden rule
// with a small departure (none when asked), lambda(Cl-) by the Walden rule from 76.35 at 25 C, and
// normal noise of 0.005 mS/cm (the RMS residual of the measured dilute CaCl2 set fitted by this
// model). The solvent is a water of the test's own: the viscosity from Vogel's equation,
// the permittivity from Malmberg and Maryott, so that nothing depends on the solvent table.

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "fit/FitParameterisation.h"
#include "fit/TemperatureSeries.h"
#include "fit/VantHoff.h"

namespace condsim::testing {

inline constexpr ext seriesEnthalpy = 8;  // kJ/mol
inline constexpr ext seriesEntropy = 48;  // J/(mol K): K1(25 C) = 12.8
inline constexpr ext seriesCation25 = 59.5L;
inline constexpr ext seriesNoise = 0.005L;
inline const std::vector<ext> seriesTemperatures{278.15L, 288.15L, 298.15L, 308.15L, 318.15L};

inline Solvent seriesWater(ext kelvin) {
    const ext t = kelvin - 273.15L;
    const ext permittivity = 87.740L - 0.40008L * t + 9.398e-4L * t * t - 1.410e-6L * t * t * t;
    const ext viscosity = 0.02939e-3L * std::exp(507.88L / (kelvin - 149.3L));  // Pa s
    return otherSolvent(kelvin, permittivity, viscosity);
}

// The model at K1 = 1 and MCA = 60 (where fits start), MCX = 76.35 at 25 C.
inline FitSystem seriesModel() {
    FitSystem system;
    system.n = 2;
    system.sf.fill(1);
    system.model1 = true;
    system.alfa = 1;
    system.K[1] = 1;
    system.K[2] = 0.01L;
    system.MCA = 60;
    system.MCX = 76.35L;
    return system;
}

// lambda of the cation at T: Walden's from 59.5 at 25 C, higher by departure per 40 K.
inline constexpr ext seriesWaldenDeparture = 0.01L;
inline ext seriesCation(ext kelvin, ext departure = seriesWaldenDeparture) {
    const ext walden =
        seriesCation25 * seriesWater(298.15L).viscosity / seriesWater(kelvin).viscosity;
    return walden * (1 + departure * (kelvin - 298.15L) / 40);
}

// The data sets at the temperatures, at the concentrations given, noise from the seed.
inline std::vector<SeriesDataSet> syntheticSeries(
    const std::vector<ext>& concentrations, std::uint32_t seed,
    const std::vector<ext>& temperatures = seriesTemperatures,
    ext departure = seriesWaldenDeparture) {
    std::mt19937 random(seed);
    // Box-Muller on the generator's own numbers, the same on every standard library.
    const auto normal = [&] {
        const ext u1 = (random() + 0.5L) / 4294967296.0L;
        const ext u2 = (random() + 0.5L) / 4294967296.0L;
        return std::sqrt(-2 * std::log(u1)) * std::cos(2 * 3.14159265358979323846L * u2);
    };
    SeriesSetup setup{seriesModel(), {}, seriesWater};
    std::vector<SeriesDataSet> series;
    int line = 0;
    for (const ext T : temperatures) {
        SeriesDataSet data;
        data.where = "series.txt, line " + std::to_string(++line);
        data.dataFile = "T" + std::to_string(static_cast<int>(T)) + ".txt";
        data.temperature = T;
        const FitSystem system = seriesSystemAt(data, setup);
        const FitParameterisation truth(system,
                                        {FitParameter::stepwiseConstant(1), FitParameter::mca()});
        const CalculationConstants constants = truth.constantsAt(
            {std::exp(vantHoffLnK(T, seriesEnthalpy, seriesEntropy)), seriesCation(T, departure)});
        for (const ext C0 : concentrations) {
            const ext kappa =
                calculatedConductivity(system, constants, C0, FreeAnionRoute::StepSearch);
            data.points.push_back({C0, kappa + seriesNoise * normal()});
        }
        series.push_back(std::move(data));
    }
    return series;
}

inline const std::vector<ext> seriesDiluteConcentrations{
    7.577557e-05L, 2.499597e-04L, 5.000191e-04L, 7.527705e-04L, 1.000038e-03L, 1.500556e-03L,
    2.500594e-03L, 3.500632e-03L, 4.019096e-03L, 5.000191e-03L, 7.527705e-03L, 1.000038e-02L};

}  // namespace condsim::testing
