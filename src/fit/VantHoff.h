#pragma once
// The van 't Hoff analysis of a series: ln K1 against 1/T by weighted least squares, for
// the enthalpy and entropy of association, and with five or more temperatures optionally a
// constant heat capacity of association:
//   ln K1(T) = -dH/(R T) + dS/R + (dCp/R) (T0/T - 1 + ln(T/T0)),
// dH and dS at T0 = 298.15 K (without dCp they hold at every T). The weight of a
// temperature is 1/sigma^2, sigma the standard uncertainty of ln K1 that its profile
// interval implies: (ln upper - ln lower) / (2 t(0.975; m - p)). With more temperatures
// than coefficients the covariance (X^T W X)^-1 is scaled by chi^2/(N - q), the 95 %
// intervals from Student's t with N - q degrees of freedom; with as many, the
// uncertainties come from the weights alone and the intervals from the normal 1.96.

#include <string>
#include <vector>

#include "core/Ext.h"
#include "fit/TemperatureSeries.h"

namespace condsim {

// R, J/(mol K) (CODATA 2018, exact).
inline constexpr ext gasConstant = 8.314462618L;

struct VantHoffPoint {
    std::string where;
    ext temperature = 0;
    ext lnK = 0;
    ext sigma = 0;  // standard uncertainty of ln K1
};

struct VantHoffEstimate {
    ext value = 0;
    ext standardError = 0;
    ext lower = 0;  // 95 %
    ext upper = 0;
};

struct VantHoffResult {
    // Why there is no fit (fewer than two usable temperatures); empty when fitted.
    std::string refusal;
    // Temperatures left out, each "<where> (T K): why".
    std::vector<std::string> leftOut;
    // A sentence on dCp asked for and not fitted; empty otherwise.
    std::string note;
    std::vector<VantHoffPoint> points;
    bool withHeatCapacity = false;
    int degreesOfFreedom = 0;
    bool scaledByChiSquare = false;
    ext chiSquare = 0;
    VantHoffEstimate enthalpy;      // kJ/mol, at 298.15 K
    VantHoffEstimate entropy;       // J/(mol K), at 298.15 K
    VantHoffEstimate heatCapacity;  // J/(mol K), when fitted
    VantHoffEstimate gibbs;         // kJ/mol at 298.15 K
    bool fitted() const { return refusal.empty(); }
};

// The points of the converged fits whose K1 is estimated with a two-sided profile
// interval; the others go into leftOut with the reason.
std::vector<VantHoffPoint> vantHoffPoints(const std::vector<SeriesFit>& fits,
                                          std::vector<std::string>& leftOut);

VantHoffResult vantHoffFit(const std::vector<VantHoffPoint>& points, bool withHeatCapacity);
// The points of the fits and the fit of them.
VantHoffResult vantHoffAnalysis(const std::vector<SeriesFit>& fits, bool withHeatCapacity);

// ln K1 at T of the coefficients (dH kJ/mol, dS and dCp J/(mol K)).
ext vantHoffLnK(ext temperature, ext enthalpy, ext entropy, ext heatCapacity = 0);

}  // namespace condsim
