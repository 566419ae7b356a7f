#pragma once
// A temperature series: several observed data sets of one salt, each at its temperature,
// fitted separately with the same model and the same fitted parameters. At each
// temperature the solvent (permittivity, viscosity) is the one at that temperature, and
// the anion's limiting conductivity is the series file's value or, where it gives none,
// the Walden rule's: lambda(X-) x eta constant, from lambda(X-) at 25 C (the system's MCX)
// and the viscosities at 25 C and at the temperature.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/SeriesFile.h"
#include "fit/ConstantsFit.h"
#include "model/ionic/Solvent.h"

namespace condsim {

// The temperature of the Walden rule's reference values and of dG: 25 C.
inline constexpr ext seriesReferenceTemperature = 298.15L;

// One data set of a series as the fits take it.
struct SeriesDataSet {
    std::string where;                     // "series.txt, line 3"
    std::string dataFile;                  // full name
    ext temperature = 0;                   // K
    std::optional<ext> anionConductivity;  // from the series file
    std::vector<ObservedPoint> points;
    std::string problem;  // why there are no data (from the series file), or empty
};

std::vector<SeriesDataSet> seriesDataSetsOf(const std::vector<SeriesFileLine>& lines);

// The solvent at a temperature; throws Error (with the temperatures it allows) where it
// has no values. The batch tool passes solventAtTemperature with the solvent's name.
using SolventAt = std::function<Solvent(ext kelvin)>;

struct SeriesSetup {
    // The model of every temperature: n, the constants the fit starts from, Model #1, the
    // scaling factors, MCA and MCX (lambda(X-) at 25 C), the solution model; its points
    // and solvent are replaced at each temperature.
    FitSystem system;
    FitRequest request;
    SolventAt solventAt;
};

enum class AnionSource { SeriesFile, Walden };

// The separate fit at one temperature.
struct SeriesFit {
    std::string where;
    std::string dataFile;
    ext temperature = 0;
    // Why this data set has no fit: its series-file problem, a temperature the solvent
    // does not allow, a fit refused or not converged; "<where>: <reason>". Empty when fitted.
    std::string failure;
    Solvent solvent;            // at the temperature
    ext anionConductivity = 0;  // lambda(X-) used (MCX)
    AnionSource anionSource = AnionSource::Walden;
    FitResult result;            // converged when failure is empty
    ext cationConductivity = 0;  // MCA: fitted, or held
    ext waldenProduct = 0;       // MCA x eta, S cm2 mol-1 mPa s
    bool fitted() const { return failure.empty(); }
};

// The system of one data set at its temperature, and where its lambda(X-) comes from;
// throws Error (the solvent's refusal) for a temperature the solvent does not allow.
FitSystem seriesSystemAt(const SeriesDataSet& data, const SeriesSetup& setup,
                         AnionSource* anionSource = nullptr);

// Fits every data set on the threads of the request's options; the results in the order
// of the data sets, each standing alone. The request's progress callback is told on those
// threads; a FitCancelled it throws ends the series and comes out of here. solventAt is
// called on those threads too.
std::vector<SeriesFit> fitSeriesSeparately(const std::vector<SeriesDataSet>& data,
                                           const SeriesSetup& setup);

// The fitted value of a parameter in a converged result, or nothing when it was not fitted.
const FittedValue* fittedValueOf(const FitResult& result, const FitParameter& parameter);

}  // namespace condsim
