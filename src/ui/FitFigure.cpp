#include "ui/FitFigure.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "files/NumberText.h"
#include "fit/FitResultTable.h"
#include "model/CalculationRoad.h"
#include "plot/FigureText.h"
#include "ui/FitWindow.h"

namespace condsim {

namespace {

// `digits` significant digits, without an exponent between 1e-4 and 1e6 ("913", not "9.13e+02").
std::string shortText(ext value, int digits) {
    char text[96];
    const ext size = std::fabs(value);
    if (size >= 1e-4L && size < 1e6L) {
        const int decimals =
            std::max(0, digits - 1 - static_cast<int>(std::floor(std::log10(size))));
        return {
            text,
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr};
    }
    return {text,
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr};
}

}  // namespace

BuiltFigure fitResidualFigure(const FitWindow& fit, const FigureOptions& options) {
    const FitResult& result = fit.lastFit();
    if (!result.converged())
        return {std::nullopt, "There are no residuals to draw: run a fit first."};
    std::string caption = "Fit at n = " + integerText(result.n) + " to " +
                          integerText(result.pointCount) + " points: ";
    for (size_t i = 0; i < result.values.size(); ++i)
        caption += (i > 0 ? ", " : "") + fittedValueSummary(result.values[i]);
    // The model of the fit, with its fitted ion size where there is one.
    const std::string model = result.solutionModel.empty()
                                  ? roadSummaryName(calculationRoad(fit.fittedSystem().solution))
                                  : result.solutionModel;
    caption += "; RMS residual " + shortText(result.rmsResidual, 3) + " mS cm-1; " + model + ".";
    return residualFigure(fit.residuals(), typesetCaption(caption), options);
}

}  // namespace condsim
