#include "batch/BatchSession.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "core/Error.h"
#include "files/DelimitedTable.h"
#include "files/NumberText.h"
#include "files/TextFile.h"
#include "fit/AnionCountComparison.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "fit/SeriesTables.h"
#include "ui/Application.h"
#include "ui/CalculationData.h"
#include "ui/Dispatch.h"
#include "ui/FitApplication.h"
#include "ui/MainWindowFit.h"
#include "ui/ObservedDataImport.h"
#include "ui/SessionState.h"

namespace condsim {

void StreamPlatform::message(const std::string& text) {
    ScriptedPlatform::message(text);
    out_ << text << '\n';
}

void StreamPlatform::error(const std::string& text) {
    ScriptedPlatform::error(text);
    out_ << text << '\n';
}

namespace {

// A file dialog returns full names.
std::string absoluteName(const std::string& name) {
    std::error_code ignored;
    const auto absolute = std::filesystem::absolute(name, ignored);
    return absolute.empty() ? name : absolute.string();
}

// Every file name made absolute against the directory the tool was started in.
BatchOptions withAbsoluteNames(BatchOptions options) {
    for (auto* name :
         {&options.session, &options.saveSession, &options.data, &options.importing.file,
          &options.importing.writeData, &options.constants, &options.factors, &options.report,
          &options.plot, &options.distribution, &options.exportCsv, &options.series,
          &options.seriesCsv, &options.seriesReport}) {
        if (*name) *name = absoluteName(**name);
    }
    for (auto& figure : options.figures) figure.second = absoluteName(figure.second);
    for (auto& figure : options.seriesFigures) figure.second = absoluteName(figure.second);
    return options;
}

// A line of a file as a terminal can show it: control characters (a NUL, a carriage
// return) as \xHH.
std::string visibleText(const std::string& line) {
    std::string shown;
    for (const char c : line) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 && c != '\t') {
            const char* const hex = "0123456789ABCDEF";
            shown += "\\x";
            shown += hex[code / 16];
            shown += hex[code % 16];
        } else {
            shown += c;
        }
    }
    return shown;
}

// The import dialog of the batch tool: the options' choices, and a message saying what
// was guessed, since no one sees a preview.
ObservedDataImportDialog importChoices(const BatchImportOptions& options, Platform& platform) {
    return [&options, &platform](ObservedDataImport& import) {
        if (options.separator) import.separator = *options.separator;
        if (options.skip) import.skippedLines = *options.skip;
        if (options.decimalComma) import.decimalComma = *options.decimalComma;
        if (!options.separator || !options.skip || !options.decimalComma) {
            platform.message("Import of " + import.fileName() + ": --separator " +
                             columnSeparatorName(import.separator) + " --skip " +
                             std::to_string(import.skippedLines) + " --decimal-comma " +
                             (import.decimalCommasInEffect() ? "yes" : "no") +
                             " (guessed where not given)");
        }
        // Guessed lines that are skipped are shown, since a data row taken for a header
        // would otherwise be lost without a trace.
        if (!options.skip) {
            const std::vector<std::string> lines = import.previewLines();
            const auto shown = std::min(static_cast<size_t>(import.skippedLines), lines.size());
            for (size_t i = 0; i < shown; ++i) {
                platform.message("  skipped line " + std::to_string(i + 1) + ": " +
                                 visibleText(lines[i]));
            }
            if (static_cast<size_t>(import.skippedLines) > shown) {
                platform.message("  and " + std::to_string(import.skippedLines - shown) +
                                 " more skipped lines");
            }
        }
        if (options.columns) {
            import.concentrationColumn = options.columns->first;
            import.conductivityColumn = options.columns->second;
        }
        if (options.concentration) import.concentrationUnit = *options.concentration;
        if (options.density) import.density.setText(*options.density);
        // Molalities with water's density at the solution model's temperature: said, since
        // --density was not given and the density is not the one of 25 C.
        if (!options.density && import.concentrationUnit == ConcentrationUnit::MolPerKilogram &&
            import.density.text() != NumberText(waterDensityAt25C)) {
            platform.message("  --density " + import.density.text() +
                             " (water at the solution model's temperature)");
        }
        if (options.conductivity) import.conductivityUnit = *options.conductivity;
        import.saveAfterLoading = options.writeData.has_value();
        return true;
    };
}

// One run of the batch tool: the steps of the desktop program in the tool's order, each
// through the handlers a user would use. A step returns false when an error ended it (its
// message is already written), and the run stops there.
class BatchRun {
  public:
    BatchRun(const BatchOptions& options, std::ostream& messages, std::ostream& results,
             const CanvasFactory& canvases, const PictureWriter& writePicture,
             const FigureWriter& writeFigure)
        : options_(withAbsoluteNames(options)),
          results_(results),
          writePicture_(writePicture),
          writeFigure_(writeFigure),
          canvases_(canvases),
          platform_(messages),
          app_(platform_, canvases),
          form1_(app_.Form1) {
        if (options_.recordFolder) form1_.sweepOptions.recordFolder = *options_.recordFolder;
    }

    int run() {
        status_ = runSteps();
        return status_;
    }

    // What the run computed and where it stopped.
    BatchOutcome outcome() const {
        return {status_,
                step_,
                platform_.errors,
                platform_.messages,
                comparison_,
                fit_,
                (status_ == 0 || step_ > BatchStep::Calculation) && !app_.state.calculation.empty()
                    ? std::optional<CalculationRecord>(app_.state.calculation)
                    : std::nullopt,
                series_.result};
    }

    // The steps up to the scaling factors, from the session where there is one.
    bool check() {
        app_.state.remembersDataDirectory = false;
        const bool ran = openSession() && openObservedData() && typeIntoFields() &&
                         chooseSolutionModel() && setConstants() && importObservedData() &&
                         setScalingFactors();
        status_ = ran ? 0 : 1;
        return ran;
    }

  private:
    int runSteps() {
        // Stateless: no "dirinf" is read or written, so the current directory stays the one
        // the tool was started in, and "record.txt" goes there.
        app_.state.remembersDataDirectory = false;
        if (options_.threads) form1_.sweepOptions.threads = *options_.threads;
        if (options_.runsSeries()) {
            bool complete = false;
            const bool ran = outputFoldersExist() && openSession() && typeIntoFields() &&
                             chooseSolutionModel() && setConstants() && setScalingFactors() &&
                             fitTemperatureSeries(complete) && saveSession();
            return ran && complete ? 0 : 1;
        }
        const bool ran = outputFoldersExist() && openSession() && openObservedData() &&
                         typeIntoFields() && chooseSolutionModel() && setConstants() &&
                         importObservedData() && setScalingFactors() && fitAndApply() &&
                         conductCalculations() && tellNotes() && saveReport() && savePictures() &&
                         writeFigures() && exportData() && saveSession();
        return ran ? 0 : 1;
    }

    // The calculation alone, with the steps of run() up to Conduct Calculations; nothing
    // where a step failed (its message is written).
    std::optional<CalculationRecord> calculate() {
        app_.state.remembersDataDirectory = false;
        if (options_.threads) form1_.sweepOptions.threads = *options_.threads;
        const bool ran = openSession() && openObservedData() && typeIntoFields() &&
                         chooseSolutionModel() && setConstants() && importObservedData() &&
                         setScalingFactors() && fitAndApply() &&
                         act([&] { form1_.Button3Click(); });
        if (!ran) return std::nullopt;
        return app_.state.calculation;
    }

    // Conduct Calculations.
    bool conductCalculations() {
        step_ = BatchStep::Calculation;
        return act([&] { form1_.Button3Click(); });
    }

    // The solution model's notes on the calculated and observed points, to standard error.
    bool tellNotes() {
        step_ = BatchStep::Files;
        for (const std::string& note : app_.state.calculation.notes) platform_.message(note);
        return true;
    }

    bool act(const std::function<void()>& action) { return dispatch(platform_, action); }

    // The options of a comparison: the same inputs and fit in another solution model, with
    // no output of their own and no comparison of n.
    BatchOptions comparisonOptions(SolutionModelKind model,
                                   const std::optional<std::string>& ionSize) const {
        BatchOptions other = options_;
        other.solution = model;
        if (ionSize) other.ionSize = ionSize;
        if (model == SolutionModelKind::Ideal) {
            other.ionSize.reset();
            other.solvent.reset();
            other.temperature.reset();
            other.permittivity.reset();
            other.viscosity.reset();
        }
        other.report.reset();
        other.plot.reset();
        other.distribution.reset();
        other.figures.clear();
        other.exportCsv.reset();
        other.importing.writeData.reset();
        other.fitN.reset();
        other.compareSolutions.clear();
        return other;
    }

    // The calculations of --compare-solution, each in a run of its own whose fit results
    // are written after a line naming it.
    bool calculateComparisons(FigureOptions& figureOptions) {
        for (const auto& [model, ionSize] : options_.compareSolutions) {
            const BatchOptions other = comparisonOptions(model, ionSize);
            std::ostringstream fitResults;
            std::optional<CalculationRecord> calculation =
                BatchRun(other, platform_.stream(), fitResults, canvases_, writePicture_,
                         writeFigure_)
                    .calculate();
            if (!calculation) return false;
            if (!fitResults.str().empty())
                results_ << "compared: " << calculation->solutionModel << '\n' << fitResults.str();
            figureOptions.compared.push_back({modelLabel(*calculation), std::move(*calculation)});
        }
        return true;
    }
    // The file the next file dialog returns.
    void chooseFile(const std::string& name) { platform_.answerNextDialog(name); }

    // Before anything runs: every output goes into a folder that exists, so that a run
    // cannot end with status 1 after it wrote the report but before its last figure.
    bool outputFoldersExist() {
        step_ = BatchStep::Outputs;
        std::vector<std::pair<std::string, std::string>> outputs;
        for (const auto& [option, name] : {std::pair{"--report", options_.report},
                                           {"--plot", options_.plot},
                                           {"--distribution", options_.distribution},
                                           {"--export-csv", options_.exportCsv},
                                           {"--save-session", options_.saveSession},
                                           {"--write-data", options_.importing.writeData},
                                           {"--series-csv", options_.seriesCsv},
                                           {"--series-report", options_.seriesReport}}) {
            if (name) outputs.emplace_back(option, *name);
        }
        for (const auto& figure : options_.figures) outputs.emplace_back("--figure", figure.second);
        for (const auto& figure : options_.seriesFigures)
            outputs.emplace_back("--series-figure", figure.second);
        for (const auto& [option, name] : outputs) {
            const std::filesystem::path folder = std::filesystem::path(name).parent_path();
            std::error_code ignored;
            if (!std::filesystem::is_directory(folder, ignored)) {
                platform_.error(withFinalPoint("The folder " + folder.string() + " of " + option +
                                               " " + name +
                                               " does not exist: nothing was run or written"));
                return false;
            }
        }
        return true;
    }

    // File/Open Session, before everything else: the steps after it change what it restored.
    bool openSession() {
        if (!options_.session) return true;
        step_ = BatchStep::Data;
        return act([&] {
            const Session session = readSessionFile(*options_.session);
            restoreSession(app_, session, *options_.session);
            sessionFit_ = {session.fitParameters, session.fitWeights};
            series_.session = session.series;
        });
    }

    // The session of the windows after the run, with the fit that ran (or the one of the
    // session opened), and the series that ran (or the one of the session opened).
    bool saveSession() {
        if (!options_.saveSession) return true;
        step_ = BatchStep::Files;
        return act([&] {
            Session session = takeSession(app_);
            session.series = series_.ran ? series_.ran : series_.session;
            session.fitParameters = sessionFit_.first;
            session.fitWeights = sessionFit_.second;
            if (options_.fit) {
                session.fitParameters = fitParameterOption(*options_.fit);
                session.fitWeights =
                    fitWeightingName(options_.weights.value_or(FitWeighting::Absolute));
            }
            writeSessionFile(*options_.saveSession, session);
        });
    }

    // 1. File/Open.
    bool openObservedData() {
        step_ = BatchStep::Data;
        if (!options_.data) return true;
        chooseFile(*options_.data);
        return act([&] { form1_.Open1Click(); });
    }

    // 2. The fields take the values as the program sets them: no change handler runs.
    bool typeIntoFields() {
        if (options_.n) form1_.SpinEdit1.setValue(*options_.n);
        if (options_.beta1) form1_.beta1.setText(*options_.beta1);
        if (options_.alfa) form1_.SpinEdit2.setValue(*options_.alfa);
        if (options_.model1) form1_.CheckBox1.setChecked(*options_.model1);
        if (options_.mca) form1_.MCA.setText(*options_.mca);
        if (options_.mcx) form1_.MCX.setText(*options_.mcx);
        if (options_.points) form1_.SpinEdit3.setValue(*options_.points);
        if (options_.scale) form1_.SpinEdit4.setValue(*options_.scale);
        return true;
    }

    // The Solution Model window and its OK.
    bool chooseSolutionModel() {
        step_ = BatchStep::SolutionModel;
        if (!options_.setsSolutionModel()) return true;
        SolutionModelWindow& window = app_.SolutionModelForm;
        return act([&] {
            window.Show();
            if (options_.solution) window.Model = *options_.solution;
            if (options_.ionSizeIsBjerrum()) {
                window.BjerrumIonSize.setChecked(true);
            } else if (options_.ionSize) {
                window.IonSize.setText(*options_.ionSize);
            }
            // A preset: --solvent, or water for --temperature alone.
            const bool presetTemperature = options_.temperature && !options_.permittivity;
            if (options_.solvent || presetTemperature) {
                const std::string name = options_.solvent.value_or("water");
                const auto choices = SolutionModelWindow::solventChoices();
                window.SolventChoice = static_cast<int>(
                    std::find(choices.begin(), choices.end(), name) - choices.begin());
                window.SolventChange();
            }
            if (presetTemperature) {
                // Water's permittivity and viscosity there (the other presets allow 298.15 K
                // only, which the options checked).
                window.Temperature.setText(*options_.temperature);
                window.ValuesChange();
            } else if (options_.temperature) {
                window.SolventChoice = window.otherSolventChoice();
                window.Temperature.setText(*options_.temperature);
                window.Permittivity.setText(*options_.permittivity);
                window.Viscosity.setText(*options_.viscosity);
            }
            window.OKClick();
        });
    }

    // 3. The stepwise constants from a file, or Initialize.
    bool setConstants() {
        step_ = BatchStep::Constants;
        // A session's constants stay unless an option changes what they are built from.
        if (!options_.constants && options_.session && !options_.setsConstantInputs()) return true;
        if (!options_.constants) return act([&] { form1_.InitializeClick(); });
        chooseFile(*options_.constants);
        return act([&] { form1_.Button4Click(); });
    }

    // File/Import Observed Data..., after the constants so that equivalent conductance
    // counts the n of the system.
    bool importObservedData() {
        step_ = BatchStep::Data;
        const BatchImportOptions& importing = options_.importing;
        if (!importing.file) return true;
        chooseFile(*importing.file);
        if (importing.writeData) chooseFile(*importing.writeData);
        return act(
            [&] { condsim::importObservedData(form1_, importChoices(importing, platform_)); });
    }

    // 4. The scaling factors: a file, then the Type 1 gradient, then the hyperbolic rule.
    bool setScalingFactors() {
        step_ = BatchStep::ScalingFactors;
        if (options_.factors) {
            chooseFile(*options_.factors);
            if (!act([&] { app_.Form3.Open1Click(); })) return false;
        }
        if (options_.gradient && !act([&] {
                form1_.Option1Click();
                app_.Form3.katamuki.userSetText(std::to_string(*options_.gradient));
                app_.Form3.katamuki.userLeave();
            })) {
            return false;
        }
        return !options_.hyperbolic || act([&] {
            form1_.Option1Click();
            app_.Form3.a_value.setText(*options_.hyperbolic);
            app_.Form3.Button6Click();
        });
    }

    // The comparison of n first, from the same start as the fit; then the fit at the
    // window's n, applied by the Fit window's own sequence before the calculation. Either
    // failing ends the run.
    bool fitAndApply() {
        step_ = BatchStep::Fit;
        if (!options_.fit) return true;
        FitRequest request{*options_.fit, {}, options_.weights.value_or(FitWeighting::Absolute)};
        if (options_.threads) request.options.threads = *options_.threads;
        return act([&] {
            if (options_.fitN) {
                const auto comparison = compareAnionCounts(form1_, request, options_.fitN->first,
                                                           options_.fitN->second);
                if (!comparison.refusal.empty())
                    throw Error("The comparison of n cannot run: " + comparison.refusal);
                comparison_ = comparison;
                results_ << anionCountTable(comparison) << '\n';
            }
            const FitResult result = fitConstants(form1_, request);
            fit_ = result;
            if (!result.converged()) throw Error(fitFailureMessage(result));
            applyFit(form1_, result);
            results_ << fitResultTable(result);
        });
    }

    // The series of the run: the data sets of --series, or else of the session opened, with
    // the analysis that --global-fit and --vant-hoff-cp choose, or else the session.
    SessionSeries seriesToRun(std::vector<SeriesFileLine>& lines, std::string& name) const {
        SessionSeries series = series_.session.value_or(SessionSeries{});
        if (!series_.session) series.globalFit = "none";
        if (options_.series) {
            name = *options_.series;
            lines = readSeriesFile(*options_.series);
            series.sets = seriesEntriesOf(lines);
        } else {
            if (!series_.session) {
                throw Error(std::string(options_.seriesOption()) +
                            " needs --series FILE or a session with a temperature series; " +
                            *options_.session + " holds none");
            }
            name = "temperatureSeries of " + *options_.session;
            lines = parseSeriesText(seriesFileText(series.sets), name, "");
        }
        if (options_.globalFit) series.globalFit = *options_.globalFit ? "walden" : "free";
        if (options_.vantHoffHeatCapacity) series.heatCapacity = *options_.vantHoffHeatCapacity;
        return series;
    }

    // The fitted parameters and weighting of --fit and --weights, or else of the session.
    FitRequest seriesFitRequest() const {
        FitRequest request;
        request.parameters = options_.fit                ? *options_.fit
                             : sessionFit_.first.empty() ? std::vector<FitParameter>{}
                                                         : parseFitParameterList(sessionFit_.first);
        if (request.parameters.empty()) {
            throw Error(
                "A temperature series needs the parameters to fit: give --fit LIST (the "
                "session " +
                options_.session.value_or("") + " chooses none)");
        }
        request.weighting = options_.weights.value_or(FitWeighting::Absolute);
        if (!options_.weights) parseFitWeighting(sessionFit_.second, request.weighting);
        if (options_.threads) request.options.threads = *options_.threads;
        return request;
    }

    // A temperature series: the fit of --fit at each temperature of the series file (or of
    // the session's series), from the model the fields and the Solution Model window set
    // up, then van 't Hoff and the global fit. A data set without a fit is named on standard
    // error and leaves complete false; the others stand.
    bool fitTemperatureSeries(bool& complete) {
        return act([&] {
            std::vector<SeriesFileLine> lines;
            std::string name;
            const SessionSeries series = seriesToRun(lines, name);
            const std::string solvent = app_.state.solution.solvent.name;
            SeriesSetup setup{fitSystemOf(form1_), seriesFitRequest(), [solvent](ext kelvin) {
                                  return solventAtTemperature(solvent, kelvin);
                              }};
            SeriesRunOptions run;
            run.vantHoffHeatCapacity = series.heatCapacity;
            run.global = series.globalFit != "none";
            run.globalOptions.waldenTie = series.globalFit == "walden";
            SeriesResult& result =
                series_.result.emplace(runSeries(seriesDataSetsOf(lines), setup, run));
            series_.ran = series;
            result.seriesFile = name;
            complete = !result.fits.empty();
            for (const SeriesFit& fit : result.fits) {
                if (fit.fitted()) continue;
                platform_.message(fit.failure);
                complete = false;
            }
            if (result.fits.empty()) platform_.message(name + " names no data set");
            if (result.global && !result.global->converged()) complete = false;
            results_ << seriesFitTable(result) << '\n' << vantHoffTable(result.vantHoff);
            if (result.global) results_ << '\n' << globalFitTable(*result.global);
            if (options_.seriesCsv)
                writeTextFileAtomically(*options_.seriesCsv, seriesFitCsv(result));
            if (options_.seriesReport) {
                writeTextFileAtomically(
                    *options_.seriesReport,
                    seriesReport(result, seriesModelText(setup.system.n, setup.system.solution.kind,
                                                         solvent)));
            }
            for (const auto& [kind, fileName] : options_.seriesFigures) {
                const BuiltFigure built = seriesFigure(kind, result);
                if (!built.figure)
                    throw Error("No " + seriesFigureKindName(kind) + " figure: " + built.refusal);
                if (!writeFigure_) throw Error("This tool cannot write figures");
                const std::string failure = writeFigure_(*built.figure, fileName);
                if (!failure.empty()) throw Error("The figure was not written: " + failure);
            }
        });
    }

    // 6. File/Save.
    bool saveReport() {
        if (!options_.report) return true;
        chooseFile(*options_.report);
        return act([&] { form1_.Save1Click(); });
    }

    // The windows' pictures as PNG. A file that cannot be written raises its I/O error.
    bool savePictures() {
        const auto save = [&](const Picture& picture, const std::string& name) {
            return act([&] {
                if (picture.canvas() == nullptr || !writePicture_(*picture.canvas(), name))
                    throw Error("The picture could not be written to " + name);
            });
        };
        if (options_.plot && !save(form1_.Image1, *options_.plot)) return false;
        return !options_.distribution || save(app_.Form2.Image1, *options_.distribution);
    }

    // 7. The labelled figures in the order given.
    bool writeFigures() {
        FigureOptions figureOptions = options_.figureOptions;
        if (!options_.figures.empty() && !calculateComparisons(figureOptions)) return false;
        for (const auto& figureRequest : options_.figures) {
            // Named copies: a lambda takes structured bindings only from C++20 compilers
            // newer than the analysis tools'.
            const auto& kind = figureRequest.first;
            const auto& fileName = figureRequest.second;
            const bool written = act([&] {
                const BuiltFigure built = mainWindowFigure(kind, app_.state, figureOptions);
                if (!built.figure)
                    throw Error("No " + figureKindName(kind) + " figure: " + built.refusal);
                if (!writeFigure_) throw Error("This tool cannot write figures");
                const std::string failure = writeFigure_(*built.figure, fileName);
                if (!failure.empty()) throw Error("The figure was not written: " + failure);
            });
            if (!written) return false;
        }
        return true;
    }

    bool exportData() {
        if (!options_.exportCsv) return true;
        return act([&] {
            const auto csv = calculationCsv(app_.state.calculation);
            if (!csv) throw Error(nothingToExport);
            writeTextFileAtomically(*options_.exportCsv, *csv);
        });
    }

    const BatchOptions options_;
    std::ostream& results_;
    const PictureWriter& writePicture_;
    const FigureWriter& writeFigure_;
    const CanvasFactory& canvases_;
    StreamPlatform platform_;
    Application app_;
    TForm1& form1_;
    int status_ = 0;
    BatchStep step_ = BatchStep::Outputs;
    std::optional<AnionCountComparison> comparison_;
    std::optional<FitResult> fit_;
    struct {
        std::optional<SessionSeries> session;  // of --session
        std::optional<SessionSeries> ran;      // the data sets and analysis of the run
        std::optional<SeriesResult> result;
    } series_;
    std::pair<std::string, std::string> sessionFit_{"", "absolute"};  // of --session
};

}  // namespace

int runBatch(const BatchOptions& options, std::ostream& messages, std::ostream& results,
             const CanvasFactory& canvases, const PictureWriter& writePicture,
             const FigureWriter& writeFigure) {
    return BatchRun(options, messages, results, canvases, writePicture, writeFigure).run();
}

BatchOutcome runBatchOutcome(const BatchOptions& options, std::ostream& messages,
                             std::ostream& results, const CanvasFactory& canvases,
                             const PictureWriter& writePicture, const FigureWriter& writeFigure) {
    BatchRun run(options, messages, results, canvases, writePicture, writeFigure);
    run.run();
    return run.outcome();
}

BatchOutcome checkBatchInputs(const BatchOptions& options, std::ostream& messages,
                              const CanvasFactory& canvases) {
    std::ostringstream results;
    const PictureWriter noPictures;
    const FigureWriter noFigures;
    BatchRun run(options, messages, results, canvases, noPictures, noFigures);
    run.check();
    return run.outcome();
}

int runBatch(const BatchOptions& options, std::ostream& messages, const CanvasFactory& canvases,
             const PictureWriter& writePicture, const FigureWriter& writeFigure) {
    return runBatch(options, messages, std::cout, canvases, writePicture, writeFigure);
}

}  // namespace condsim
