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
    return {"observed",
            std::move(column.x),
            std::move(column.y),
            colors::black,
            LineStyle::None,
            MarkerShape::OpenCircle,
            false,
            {},
            {}};
}

FigureSeries calculatedSeries(Column column) {
    return {"calculated",
            std::move(column.x),
            std::move(column.y),
            colors::black,
            LineStyle::Solid,
            MarkerShape::None,
            false,
            {},
            {}};
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

// Where a concentration lies on the figure's x axis: itself, or its square root.
double axisX(ext c, FigureScale scale) {
    return static_cast<double>(scale == FigureScale::SquareRoot ? std::sqrt(c) : c);
}

// The concentration axis in its scale: from zero on a linear or square-root axis, from the
// decade below the smallest value on a logarithmic one.
FigureAxis concentrationAxis(FigureScale scale, const std::vector<std::vector<double>>& xs) {
    if (scale == FigureScale::Logarithmic) return logarithmicFigureAxis(concentrationTitle, xs);
    return figureAxis(
        scale == FigureScale::SquareRoot ? sqrtConcentrationTitle : concentrationTitle, xs, true);
}

FigureScale scaleOf(FigureKind kind, const FigureOptions& options) {
    if (options.x) return *options.x;
    return kind == FigureKind::MolarConductivitySqrt ? FigureScale::SquareRoot
                                                     : FigureScale::Linear;
}

// x and y of the observed points with positive concentration, y from (C0, kappa).
template <typename Y>
Column observedColumn(const ProcessState& state, FigureScale scale, Y yOf) {
    Column column;
    for (int i = 1; i <= state.observed.count; ++i) {
        const ext c = state.observed.conc[i];
        if (!(c > 0)) continue;
        column.x.push_back(axisX(c, scale));
        column.y.push_back(static_cast<double>(yOf(c, state.observed.cond[i])));
    }
    return column;
}

template <typename Y>
Column calculatedColumn(const CalculationRecord& calculation, FigureScale scale, Y yOf) {
    Column column;
    for (const CalculatedPoint& point : calculation.points) {
        if (!(point.concentration > 0)) continue;
        column.x.push_back(axisX(point.concentration, scale));
        column.y.push_back(static_cast<double>(yOf(point.concentration, point.conductivity)));
    }
    return column;
}

// The calculation again at the concentrations of curveConcentrations over the observed
// ones (from zero unless the axis is logarithmic), or nothing when the record cannot solve
// or has no observed points.
std::vector<CalculatedPoint> pointsOverObserved(const CalculationRecord& calculation,
                                                FigureScale scale) {
    std::vector<double> observed;
    for (const ObservedComparison& point : calculation.observed)
        observed.push_back(static_cast<double>(point.concentration));
    std::vector<CalculatedPoint> points;
    if (!calculation.solveAt || observed.empty()) return points;
    for (const double c : curveConcentrations(observed, scale != FigureScale::Logarithmic))
        if (auto point = calculation.solveAt(static_cast<ext>(c))) points.push_back(*point);
    return points;
}

// The calculated curve over the observed concentrations; the sweep's own points where
// there are none.
template <typename Y>
Column curveOverObserved(const ProcessState& state, FigureScale scale, Y yOf) {
    const std::vector<CalculatedPoint> points = pointsOverObserved(state.calculation, scale);
    if (points.empty()) return calculatedColumn(state.calculation, scale, yOf);
    Column column;
    for (const CalculatedPoint& point : points) {
        column.x.push_back(axisX(point.concentration, scale));
        column.y.push_back(static_cast<double>(yOf(point.concentration, point.conductivity)));
    }
    return column;
}

// The further curves of a comparison, in line styles and colours apart from the first.
constexpr Color comparedColors[] = {{0, 0, 200}, {200, 0, 0}, {0, 128, 0}, {128, 0, 128}};
constexpr LineStyle comparedLines[] = {LineStyle::Dashed, LineStyle::Dotted, LineStyle::DashDotted};

BuiltFigure conductivityFigure(FigureKind kind, const ProcessState& state,
                               const FigureOptions& options) {
    const bool withCurve = !state.calculation.empty() && calculationMatchesObserved(state);
    if (state.observed.count == 0 && !withCurve) return {std::nullopt, nothingObserved};

    const bool molar = kind != FigureKind::Conductivity;
    const FigureScale scale = scaleOf(kind, options);
    const auto yOf = [molar](ext c, ext kappa) { return molar ? kappa / c : kappa; };
    Figure figure;
    if (withCurve) figure.series.push_back(calculatedSeries(curveOverObserved(state, scale, yOf)));
    std::string comparedCaption;
    if (withCurve && !options.compared.empty()) {
        figure.series.back().name = modelLabel(state.calculation);
        for (size_t i = 0; i < options.compared.size(); ++i) {
            const FigureOptions::Compared& other = options.compared[i];
            Column column;
            for (const CalculatedPoint& point : pointsOverObserved(other.calculation, scale)) {
                column.x.push_back(axisX(point.concentration, scale));
                column.y.push_back(
                    static_cast<double>(yOf(point.concentration, point.conductivity)));
            }
            FigureSeries series = calculatedSeries(std::move(column));
            series.name = other.label;
            series.color = comparedColors[i % std::size(comparedColors)];
            series.line = comparedLines[i % std::size(comparedLines)];
            figure.series.push_back(std::move(series));
            comparedCaption += " Compared: " + captionOf(other.calculation);
        }
    }
    figure.series.push_back(observedSeries(observedColumn(state, scale, yOf)));
    if (figure.series.back().x.empty() && !withCurve) return {std::nullopt, nothingObserved};

    std::vector<std::vector<double>> xs, ys;
    for (const auto& series : figure.series) {
        xs.push_back(series.x);
        ys.push_back(series.y);
    }
    figure.x = concentrationAxis(scale, xs);
    figure.y = figureAxis(molar ? molarConductivityTitle : conductivityTitle, ys, !molar);
    // Conductivity rises with C0 and molar conductivity falls: the legend goes where the
    // data leave room.
    figure.legend = molar ? LegendPlace::TopRight : LegendPlace::TopLeft;
    figure.caption =
        withCurve ? captionOf(state.calculation) + comparedCaption : observedCaption(state);
    return {figure, {}};
}

BuiltFigure distributionFigure(const ProcessState& state, const FigureOptions& options) {
    const CalculationRecord& calculation = state.calculation;
    if (calculation.empty()) return {std::nullopt, nothingCalculated};
    const auto species = static_cast<size_t>(calculation.n) + 1;
    if (!options.speciesNames.empty() && options.speciesNames.size() != species)
        return {std::nullopt, "The species names name " +
                                  std::to_string(options.speciesNames.size()) +
                                  " species, but the calculation has " + std::to_string(species) +
                                  " (AX0..AX" + std::to_string(calculation.n) + ")."};
    const FigureScale scale = scaleOf(FigureKind::Distribution, options);
    // Over the observed concentrations when the calculation was made for them (as the
    // conductivity curves), otherwise the sweep's own points.
    std::vector<CalculatedPoint> points;
    if (calculationMatchesObserved(state)) points = pointsOverObserved(calculation, scale);
    if (points.empty())
        for (const CalculatedPoint& point : calculation.points)
            if (point.concentration > 0) points.push_back(point);
    Figure figure;
    std::vector<double> x;
    x.reserve(points.size());
    for (const CalculatedPoint& point : points) x.push_back(axisX(point.concentration, scale));
    for (size_t i = 0; i < species; ++i) {
        FigureSeries series;
        series.name = options.speciesNames.empty() ? "AX" + std::to_string(i)
                                                   : typesetFormula(options.speciesNames[i]);
        series.x = x;
        for (const CalculatedPoint& point : points)
            series.y.push_back(static_cast<double>(point.abundance[i]));
        series.color = speciesPalette[i % std::size(speciesPalette)];
        series.line = speciesLines[i % std::size(speciesLines)];
        series.labelAtPeak = true;
        figure.series.push_back(std::move(series));
    }
    figure.x = concentrationAxis(scale, {x});
    figure.y = figureAxis(abundanceTitle, {{0.0, 100.0}}, true);
    figure.legend = LegendPlace::None;  // each curve carries its name
    figure.caption = captionOf(calculation);
    return {figure, {}};
}

Figure residualPlotOf(const std::vector<ResidualPoint>& residuals, const std::string& caption,
                      FigureScale scale) {
    Figure figure;
    Column column;
    for (const ResidualPoint& point : residuals) {
        if (scale != FigureScale::Linear && !(point.concentration > 0)) continue;
        column.x.push_back(axisX(point.concentration, scale));
        column.y.push_back(static_cast<double>(point.residual));
    }
    figure.x = concentrationAxis(scale, {column.x});
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

std::string modelLabel(const CalculationRecord& calculation) {
    std::string label = typesetCaption(calculation.solutionModel);
    // The conductance equation goes with the activity law; the legend names the law.
    const std::string equation = " + Onsager\u2013Fuoss";
    if (const auto at = label.find(equation); at != std::string::npos)
        label.erase(at, equation.size());
    return label;
}

std::optional<FigureScale> figureScaleNamed(const std::string& name) {
    if (name == "linear") return FigureScale::Linear;
    if (name == "log") return FigureScale::Logarithmic;
    if (name == "sqrt") return FigureScale::SquareRoot;
    return std::nullopt;
}

BuiltFigure mainWindowFigure(FigureKind kind, const ProcessState& state,
                             const FigureOptions& options) {
    switch (kind) {
        case FigureKind::Distribution:
            return distributionFigure(state, options);
        case FigureKind::Residuals: {
            if (state.calculation.empty() || state.calculation.observed.empty() ||
                !calculationMatchesObserved(state))
                return {std::nullopt, nothingCompared};
            std::vector<ResidualPoint> residuals;
            for (const ObservedComparison& point : state.calculation.observed)
                residuals.push_back({point.concentration, point.calculated - point.observed});
            return {residualPlotOf(residuals, captionOf(state.calculation), scaleOf(kind, options)),
                    {}};
        }
        default:
            return conductivityFigure(kind, state, options);
    }
}

BuiltFigure residualFigure(const std::vector<ResidualPoint>& residuals, const std::string& caption,
                           const FigureOptions& options) {
    if (residuals.empty())
        return {std::nullopt, "There are no residuals to draw: run a fit first."};
    return {residualPlotOf(residuals, caption, scaleOf(FigureKind::Residuals, options)), {}};
}

}  // namespace condsim
