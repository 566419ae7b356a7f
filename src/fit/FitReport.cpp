#include "fit/FitReport.h"

#include <cmath>

#include "files/NumberText.h"

namespace condsim {

std::string fitFailureMessage(const FitResult& result) {
    switch (result.status) {
        case FitStatus::Refused:
            return "The fit cannot run: " + result.reason;
        case FitStatus::NotConverged:
            return "The fit did not converge: " + result.reason;
        case FitStatus::Converged:
            return {};
    }
    return {};
}

namespace {

// A bound of a profile interval: 0 and infinity are where the profile does not reach its
// threshold.
std::string boundText(ext bound) { return std::isinf(bound) ? "unbounded" : NumberText(bound); }

std::string valueLine(const FittedValue& fitted) {
    const std::string name = fitParameterName(fitted.parameter);
    switch (fitted.state) {
        case FittedState::Estimated: {
            std::string line = name + "\t" + NumberText(fitted.value) + "\t" +
                               NumberText(fitted.standardError) + "\t" + NumberText(fitted.lower) +
                               "\t" + NumberText(fitted.upper);
            if (fitted.hasProfile)
                line +=
                    "\t" + boundText(fitted.profileLower) + "\t" + boundText(fitted.profileUpper);
            return line + "\n";
        }
        case FittedState::AtZero:
            return name + "\t0\t\t\t\t0\t" + boundText(fitted.profileUpper) + "\n";
        case FittedState::NoEffect:
            return name + "\n";
    }
    return {};
}

// What a value that is not estimated means, below the table.
std::string stateNote(const FittedValue& fitted, const FitResult& result) {
    const std::string name = fitParameterName(fitted.parameter);
    if (fitted.state == FittedState::AtZero) {
        return name +
               " = 0: the data put it at zero, and the others are fitted with it held there; its "
               "one-sided "
               "95% upper bound from the profile is " +
               boundText(fitted.profileUpper) + "\n";
    }
    if (fitted.state == FittedState::NoEffect) {
        std::string silencer;
        for (const FittedValue& other : result.values) {
            if (other.state == FittedState::AtZero && silencer.empty())
                silencer = fitParameterName(other.parameter);
        }
        return name + " has no value: it changes nothing while " +
               (silencer.empty() ? "a constant" : silencer) + " is 0\n";
    }
    return {};
}

}  // namespace

std::string fitResultTable(const FitResult& result) {
    std::string names;
    for (const FittedValue& fitted : result.values)
        names += "\t" + fitParameterName(fitted.parameter);

    std::string text = "Fit to " + integerText(result.pointCount) +
                       " observed points at n = " + integerText(result.n) + ": converged after " +
                       integerText(result.iterations) + " iterations (" +
                       integerText(result.evaluations) + " evaluations; " +
                       integerText(result.totalEvaluations) +
                       " in all with the scan and the profiles)\n";
    text += "residuals\t" + fitWeightingDescription(result.weighting) + "\n";
    text +=
        "parameter\tvalue\tstandard error\t95% from\t95% to\tprofile 95% from\tprofile 95% to\n";
    for (const FittedValue& fitted : result.values) text += valueLine(fitted);
    for (const FittedValue& fitted : result.values) text += stateNote(fitted, result);
    if (!result.otherConstants.empty()) text += result.otherConstants + "\n";
    text += "correlation" + names + "\n";
    for (size_t i = 0; i < result.values.size(); ++i) {
        text += fitParameterName(result.values[i].parameter);
        for (const ext value : result.correlation[i])
            text += "\t" + (std::isnan(value) ? std::string() : NumberText(value));
        text += "\n";
    }
    text += "RMS residual\t" + NumberText(result.rmsResidual) + "\n";
    if (!result.solutionModel.empty()) {
        text += "solution model\t" + result.solutionModel +
                "\tconstants thermodynamic (I = 0) for this a\n";
    }
    return text;
}

std::string anionCountTable(const AnionCountComparison& comparison) {
    std::string text = "n\tRMS residual (" + fitWeightingName(comparison.weighting) + ")\tAIC\n";
    for (const AnionCountFit& row : comparison.rows) {
        text += integerText(row.n);
        if (row.fit.converged()) {
            text += "\t" + NumberText(row.fit.rmsResidual) + "\t" + NumberText(row.aic);
            if (row.n == comparison.bestN) text += "\tbest";
        } else {
            text += "\t\t\t" + fitFailureMessage(row.fit);
        }
        text += "\n";
    }
    return text;
}

}  // namespace condsim
