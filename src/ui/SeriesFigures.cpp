#include "ui/SeriesFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "plot/FigureText.h"

namespace condsim {

namespace {

const char* const reciprocalTemperatureTitle = "10^{3} K / T";
const char* const lnKTitle = "ln (K_{1} / L mol^{\u22121})";
const char* const temperatureTitle = "T / K";
const char* const waldenTitle = "\u03bb_{+}\u03b7 / S cm^{2} mol^{\u22121} mPa s";

// A number with three significant digits and a true minus sign, for captions.
std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return withMinusSigns(text);
}

std::string withError(const VantHoffEstimate& estimate) {
    return shortNumber(static_cast<double>(estimate.value)) + " \u00b1 " +
           shortNumber(static_cast<double>(estimate.standardError));
}

FigureSeries emptySeries(std::string name, LineStyle line, MarkerShape marker) {
    FigureSeries series;
    series.name = std::move(name);
    series.line = line;
    series.marker = marker;
    return series;
}

// The values with a twentieth of their span added at each end: the axis then does not end
// at the first or last temperature, where its marker and error bar would sit on the frame.
std::vector<double> padded(const std::vector<double>& values) {
    if (values.empty()) return values;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double pad = std::max(*high - *low, std::fabs(*high) * 1e-3) / 20;
    return {*low - pad, *high + pad};
}

const SeriesFit* fitAt(const SeriesResult& series, const std::string& where) {
    for (const SeriesFit& fit : series.fits)
        if (fit.where == where) return &fit;
    return nullptr;
}

BuiltFigure vantHoffFigure(const SeriesResult& series) {
    const VantHoffResult& vantHoff = series.vantHoff;
    if (vantHoff.points.empty())
        return {std::nullopt, "There is no van 't Hoff figure: no temperature has a usable K1."};
    FigureSeries points =
        emptySeries("K_{1} of the separate fits", LineStyle::None, MarkerShape::OpenCircle);
    double coldest = std::numeric_limits<double>::infinity();
    double warmest = -std::numeric_limits<double>::infinity();
    for (const VantHoffPoint& point : vantHoff.points) {
        const double T = static_cast<double>(point.temperature);
        const double lnK = static_cast<double>(point.lnK);
        coldest = std::min(coldest, T);
        warmest = std::max(warmest, T);
        points.x.push_back(1000 / T);
        points.y.push_back(lnK);
        // The bar is K1's own 95 % profile interval, as the tables give it; a point the
        // van 't Hoff fit used always has one, two-sided.
        double low = lnK;
        double high = lnK;
        if (const SeriesFit* fit = fitAt(series, point.where)) {
            if (const FittedValue* K1 =
                    fittedValueOf(fit->result, FitParameter::stepwiseConstant(1));
                K1 && K1->hasProfile && K1->profileLower > 0 && std::isfinite(K1->profileUpper)) {
                low = std::log(static_cast<double>(K1->profileLower));
                high = std::log(static_cast<double>(K1->profileUpper));
            }
        }
        points.yLow.push_back(low);
        points.yHigh.push_back(high);
    }
    Figure figure;
    figure.legend = LegendPlace::TopRight;
    std::string caption;
    if (vantHoff.fitted()) {
        // With dCp the line is a curve: drawn through enough temperatures to look smooth.
        FigureSeries line = emptySeries("van 't Hoff line", LineStyle::Solid, MarkerShape::None);
        const int steps = vantHoff.withHeatCapacity ? 40 : 1;
        for (int i = 0; i <= steps; ++i) {
            const double T = coldest + (warmest - coldest) * i / steps;
            line.x.push_back(1000 / T);
            line.y.push_back(static_cast<double>(
                vantHoffLnK(T, vantHoff.enthalpy.value, vantHoff.entropy.value,
                            vantHoff.withHeatCapacity ? vantHoff.heatCapacity.value : 0)));
        }
        figure.series.push_back(std::move(line));
        caption = "\u0394H\u00b0 = " + withError(vantHoff.enthalpy) +
                  " kJ mol^{\u22121}, \u0394S\u00b0 = " + withError(vantHoff.entropy) +
                  " J mol^{\u22121} K^{\u22121}";
        if (vantHoff.withHeatCapacity)
            caption += ", \u0394C_{p}\u00b0 = " + withError(vantHoff.heatCapacity) +
                       " J mol^{\u22121} K^{\u22121}";
        caption += " (at 298.15 K, \u00b1 standard errors)";
    } else {
        caption = "no van 't Hoff line: " + vantHoff.refusal;
    }
    caption += "; bars: 95 % profile intervals of K_{1}.";
    figure.series.push_back(std::move(points));
    const FigureSeries& drawn = figure.series.back();
    figure.x = figureAxis(reciprocalTemperatureTitle, {padded(drawn.x)}, false);
    figure.y = figureAxis(lnKTitle, {drawn.yLow, drawn.yHigh, figure.series.front().y}, false);
    figure.caption = caption;
    return {std::move(figure), {}};
}

BuiltFigure waldenFigure(const SeriesResult& series) {
    FigureSeries separate = emptySeries("separate fits", LineStyle::None, MarkerShape::OpenCircle);
    for (const SeriesFit& fit : series.fits) {
        if (!fit.fitted()) continue;
        separate.x.push_back(static_cast<double>(fit.temperature));
        separate.y.push_back(static_cast<double>(fit.waldenProduct));
    }
    if (separate.x.empty())
        return {std::nullopt, "There is no Walden figure: no data set of the series was fitted."};
    Figure figure;
    figure.legend = LegendPlace::TopRight;
    std::string caption = "Walden product of the cation, \u03bb_{+}\u03b7, of the separate fits";
    if (series.global && series.global->converged()) {
        const GlobalSeriesFit& global = *series.global;
        FigureSeries tied =
            emptySeries(global.options.waldenTie ? "global fit, Walden tie" : "global fit",
                        LineStyle::Dashed, MarkerShape::OpenSquare);
        for (size_t i = 0; i < global.where.size() && i < global.cationConductivity.size(); ++i) {
            const SeriesFit* fit = fitAt(series, global.where[i]);
            if (fit == nullptr || !(fit->cationConductivity > 0)) continue;
            // eta in mPa s, as the separate fit's Walden product has it.
            const ext viscosity = fit->waldenProduct / fit->cationConductivity;
            tied.x.push_back(static_cast<double>(global.temperatures[i]));
            tied.y.push_back(static_cast<double>(global.cationConductivity[i] * viscosity));
        }
        figure.series.push_back(std::move(tied));
        caption += global.options.waldenTie
                       ? " and of the global fit (\u03bb_{+} tied by the Walden rule)"
                       : " and of the global fit";
    }
    caption += "; \u03b7 of the solvent at each temperature.";
    std::vector<std::vector<double>> ys{separate.y};
    for (const FigureSeries& other : figure.series) ys.push_back(other.y);
    figure.x = figureAxis(temperatureTitle, {padded(separate.x)}, false);
    figure.y = figureAxis(waldenTitle, ys, false);
    figure.series.insert(figure.series.begin(), std::move(separate));
    figure.caption = caption;
    return {std::move(figure), {}};
}

}  // namespace

std::string seriesFigureKindName(SeriesFigureKind kind) {
    return kind == SeriesFigureKind::VantHoff ? "vant-hoff" : "walden";
}

std::optional<SeriesFigureKind> seriesFigureKindNamed(const std::string& name) {
    for (const SeriesFigureKind kind : allSeriesFigureKinds)
        if (seriesFigureKindName(kind) == name) return kind;
    return std::nullopt;
}

std::string seriesFigureKindTitle(SeriesFigureKind kind) {
    return kind == SeriesFigureKind::VantHoff ? "ln K1 against 1/T (van 't Hoff)"
                                              : "Walden product against T";
}

BuiltFigure seriesFigure(SeriesFigureKind kind, const SeriesResult& series) {
    return kind == SeriesFigureKind::VantHoff ? vantHoffFigure(series) : waldenFigure(series);
}

}  // namespace condsim
