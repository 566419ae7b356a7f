#pragma once
// The map from the values of the fitted parameters to the constants of the calculation.
// Value j belongs to parameter j of the request: a K(i), alfa, MCA, MCX or the ion size a.
// The optimiser works on unknowns: the natural logarithm of a formation constant (K(i) or
// alfa) and of a, so that they stay positive, and MCA or MCX as they are. A formation constant may
// also be held at exactly 0, which no unknown reaches. Quantities that are not fitted keep the
// values of the system.
//
// Model #1 generates K(2..n) from K(1) as Initialize does, K(i+1) = (alfa x K(i)) / 100,
// when alfa is fitted, or when K1 is fitted without any other K(i) while the system's
// Model #1 switch is on (alfa then held at the system's value): the model being fitted is
// the one the main window calculates. Otherwise K(1..n) are the table's with the fitted
// ones replaced. Either way beta(r) = 1 x K(1) x ... x K(r).

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
    static std::string refusal(const FitSystem& system,
                               const std::vector<FitParameter>& parameters);

    // Requires refusal(system, parameters) to be empty.
    FitParameterisation(const FitSystem& system, std::vector<FitParameter> parameters);

    size_t size() const { return parameters_.size(); }
    const std::vector<FitParameter>& parameters() const { return parameters_; }
    const FitSystem& system() const { return system_; }

    // The values at the system's own constants: the start of the fit.
    const std::vector<ext>& start() const { return start_; }
    // Whether parameter j is a formation constant, K(i) or alfa (fitted as its logarithm,
    // scanned, may be held at 0).
    bool isFormationConstant(size_t j) const {
        return parameters_[j].kind == FitParameterKind::StepwiseConstant ||
               parameters_[j].kind == FitParameterKind::Alfa;
    }
    // Whether parameter j may be held at exactly 0, its bound: a formation constant, or the
    // ion size, whose 0 is the limit of point charges (the limiting laws).
    bool hasBoundAtZero(size_t j) const {
        return isFormationConstant(j) || parameters_[j].kind == FitParameterKind::IonSize;
    }
    // The value of parameter j for the unknown u (exp(u) on the logarithmic scale: a
    // formation constant or the ion size) and back.
    ext valueOf(size_t j, ext unknown) const;
    ext unknownOf(size_t j, ext value) const;
    // Whether parameter j changes nothing at these values: alfa while K1 is 0 under Model
    // #1, a K(i) while a K(r < i) is 0 (beta(i) is then 0 whatever K(i) is).
    bool hasNoEffect(size_t j, const std::vector<ext>& values) const;
    // The constants of the calculation for the values (checked arithmetic).
    CalculationConstants constantsAt(const std::vector<ext>& values) const;

    // Whether Model #1 generates K(2..n) in this fit.
    bool generatesByModel1() const { return model1_; }
    // How the stepwise constants that are not fitted are set, for the results table, such
    // as "K2..K6 follow K1 by Model #1, alfa = 20 held"; empty when every K(i) is fitted.
    std::string otherConstantsNote() const;

  private:
    bool isFitted(const FitParameter& parameter) const;

    const FitSystem& system_;
    std::vector<FitParameter> parameters_;
    std::vector<ext> start_;
    bool model1_ = false;
};

}  // namespace condsim
