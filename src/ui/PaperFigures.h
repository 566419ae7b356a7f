#pragma once
// The labelled figures for papers, built from the observed data and the last complete
// calculation: conductivity and molar conductivity against C0, molar conductivity
// against sqrt(C0), the species distribution, and the residuals. Observed points are open
// circles, calculated curves solid lines; species curves differ in line style and carry
// their names. The caption names the calculation's parameters and solution model.

#include <optional>
#include <string>
#include <vector>

#include "plot/Figure.h"
#include "plot/ResidualPlot.h"
#include "ui/ProcessState.h"

namespace condsim {

enum class FigureKind {
    Conductivity,
    MolarConductivity,
    MolarConductivitySqrt,
    Distribution,
    Residuals
};

// The names of the command line: conductivity, molar, molar-sqrt, distribution, residuals.
std::string figureKindName(FigureKind kind);
std::optional<FigureKind> figureKindNamed(const std::string& name);
// What a menu offers: "Conductivity against C0", ...
std::string figureKindTitle(FigureKind kind);
inline constexpr FigureKind allFigureKinds[] = {
    FigureKind::Conductivity, FigureKind::MolarConductivity, FigureKind::MolarConductivitySqrt,
    FigureKind::Distribution, FigureKind::Residuals};

// A figure, or why there is none (nothing to draw is refused, never drawn empty).
struct BuiltFigure {
    std::optional<Figure> figure;
    std::string refusal;
};

// The figure of the main window's data: observed points as loaded, and the calculated
// curves of the last complete sweep when that sweep was made for these observed points.
// Residuals are calculated minus observed at the observed concentrations.
BuiltFigure mainWindowFigure(FigureKind kind, const ProcessState& state);

// The residuals of a fit, with its description as caption.
BuiltFigure residualFigure(const std::vector<ResidualPoint>& residuals, const std::string& caption);

}  // namespace condsim
