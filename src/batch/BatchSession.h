#pragma once
// Drives the headless windows through their handlers in the order of the batch tool, as a
// user of the desktop program would, and reports what the program shows.

#include <functional>
#include <ostream>
#include <string>

#include "batch/BatchOptions.h"
#include "fit/AnionCountComparison.h"
#include "fit/FitResult.h"
#include "fit/SeriesResult.h"
#include "model/CalculationRecord.h"
#include "ui/ExportCommands.h"
#include "ui/Picture.h"
#include "ui/ScriptedPlatform.h"

namespace condsim {

// Messages and error boxes go to a stream, one per line.
class StreamPlatform : public ScriptedPlatform {
  public:
    explicit StreamPlatform(std::ostream& out) : out_(out) {}
    void message(const std::string& text) override;
    void error(const std::string& text) override;
    std::ostream& stream() const { return out_; }

  private:
    std::ostream& out_;
};

// Writes a picture to a PNG file; returns false when it could not, or raises the file's
// I/O error (Error).
using PictureWriter = std::function<bool(const Canvas& canvas, const std::string& fileName)>;

// Runs every step the options ask for; stops at the first error. Returns the exit status:
// 0 success, 1 an error of the program (already written to messages). The tables of a fit
// and of a comparison of n go to results. The labelled figures are written with
// writeFigure; a figure asked for without one, or refused for want of data, is an error.
int runBatch(const BatchOptions& options, std::ostream& messages, std::ostream& results,
             const CanvasFactory& canvases, const PictureWriter& writePicture,
             const FigureWriter& writeFigure = {});
// The same with the results on standard output.
int runBatch(const BatchOptions& options, std::ostream& messages, const CanvasFactory& canvases,
             const PictureWriter& writePicture, const FigureWriter& writeFigure = {});

// The step of a run, in the order they run: where an error ended it.
enum class BatchStep {
    Outputs,         // the folders of the output files
    Data,            // File/Open of the observed data, or their import
    SolutionModel,   // the Solution Model window's OK
    Constants,       // Initialize or the import of the stepwise constants
    ScalingFactors,  // the scaling-factor file, the Type 1 gradient, the hyperbolic rule
    Fit,             // the comparison of n and the fit
    Calculation,     // Conduct Calculations
    Files,           // the report, the pictures, the figures, the CSV
};

// What a run computed, for a caller that takes the values rather than the text (the Python
// module): each part where the run got that far.
struct BatchOutcome {
    int status = 0;                             // as runBatch returns it
    BatchStep failedStep = BatchStep::Outputs;  // meaningful when status is 1
    std::vector<std::string> errors;            // the error boxes' texts, as written to messages
    std::vector<std::string> messages;          // every other message (the notes of the model)
    std::optional<AnionCountComparison> comparison;
    std::optional<FitResult> fit;
    std::optional<CalculationRecord> calculation;
    // A temperature series (--series): the separate fits, van 't Hoff and the global fit.
    std::optional<SeriesResult> series;
};

// runBatch, keeping what it computed.
BatchOutcome runBatchOutcome(const BatchOptions& options, std::ostream& messages,
                             std::ostream& results, const CanvasFactory& canvases,
                             const PictureWriter& writePicture,
                             const FigureWriter& writeFigure = {});
// The steps of a run up to the scaling factors, without the fit, the calculation or any
// file written: whether the windows take these inputs.
BatchOutcome checkBatchInputs(const BatchOptions& options, std::ostream& messages,
                              const CanvasFactory& canvases);

}  // namespace condsim
