#include "fit/SeriesTables.h"

#include <cmath>
#include <functional>

#include "files/CsvText.h"
#include "files/NumberText.h"
#include "fit/FitReport.h"
#include "fit/FitWeighting.h"

namespace condsim {

namespace {

using Format = std::function<std::string(ext)>;

std::string boundText(ext bound, const Format& number) {
    return std::isinf(bound) ? "unbounded" : number(bound);
}

std::vector<std::string> fitHeaders(const SeriesResult& result) {
    std::vector<std::string> headers{"T (K)", "data file"};
    for (const FitParameter& parameter : result.parameters) {
        const std::string name = fitParameterName(parameter);
        headers.push_back(name);
        headers.push_back(name + " profile 95% from");
        headers.push_back(name + " profile 95% to");
    }
    for (const char* header :
         {"lambda cation (MCA)", "lambda anion (MCX)", "MCX from", "eta (mPa s)",
          "Walden product MCA x eta (S cm2 mol-1 mPa s)", "RMS residual"}) {
        headers.emplace_back(header);
    }
    return headers;
}

std::vector<std::string> fitRow(const SeriesFit& fit, const Format& number) {
    std::vector<std::string> row{number(fit.temperature), fit.dataFile};
    if (!fit.fitted()) {
        row.push_back(fit.failure);
        return row;
    }
    for (const FittedValue& value : fit.result.values) {
        switch (value.state) {
            case FittedState::Estimated:
                row.push_back(number(value.value));
                row.push_back(boundText(value.profileLower, number));
                row.push_back(boundText(value.profileUpper, number));
                break;
            case FittedState::AtZero:
                row.emplace_back("0");
                row.emplace_back("0");
                row.push_back(boundText(value.profileUpper, number));
                break;
            case FittedState::NoEffect:
                row.insert(row.end(), {"no effect", "", ""});
                break;
            case FittedState::NotDetermined:
                row.emplace_back("not determined");
                row.push_back(number(value.searchedFrom));
                row.push_back(boundText(value.searchedTo, number));
                break;
        }
    }
    row.push_back(number(fit.cationConductivity));
    row.push_back(number(fit.anionConductivity));
    row.emplace_back(fit.anionSource == AnionSource::SeriesFile ? "series file" : "Walden");
    row.push_back(number(fit.solvent.viscosity * 1000));
    row.push_back(number(fit.waldenProduct));
    row.push_back(number(fit.result.rmsResidual));
    return row;
}

std::string tabbed(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) line += (c == 0 ? "" : "\t") + cells[c];
    return line + "\n";
}

// The tables on standard output and in the report: the process decimal separator, as the
// tables of a fit.
std::string textNumber(ext value) { return NumberText(value); }

std::string estimateRow(const std::string& name, const VantHoffEstimate& estimate) {
    return tabbed({name, textNumber(estimate.value), textNumber(estimate.standardError),
                   textNumber(estimate.lower), textNumber(estimate.upper)});
}

}  // namespace

std::string seriesFitTable(const SeriesResult& result) {
    std::string text = tabbed(fitHeaders(result));
    for (const SeriesFit& fit : result.fits) text += tabbed(fitRow(fit, textNumber));
    return text;
}

std::string seriesFitCsv(const SeriesResult& result) {
    std::string text = csvRecord(fitHeaders(result));
    for (const SeriesFit& fit : result.fits) text += csvRecord(fitRow(fit, csvNumber));
    return text;
}

std::string vantHoffTable(const VantHoffResult& result) {
    std::string text;
    if (!result.fitted()) {
        text = result.refusal + "\n";
    } else {
        text = "van 't Hoff: ln K1 against 1/T at " + std::to_string(result.points.size()) +
               " temperatures, weighted by the profile intervals of K1; " +
               (result.scaledByChiSquare
                    ? "errors scaled by chi-square/" + std::to_string(result.degreesOfFreedom) +
                          ", 95% from Student's t with " + std::to_string(result.degreesOfFreedom) +
                          " degrees of freedom"
                    : std::string("errors from the weights alone, 95% from the normal 1.96")) +
               "\n";
        text += tabbed({"quantity", "value", "standard error", "95% from", "95% to"});
        text += estimateRow("dH (kJ/mol)", result.enthalpy);
        text += estimateRow("dS (J/(mol K))", result.entropy);
        if (result.withHeatCapacity) text += estimateRow("dCp (J/(mol K))", result.heatCapacity);
        text += estimateRow("dG 298.15 K (kJ/mol)", result.gibbs);
        text += tabbed({"chi-square", textNumber(result.chiSquare)});
        if (result.withHeatCapacity) text += "dH and dS at 298.15 K\n";
    }
    if (!result.note.empty()) text += result.note + "\n";
    for (const std::string& left : result.leftOut) text += "left out: " + left + "\n";
    return text;
}

std::string globalFitTable(const GlobalSeriesFit& result) {
    std::string text;
    for (const std::string& left : result.leftOut) text += "global fit leaves out: " + left + "\n";
    if (!result.converged()) return text + "The global fit: " + result.failure + "\n";
    if (!result.note.empty()) text += result.note + "\n";
    text += "Global fit to " + std::to_string(result.pointCount) + " points at " +
            std::to_string(result.temperatures.size()) + " temperatures, " +
            std::to_string(result.parameterCount) + " parameters (" +
            std::to_string(result.evaluations) + " evaluations)" +
            (result.options.waldenTie ? "; lambda of the cation tied by Walden to 25 C" : "") +
            "\n";
    text += tabbed({"parameter", "value", "standard error", "95% from", "95% to",
                    "profile 95% from", "profile 95% to"});
    for (const GlobalEstimate& estimate : result.estimates) {
        std::vector<std::string> row{estimate.name, textNumber(estimate.value),
                                     textNumber(estimate.standardError), textNumber(estimate.lower),
                                     textNumber(estimate.upper)};
        if (estimate.hasProfile) {
            row.push_back(boundText(estimate.profileLower, textNumber));
            row.push_back(boundText(estimate.profileUpper, textNumber));
        }
        text += tabbed(row);
    }
    text += tabbed({"T (K)", "K1", "lambda cation (MCA)"});
    for (size_t i = 0; i < result.temperatures.size(); ++i) {
        text += tabbed({textNumber(result.temperatures[i]), textNumber(result.K1[i]),
                        textNumber(result.cationConductivity[i])});
    }
    text += tabbed({"sum of squares", "global", textNumber(result.sumOfSquares), "separate fits",
                    textNumber(result.separateSumOfSquares)});
    text += tabbed({"parameters", "global", std::to_string(result.parameterCount), "separate fits",
                    std::to_string(result.separateParameterCount)});
    if (!std::isnan(result.fStatistic)) {
        text += tabbed({"F against the separate fits", textNumber(result.fStatistic), "P(larger F)",
                        textNumber(result.fProbability)});
    }
    text += tabbed({"RMS residual", textNumber(result.rmsResidual)});
    return text;
}

std::string seriesModelText(int n, SolutionModelKind kind, const std::string& solvent) {
    return "n = " + integerText(n) + ", " + solutionModelKindName(kind) + ", solvent " + solvent;
}

std::string seriesReport(const SeriesResult& result, const std::string& model) {
    std::string text = "Temperature series " + result.seriesFile + "\n";
    text += "model\t" + model + "\n";
    text += "fitted at each temperature\t" + fitParameterNameList(result.parameters) + "\n";
    if (!result.fits.empty() && result.fits.front().fitted())
        text +=
            "residuals\t" + fitWeightingDescription(result.fits.front().result.weighting) + "\n";
    text += "\n[separate fits]\n" + seriesFitTable(result);
    for (const SeriesFit& fit : result.fits) {
        if (!fit.fitted()) continue;
        for (const std::string& note : fit.result.modelNotes)
            text += textNumber(fit.temperature) + " K: " + note + "\n";
    }
    text += "\n[van 't Hoff]\n" + vantHoffTable(result.vantHoff);
    if (result.global) text += "\n[global fit]\n" + globalFitTable(*result.global);
    return text;
}

}  // namespace condsim
