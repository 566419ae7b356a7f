#pragma once
// The fit window without its widgets: the choice of parameters, the results of the last
// fit as tables, a status text and a residual plot, the comparison of n, and one handler
// per user action. Running a fit or a comparison changes nothing in the main window; only
// Apply writes the last converged fit into it (applyFit) and calculates with it, and only
// while the main window still holds what that fit started from. Results made for other
// observed data, n or constants than the main window now holds are dropped
// (followMainWindow).

#include <string>
#include <utility>
#include <vector>

#include "core/CellTable.h"
#include "fit/FitParameter.h"
#include "fit/FitRequest.h"
#include "fit/FitResult.h"
#include "fit/FitSystem.h"
#include "plot/ResidualPlot.h"
#include "ui/Picture.h"
#include "ui/SpinField.h"
#include "ui/WindowState.h"

namespace condsim {

class TForm1;

class FitWindow {
  public:
    // Design size of the residual picture at 120 pixels per inch.
    static constexpr int plotDesignWidth = 640;
    static constexpr int plotDesignHeight = 300;

    FitWindow(TForm1& form, const CanvasFactory& canvasFactory);
    FitWindow(const FitWindow&) = delete;
    FitWindow& operator=(const FitWindow&) = delete;

    // --- Controls -----------------------------------------------------------------------
    WindowState window;

    // Fitted values: parameter, value, standard error, 95 % interval from the Jacobian and,
    // for a formation constant, from the profile; row 0 the headers.
    CellTable values{7, 1};
    // Correlations of the fitted quantities: names in row 0 and column 0.
    CellTable correlation{1, 1};
    // The comparison of n: n, RMS residual, AIC, and "best" (lowest AIC) or "no fit".
    CellTable comparison{4, 1};

    // The weighting of the residuals of Run and Compare n.
    FitWeighting weighting = FitWeighting::Absolute;

    SpinField fromN{2, 30, 2};  // the range of n that Compare n fits
    SpinField toN{2, 30, 8};

    // Converged or not, iterations, RMS residual; or why the fit did not run or converge.
    std::string status;
    // Why the comparison did not run, or why the fits of its "no fit" rows gave no figures,
    // one line per n.
    std::string comparisonStatus;

    // Residual against concentration of the last converged fit, with the axis ends as text
    // (empty while the picture is blank).
    Picture residualPlot;
    std::string residualXMinimum, residualXMaximum, residualYLimit;

    // --- Parameter choice ---------------------------------------------------------------
    // The parameters offered for the main window's n: K1, alfa, K2..Kn, MCA, MCX, and the
    // ion size a in the ionic-strength model.
    std::vector<FitParameter> offered() const;
    bool isChosen(const FitParameter& parameter) const;
    // Another choice drops the status of a fit that did not run or converge: it was made
    // for the previous choice.
    void choose(const FitParameter& parameter, bool chosen);
    // The chosen parameters among the offered ones, in the order offered.
    FitRequest request() const;

    // Told while a fit or a comparison of n runs (FitOptions::progress): the desktop shows
    // it, and ends the run by throwing FitCancelled, which leaves the window as it was.
    std::function<void(int n, int evaluations)> progress;

    // --- Handlers -----------------------------------------------------------------------
    void OpenClick();  // main menu Fit: shows the window and brings it to the front
    void RunClick();   // fits the chosen parameters; the main window is left alone
    // Writes the last converged fit into the main window, then runs what Update and
    // Conduct Calculations run there, so that its tables, plots and report show the fit.
    void ApplyClick();
    void CompareClick();  // fits the chosen parameters for every n of fromN..toN

    // Drops the fit and its status when the main window's observed data, n or stepwise
    // constants are no longer those it was made for, and the comparison of n when the
    // observed data changed. Run after every action of the user.
    void followMainWindow();

    // Whether Apply has a converged fit to write.
    bool canApply() const { return last_.converged(); }
    const FitResult& lastFit() const { return last_; }
    // The calculation the last converged fit started from.
    const FitSystem& fittedSystem() const { return fittedSystem_; }
    // Observed minus calculated conductivity of the last converged fit (empty without one).
    const std::vector<ResidualPoint>& residuals() const { return residuals_; }

  private:
    FitRequest requestWithProgress() const;

    // What the results were made from: the main window's observed points, n and K(1..n).
    struct Basis {
        std::vector<std::pair<ext, ext>> points;  // concentration, conductivity
        int n = 0;
        std::vector<ext> K;
        bool operator==(const Basis&) const = default;
    };
    Basis basisOfMainWindow() const;

    void showFit(const std::vector<ResidualPoint>& residuals);
    void clearFit();

    TForm1& form_;
    std::vector<FitParameter> chosen_;
    FitResult last_;
    std::vector<ResidualPoint> residuals_;
    FitSystem fittedSystem_;  // what the last fit started from
    Basis fitBasis_;          // what the fit, or its refusal, shown belongs to
    Basis comparisonBasis_;   // the observed data the comparison shown belongs to
};

}  // namespace condsim
