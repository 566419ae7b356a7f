#pragma once
// The Temperature Series window without its widgets: the list of data sets (a data file,
// its temperature in K and optionally the anion's limiting conductivity there), the choice
// of the global fit, the tables of the last run and its two figures, and one handler per
// user action. A run fits every data set with the main window's model (n, constants,
// Model #1, scaling factors, MCA and MCX at 25 C, the solution model and its solvent) and
// the parameters chosen in the Fit window, as `condsim-batch --series` does; it changes
// nothing in the main window.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/CellTable.h"
#include "files/SeriesFile.h"
#include "fit/SeriesResult.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/ExportCommands.h"
#include "ui/SeriesFigures.h"
#include "ui/WindowState.h"

namespace condsim {

class FitWindow;
class TForm1;

// The global fit a run adds to the separate fits and the van 't Hoff line.
enum class SeriesGlobalFit { None, Free, Walden };

class SeriesWindow {
  public:
    SeriesWindow(TForm1& form, const FitWindow& fitWindow);
    SeriesWindow(const SeriesWindow&) = delete;
    SeriesWindow& operator=(const SeriesWindow&) = delete;

    // --- Controls -----------------------------------------------------------------------
    WindowState window;

    // The data sets: data file, T (K), lambda of the anion (empty: the Walden rule from
    // the main window's MCX at 25 C); row 0 the headers. The selected row is the one
    // Remove takes away.
    CellTable sets{3, 1};
    // What Add gives the next data file: its temperature in K and the anion's lambda there
    // (may stay empty).
    EditField temperature{"298.15"};
    EditField anion;

    SeriesGlobalFit globalFit = SeriesGlobalFit::Free;
    CheckBox heatCapacity{false};  // a constant dCp, with five or more temperatures

    // The results of the last run, as the batch tool prints them: the separate fits (one
    // row per temperature), the van 't Hoff line and the global fit.
    CellTable temperatures{1, 1};
    CellTable vantHoff{1, 1};
    CellTable global{1, 1};
    // What the run did, the data sets without a fit with their reasons, and the sentences of
    // the tables (what the van 't Hoff and the global fit used, why one did not run); or why
    // the run did not run.
    std::string status;

    // Told while a run fits (FitOptions::progress), with what it fits now ("separate fits",
    // "global fit"): the desktop shows it, and ends the run by throwing FitCancelled, which
    // leaves the window as it was.
    std::function<void(const std::string& stage, int evaluations)> progress;

    // --- Handlers -----------------------------------------------------------------------
    void OpenClick();         // main menu: shows the window and brings it to the front
    void AddClick();          // asks for a data file and adds it at the typed temperature
    void RemoveClick();       // removes the selected data set
    void ImportClick();       // asks for a series file and takes its data sets in place of the list
    void RunClick();          // the separate fits, van 't Hoff, and the global fit when chosen
    void ExportTableClick();  // the table per temperature as CSV
    void ExportReportClick();  // the report of the three tables
    // A figure of the last run, written by writeFigure in the format of the file's name.
    void ExportFigureClick(SeriesFigureKind kind, const FigureWriter& writeFigure);

    // The list's data sets, their numbers written with the period as a series file has them.
    std::vector<SeriesEntry> entries() const;
    // Takes these data sets (numbers with the period) in place of the list, and drops the
    // results of the last run, which were of another list.
    void replaceSets(const std::vector<SeriesEntry>& entries);

    // The figure of the last run, or why there is none.
    BuiltFigure figure(SeriesFigureKind kind) const;
    const std::optional<SeriesResult>& lastRun() const { return last_; }
    // Grows with every change of the last run (a run completed, the list replaced): the view
    // draws the figures again.
    unsigned long long runs() const { return runs_; }

  private:
    void addSet(const std::string& dataFile, const std::string& temperature,
                const std::string& anion);
    std::string modelText() const;
    void clearResults();

    TForm1& form_;
    const FitWindow& fitWindow_;
    std::optional<SeriesResult> last_;
    std::string model_;  // the model of the last run, for its report
    unsigned long long runs_ = 0;
};

}  // namespace condsim
