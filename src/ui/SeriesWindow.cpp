#include "ui/SeriesWindow.h"

#include <algorithm>
#include <sstream>

#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"
#include "files/TextFile.h"
#include "fit/SeriesTables.h"
#include "model/ionic/Solvent.h"
#include "ui/DataDirectoryMemory.h"
#include "ui/FitWindow.h"
#include "ui/MainWindowFit.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

// The name the messages of the list give its data sets by: "the list, line 2" is its second.
const char* const listName = "the list";

const char* const nothingRun = "There is no series to export: press Run first.";

// A table of tab-separated lines: one row per line, as many columns as the widest, the
// first such line the headers. Lines without a tab (the sentences that head or close a
// table) are not cells: they are returned, one a line, for the status.
std::string fillTable(CellTable& table, const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::string sentences;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        if (line.find('\t') == std::string::npos) {
            sentences += line + "\n";
            continue;
        }
        std::vector<std::string> cells;
        size_t from = 0;
        for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            cells.push_back(line.substr(from, tab - from));
        cells.push_back(line.substr(from));
        rows.push_back(std::move(cells));
    }
    size_t columns = 1;
    for (const auto& row : rows) columns = std::max(columns, row.size());
    table.setColumnCount(static_cast<int>(columns));
    table.setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < static_cast<int>(columns); ++c)
            table.setCell(c, r,
                          static_cast<size_t>(r) < rows.size() &&
                                  static_cast<size_t>(c) < rows[static_cast<size_t>(r)].size()
                              ? rows[static_cast<size_t>(r)][static_cast<size_t>(c)]
                              : std::string());
    return sentences;
}

}  // namespace

SeriesWindow::SeriesWindow(TForm1& form, const FitWindow& fitWindow)
    : form_(form), fitWindow_(fitWindow) {
    sets.setCell(0, 0, "data file");
    sets.setCell(1, 0, "T (K)");
    sets.setCell(2, 0, "lambda anion (MCX)");
    clearResults();
}

void SeriesWindow::OpenClick() { window.showAndRaise(); }

void SeriesWindow::addSet(const std::string& dataFile, const std::string& temperature,
                          const std::string& anion) {
    const int row = sets.rowCount();
    sets.setRowCount(row + 1);
    sets.setCell(0, row, dataFile);
    sets.setCell(1, row, temperature);
    sets.setCell(2, row, anion);
    sets.select(0, row);
}

void SeriesWindow::AddClick() {
    const auto chosen = form_.platform().chooseOpenFile(form_.state().lastDataDirectory);
    if (!chosen) return;
    rememberDataDirectory(form_.state(), *chosen);
    addSet(*chosen, temperature.text(), anion.text());
}

void SeriesWindow::RemoveClick() {
    const int row = sets.selectedRow();
    if (row < 1 || row >= sets.rowCount()) {
        form_.platform().message("Select the data set to remove in the list first.");
        return;
    }
    for (int r = row; r + 1 < sets.rowCount(); ++r)
        for (int c = 0; c < sets.columnCount(); ++c) sets.setCell(c, r, sets.cell(c, r + 1));
    sets.setRowCount(sets.rowCount() - 1);
    sets.select(0, std::min(row, sets.rowCount() - 1));
}

void SeriesWindow::ImportClick() {
    const auto chosen = form_.platform().chooseOpenFile(form_.state().lastDataDirectory);
    if (!chosen) return;
    rememberDataDirectory(form_.state(), *chosen);
    // Raises the series file's own I/O error; the problems of its lines are shown at Run.
    const std::vector<SeriesFileLine> lines = readSeriesFile(*chosen);
    replaceSets(seriesEntriesOf(lines));
    std::string problems;
    for (const SeriesFileLine& line : lines)
        if (!line.problem.empty()) problems += line.where + ": " + line.problem + "\n";
    status = integerText(static_cast<int>(lines.size())) + " data sets from " + *chosen + ".\n" +
             problems;
}

std::vector<SeriesEntry> SeriesWindow::entries() const {
    std::vector<SeriesEntry> list;
    for (int r = 1; r < sets.rowCount(); ++r)
        list.push_back({sets.cell(0, r), withPeriod(sets.cell(1, r)), withPeriod(sets.cell(2, r))});
    return list;
}

void SeriesWindow::replaceSets(const std::vector<SeriesEntry>& list) {
    sets.setRowCount(1);
    sets.select(0, 0);
    for (const SeriesEntry& entry : list)
        addSet(entry.dataFile, withFieldSeparator(entry.temperature),
               withFieldSeparator(entry.anion));
    clearResults();
    status.clear();
    ++runs_;  // the view draws the figures again: there are none now
}

std::string SeriesWindow::modelText() const {
    const SolutionModel& solution = form_.state().solution;
    return seriesModelText(form_.n(), solution.kind, solution.solvent.name);
}

void SeriesWindow::clearResults() {
    last_.reset();
    for (CellTable* table : {&temperatures, &vantHoff, &global}) {
        table->setColumnCount(1);
        table->setRowCount(1);
        table->setCell(0, 0, "");
        table->select(0, 0);  // result tables have no cell to edit
    }
}

void SeriesWindow::RunClick() {
    form_.InitializeIfNeverSet();
    if (sets.rowCount() < 2) {
        status = "The list has no data set: add data files (Add) or import a series file.";
        return;
    }
    const FitRequest request = fitWindow_.request();
    if (request.parameters.empty()) {
        status = "No parameter is chosen in the Fit window: choose the fitted parameters there.";
        return;
    }
    SeriesSetup setup;
    try {
        setup.system = fitSystemOf(form_);
    } catch (const Error& error) {
        status = "The series cannot run: " + error.text();
        return;
    }
    setup.request = request;
    const std::string solvent = form_.state().solution.solvent.name;
    setup.solventAt = [solvent](ext kelvin) { return solventAtTemperature(solvent, kelvin); };
    std::string stage;
    if (progress) {
        // Told on the calling thread, where the window can show it.
        setup.request.options.threads = 1;
        setup.request.options.progress = [&](int, int evaluations) {
            progress(stage, evaluations);
        };
    }
    const std::vector<SeriesDataSet> data = seriesDataSetsOf(
        parseSeriesText(seriesFileText(entries()), listName, form_.state().lastDataDirectory));
    SeriesResult result;
    result.seriesFile = "the Temperature Series window's list";
    result.parameters = request.parameters;
    try {
        stage = "separate fits";
        result.fits = fitSeriesSeparately(data, setup);
        result.vantHoff = vantHoffAnalysis(result.fits, heatCapacity.checked());
        if (globalFit != SeriesGlobalFit::None) {
            stage = "global fit";
            GlobalFitOptions options;
            options.heatCapacity = heatCapacity.checked();
            options.waldenTie = globalFit == SeriesGlobalFit::Walden;
            result.global = fitSeriesGlobally(data, setup, result.fits, result.vantHoff, options);
        }
    } catch (const FitCancelled&) {
        return;  // cancelled while it ran: the window keeps what it showed
    }
    clearResults();
    std::string sentences = fillTable(temperatures, seriesFitTable(result));
    sentences += fillTable(vantHoff, vantHoffTable(result.vantHoff));
    if (result.global) sentences += fillTable(global, globalFitTable(*result.global));
    int fitted = 0;
    std::string failures;
    for (const SeriesFit& fit : result.fits) {
        if (fit.fitted())
            ++fitted;
        else
            failures += fit.failure + "\n";
    }
    status = integerText(fitted) + " of " + integerText(static_cast<int>(result.fits.size())) +
             " data sets fitted (" + modelText() + ").\n" + failures;
    status += sentences;
    model_ = modelText();
    last_ = std::move(result);
    ++runs_;
}

BuiltFigure SeriesWindow::figure(SeriesFigureKind kind) const {
    if (!last_) return {std::nullopt, "There is no series to draw: press Run first."};
    return seriesFigure(kind, *last_);
}

void SeriesWindow::ExportTableClick() {
    if (!last_) {
        form_.platform().message(nothingRun);
        return;
    }
    const auto chosen =
        form_.platform().chooseSaveFile(form_.state().lastDataDirectory, "series-table.csv");
    if (!chosen) return;
    rememberDataDirectory(form_.state(), *chosen);
    writeTextFileAtomically(*chosen, seriesFitCsv(*last_));
}

void SeriesWindow::ExportReportClick() {
    if (!last_) {
        form_.platform().message(nothingRun);
        return;
    }
    const auto chosen =
        form_.platform().chooseSaveFile(form_.state().lastDataDirectory, "series-report.txt");
    if (!chosen) return;
    rememberDataDirectory(form_.state(), *chosen);
    writeTextFileAtomically(*chosen, seriesReport(*last_, model_));
}

void SeriesWindow::ExportFigureClick(SeriesFigureKind kind, const FigureWriter& writeFigure) {
    const BuiltFigure built = figure(kind);
    if (!built.figure) {
        form_.platform().message(built.refusal);
        return;
    }
    const auto chosen = form_.platform().chooseSaveFile(
        form_.state().lastDataDirectory, "series-" + seriesFigureKindName(kind) + ".svg");
    if (!chosen) return;
    rememberDataDirectory(form_.state(), *chosen);
    const std::string failure = writeFigure(*built.figure, *chosen);
    if (!failure.empty()) throw Error("The figure was not written: " + failure);
}

}  // namespace condsim
