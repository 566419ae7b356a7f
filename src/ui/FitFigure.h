#pragma once
// The labelled residual figure of the Fit window's last converged fit.

#include "ui/PaperFigures.h"

namespace condsim {

class FitWindow;

// The residuals of the last converged fit with the fitted values, n, the number of points,
// the RMS residual and the solution model as caption; refused when there is no fit.
BuiltFigure fitResidualFigure(const FitWindow& fit, const FigureOptions& options = {});

}  // namespace condsim
