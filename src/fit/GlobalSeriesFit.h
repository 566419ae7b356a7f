#pragma once
// The global fit of a temperature series: every data set at once, with K1 at each
// temperature from the enthalpy and entropy of association,
//   ln K1(T) = -dH/(R T) + dS/R + (dCp/R) (T0/T - 1 + ln(T/T0)),  T0 = 298.15 K,
// (dCp only when asked) in place of one K1 per temperature, and lambda of the cation
// either free at each temperature or tied by the Walden rule to one lambda at 25 C:
//   MCA(T) = MCA(25 C) eta(25 C) / eta(T).
// The residuals of all data sets are stacked into one least-squares problem, each data set
// weighted as its separate fit is; the optimiser is Eigen's Levenberg-Marquardt, as for one
// data set. dH and dS get intervals from the Jacobian and from the profile of the sum of
// squares (S_min (1 + t^2/(m - p)), as for one data set); its sum of squares is compared
// with the sum of the separate fits'.
//
// The data sets that fitted separately take part; the separate fits give the start (the
// van 't Hoff line and the lambda of each temperature). Only K1 and MCA are adjusted: the
// other constants are set at every temperature as the separate fits set them from the
// system (Model #1 follows K1 with alfa held).

#include <cmath>
#include <string>
#include <vector>

#include "fit/TemperatureSeries.h"
#include "fit/VantHoff.h"

namespace condsim {

struct GlobalFitOptions {
    bool heatCapacity = false;  // fit a constant dCp too (five or more temperatures)
    bool waldenTie = false;     // one lambda of the cation at 25 C, Walden's at each T
};

struct GlobalEstimate {
    std::string name;  // "dH (kJ/mol)", "dS (J/(mol K))", "dCp (J/(mol K))", "MCA 288.15 K"
    ext value = 0;
    ext standardError = 0;
    ext lower = 0;  // 95 % from the Jacobian
    ext upper = 0;
    bool hasProfile = false;  // dH and dS (and dCp)
    ext profileLower = 0;     // -INF / +INF where the profile does not reach its threshold
    ext profileUpper = 0;
};

struct GlobalSeriesFit {
    // Why it did not run or converge; empty when converged.
    std::string failure;
    // The data sets left out (no separate fit), "<where>: why".
    std::vector<std::string> leftOut;
    // A sentence on dCp asked for and not fitted; empty otherwise.
    std::string note;
    GlobalFitOptions options;
    std::vector<std::string> where;  // of the data sets fitted
    std::vector<ext> temperatures;
    std::vector<ext> K1;                  // at each temperature, from dH, dS (and dCp)
    std::vector<ext> cationConductivity;  // MCA at each temperature
    // dH, dS, (dCp), then MCA at each temperature or MCA at 25 C (when MCA is fitted).
    std::vector<GlobalEstimate> estimates;
    int pointCount = 0;
    int parameterCount = 0;
    ext sumOfSquares = 0;
    ext rmsResidual = 0;
    // The separate fits of the same data sets: their sum of squares and parameters.
    ext separateSumOfSquares = 0;
    int separateParameterCount = 0;
    // The F test of the global fit against the separate fits (nested: the global model is
    // the separate one with K1 on the van 't Hoff line, and lambda tied where asked):
    // F = ((S_global - S_separate) / (p_separate - p_global)) / (S_separate / (m - p_separate)),
    // and the chance of a larger F where the global model holds. NaN where the separate
    // fits have no degrees of freedom left or no fewer parameters than the global one.
    ext fStatistic = NAN;
    ext fProbability = NAN;
    int evaluations = 0;  // of all residuals of every data set
    bool converged() const { return failure.empty(); }
};

// The global fit from the separate fits (fits[i] of data[i]) and their van 't Hoff line.
// The setup's progress callback (FitOptions::progress) is told after every evaluation of
// all residuals, on the threads of the profiles too; a FitCancelled it throws comes out of
// here.
GlobalSeriesFit fitSeriesGlobally(const std::vector<SeriesDataSet>& data, const SeriesSetup& setup,
                                  const std::vector<SeriesFit>& fits,
                                  const VantHoffResult& vantHoff, const GlobalFitOptions& options);

}  // namespace condsim
