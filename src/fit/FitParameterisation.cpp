#include "fit/FitParameterisation.h"

#include <algorithm>
#include <cmath>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"
#include "model/CalculationRoad.h"
#include "model/CumulativeConstants.h"

namespace condsim {

namespace {

bool contains(const std::vector<FitParameter>& parameters, const FitParameter& parameter) {
    return std::find(parameters.begin(), parameters.end(), parameter) != parameters.end();
}

bool fitsLaterConstants(const std::vector<FitParameter>& parameters) {
    return std::any_of(parameters.begin(), parameters.end(), [](const FitParameter& parameter) {
        return parameter.kind == FitParameterKind::StepwiseConstant && parameter.index >= 2;
    });
}

// Whether Model #1 generates K(2..n): with a fitted alfa, or with K1 fitted alone among the
// K(i) while the switch is on.
bool model1Generates(const FitSystem& system, const std::vector<FitParameter>& parameters) {
    if (contains(parameters, FitParameter::alfa())) return true;
    return system.model1 && contains(parameters, FitParameter::stepwiseConstant(1)) &&
           !fitsLaterConstants(parameters);
}

// alfa as Model #1 would have generated K(2) from K(1): K(2) = (alfa x K(1)) / 100.
ext alfaOf(const SpeciesArray& K) { return div(mul(K[2], 100), K[1]); }

// "K2", "K2..K6" or "K2, K4..K6": the indices in increasing order, runs joined.
std::string constantRanges(const std::vector<int>& indices) {
    std::string text;
    for (size_t j = 0; j < indices.size();) {
        size_t last = j;
        while (last + 1 < indices.size() && indices[last + 1] == indices[last] + 1) ++last;
        if (!text.empty()) text += ", ";
        text += "K" + integerText(indices[j]);
        if (last > j) text += (last == j + 1 ? ", K" : "..K") + integerText(indices[last]);
        j = last + 1;
    }
    return text;
}

}  // namespace

std::string FitParameterisation::refusal(const FitSystem& system,
                                         const std::vector<FitParameter>& parameters) {
    if (parameters.empty()) return "Choose at least one parameter to fit.";
    if (system.points.empty()) return noObservedPointsText;
    if (system.MCA < 0)
        return negativeValueText("MCA", system.MCA, {}, limitingConductivityRule) + ".";
    if (system.MCX < 0)
        return negativeValueText("MCX", system.MCX, {}, limitingConductivityRule) + ".";
    for (size_t j = 0; j < parameters.size(); ++j) {
        if (std::find(parameters.begin(), parameters.begin() + static_cast<long>(j),
                      parameters[j]) != parameters.begin() + static_cast<long>(j)) {
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
            return "Observed point " + integerText(static_cast<int>(j + 1)) +
                   " has the concentration " + NumberText(concentration) +
                   "; the calculation needs a positive concentration.";
        }
    }
    if (contains(parameters, FitParameter::ionSize())) {
        if (!hasIonSize(calculationRoad(system.solution)))
            return "a is the ion size of the ionic-strength model; choose that model to fit it.";
        try {
            checkIonSize(system.solution.ionSize);
        } catch (const Error& error) {
            return error.text() + ".";
        }
    }
    const int n = system.n;
    const bool alfaFitted = contains(parameters, FitParameter::alfa());
    for (const FitParameter& parameter : parameters) {
        if (parameter.kind != FitParameterKind::StepwiseConstant) continue;
        const int i = parameter.index;
        const std::string name = fitParameterName(parameter);
        if (i > n) return name + " is not a constant of n = " + integerText(n) + ".";
        if (alfaFitted && i >= 2)
            return name + " cannot be fitted with alfa, which generates K2..Kn.";
        if (!(system.K[static_cast<size_t>(i)] > 0)) {
            return name + " must be positive to be fitted on the logarithmic scale; it is " +
                   NumberText(system.K[static_cast<size_t>(i)]) + ".";
        }
    }
    if (alfaFitted) {
        if (!(system.K[1] > 0 && system.K[2] > 0)) {
            return "alfa starts from 100 x K2 / K1, which needs K1 and K2 positive; they are " +
                   NumberText(system.K[1]) + " and " + NumberText(system.K[2]) + ".";
        }
    } else if (!model1Generates(system, parameters)) {
        // The fast free-anion solver relies on a balance that falls monotonically.
        for (int i = 1; i <= n; ++i) {
            if (system.K[static_cast<size_t>(i)] < 0) {
                return "K" + integerText(i) + " is negative (" +
                       NumberText(system.K[static_cast<size_t>(i)]) +
                       "); the fit needs constants of zero or above.";
            }
        }
    }
    return {};
}

FitParameterisation::FitParameterisation(const FitSystem& system,
                                         std::vector<FitParameter> parameters)
    : system_(system),
      parameters_(std::move(parameters)),
      model1_(model1Generates(system, parameters_)) {
    for (const FitParameter& parameter : parameters_) {
        switch (parameter.kind) {
            case FitParameterKind::StepwiseConstant:
                start_.push_back(system_.K[static_cast<size_t>(parameter.index)]);
                break;
            case FitParameterKind::Alfa:
                start_.push_back(alfaOf(system_.K));
                break;
            case FitParameterKind::MCA:
                start_.push_back(system_.MCA);
                break;
            case FitParameterKind::MCX:
                start_.push_back(system_.MCX);
                break;
            case FitParameterKind::IonSize:
                start_.push_back(system_.solution.ionSize);
                break;
        }
    }
}

bool FitParameterisation::isFitted(const FitParameter& parameter) const {
    return contains(parameters_, parameter);
}

ext FitParameterisation::valueOf(size_t j, ext unknown) const {
    if (!parameters_[j].onLogarithmicScale()) return unknown;
    const ext value = std::exp(unknown);
    if (!isFiniteExt(value)) throwFloatingPointFault(FloatingPointFault::Overflow);
    return value;
}

ext FitParameterisation::unknownOf(size_t j, ext value) const {
    return parameters_[j].onLogarithmicScale() ? std::log(value) : value;
}

bool FitParameterisation::hasNoEffect(size_t j, const std::vector<ext>& values) const {
    CalculationConstants constants;
    try {
        constants = constantsAt(values);
    } catch (const Error&) {
        return false;  // constants that overflow are not 0; the evaluation will report the fault
    }
    switch (parameters_[j].kind) {
        case FitParameterKind::Alfa:
            return constants.K[1] == 0;
        case FitParameterKind::StepwiseConstant:
            for (int r = 1; r < parameters_[j].index; ++r) {
                if (constants.K[static_cast<size_t>(r)] == 0) return true;
            }
            return false;
        case FitParameterKind::MCA:
        case FitParameterKind::MCX:
        case FitParameterKind::IonSize:
            return false;
    }
    return false;
}

CalculationConstants FitParameterisation::constantsAt(const std::vector<ext>& values) const {
    CalculationConstants constants;
    constants.K = system_.K;
    constants.MCA = system_.MCA;
    constants.MCX = system_.MCX;
    constants.solution = system_.solution;
    ext alfa = system_.alfa;
    for (size_t j = 0; j < parameters_.size(); ++j) {
        const ext value = values[j];
        switch (parameters_[j].kind) {
            case FitParameterKind::StepwiseConstant:
                constants.K[static_cast<size_t>(parameters_[j].index)] = value;
                break;
            case FitParameterKind::Alfa:
                alfa = value;
                break;
            case FitParameterKind::MCA:
                constants.MCA = value;
                break;
            case FitParameterKind::MCX:
                constants.MCX = value;
                break;
            case FitParameterKind::IonSize:
                constants.solution.ionSize = value;
                constants.solution.bjerrumIonSize = false;  // the fitted a takes its place
                break;
        }
    }
    if (model1_) generateByModel1(system_.n, alfa, constants.K);
    formCumulativeConstants(system_.n, constants.K, constants.beta);
    return constants;
}

std::string FitParameterisation::otherConstantsNote() const {
    const int n = system_.n;
    if (model1_) {
        const std::string generated = n == 2 ? "K2 follows" : "K2..K" + integerText(n) + " follow";
        const std::string first = isFitted(FitParameter::stepwiseConstant(1)) ? "K1" : "K1 (held)";
        const std::string alfa = isFitted(FitParameter::alfa())
                                     ? " with the fitted alfa"
                                     : ", alfa = " + NumberText(system_.alfa) + " held";
        return generated + " " + first + " by Model #1" + alfa;
    }
    std::vector<int> held;
    for (int i = 1; i <= n; ++i) {
        if (!isFitted(FitParameter::stepwiseConstant(i))) held.push_back(i);
    }
    if (held.empty()) return {};
    return constantRanges(held) + (held.size() == 1 ? " is" : " are") +
           " held at the constants table's " + (held.size() == 1 ? "value" : "values");
}

}  // namespace condsim
