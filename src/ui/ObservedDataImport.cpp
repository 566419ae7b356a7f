#include "ui/ObservedDataImport.h"

#include <filesystem>

#include "core/Error.h"
#include "files/NumberText.h"
#include "files/ObservedData.h"
#include "files/TextFile.h"
#include "model/ionic/Solvent.h"
#include "model/ionic/WaterProperties.h"
#include "ui/DataDirectoryMemory.h"
#include "ui/SessionState.h"
#include "ui/TForm1.h"

namespace condsim {

ObservedDataImport::ObservedDataImport(std::string fileName, std::string content,
                                       int equivalentsPerFormulaUnit)
    : density(NumberText(waterDensityAt25C)),
      fileName_(std::move(fileName)),
      content_(std::move(content)),
      equivalentsPerFormulaUnit_(equivalentsPerFormulaUnit) {
    const TableLayout guess = guessTableLayout(textLines(content_));
    separator = guess.separator;
    skippedLines = guess.skippedLines;
    converted.setCell(0, 0, "conc.(M)");
    converted.setCell(1, 0, "cond_obsd(MC*M)");
    SettingsChange();
}

std::vector<std::string> ObservedDataImport::previewLines() const {
    std::vector<std::string> preview;
    for (const auto line : textLines(content_)) {
        if (static_cast<int>(preview.size()) == previewLineCount) break;
        preview.emplace_back(line);
    }
    return preview;
}

ObservedImportSettings ObservedDataImport::settings() const {
    ObservedImportSettings settings;
    settings.layout = {separator, skippedLines};
    settings.decimalComma = decimalComma;
    settings.concentrationColumn = concentrationColumn;
    settings.conductivityColumn = conductivityColumn;
    settings.units.concentration = concentrationUnit;
    if (concentrationUnit == ConcentrationUnit::MolPerKilogram)
        settings.units.density = number(density.text());
    settings.units.conductivity = conductivityUnit;
    settings.units.equivalentsPerFormulaUnit = equivalentsPerFormulaUnit_;
    return settings;
}

bool ObservedDataImport::decimalCommasInEffect() const {
    ObservedImportSettings layoutOnly;  // not settings(): a density that is no number throws
    layoutOnly.layout = {separator, skippedLines};
    layoutOnly.decimalComma = decimalComma;
    return condsim::decimalCommasInEffect(content_, layoutOnly);
}

std::vector<ObservedPair> ObservedDataImport::pairs() const {
    return convertObservedTable(content_, fileName_, settings(), observedCapacity);
}

void ObservedDataImport::SettingsChange() {
    std::vector<ObservedPair> loaded;
    try {
        loaded = pairs();
        refusal.clear();
    } catch (const Error& error) {
        refusal = error.text();
    }
    converted.setRowCount(static_cast<int>(loaded.size()) + 1);
    for (size_t i = 0; i < loaded.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        converted.setCell(0, row, trimmed(NumberText(loaded[i].concentration)));
        converted.setCell(1, row, trimmed(NumberText(loaded[i].conductivity)));
    }
}

namespace {

// "data.csv" proposes "data_observed.txt" beside it.
std::string proposedDataFileName(const std::string& sourceFileName) {
    std::filesystem::path name(sourceFileName);
    name.replace_extension();
    return name.string() + "_observed.txt";
}

}  // namespace

void importObservedData(TForm1& form, const ObservedDataImportDialog& dialog) {
    ProcessState& state = form.state();
    Platform& platform = form.platform();
    recallDataDirectory(state);
    const auto chosen = platform.chooseOpenFile(state.lastDataDirectory);
    if (!chosen) return;
    rememberDataDirectory(state, *chosen);

    ObservedDataImport import(*chosen, readTextFile(*chosen), form.n());
    // Water at another temperature in the ionic-strength model: molalities become
    // molarities with its density there (water at 25 C keeps the density of the dialog).
    const Solvent& solvent = state.solution.solvent;
    if (state.solution.kind != SolutionModelKind::Ideal && solvent.name == "water" &&
        solvent.temperature != solventPreset("water").temperature) {
        import.density.setText(NumberText(waterProperties(solvent.temperature).density));
        import.SettingsChange();
    }
    if (!dialog(import)) return;
    const std::vector<ObservedPair> pairs = import.pairs();

    std::vector<ext> values;
    values.reserve(2 * pairs.size());
    for (const ObservedPair& pair : pairs) {
        values.push_back(pair.concentration);
        values.push_back(pair.conductivity);
    }
    form.LoadObservedPairs(*chosen, values);
    state.observedImport = sessionImportOf(import);
    form.DrawObservedPlot();

    if (!import.saveAfterLoading) return;
    const auto target =
        platform.chooseSaveFile(state.lastDataDirectory, proposedDataFileName(*chosen));
    if (!target) return;
    rememberDataDirectory(state, *target);
    writeTextFileAtomically(*target, observedDataFileText(pairs));
}

}  // namespace condsim
