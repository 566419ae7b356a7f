#pragma once
// The map from the optimiser's unknowns to the constants of the calculation. Unknown j
// belongs to parameter j of the request: the natural logarithm of a K(i) or of alfa, or
// MCA or MCX as they are. Quantities that are not fitted keep the values of the system.
//
// With alfa, Model #1 generates the constants as Initialize does: K(i+1) = (alfa x K(i))
// / 100 for i = 1..n-1, starting from K(1) (fitted or the model's). Otherwise K(1..n) are
// the model's with the fitted ones replaced. Either way beta(r) = 1 x K(1) x ... x K(r).

#include <string>
#include <vector>

#include "fit/FitParameter.h"
#include "fit/FitSystem.h"

namespace condsim {

// The refusal of a fit without observed points.
inline constexpr const char* noObservedPointsText = "There are no observed data to fit.";

class FitParameterisation {
public:
    // Why these parameters cannot be fitted to this system, or empty when they can: no
    // parameter, no observed points, a negative MCA or MCX, too few points, a concentration
    // that is not positive,
    // a K(i) beyond n, alfa with K(2..n), a start value that is not positive for a
    // logarithmic parameter, a negative fixed constant.
    static std::string refusal(const FitSystem& system, const std::vector<FitParameter>& parameters);

    // Requires refusal(system, parameters) to be empty.
    FitParameterisation(const FitSystem& system, std::vector<FitParameter> parameters);

    size_t size() const { return parameters_.size(); }
    const std::vector<FitParameter>& parameters() const { return parameters_; }

    // The unknowns at the system's own values: the start of the fit.
    std::vector<ext> start() const { return start_; }
    // The value of parameter j for the unknown u (exp(u) on the logarithmic scale).
    ext valueOf(size_t j, ext unknown) const;
    // The constants of the calculation for the unknowns (checked arithmetic).
    CalculationConstants constantsAt(const std::vector<ext>& unknowns) const;

private:
    bool usesModel1() const;

    const FitSystem& system_;
    std::vector<FitParameter> parameters_;
    std::vector<ext> start_;
};

}  // namespace condsim
