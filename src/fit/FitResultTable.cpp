#include "fit/FitResultTable.h"

#include <cmath>

#include "files/NumberText.h"
#include "model/ValueText.h"

namespace condsim {

namespace {

// A bound of a profile interval: 0 and infinity are where the profile does not reach its
// threshold.
std::string boundText(ext bound) { return std::isinf(bound) ? "unbounded" : NumberText(bound); }

// The unit a value of the parameter is written with in a note.
std::string unitAfter(const FitParameter& parameter) {
    return parameter.kind == FitParameterKind::IonSize ? " A" : "";
}

std::vector<std::string> valueRow(const FittedValue& fitted) {
    const bool estimated = fitted.state == FittedState::Estimated && fitted.hasJacobianInterval;
    const auto estimate = [&](ext value) { return estimated ? NumberText(value) : std::string(); };
    const auto profile = [&](ext bound) {
        return fitted.hasProfile || fitted.state == FittedState::AtZero ? boundText(bound)
                                                                        : std::string();
    };
    return {fitParameterName(fitted.parameter),
            fitted.state == FittedState::NoEffect ? std::string() : NumberText(fitted.value),
            estimate(fitted.standardError),
            estimate(fitted.lower),
            estimate(fitted.upper),
            profile(fitted.state == FittedState::AtZero ? 0 : fitted.profileLower),
            profile(fitted.profileUpper)};
}

// What a value that is not estimated means.
std::string stateNote(const FittedValue& fitted, const FitResult& result) {
    const std::string name = fitParameterName(fitted.parameter);
    if (fitted.state == FittedState::AtZero) {
        const bool ionSize = fitted.parameter.kind == FitParameterKind::IonSize;
        return name + " = 0" + (ionSize ? " (point charges: the limiting laws)" : "") +
               ": the data put it at zero, and the others are fitted with it held there; its "
               "one-sided 95% upper bound from the profile is " +
               boundText(fitted.profileUpper) + unitAfter(fitted.parameter);
    }
    if (fitted.state == FittedState::NotDetermined) {
        return name +
               " is not determined by these data: the profile of the sum of squares stays "
               "below its 95% threshold from " +
               name + " = " + NumberText(fitted.searchedFrom) + " to " +
               boundText(fitted.searchedTo) + unitAfter(fitted.parameter) +
               " (the value is where the optimiser stopped; it has no standard error)";
    }
    if (fitted.state == FittedState::NoEffect) {
        std::string silencer;
        for (const FittedValue& other : result.values) {
            if (other.state == FittedState::AtZero && silencer.empty())
                silencer = fitParameterName(other.parameter);
        }
        return name + " has no value: it changes nothing while " +
               (silencer.empty() ? "a constant" : silencer) + " is 0";
    }
    return {};
}

// The estimated parameters whose profile is unbounded on one side.
std::string oneSidedNote(const FitResult& result) {
    std::vector<FitParameter> oneSided;
    for (const FittedValue& fitted : result.values) {
        if (fitted.state == FittedState::Estimated && !fitted.hasJacobianInterval)
            oneSided.push_back(fitted.parameter);
    }
    if (oneSided.empty()) return {};
    const bool one = oneSided.size() == 1;
    return fitParameterNameList(oneSided) + (one ? " has" : " have") +
           " no standard error and no interval from the Jacobian: " +
           (one ? "its profile reaches" : "their profiles reach") +
           " 0 or the end of the range searched on one side, so the data bound " +
           (one ? "it" : "them") + " on the other side only";
}

// The parameters whose interval from the Jacobian differs from the profile's.
std::string profileLeadsNote(const FitResult& result) {
    std::vector<FitParameter> leading;
    for (const FittedValue& fitted : result.values) {
        if (fitted.profileLeads) leading.push_back(fitted.parameter);
    }
    if (leading.empty()) return {};
    const bool one = leading.size() == 1;
    return "use the profile interval" + std::string(one ? " of " : "s of ") +
           fitParameterNameList(leading) + ": the one" + (one ? "" : "s") +
           " from the Jacobian differ" + (one ? "s from it" : " from them") +
           " by more than 20% on a side, as the sum of squares is not quadratic there";
}

}  // namespace

std::string fittedValueSummary(const FittedValue& fitted) {
    const std::string name = fitParameterName(fitted.parameter);
    const auto shortText = [](ext value) { return valueText(value, 6); };
    switch (fitted.state) {
        case FittedState::AtZero:
            return name + " = 0 (95% upper bound " + boundText(fitted.profileUpper) + ")";
        case FittedState::NoEffect:
            return name + " without effect";
        case FittedState::NotDetermined:
            return name + " not determined";
        case FittedState::Estimated:
            break;
    }
    if (!fitted.hasJacobianInterval) {
        return name + " = " + shortText(fitted.value) + " (95% " +
               (fitted.profileLower > 0 ? "from " + shortText(fitted.profileLower)
                                        : "to " + boundText(fitted.profileUpper)) +
               ")";
    }
    return name + " = " + shortText(fitted.value) + " (s.e. " + valueText(fitted.standardError, 3) +
           ")";
}

FitResultTable fitResultTableOf(const FitResult& result) {
    FitResultTable table;
    table.title = "Fit to " + integerText(result.pointCount) +
                  " observed points at n = " + integerText(result.n) + ": converged after " +
                  integerText(result.iterations) + " iterations (" +
                  integerText(result.evaluations) + " evaluations; " +
                  integerText(result.totalEvaluations) + " in all with the scan and the profiles)";
    table.valueHeaders = {"parameter",     "value",  "standard error",
                          "95% from",      "95% to", "profile 95% from",
                          "profile 95% to"};
    for (const FittedValue& fitted : result.values) {
        table.values.push_back(valueRow(fitted));
        table.names.push_back(fitParameterName(fitted.parameter));
        if (std::string note = stateNote(fitted, result); !note.empty())
            table.notes.push_back(std::move(note));
    }
    for (std::string note : {oneSidedNote(result), profileLeadsNote(result)}) {
        if (!note.empty()) table.notes.push_back(std::move(note));
    }
    if (!result.otherConstants.empty()) table.notes.push_back(result.otherConstants);
    table.notes.insert(table.notes.end(), result.modelNotes.begin(), result.modelNotes.end());
    for (const auto& row : result.correlation) {
        std::vector<std::string> cells;
        cells.reserve(row.size());
        for (const ext value : row) cells.push_back(std::isnan(value) ? "" : NumberText(value));
        table.correlation.push_back(std::move(cells));
    }
    table.rmsResidual = NumberText(result.rmsResidual);
    table.solutionModel = result.solutionModel;
    return table;
}

}  // namespace condsim
