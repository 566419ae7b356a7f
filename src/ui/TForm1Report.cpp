// File/Save: the results report, written from the texts of the windows' tables and
// fields as they stand. The whole text is built before the file is touched, and it is
// written to a temporary file that replaces the target only when complete: a report that
// fails (a cell that is not a number, a zero concentration) leaves an existing file of
// that name as it was and no partial file behind.

#include "files/NumberText.h"
#include "files/ResultsReport.h"
#include "files/TextFile.h"
#include "model/CalculationRoad.h"
#include "model/ionic/Solvent.h"
#include "ui/DataDirectoryMemory.h"
#include "ui/ExportCommands.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace condsim {

namespace {

// Solvent viscosities are held in Pa s and shown in mPa s.
constexpr ext millipascalSecondsPerPascalSecond = 1000;

// The lines of Table 5 that describe the model: its name, the solvent with its three
// values, the ion size and the coefficients.
std::vector<std::string> solutionModelLines(const SolutionModel& model,
                                            const std::vector<std::string>& notes) {
    const Solvent& solvent = model.solvent;
    const SolventCoefficients c = solventCoefficients(solvent);
    std::vector<std::string> lines{
        "Model: " + solutionModelKindName(model.kind),
        "Solvent: " + solvent.name + "\tT = " + NumberText(solvent.temperature) +
            " K\teps_r = " + NumberText(solvent.permittivity) + "\teta = " +
            NumberText(solvent.viscosity * millipascalSecondsPerPascalSecond) + " mPa s",
        "Ion size a = " + NumberText(model.ionSize) + " Angstrom" +
            (model.bjerrumIonSize ? " (Bjerrum's distance q for the first association step)" : ""),
        "A = " + NumberText(c.A) + "\tB = " + NumberText(c.B) + "\tE = " + NumberText(c.E) +
            "\tR = " + NumberText(c.R),
        "The constants of Tables 2 and 3 are thermodynamic (I = 0) and belong to this a.",
    };
    for (const std::string& note : notes) lines.push_back("Note: " + note);
    return lines;
}

}  // namespace

void TForm1::Save1Click() {
    // Tables 2 and 3 are written from the fields as they stand, Tables 1 and 4 from the
    // last sweep: when the calculation's inputs changed since, it runs again first.
    calculateAgainIfChanged();
    const std::string proposed = DefaultReportName(state_.observed.fileName);
    const auto chosen = platform_.chooseSaveFile(state_.lastDataDirectory, proposed);
    if (!chosen) return;
    rememberDataDirectory(state_, *chosen);

    const ReportSources sources{
        .dataFileName = state_.observed.fileName,
        .observed = StringGrid1,
        .constants = StringGrid2,
        .calculated = form2_->StringGrid1,
        .beta1 = beta1.text(),
        .cationConductivity = MCA.text(),
        .anionConductivity = MCX.text(),
        .fixedRatioModel = CheckBox1.checked(),
        .alfa = SpinEdit2.value(),
        .n = n(),
    };
    // A road with quantities of its own (the ionic-strength model) reports its model and
    // their table.
    if (!ownQuantityColumns(calculationRoad(solutionInUse())).empty()) {
        const SolutionModelSection section{
            solutionModelLines(solutionInUse(), state_.calculation.notes),
            state_.ionicStrengthTable};
        ReportSources withSolution = sources;
        withSolution.solution = &section;
        writeTextFileAtomically(*chosen, ResultsReport(withSolution));
        return;
    }
    writeTextFileAtomically(*chosen, ResultsReport(sources));
}

void TForm1::ExportData1Click() {
    calculateAgainIfChanged();
    exportData(platform_, state_);
}

}  // namespace condsim
