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

// The concentration axis: linear, logarithmic (speciation over decades), or the square
// root (Kohlrausch plots).
enum class FigureScale { Linear, Logarithmic, SquareRoot };
// "linear", "log", "sqrt".
std::optional<FigureScale> figureScaleNamed(const std::string& name);

struct FigureOptions {
    // The x axis; by default the kind's own (the square root for molar-sqrt, otherwise
    // linear).
    std::optional<FigureScale> x;
    // The names of AX0..AXn in the distribution figure, as formulas ("Ca2+", "CaCl+",
    // "CaCl2", typeset with plot/typesetFormula); AX0..AXn when empty.
    std::vector<std::string> speciesNames;
    // Other calculations of the same observed data (another solution model or ion size,
    // each fitted on its own) drawn as further curves of the conductivity figures, each
    // with its label in the legend; the other kinds leave them out.
    struct Compared {
        std::string label;
        CalculationRecord calculation;
    };
    std::vector<Compared> compared;
};

// A short name of a calculation's solution model for a legend: "ideal solution",
// "Debye–Hückel, water 25 °C, a = 4.5 Å".
std::string modelLabel(const CalculationRecord& calculation);

// A figure, or why there is none (nothing to draw is refused, never drawn empty).
struct BuiltFigure {
    std::optional<Figure> figure;
    std::string refusal;
};

// The figure of the main window's data: observed points as loaded, and the calculated
// curves of the last complete sweep when that sweep was made for these observed points.
// Residuals are calculated minus observed at the observed concentrations.
// A distribution figure whose species names do not number n + 1 is refused.
BuiltFigure mainWindowFigure(FigureKind kind, const ProcessState& state,
                             const FigureOptions& options = {});

// The residuals of a fit, with its description as caption.
BuiltFigure residualFigure(const std::vector<ResidualPoint>& residuals, const std::string& caption,
                           const FigureOptions& options = {});

}  // namespace condsim
