#include "ui/PaperFigures.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "plot/FigureText.h"

namespace condsim {

namespace {

// Titles in the markup of plot/FigureText: "^{...}" raised, "_{...}" lowered, with the
// minus sign U+2212 and the Greek letters kappa and Lambda.
const char* const concentrationTitle = "C_{0} / mol L^{\u22121}";
const char* const sqrtConcentrationTitle = "\u221aC_{0} / (mol L^{\u22121})^{1/2}";
const char* const conductivityTitle = "\u03ba / mS cm^{\u22121}";
const char* const molarConductivityTitle = "\u039b / S cm^{2} mol^{\u22121}";
const char* const abundanceTitle = "abundance / %";
// Residuals are calculated minus observed everywhere: the fit, its output, the CSV.
const char* const residualTitle = "(\u03ba_{calcd} \u2212 \u03ba_{obsd}) / mS cm^{\u22121}";

const char* const nothingObserved =
    "There is nothing to draw: open observed data (File/Open) or run Conduct Calculations first.";
const char* const nothingCalculated =
    "There is no calculation to draw: run Conduct Calculations first.";
const char* const nothingCompared =
    "There are no residuals to draw: open observed data and run Conduct Calculations for them "
    "first.";

// Species curves: print-safe colours, and line styles that tell them apart without colour.
constexpr Color speciesPalette[] = {{0, 0, 0},     {0, 0, 200},   {200, 0, 0},  {0, 128, 0},
                                    {128, 0, 128}, {200, 110, 0}, {0, 128, 128}};
constexpr LineStyle speciesLines[] = {LineStyle::Solid, LineStyle::Dashed, LineStyle::Dotted,
                                      LineStyle::DashDotted};

struct Column {
    std::vector<double> x;
    std::vector<double> y;
};

FigureSeries observedSeries(Column column) {
    return {"observed",    std::move(column.x), std::move(column.y),
            colors::black, LineStyle::None,     MarkerShape::OpenCircle,
            false};
}

FigureSeries calculatedSeries(Column column) {
    return {"calculated",  std::move(column.x), std::move(column.y),
            colors::black, LineStyle::Solid,    MarkerShape::None,
            false};
}

// Whether the last calculation was made for the observed data as they stand now (File/Open
// of other data leaves the calculation of the old ones behind).
bool calculationMatchesObserved(const ProcessState& state) {
    const auto& compared = state.calculation.observed;
    size_t j = 0;
    for (int i = 1; i <= state.observed.count; ++i) {
        if (!(state.observed.conc[i] > 0)) continue;
        if (j >= compared.size() || compared[j].concentration != state.observed.conc[i] ||
            compared[j].observed != state.observed.cond[i])
            return false;
        ++j;
    }
    return j == compared.size();
}

std::string captionOf(const CalculationRecord& calculation) {
    return typesetCaption(calculation.parameters + "; " + calculation.solutionModel + ".");
}

std::string observedCaption(const ProcessState& state) {
    const std::string& name = state.observed.fileName;
    const auto slash = name.find_last_of("/\\");
    return "Observed data " + (slash == std::string::npos ? name : name.substr(slash + 1)) +
           "; no calculation.";
}

// x and y of the observed points with positive concentration, y from (C0, kappa).
template <typename Y>
Column observedColumn(const ProcessState& state, bool sqrtX, Y yOf) {
    Column column;
    for (int i = 1; i <= state.observed.count; ++i) {
        const ext c = state.observed.conc[i];
        if (!(c > 0)) continue;
        column.x.push_back(static_cast<double>(sqrtX ? std::sqrt(c) : c));
        column.y.push_back(static_cast<double>(yOf(c, state.observed.cond[i])));
    }
    return column;
}

template <typename Y>
Column calculatedColumn(const CalculationRecord& calculation, bool sqrtX, Y yOf) {
    Column column;
    for (const CalculatedPoint& point : calculation.points) {
        if (!(point.concentration > 0)) continue;
        column.x.push_back(
            static_cast<double>(sqrtX ? std::sqrt(point.concentration) : point.concentration));
        column.y.push_back(static_cast<double>(yOf(point.concentration, point.conductivity)));
    }
    return column;
}

// The calculated curve over the observed concentrations (see curveConcentrations), solved
// again with the calculation's inputs; the sweep's own points where there are none.
template <typename Y>
Column curveOverObserved(const ProcessState& state, bool sqrtX, bool fromZero, Y yOf) {
    const CalculationRecord& calculation = state.calculation;
    std::vector<double> observed;
    for (const ObservedComparison& point : calculation.observed)
        observed.push_back(static_cast<double>(point.concentration));
    if (!calculation.solveAt || observed.empty()) return calculatedColumn(calculation, sqrtX, yOf);
    Column column;
    for (const double c : curveConcentrations(observed, fromZero)) {
        const auto point = calculation.solveAt(static_cast<ext>(c));
        if (!point) continue;
        column.x.push_back(sqrtX ? std::sqrt(c) : c);
        column.y.push_back(static_cast<double>(yOf(point->concentration, point->conductivity)));
    }
    return column;
}

BuiltFigure conductivityFigure(FigureKind kind, const ProcessState& state) {
    const bool withCurve = !state.calculation.empty() && calculationMatchesObserved(state);
    if (state.observed.count == 0 && !withCurve) return {std::nullopt, nothingObserved};

    const bool molar = kind != FigureKind::Conductivity;
    const bool sqrtX = kind == FigureKind::MolarConductivitySqrt;
    const auto yOf = [molar](ext c, ext kappa) { return molar ? kappa / c : kappa; };
    Figure figure;
    if (withCurve)
        figure.series.push_back(calculatedSeries(curveOverObserved(state, sqrtX, true, yOf)));
    figure.series.push_back(observedSeries(observedColumn(state, sqrtX, yOf)));
    if (figure.series.back().x.empty() && !withCurve) return {std::nullopt, nothingObserved};

    std::vector<std::vector<double>> xs, ys;
    for (const auto& series : figure.series) {
        xs.push_back(series.x);
        ys.push_back(series.y);
    }
    figure.x = figureAxis(sqrtX ? sqrtConcentrationTitle : concentrationTitle, xs, true);
    figure.y = figureAxis(molar ? molarConductivityTitle : conductivityTitle, ys, !molar);
    // Conductivity rises with C0 and molar conductivity falls: the legend goes where the
    // data leave room.
    figure.legend = molar ? LegendPlace::TopRight : LegendPlace::TopLeft;
    figure.caption = withCurve ? captionOf(state.calculation) : observedCaption(state);
    return {figure, {}};
}

// The points of the species curves: over the observed concentrations when the calculation
// was made for them (as the conductivity curves), otherwise the sweep's own points.
std::vector<CalculatedPoint> distributionPoints(const ProcessState& state) {
    const CalculationRecord& calculation = state.calculation;
    std::vector<double> observed;
    for (const ObservedComparison& point : calculation.observed)
        observed.push_back(static_cast<double>(point.concentration));
    if (!calculation.solveAt || observed.empty() || !calculationMatchesObserved(state))
        return calculation.points;
    std::vector<CalculatedPoint> points;
    for (const double c : curveConcentrations(observed, true))
        if (auto point = calculation.solveAt(static_cast<ext>(c))) points.push_back(*point);
    return points.empty() ? calculation.points : points;
}

BuiltFigure distributionFigure(const ProcessState& state) {
    const CalculationRecord& calculation = state.calculation;
    if (calculation.empty()) return {std::nullopt, nothingCalculated};
    const std::vector<CalculatedPoint> points = distributionPoints(state);
    Figure figure;
    std::vector<double> x;
    for (const CalculatedPoint& point : points)
        x.push_back(static_cast<double>(point.concentration));
    for (int i = 0; i <= calculation.n; ++i) {
        FigureSeries series;
        series.name = "AX" + std::to_string(i);
        series.x = x;
        for (const CalculatedPoint& point : points)
            series.y.push_back(static_cast<double>(point.abundance[static_cast<size_t>(i)]));
        series.color = speciesPalette[static_cast<size_t>(i) % std::size(speciesPalette)];
        series.line = speciesLines[static_cast<size_t>(i) % std::size(speciesLines)];
        series.labelAtPeak = true;
        figure.series.push_back(std::move(series));
    }
    figure.x = figureAxis(concentrationTitle, {x}, true);
    figure.y = figureAxis(abundanceTitle, {{0.0, 100.0}}, true);
    figure.legend = LegendPlace::None;  // each curve carries its name
    figure.caption = captionOf(calculation);
    return {figure, {}};
}

Figure residualPlotOf(const std::vector<ResidualPoint>& residuals, const std::string& caption) {
    Figure figure;
    Column column;
    for (const ResidualPoint& point : residuals) {
        column.x.push_back(static_cast<double>(point.concentration));
        column.y.push_back(static_cast<double>(point.residual));
    }
    figure.x = figureAxis(concentrationTitle, {column.x}, true);
    // Symmetric about zero, so that the sign of a trend is plain to see.
    double largest = 0;
    for (const double r : column.y) largest = std::max(largest, std::fabs(r));
    figure.y = figureAxis(residualTitle, {{-largest, largest}}, true);
    FigureSeries series = observedSeries(std::move(column));
    series.name = "calculated \u2212 observed";
    figure.series.push_back(std::move(series));
    figure.zeroLine = true;
    figure.legend = LegendPlace::None;
    figure.caption = caption;
    return figure;
}

}  // namespace

std::string figureKindName(FigureKind kind) {
    switch (kind) {
        case FigureKind::Conductivity:
            return "conductivity";
        case FigureKind::MolarConductivity:
            return "molar";
        case FigureKind::MolarConductivitySqrt:
            return "molar-sqrt";
        case FigureKind::Distribution:
            return "distribution";
        case FigureKind::Residuals:
            return "residuals";
    }
    return {};
}

std::optional<FigureKind> figureKindNamed(const std::string& name) {
    for (const FigureKind kind : allFigureKinds)
        if (figureKindName(kind) == name) return kind;
    return std::nullopt;
}

std::string figureKindTitle(FigureKind kind) {
    switch (kind) {
        case FigureKind::Conductivity:
            return "Conductivity against C0";
        case FigureKind::MolarConductivity:
            return "Molar conductivity against C0";
        case FigureKind::MolarConductivitySqrt:
            return "Molar conductivity against sqrt(C0)";
        case FigureKind::Distribution:
            return "Species distribution";
        case FigureKind::Residuals:
            return "Residuals (calculated - observed)";
    }
    return {};
}

BuiltFigure mainWindowFigure(FigureKind kind, const ProcessState& state) {
    switch (kind) {
        case FigureKind::Distribution:
            return distributionFigure(state);
        case FigureKind::Residuals: {
            if (state.calculation.empty() || state.calculation.observed.empty() ||
                !calculationMatchesObserved(state))
                return {std::nullopt, nothingCompared};
            std::vector<ResidualPoint> residuals;
            for (const ObservedComparison& point : state.calculation.observed)
                residuals.push_back({point.concentration, point.calculated - point.observed});
            return {residualPlotOf(residuals, captionOf(state.calculation)), {}};
        }
        default:
            return conductivityFigure(kind, state);
    }
}

BuiltFigure residualFigure(const std::vector<ResidualPoint>& residuals,
                           const std::string& caption) {
    if (residuals.empty())
        return {std::nullopt, "There are no residuals to draw: run a fit first."};
    return {residualPlotOf(residuals, caption), {}};
}

}  // namespace condsim
