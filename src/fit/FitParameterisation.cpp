#include "fit/FitParameterisation.h"

#include <algorithm>
#include <cmath>

#include "core/CheckedArithmetic.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"

namespace condsim {

namespace {

bool contains(const std::vector<FitParameter>& parameters, const FitParameter& parameter) {
    return std::find(parameters.begin(), parameters.end(), parameter) != parameters.end();
}

// alfa as Model #1 would have generated K(2) from K(1): K(2) = (alfa x K(1)) / 100.
ext alfaOf(const SpeciesArray& K) { return div(mul(K[2], 100), K[1]); }

}  // namespace

std::string FitParameterisation::refusal(const FitSystem& system, const std::vector<FitParameter>& parameters) {
    if (parameters.empty()) return "Choose at least one parameter to fit.";
    if (system.points.empty()) return noObservedPointsText;
    if (system.MCA < 0) return negativeValueText("MCA", system.MCA, {}, limitingConductivityRule) + ".";
    if (system.MCX < 0) return negativeValueText("MCX", system.MCX, {}, limitingConductivityRule) + ".";
    for (size_t j = 0; j < parameters.size(); ++j) {
        if (std::find(parameters.begin(), parameters.begin() + static_cast<long>(j), parameters[j]) !=
            parameters.begin() + static_cast<long>(j)) {
            return fitParameterName(parameters[j]) + " is named twice.";
        }
    }
    const size_t count = system.points.size();
    if (count <= parameters.size()) {
        return "Fitting " + integerText(static_cast<int>(parameters.size())) +
               " parameters needs more observed points than parameters; there are " +
               integerText(static_cast<int>(count)) + ".";
    }
    for (size_t j = 0; j < count; ++j) {
        const ext concentration = system.points[j].concentration;
        if (!(concentration > 0)) {
            return "Observed point " + integerText(static_cast<int>(j + 1)) + " has the concentration " +
                   NumberText(concentration) + "; the calculation needs a positive concentration.";
        }
    }
    const int n = system.n;
    const bool model1 = contains(parameters, FitParameter::alfa());
    for (const FitParameter& parameter : parameters) {
        if (parameter.kind != FitParameterKind::StepwiseConstant) continue;
        const int i = parameter.index;
        const std::string name = fitParameterName(parameter);
        if (i > n) return name + " is not a constant of n = " + integerText(n) + ".";
        if (model1 && i >= 2) return name + " cannot be fitted with alfa, which generates K2..Kn.";
        if (!(system.K[static_cast<size_t>(i)] > 0)) {
            return name + " must be positive to be fitted on the logarithmic scale; it is " +
                   NumberText(system.K[static_cast<size_t>(i)]) + ".";
        }
    }
    if (model1) {
        if (!(system.K[1] > 0 && system.K[2] > 0)) {
            return "alfa starts from 100 x K2 / K1, which needs K1 and K2 positive; they are " +
                   NumberText(system.K[1]) + " and " + NumberText(system.K[2]) + ".";
        }
    } else {
        // The fast free-anion solver relies on a balance that falls monotonically.
        for (int i = 1; i <= n; ++i) {
            if (system.K[static_cast<size_t>(i)] < 0) {
                return "K" + integerText(i) + " is negative (" + NumberText(system.K[static_cast<size_t>(i)]) +
                       "); the fit needs constants of zero or above.";
            }
        }
    }
    return {};
}

FitParameterisation::FitParameterisation(const FitSystem& system, std::vector<FitParameter> parameters)
    : system_(system), parameters_(std::move(parameters)) {
    for (const FitParameter& parameter : parameters_) {
        switch (parameter.kind) {
            case FitParameterKind::StepwiseConstant:
                start_.push_back(std::log(system_.K[static_cast<size_t>(parameter.index)]));
                break;
            case FitParameterKind::Alfa: start_.push_back(std::log(alfaOf(system_.K))); break;
            case FitParameterKind::MCA: start_.push_back(system_.MCA); break;
            case FitParameterKind::MCX: start_.push_back(system_.MCX); break;
        }
    }
}

bool FitParameterisation::usesModel1() const { return contains(parameters_, FitParameter::alfa()); }

ext FitParameterisation::valueOf(size_t j, ext unknown) const {
    if (!parameters_[j].onLogarithmicScale()) return unknown;
    const ext value = std::exp(unknown);
    if (!isFiniteExt(value)) throwFloatingPointFault(FloatingPointFault::Overflow);
    return value;
}

CalculationConstants FitParameterisation::constantsAt(const std::vector<ext>& unknowns) const {
    CalculationConstants constants;
    constants.K = system_.K;
    constants.MCA = system_.MCA;
    constants.MCX = system_.MCX;
    ext alfa = 0;
    for (size_t j = 0; j < parameters_.size(); ++j) {
        const ext value = valueOf(j, unknowns[j]);
        switch (parameters_[j].kind) {
            case FitParameterKind::StepwiseConstant: constants.K[static_cast<size_t>(parameters_[j].index)] = value; break;
            case FitParameterKind::Alfa: alfa = value; break;
            case FitParameterKind::MCA: constants.MCA = value; break;
            case FitParameterKind::MCX: constants.MCX = value; break;
        }
    }
    const int n = system_.n;
    if (usesModel1()) {
        for (int i = 1; i <= n - 1; ++i) {
            constants.K[static_cast<size_t>(i) + 1] = div(mul(alfa, constants.K[static_cast<size_t>(i)]), 100);
        }
    }
    ext product = 1;
    for (int r = 1; r <= n; ++r) {
        product = mul(product, constants.K[static_cast<size_t>(r)]);
        constants.beta[static_cast<size_t>(r)] = product;
    }
    return constants;
}

}  // namespace condsim
