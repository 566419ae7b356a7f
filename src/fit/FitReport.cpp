#include "fit/FitReport.h"

#include <cmath>

#include "files/NumberText.h"
#include "fit/FitResultTable.h"

namespace condsim {

std::string fitFailureMessage(const FitResult& result) {
    switch (result.status) {
        case FitStatus::Refused:
            return "The fit cannot run: " + result.reason;
        case FitStatus::NotConverged:
            return "The fit did not converge: " + result.reason;
        case FitStatus::Converged:
            return {};
    }
    return {};
}

namespace {

// The cells joined by tabs, without the empty cells at the end of the row.
std::string tabbedLine(const std::vector<std::string>& cells) {
    size_t count = cells.size();
    while (count > 1 && cells[count - 1].empty()) --count;
    std::string line;
    for (size_t c = 0; c < count; ++c) line += (c == 0 ? "" : "\t") + cells[c];
    return line + "\n";
}

}  // namespace

std::string fitResultTable(const FitResult& result) {
    const FitResultTable table = fitResultTableOf(result);
    std::string text = table.title + "\n";
    text += "residuals\t" + fitWeightingDescription(result.weighting) + "\n";
    text += tabbedLine(table.valueHeaders);
    for (const auto& row : table.values) text += tabbedLine(row);
    for (const std::string& note : table.notes) text += note + "\n";
    text += "correlation";
    for (const std::string& name : table.names) text += "\t" + name;
    text += "\n";
    for (size_t i = 0; i < table.names.size(); ++i) {
        text += table.names[i];
        for (const std::string& cell : table.correlation[i]) text += "\t" + cell;
        text += "\n";
    }
    text += "RMS residual\t" + table.rmsResidual + "\n";
    if (!table.solutionModel.empty()) {
        text += "solution model\t" + table.solutionModel +
                "\tconstants thermodynamic (I = 0) for this a\n";
    }
    return text;
}

std::string anionCountTable(const AnionCountComparison& comparison) {
    std::string text = "n\tRMS residual (" + fitWeightingName(comparison.weighting) + ")\tAIC\n";
    for (const AnionCountFit& row : comparison.rows) {
        text += integerText(row.n);
        if (row.fit.converged()) {
            text += "\t" + NumberText(row.fit.rmsResidual) + "\t" + NumberText(row.aic);
            if (row.n == comparison.bestN) text += "\tbest";
        } else {
            text += "\t\t\t" + fitFailureMessage(row.fit);
        }
        text += "\n";
    }
    return text;
}

}  // namespace condsim
