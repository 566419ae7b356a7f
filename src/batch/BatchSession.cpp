#include "batch/BatchSession.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "core/Error.h"
#include "files/TextFile.h"
#include "fit/AnionCountComparison.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "ui/Application.h"
#include "ui/CalculationData.h"
#include "ui/Dispatch.h"
#include "ui/FitApplication.h"
#include "ui/MainWindowFit.h"
#include "ui/ObservedDataImport.h"

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

// Every file name made absolute against the directory the tool was started in, before
// File/Open may change the current directory.
BatchOptions withAbsoluteNames(BatchOptions options) {
    for (auto* name : {&options.data, &options.importing.file, &options.importing.writeData,
                       &options.constants, &options.factors, &options.report, &options.plot,
                       &options.distribution, &options.exportCsv}) {
        if (*name) *name = absoluteName(**name);
    }
    for (auto& figure : options.figures) figure.second = absoluteName(figure.second);
    return options;
}

const char* separatorName(ColumnSeparator separator) {
    switch (separator) {
        case ColumnSeparator::Comma:
            return "comma";
        case ColumnSeparator::Semicolon:
            return "semicolon";
        case ColumnSeparator::Tab:
            return "tab";
        case ColumnSeparator::Whitespace:
            break;
    }
    return "space";
}

// The import dialog of the batch tool: the options' choices, and a message saying what
// was guessed, since no one sees a preview.
ObservedDataImportDialog importChoices(const BatchImportOptions& options, Platform& platform) {
    return [&options, &platform](ObservedDataImport& import) {
        if (options.separator) import.separator = *options.separator;
        if (options.skip) import.skippedLines = *options.skip;
        if (!options.separator || !options.skip) {
            platform.message("Import of " + import.fileName() + ": --separator " +
                             separatorName(import.separator) + " --skip " +
                             std::to_string(import.skippedLines) + " (guessed where not given)");
        }
        if (options.columns) {
            import.concentrationColumn = options.columns->first;
            import.conductivityColumn = options.columns->second;
        }
        if (options.concentration) import.concentrationUnit = *options.concentration;
        if (options.density) import.density.setText(*options.density);
        if (options.conductivity) import.conductivityUnit = *options.conductivity;
        import.saveAfterLoading = options.writeData.has_value();
        return true;
    };
}

}  // namespace

int runBatch(const BatchOptions& options, std::ostream& messages, const CanvasFactory& canvases,
             const PictureWriter& writePicture, const FigureWriter& writeFigure) {
    return runBatch(options, messages, std::cout, canvases, writePicture, writeFigure);
}

int runBatch(const BatchOptions& givenOptions, std::ostream& messages, std::ostream& results,
             const CanvasFactory& canvases, const PictureWriter& writePicture,
             const FigureWriter& writeFigure) {
    const BatchOptions options = withAbsoluteNames(givenOptions);
    StreamPlatform platform(messages);
    Application app(platform, canvases);
    TForm1& form1 = app.Form1;
    if (options.threads) form1.sweepOptions.threads = *options.threads;
    const auto act = [&](const std::function<void()>& action) {
        return dispatch(platform, action);
    };
    const auto chooseFile = [&](const std::string& name) { platform.answerNextDialog(name); };

    if (options.data) {
        chooseFile(*options.data);
        if (!act([&] { form1.Open1Click(); })) return 1;
    }
    if (options.n) form1.SpinEdit1.setValue(*options.n);
    if (options.beta1) form1.beta1.setText(*options.beta1);
    if (options.alfa) form1.SpinEdit2.setValue(*options.alfa);
    if (options.model1) form1.CheckBox1.setChecked(*options.model1);
    if (options.mca) form1.MCA.setText(*options.mca);
    if (options.mcx) form1.MCX.setText(*options.mcx);
    if (options.points) form1.SpinEdit3.setValue(*options.points);
    if (options.scale) form1.SpinEdit4.setValue(*options.scale);
    if (options.setsSolutionModel()) {
        SolutionModelWindow& window = app.SolutionModelForm;
        if (!act([&] {
                window.Show();
                if (options.solution) window.Model = *options.solution;
                if (options.ionSize) window.IonSize.setText(*options.ionSize);
                if (options.solvent) {
                    const auto choices = SolutionModelWindow::solventChoices();
                    window.SolventChoice = static_cast<int>(
                        std::find(choices.begin(), choices.end(), *options.solvent) -
                        choices.begin());
                    window.SolventChange();
                }
                if (options.temperature) {
                    window.SolventChoice = window.otherSolventChoice();
                    window.Temperature.setText(*options.temperature);
                    window.Permittivity.setText(*options.permittivity);
                    window.Viscosity.setText(*options.viscosity);
                }
                window.OKClick();
            })) {
            return 1;
        }
    }

    if (options.constants) {
        chooseFile(*options.constants);
        if (!act([&] { form1.Button4Click(); })) return 1;
    } else if (!act([&] { form1.InitializeClick(); })) {
        return 1;
    }
    if (options.importing.file) {
        chooseFile(*options.importing.file);
        if (options.importing.writeData) chooseFile(*options.importing.writeData);
        if (!act([&] { importObservedData(form1, importChoices(options.importing, platform)); }))
            return 1;
    }
    if (options.factors) {
        chooseFile(*options.factors);
        if (!act([&] { app.Form3.Open1Click(); })) return 1;
    }
    if (options.gradient) {
        if (!act([&] {
                form1.Option1Click();
                app.Form3.katamuki.userSetText(std::to_string(*options.gradient));
                app.Form3.katamuki.userLeave();
            })) {
            return 1;
        }
    }
    if (options.hyperbolic) {
        if (!act([&] {
                form1.Option1Click();
                app.Form3.a_value.setText(*options.hyperbolic);
                app.Form3.Button6Click();
            })) {
            return 1;
        }
    }
    if (options.fit) {
        // The comparison first, from the same start as the fit; then the fit at the
        // window's n, applied before the calculation. Either failing ends the run.
        FitRequest request{*options.fit, {}, options.weights.value_or(FitWeighting::Absolute)};
        if (options.threads) request.options.threads = *options.threads;
        if (!act([&] {
                if (options.fitN) {
                    const auto comparison = compareAnionCounts(form1, request, options.fitN->first,
                                                               options.fitN->second);
                    if (!comparison.refusal.empty())
                        throw Error("The comparison of n cannot run: " + comparison.refusal);
                    results << anionCountTable(comparison) << '\n';
                }
                const FitResult result = fitConstants(form1, request);
                if (!result.converged()) throw Error(fitFailureMessage(result));
                applyFit(form1, result);
                results << fitResultTable(result);
            })) {
            return 1;
        }
    }
    if (!act([&] { form1.Button3Click(); })) return 1;
    if (options.report) {
        chooseFile(*options.report);
        if (!act([&] { form1.Save1Click(); })) return 1;
    }
    const auto save = [&](const Picture& picture, const std::string& name) {
        if (picture.canvas() != nullptr && writePicture(*picture.canvas(), name)) return true;
        platform.error("The picture could not be written to " + name);
        return false;
    };
    if (options.plot && !save(form1.Image1, *options.plot)) return 1;
    if (options.distribution && !save(app.Form2.Image1, *options.distribution)) return 1;
    for (const auto& figureRequest : options.figures) {
        // Named copies: a lambda takes structured bindings only from C++20 compilers newer
        // than the analysis tools'.
        const auto& kind = figureRequest.first;
        const auto& fileName = figureRequest.second;
        const bool written = act([&] {
            const BuiltFigure built = mainWindowFigure(kind, app.state);
            if (!built.figure)
                throw Error("No " + figureKindName(kind) + " figure: " + built.refusal);
            if (!writeFigure) throw Error("This tool cannot write figures");
            const std::string failure = writeFigure(*built.figure, fileName);
            if (!failure.empty()) throw Error("The figure was not written: " + failure);
        });
        if (!written) return 1;
    }
    if (options.exportCsv) {
        const bool written = act([&] {
            const auto csv = calculationCsv(app.state.calculation);
            if (!csv) throw Error(nothingToExport);
            writeTextFileAtomically(*options.exportCsv, *csv);
        });
        if (!written) return 1;
    }
    return 0;
}

}  // namespace condsim
