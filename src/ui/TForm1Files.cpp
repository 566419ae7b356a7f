// File/Open of observed data and the stepwise-constant import.
//
// Both loaders read the whole file into a temporary first and change the data, the
// tables and the fields only when it was read to its end and passed its checks: a file
// that fails or is refused anywhere leaves everything as it was.

#include <vector>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NumberText.h"
#include "files/ObservedDataFile.h"
#include "files/StepwiseConstantsFile.h"
#include "ui/DataDirectoryMemory.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

static_assert(stepwiseConstantCapacity == speciesCapacity - 1, "the file fills K(1..100)");

const char* const importNoticeText =
    "The file should consist of the stepwise formation constants only! OK??";

// The new data in columns 0 and 1. Columns 2 and 3 held what the last calculation gave
// for the previous data: they are emptied in every row, so that neither the window nor a
// report pairs those results with this file's data.
void writeObservedTable(CellTable& table, const ObservedData& observed) {
    table.setRowCount(observed.count + 1);
    table.setCell(0, 0, "conc.(M)");
    table.setCell(1, 0, "cond_obsd(MC*M)");
    table.setCell(2, 0, "[X-] (M)");
    table.setCell(3, 0, "cond_calcd (MC*M)");
    for (int r = 1; r <= observed.count; ++r) {
        table.setCell(0, r, trimmed(NumberText(observed.conc[r])));
        table.setCell(1, r, trimmed(NumberText(observed.cond[r])));
    }
    for (int r = 1; r <= observedCapacity; ++r) {
        if (!table.cell(2, r).empty()) table.setCell(2, r, {});
        if (!table.cell(3, r).empty()) table.setCell(3, r, {});
    }
}

// The cumulative constants of the import must all be finite before anything changes, so
// that an overflowing product refuses the file instead of leaving half of it applied.
void checkCumulativeConstants(const std::vector<ext>& stepwise) {
    ext product = 1;
    for (const ext K : stepwise) product = mul(product, K);
}

}  // namespace

void TForm1::LoadObservedPairs(const std::string& fileName, const std::vector<ext>& values) {
    const int count = static_cast<int>(values.size() / 2);
    if (count > observedCapacity)
        throw Error(tooManyObservedPairsText);  // the arrays end at entry 100
    auto& observed = state_.observed;
    observed.fileName = fileName;
    state_.observedImport.reset();
    observed.count = count;
    for (int i = 1; i <= count; ++i) {
        observed.conc[i] = values[2 * static_cast<size_t>(i) - 2];
        observed.cond[i] = values[2 * static_cast<size_t>(i) - 1];
    }
    writeObservedTable(StringGrid1, observed);
    for (int row = 1; row < StringGrid3.rowCount(); ++row)
        for (int column = 0; column < StringGrid3.columnCount(); ++column)
            StringGrid3.setCell(column, row, "");
    StringGrid3.setRowCount(speciesTableDesignRows);
}

void TForm1::Open1Click() {
    recallDataDirectory(state_);
    if (const auto chosen = platform_.chooseOpenFile(state_.lastDataDirectory)) {
        rememberDataDirectory(state_, *chosen);
        const NumberRecords records = ReadObservedDataFile(*chosen);
        LoadObservedPairs(*chosen, records.values);
    }
    // Also after a cancelled dialog: the plot is drawn again from the data in memory.
    DrawObservedPlot();
}

void TForm1::Button4Click() {
    platform_.message(importNoticeText);
    const auto chosen = platform_.chooseOpenFile(state_.lastDataDirectory);
    if (!chosen) return;
    rememberDataDirectory(state_, *chosen);
    const NumberRecords records = ReadStepwiseConstantsFile(*chosen);
    checkCumulativeConstants(records.values);

    state_.stepwiseFileName = *chosen;
    state_.stepwiseCount = records.count();
    SetStepwiseConstants(records.values);
}

}  // namespace condsim
