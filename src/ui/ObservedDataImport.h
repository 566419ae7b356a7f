#pragma once
// File/Import Observed Data... of the main window without its widgets: the chosen file
// with its first lines, the layout and the units the user picks (the layout starts as
// guessed), and the converted pairs as they will be loaded, or why they cannot be. The
// handler importObservedData runs the whole import; OK loads the pairs through the same
// road as File/Open, so the tables, the drawing and the state come out as File/Open of
// the same pairs would leave them.

#include <functional>
#include <string>
#include <vector>

#include "core/CellTable.h"
#include "files/ObservedTableConversion.h"
#include "ui/EditField.h"

namespace condsim {

class TForm1;

class ObservedDataImport {
  public:
    static constexpr int previewLineCount = 20;

    // Over the content of a file; guesses separator and skipped lines. The equivalents per
    // formula unit are the n of the current system, for equivalent conductance.
    ObservedDataImport(std::string fileName, std::string content, int equivalentsPerFormulaUnit);

    const std::string& fileName() const { return fileName_; }
    int equivalentsPerFormulaUnit() const { return equivalentsPerFormulaUnit_; }
    // The first lines of the file as they stand, up to previewLineCount.
    std::vector<std::string> previewLines() const;

    // --- What the user chooses ----------------------------------------------------------
    ColumnSeparator separator = ColumnSeparator::Whitespace;
    int skippedLines = 0;
    DecimalComma decimalComma = DecimalComma::Automatic;
    int concentrationColumn = 1;
    int conductivityColumn = 2;
    ConcentrationUnit concentrationUnit = ConcentrationUnit::MolPerLitre;
    EditField density;  // kg/L, read as a field is read; starts at water at 25 C
    ConductivityUnit conductivityUnit = ConductivityUnit::MolarConductivity;
    bool saveAfterLoading = true;  // offer to save the pairs as an observed-data file

    // --- What the choices give ----------------------------------------------------------
    // The pairs as they will be loaded, under the headers of the observed-data table, and
    // the reason when there are none to load (empty when the import can go ahead).
    // SettingsChange brings both up to date; it never raises an error.
    CellTable converted{2, 1};
    std::string refusal;
    void SettingsChange();

    // Whether numbers are read with decimal commas under the current choices: as chosen,
    // or when automatic as guessed from the data lines.
    bool decimalCommasInEffect() const;

    // The converted pairs; raises the refusal as an error.
    std::vector<ObservedPair> pairs() const;

  private:
    ObservedImportSettings settings() const;

    std::string fileName_;
    std::string content_;
    int equivalentsPerFormulaUnit_;
};

// Shows the import to the user, who changes its choices; true for OK, false for Cancel.
using ObservedDataImportDialog = std::function<bool(ObservedDataImport& import)>;

// File/Import Observed Data...: the open dialog (started, and remembered, like File/Open's),
// the file read whole, the import dialog; on OK the pairs load as File/Open loads its
// pairs and the observed data are drawn; then, when the user left saveAfterLoading on,
// the save dialog offers to write them as an observed-data file that File/Open reads.
// Cancelling the open dialog or the import loads nothing (the folder of a chosen file is
// remembered, as File/Open remembers it); cancelling the save dialog writes nothing. A
// refused import raises its error before the data, tables or picture changed.
void importObservedData(TForm1& form, const ObservedDataImportDialog& dialog);

}  // namespace condsim
