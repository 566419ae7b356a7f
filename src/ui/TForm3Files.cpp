// File/Open of the scaling-factor window: a factor file, one factor per line, the first
// for AX0. The whole file is read before anything changes.

#include "files/NumberRecords.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"

namespace condsim {

namespace {

const char* const tooManyFactorsText =
    "The file holds more than 101 scaling factors; condsim reads at most 101.";
const char* const countMismatchText =
    "The number of components do not match with that defined with AXn in Page 1. Check and "
    "correct!!!";

}  // namespace

void TForm3::Open1Click() {
    // This dialog starts in the last data directory but does not move it.
    const auto chosen = platform_.chooseOpenFile(state_.lastDataDirectory);
    if (!chosen) return;
    const NumberRecords records =
        ReadNumberRecords(*chosen, 1, speciesCapacity, tooManyFactorsText);

    const int k = records.count();
    for (int i = 0; i < k; ++i) state_.factors.sf[static_cast<size_t>(i)] = records.value(i, 0);
    state_.factorCount = k;
    if (k != form1_->n()) platform_.message(countMismatchText);
    // The labels count the charges from k, the number of factors in the file.
    FillFactorTable(k);
}

}  // namespace condsim
