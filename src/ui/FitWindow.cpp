#include "ui/FitWindow.h"

#include <algorithm>
#include <cmath>

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "fit/AnionCountComparison.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "fit/FitResultTable.h"
#include "model/CalculationRoad.h"
#include "ui/FitApplication.h"
#include "ui/MainWindowFit.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

// Whether the main window still holds the calculation a fit started from: the quantities
// the fit read, for the species it fitted.
bool sameSystem(const FitSystem& a, const FitSystem& b) {
    if (a.n != b.n || a.model1 != b.model1 || a.alfa != b.alfa || a.MCA != b.MCA ||
        a.MCX != b.MCX || a.points.size() != b.points.size())
        return false;
    if (solutionModelDescription(a.solution) != solutionModelDescription(b.solution) ||
        a.solution.ionSize != b.solution.ionSize)
        return false;
    for (int i = 0; i <= a.n; ++i) {
        const auto j = static_cast<size_t>(i);
        if (a.K[j] != b.K[j] || a.sf[j] != b.sf[j]) return false;
    }
    for (size_t j = 0; j < a.points.size(); ++j) {
        if (a.points[j].concentration != b.points[j].concentration ||
            a.points[j].conductivity != b.points[j].conductivity)
            return false;
    }
    return true;
}

// The first two lines of the status of a converged fit.
std::string summaryOf(const FitResult& result) {
    return "Converged: yes, after " + integerText(result.iterations) + " iterations (" +
           integerText(result.evaluations) + " evaluations of the residuals; " +
           integerText(result.totalEvaluations) + " in all with the scan and the profiles).\n" +
           "RMS residual: " + NumberText(result.rmsResidual) + " (" +
           fitWeightingName(result.weighting) + " residuals) over " +
           integerText(result.pointCount) + " observed points at n = " + integerText(result.n) +
           ".\n";
}

void setHeaders(CellTable& table, const std::vector<std::string>& headers) {
    table.setColumnCount(static_cast<int>(headers.size()));
    for (size_t c = 0; c < headers.size(); ++c) table.setCell(static_cast<int>(c), 0, headers[c]);
}

}  // namespace

FitWindow::FitWindow(TForm1& form, const CanvasFactory& canvasFactory)
    : residualPlot(plotDesignWidth, plotDesignHeight, canvasFactory), form_(form) {
    // K1 and alfa of Model #1: the fit that the constants table starts from.
    chosen_ = {FitParameter::stepwiseConstant(1), FitParameter::alfa()};
    setHeaders(values, fitResultTableOf(FitResult{}).valueHeaders);
    setHeaders(comparison, {"n", "RMS residual", "AIC", ""});
    // Result tables have no cell to edit: no cell is shown selected.
    for (CellTable* table : {&values, &correlation, &comparison}) table->select(0, 0);
    fitBasis_ = basisOfMainWindow();
    comparisonBasis_ = fitBasis_;
}

FitWindow::Basis FitWindow::basisOfMainWindow() const {
    Basis basis;
    const ObservedData& observed = form_.state().observed;
    for (int j = 1; j <= observed.count && j <= observedCapacity; ++j)
        basis.points.emplace_back(observed.conc[static_cast<size_t>(j)],
                                  observed.cond[static_cast<size_t>(j)]);
    basis.n = form_.n();
    const auto& K = form_.state().model.K;
    basis.K.assign(K.begin() + 1, K.begin() + 1 + basis.n);
    return basis;
}

void FitWindow::followMainWindow() {
    const Basis now = basisOfMainWindow();
    if (now.points != comparisonBasis_.points) {
        comparison.setRowCount(1);
        comparisonStatus.clear();
        comparisonBasis_ = now;
    }
    if (now != fitBasis_) {
        const bool hadFit = last_.converged();
        clearFit();
        status = hadFit ? "The fit shown was made for other observed data, n or constants than the "
                          "main window "
                          "now holds: press Run to fit again."
                        : "";
        fitBasis_ = now;
    }
}

std::vector<FitParameter> FitWindow::offered() const {
    std::vector<FitParameter> parameters{FitParameter::stepwiseConstant(1), FitParameter::alfa()};
    for (int i = 2; i <= form_.n(); ++i) parameters.push_back(FitParameter::stepwiseConstant(i));
    parameters.push_back(FitParameter::mca());
    parameters.push_back(FitParameter::mcx());
    // The ion size is a parameter only of the ionic-strength model.
    if (hasIonSize(calculationRoad(form_.state().solution)))
        parameters.push_back(FitParameter::ionSize());
    return parameters;
}

bool FitWindow::isChosen(const FitParameter& parameter) const {
    return std::find(chosen_.begin(), chosen_.end(), parameter) != chosen_.end();
}

void FitWindow::choose(const FitParameter& parameter, bool chosen) {
    if (chosen == isChosen(parameter)) return;
    if (chosen) {
        chosen_.push_back(parameter);
    } else {
        chosen_.erase(std::find(chosen_.begin(), chosen_.end(), parameter));
    }
    // Why a fit of the previous choice did not run or converge says nothing of this one. A
    // converged fit stays: its tables name the parameters it fitted.
    if (!last_.converged()) status.clear();
}

FitRequest FitWindow::request() const {
    // A K(i) chosen while n was larger stays chosen but is not offered, so not fitted.
    FitRequest request;
    request.weighting = weighting;
    for (const FitParameter& parameter : offered())
        if (isChosen(parameter)) request.parameters.push_back(parameter);
    return request;
}

void FitWindow::OpenClick() { window.showAndRaise(); }

void FitWindow::clearFit() {
    last_ = FitResult{};
    residuals_.clear();
    values.setRowCount(1);
    correlation.setColumnCount(1);
    correlation.setRowCount(1);
    correlation.setCell(0, 0, "");
    residualXMinimum.clear();
    residualXMaximum.clear();
    residualYLimit.clear();
    if (residualPlot.canvas() != nullptr) BlankResidualPlot(residualPlot.canvasForDrawing());
}

FitRequest FitWindow::requestWithProgress() const {
    FitRequest fit = request();
    fit.options.progress = progress;
    // The progress dialog lives on this thread, where Cancel is pressed: the fits of a
    // comparison run one after the other here.
    fit.options.threads = 1;
    return fit;
}

void FitWindow::RunClick() {
    form_.InitializeIfNeverSet();
    const Basis basis = basisOfMainWindow();
    FitResult result;
    try {
        result = fitConstants(form_, requestWithProgress());
    } catch (const FitCancelled&) {
        return;  // cancelled while it ran: the window keeps what it showed
    }
    clearFit();
    fitBasis_ = basis;
    if (!result.converged()) {
        status = fitFailureMessage(result);
        return;
    }
    // Read again, as the fit did: the start of the fit, and the observed points of the residuals.
    const FitSystem system = fitSystemOf(form_);
    std::vector<ResidualPoint> residuals;
    for (size_t j = 0; j < system.points.size(); ++j) {
        residuals.push_back({system.points[j].concentration,
                             sub(result.calculated[j], system.points[j].conductivity)});
    }
    last_ = std::move(result);
    fittedSystem_ = system;
    showFit(residuals);
    residuals_ = std::move(residuals);
}

void FitWindow::showFit(const std::vector<ResidualPoint>& residuals) {
    const FitResultTable table = fitResultTableOf(last_);
    const size_t p = table.values.size();
    values.setRowCount(static_cast<int>(p) + 1);
    correlation.setColumnCount(static_cast<int>(p) + 1);
    correlation.setRowCount(static_cast<int>(p) + 1);
    for (size_t j = 0; j < p; ++j) {
        const int row = static_cast<int>(j) + 1;
        const auto& cells = table.values[j];
        for (size_t c = 0; c < cells.size(); ++c)
            values.setCell(static_cast<int>(c), row, cells[c]);
        correlation.setCell(row, 0, table.names[j]);
        correlation.setCell(0, row, table.names[j]);
        for (size_t k = 0; k < p; ++k)
            correlation.setCell(static_cast<int>(k) + 1, row, table.correlation[j][k]);
    }
    std::string notes;
    for (const std::string& note : table.notes) notes += note + ".\n";
    status = summaryOf(last_) + notes + "The main window is unchanged until you press Apply.";

    const ResidualAxes axes = DrawResidualPlot(residualPlot.canvasForDrawing(), residuals);
    residualXMinimum = NumberText(axes.xMinimum);
    residualXMaximum = NumberText(axes.xMaximum);
    residualYLimit = NumberText(axes.yLimit);
}

void FitWindow::ApplyClick() {
    if (!last_.converged()) {
        form_.platform().message("There is no converged fit to apply: press Run first.");
        return;
    }
    if (!sameSystem(fitSystemOf(form_), fittedSystem_)) {
        form_.platform().message(
            "The main window has changed since the fit ran (n, constants, MCA, MCX, scaling "
            "factors or "
            "observed data); press Run again before Apply.");
        return;
    }
    const bool model1WasOn = form_.CheckBox1.checked();
    applyFit(form_, last_);
    const std::string later = last_.n == 2 ? "K2" : "K2..K" + integerText(last_.n);
    if (form_.CheckBox1.checked()) {
        status = summaryOf(last_) + "Applied: the fitted K1 in beta(1), " + later +
                 " follow it by Model #1 with alfa = " + integerText(form_.SpinEdit2.value()) + ".";
    } else {
        status = summaryOf(last_) + "Applied: the constants table holds the fitted K1..K" +
                 integerText(last_.n) + " (Model #1 off" +
                 (model1WasOn ? ": the fitted " + later +
                                    " do not follow K1 by Model #1 with the whole percentage "
                                    "the alfa field holds, so the table keeps them as they are; "
                                    "the caution says the same"
                              : "") +
                 ").";
    }
    // What the main window now holds is this fit's own result: Apply may be pressed again.
    fittedSystem_ = fitSystemOf(form_);
    fitBasis_ = basisOfMainWindow();
    form_.Button3Click();
}

void FitWindow::CompareClick() {
    form_.InitializeIfNeverSet();
    const Basis basis = basisOfMainWindow();
    AnionCountComparison result;
    try {
        result = compareAnionCounts(form_, requestWithProgress(), fromN.value(), toN.value());
    } catch (const FitCancelled&) {
        return;  // cancelled while it ran: the window keeps what it showed
    }
    comparison.setRowCount(1);
    comparisonBasis_ = basis;
    if (!result.refusal.empty()) {
        comparisonStatus = "The comparison cannot run: " + result.refusal;
        return;
    }
    // The reasons of the fits without figures stand below the table, where they have room.
    comparisonStatus.clear();
    comparison.setRowCount(static_cast<int>(result.rows.size()) + 1);
    int row = 1;
    for (const AnionCountFit& fit : result.rows) {
        comparison.setCell(0, row, integerText(fit.n));
        const bool converged = fit.fit.converged();
        comparison.setCell(1, row, converged ? NumberText(fit.fit.rmsResidual) : "");
        comparison.setCell(2, row, converged ? NumberText(fit.aic) : "");
        comparison.setCell(3, row, converged ? (fit.n == result.bestN ? "best" : "") : "no fit");
        if (!converged) {
            if (!comparisonStatus.empty()) comparisonStatus += "\n";
            comparisonStatus += "n = " + integerText(fit.n) + ": " + fitFailureMessage(fit.fit);
        }
        ++row;
    }
}

}  // namespace condsim
