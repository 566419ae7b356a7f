#pragma once
// The command line of condsim-batch.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "batch/BatchImportOptions.h"
#include "fit/FitParameter.h"
#include "fit/FitWeighting.h"
#include "model/SolutionModel.h"
#include "ui/PaperFigures.h"
#include "ui/SeriesFigures.h"

namespace condsim {

struct BatchOptions {
    std::optional<std::string> session;       // a session file, opened before every other step
    std::optional<std::string> saveSession;   // the session after the run
    std::optional<std::string> data;          // observed data, opened with File/Open
    BatchImportOptions importing;             // or measured data imported in their units
    std::optional<int> n;                     // SpinEdit1
    std::optional<std::string> beta1;         // beta1 text
    std::optional<int> alfa;                  // SpinEdit2
    std::optional<bool> model1;               // CheckBox1
    std::optional<std::string> mca;           // MCA text
    std::optional<std::string> mcx;           // MCX text
    std::optional<int> points;                // SpinEdit3
    std::optional<int> scale;                 // SpinEdit4
    std::optional<std::string> constants;     // stepwise-constant file (import)
    std::optional<std::string> factors;       // scaling-factor file
    std::optional<int> gradient;              // katamuki, typed as a user would
    std::optional<std::string> hyperbolic;    // a_value, then Apply
    std::optional<std::string> report;        // File/Save
    std::optional<std::string> plot;          // conductivity picture as PNG
    std::optional<std::string> distribution;  // distribution picture as PNG
    std::vector<std::pair<FigureKind, std::string>>
        figures;                           // labelled figures, in the order given
    std::optional<std::string> exportCsv;  // the calculated and observed data as CSV
    std::optional<int> figureDotsPerInch;  // resolution of PNG figures
    std::optional<double> figureWidth;     // width of the figures in centimetres
    std::optional<bool> figureCaption;     // the caption line under the figures (default on)
    FigureOptions figureOptions;           // --figure-x, --species-names
    // --compare-solution MODEL[:A], in the order given: the same run again in another
    // solution model (or ion size), whose curves join the conductivity figures.
    std::vector<std::pair<SolutionModelKind, std::optional<std::string>>> compareSolutions;
    std::optional<char> decimalSeparator;
    std::optional<std::vector<FitParameter>> fit;  // fitted and applied before the calculation
    std::optional<std::pair<int, int>> fitN;       // range of n compared with the same fit
    // The Solution Model window's fields, applied with its OK before Initialize.
    std::optional<SolutionModelKind> solution;  // --solution
    std::optional<std::string> ionSize;         // --ion-size, Angstrom, or "bjerrum"
    std::optional<std::string> solvent;         // --solvent, a preset
    // --temperature K: alone, the preset solvent's temperature (water's from 273.15 to
    // 373.15 K); with the next two, another solvent.
    std::optional<std::string> temperature;
    std::optional<std::string> permittivity;  // --permittivity
    std::optional<std::string> viscosity;     // --viscosity, mPa s
    std::optional<FitWeighting> weights;      // of the residuals of the fit
    // A temperature series in place of --data: the separate fit of --fit at each
    // temperature, van 't Hoff, and the global fit when asked.
    std::optional<std::string> series;        // --series FILE
    std::optional<std::string> seriesCsv;     // --series-csv FILE: the table per temperature
    std::optional<std::string> seriesReport;  // --series-report FILE
    std::optional<bool> globalFit;            // --global-fit free|walden: true for walden
    // --series-figure KIND:FILE, in the order given: the van 't Hoff and Walden figures.
    std::vector<std::pair<SeriesFigureKind, std::string>> seriesFigures;
    std::optional<bool> vantHoffHeatCapacity;  // --vant-hoff-cp on|off
    // Not an option of the tool: the folder of the solver's "record.txt" for a caller that
    // runs sessions of its own (the Python module); the current directory when unset.
    std::optional<std::string> recordFolder;
    std::optional<int> threads;  // --threads: threads of the sweep; default one per core
    bool help = false;
    bool version = false;  // print the version and stop

    // Whether an option changes what Initialize builds the constants from.
    bool setsConstantInputs() const { return n || beta1 || alfa || model1; }
    // An option of a temperature series other than --series: with --session and without
    // --series, these run the series the session holds.
    const char* seriesOption() const {
        return seriesCsv                ? "--series-csv"
               : seriesReport           ? "--series-report"
               : globalFit              ? "--global-fit"
               : !seriesFigures.empty() ? "--series-figure"
               : vantHoffHeatCapacity   ? "--vant-hoff-cp"
                                        : nullptr;
    }
    // Whether the run is a temperature series: of --series, or of the session's.
    bool runsSeries() const { return series || (session && seriesOption() != nullptr); }
    bool setsSolutionModel() const {
        return solution || ionSize || solvent || temperature || permittivity || viscosity;
    }
    // --ion-size bjerrum: a is Bjerrum's distance for the first association step.
    bool ionSizeIsBjerrum() const { return ionSize == "bjerrum"; }
};

// Parses the arguments (without the program name). Throws BatchUsageError on a usage error.
BatchOptions parseBatchOptions(const std::vector<std::string>& arguments);

struct BatchUsageError {
    std::string reason;
};

// The usage text printed by --help and after a usage error.
const char* batchUsage();

}  // namespace condsim
