#pragma once
// The results report of File/Save: the observed data with the free anion concentrations
// and molar conductivities (Table 1), the model's parameters (Table 2), the constants
// (Table 3) and the calculated data with the species abundances (Table 4). Built from the
// texts of the windows' tables and fields as they stand; cell and field texts are copied
// unchanged, and only the two derived columns of Tables 1 and 4 (square root of the
// concentration, conductivity / concentration) are computed from parsed cell texts.

#include <string>
#include <vector>

#include "core/CellTable.h"

namespace condsim {

// "Table 5. Solution model", written after Table 4 when the results come from the
// ionic-strength model: the lines that describe the model, then the ionic strength and
// the activity coefficient of X- of every calculated point.
struct SolutionModelSection {
    std::vector<std::string> lines;  // written as they are, one per line
    const CellTable& points;         // columns conc, I, gamma(X-); rows 1..row count - 1
};

struct ReportSources {
    std::string dataFileName;     // the observed data file, empty when none was loaded
    const CellTable& observed;    // columns conc, cond_obsd, [X-], cond_calcd
    const CellTable& constants;   // columns beta(r), K(r)
    const CellTable& calculated;  // columns conc, conductivity, AX0..AXn
    std::string beta1;
    std::string cationConductivity;  // the text of MCA
    std::string anionConductivity;   // the text of MCX
    bool fixedRatioModel;            // Model #1: each constant alfa % of the one before
    int alfa;
    int n;
    const SolutionModelSection* solution = nullptr;  // none in the designed calculation
};

// The whole report text, every line ending in CR LF. A derived cell that does not parse
// raises the not-a-number error with its text; a concentration of 0 the division-by-zero
// (or, with a conductivity of 0, the invalid-operation) error; a negative concentration
// the invalid-operation error of its square root.
std::string ResultsReport(const ReportSources& sources);

// The name proposed for the report: the data file name without its last four characters,
// then "_results.txt" ("run.txt" gives "run_results.txt"; a name of four characters or
// fewer gives "_results.txt"). Characters are counted as UTF-8 code points, so that no
// character of the name is cut in half.
std::string DefaultReportName(const std::string& dataFileName);

}  // namespace condsim
