// File/Save: the results report, written from the texts of the windows' tables and
// fields as they stand. The whole text is built before the file is touched, and it is
// written to a temporary file that replaces the target only when complete: a report that
// fails (a cell that is not a number, a zero concentration) leaves an existing file of
// that name as it was and no partial file behind.

#include "files/DataDirectory.h"
#include "files/ResultsReport.h"
#include "files/TextFile.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace condsim {

void TForm1::Save1Click() {
    const std::string proposed = DefaultReportName(state_.observed.fileName);
    const auto chosen = platform_.chooseSaveFile(state_.lastDataDirectory, proposed);
    if (!chosen) return;
    StoreLastDataDirectory(state_.startupDirectory, *chosen, state_.lastDataDirectory);

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
    writeTextFileAtomically(*chosen, ResultsReport(sources));
}

}  // namespace condsim
