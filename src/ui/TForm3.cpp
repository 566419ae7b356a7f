// The scaling-factor window: the factor table and the two gradient rules.

#include "ui/TForm3.h"

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "ui/FieldNumber.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

const char* const zeroAText =
    "The value of a should not be zero!!!  A zero division error occurs!!!";

// The rules write sf(0..R-1); the table never holds more factor rows than the array.
int factorRows(const CellTable& table) {
    const int rows = table.rowCount() - 1;
    return rows < speciesCapacity ? rows : speciesCapacity;
}

}  // namespace

TForm3::TForm3(ProcessState& state, Platform& platform) : state_(state), platform_(platform) {
    katamuki.setChangeHandler([this] { katamukiChange(); });
    StringGrid2.setSelectionHandler(
        [this](int column, int row) { StringGrid2SelectCell(column, row); });
}

void TForm3::FillFactorTable(int m) {
    const auto& sf = state_.factors.sf;
    StringGrid2.setRowCount(m + 1);
    StringGrid2.setCell(0, 0, "Species");
    StringGrid2.setCell(1, 0, "Scaling Factor");
    for (int i = 0; i < m && i < speciesCapacity; ++i) {
        StringGrid2.setCell(0, i + 1, "AX" + integerText(i) + "^" + integerText(m - i) + "+");
        StringGrid2.setCell(1, i + 1, NumberText(sf[i]));
    }
}

void TForm3::katamukiChange() {
    const int rows = factorRows(StringGrid2);
    for (int r = 1; r <= rows; ++r) {
        const long long gradient = katamuki.value();
        const long long product = static_cast<long long>(r - 1) * gradient;  // exact
        const ext factor = add(1, div(static_cast<ext>(product), 100));
        StringGrid2.setCell(1, r, NumberText(factor));
        state_.factors.sf[r - 1] = factor;
    }
}

void TForm3::Button6Click() {
    const ext a = fieldNumber(a_value.text(), hyperbolicAField());
    if (a == 0) {
        platform_.message(zeroAText);
        return;
    }
    const int rows = factorRows(StringGrid2);
    for (int r = 1; r <= rows; ++r) {
        const ext again = number(a_value.text());
        const ext factor = div(again, add(again, toExt(r - 1)));
        StringGrid2.setCell(1, r, NumberText(factor));
        state_.factors.sf[r - 1] = factor;
    }
}

void TForm3::StringGrid2SelectCell(int column, int row) {
    selectcol.setValue(column);
    selectrow.setValue(row);
    cellvalue.setText(StringGrid2.cell(selectcol.value(), selectrow.value()));
}

void TForm3::AdoptClick() {
    StringGrid2.setCell(selectcol.value(), selectrow.value(), cellvalue.text());
}

}  // namespace condsim
