#include "fit/FitReport.h"

#include "files/NumberText.h"

namespace condsim {

std::string fitFailureMessage(const FitResult& result) {
    switch (result.status) {
        case FitStatus::Refused: return "The fit cannot run: " + result.reason;
        case FitStatus::NotConverged: return "The fit did not converge: " + result.reason;
        case FitStatus::Converged: return {};
    }
    return {};
}

std::string fitResultTable(const FitResult& result) {
    std::string names;
    for (const FittedValue& fitted : result.values) names += "\t" + fitParameterName(fitted.parameter);

    std::string text = "Fit to " + integerText(result.pointCount) + " observed points at n = " +
                       integerText(result.n) + ": converged after " + integerText(result.iterations) +
                       " iterations (" + integerText(result.evaluations) + " evaluations)\n";
    text += "parameter\tvalue\tstandard error\t95% from\t95% to\n";
    for (const FittedValue& fitted : result.values) {
        text += fitParameterName(fitted.parameter) + "\t" + NumberText(fitted.value) + "\t" +
                NumberText(fitted.standardError) + "\t" + NumberText(fitted.lower) + "\t" +
                NumberText(fitted.upper) + "\n";
    }
    text += "correlation" + names + "\n";
    for (size_t i = 0; i < result.values.size(); ++i) {
        text += fitParameterName(result.values[i].parameter);
        for (const ext value : result.correlation[i]) text += "\t" + NumberText(value);
        text += "\n";
    }
    text += "RMS residual\t" + NumberText(result.rmsResidual) + "\n";
    if (!result.solutionModel.empty()) {
        text += "solution model\t" + result.solutionModel + "\tconstants thermodynamic (I = 0) for this a\n";
    }
    return text;
}

std::string anionCountTable(const AnionCountComparison& comparison) {
    std::string text = "n\tRMS residual\tAIC\n";
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
