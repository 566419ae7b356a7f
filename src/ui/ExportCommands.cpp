#include "ui/ExportCommands.h"

#include "core/Error.h"
#include "files/TextFile.h"
#include "ui/CalculationData.h"
#include "ui/DataDirectoryMemory.h"

namespace condsim {

std::string proposedExportName(const std::string& dataFileName, const std::string& suffix) {
    const auto slash = dataFileName.find_last_of("/\\");
    std::string stem = slash == std::string::npos ? dataFileName : dataFileName.substr(slash + 1);
    if (const auto dot = stem.find_last_of('.'); dot != std::string::npos && dot > 0)
        stem.erase(dot);
    return stem.empty() ? suffix : stem + "_" + suffix;
}

void exportFigure(Platform& platform, ProcessState& state, const BuiltFigure& built,
                  const std::string& suffix, const FigureWriter& writeFigure) {
    if (!built.figure) {
        platform.message(built.refusal);
        return;
    }
    const auto chosen = platform.chooseSaveFile(
        state.lastDataDirectory, proposedExportName(state.observed.fileName, suffix));
    if (!chosen) return;
    rememberDataDirectory(state, *chosen);
    const std::string failure = writeFigure(*built.figure, *chosen);
    if (!failure.empty()) throw Error("The figure was not written: " + failure);
}

void exportData(Platform& platform, ProcessState& state) {
    const auto csv = calculationCsv(state.calculation);
    if (!csv) {
        platform.message(nothingToExport);
        return;
    }
    const auto chosen = platform.chooseSaveFile(
        state.lastDataDirectory, proposedExportName(state.observed.fileName, "data.csv"));
    if (!chosen) return;
    rememberDataDirectory(state, *chosen);
    writeTextFileAtomically(*chosen, *csv);
}

}  // namespace condsim
