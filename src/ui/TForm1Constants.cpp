// The formation constants of the main window: Initialize, the list of stepwise
// constants, and the editing of one cell of the constants table.

#include <algorithm>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"
#include "model/CumulativeConstants.h"
#include "ui/FieldNumber.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

constexpr int nMinimum = 2;
constexpr int nMaximum = 30;

void writeConstantsHeaders(CellTable& table) {
    table.setCell(0, 0, "beta(n) (M)");
    table.setCell(1, 0, "K(n) (M)");
}

[[noreturn]] void refuseNegativeConstant(int index, ext value, const std::string& place) {
    throw Error(negativeValueText("K" + integerText(index), value, place, stepwiseConstantRule));
}

// K(r) = beta(r) / beta(r - 1) is negative when the two have opposite signs (a zero
// divisor is left to the division, which raises its own error).
bool quotientIsNegative(ext numerator, ext denominator) {
    return (numerator < 0 && denominator > 0) || (numerator > 0 && denominator < 0);
}

}  // namespace

int TForm1::n() const { return std::clamp(SpinEdit1.value(), nMinimum, nMaximum); }

void TForm1::writeConstantsRow(int r) {
    const auto& model = state_.model;
    StringGrid2.setCell(0, r, NumberText(model.beta[r]));
    StringGrid2.setCell(1, r, NumberText(model.K[r]));
}

void TForm1::writeConstantsTable(int rows) {
    for (int r = 1; r <= rows; ++r) writeConstantsRow(r);
}

void TForm1::InitializeClick() { initialize(true); }

void TForm1::spinFieldChange(const SpinField& field) { initialize(!field.typing()); }

void TForm1::spinFieldCommitted() {
    if (!cautionWaiting_) return;
    cautionWaiting_ = false;
    platform_.message(cautionText);
}

void TForm1::rewriteConstantsTable(const std::function<void()>& rewrite) {
    const int column = selectcol.value();
    const int row = selectrow.value();
    const bool showsSelectedCell = row >= 1 && cellvalue.text() == StringGrid2.cell(column, row);
    rewrite();
    if (showsSelectedCell && row < StringGrid2.rowCount())
        cellvalue.setText(StringGrid2.cell(column, row));
}

void TForm1::initialize(bool cautionNow, const std::string& why) {
    auto& model = state_.model;
    // As in Adopt: a negative K1 changes nothing, a text that is not a number fails below.
    if (const auto typed = numberOrNothing(beta1.text()); typed && *typed < 0) {
        refuseNegativeConstant(1, *typed, "in the field Beta(1)");
    }
    const int speciesCount = n();
    StringGrid2.setRowCount(speciesCount + 1);
    writeConstantsHeaders(StringGrid2);

    model.K[1] = fieldNumber(beta1.text(), beta1Field());

    if (CheckBox1.checked()) {
        generateByModel1(speciesCount, toExt(SpinEdit2.value()), model.K);
        cautionWaiting_ = false;
    } else if (cautionNow) {
        cautionWaiting_ = false;
        platform_.message(why.empty() ? std::string(cautionText) : cautionText + ("\n" + why));
    } else {
        cautionWaiting_ = true;
    }
    formCumulativeConstants(speciesCount, model.K, model.beta);
    rewriteConstantsTable([&] { writeConstantsTable(speciesCount); });
    state_.constantsSet = true;
}

void TForm1::InitializeIfNeverSet() {
    if (!state_.constantsSet) InitializeClick();
}

void TForm1::SetStepwiseConstants(const std::vector<ext>& values) {
    auto& model = state_.model;
    const int m = static_cast<int>(std::min<size_t>(values.size(), speciesCapacity - 1));
    for (int i = 1; i <= m; ++i) model.K[i] = values[static_cast<size_t>(i - 1)];
    SpinEdit1.setValue(m);
    StringGrid2.setRowCount(m + 1);
    writeConstantsHeaders(StringGrid2);
    rewriteConstantsTable([&] {
        formCumulativeConstants(m, model.K, model.beta, [&](int r) { writeConstantsRow(r); });
    });
    CheckBox1.setChecked(false);
    state_.constantsSet = true;
}

void TForm1::SetConstantsTable(const std::vector<std::array<std::string, 2>>& texts,
                               const std::vector<ext>& beta, const std::vector<ext>& K) {
    auto& model = state_.model;
    model.K.fill(0);
    model.beta.fill(0);
    const int rows = static_cast<int>(std::min<size_t>(texts.size(), speciesCapacity - 1));
    rewriteConstantsTable([&] {
        StringGrid2.setRowCount(rows + 1);
        writeConstantsHeaders(StringGrid2);
        for (int r = 1; r <= rows; ++r) {
            const auto i = static_cast<size_t>(r - 1);
            model.beta[r] = beta[i];
            model.K[r] = K[i];
            StringGrid2.setCell(0, r, texts[i][0]);
            StringGrid2.setCell(1, r, texts[i][1]);
        }
    });
}

void TForm1::StringGrid2SelectCell(int column, int row) {
    selectcol.setValue(column);
    selectrow.setValue(row);
    cellvalue.setText(StringGrid2.cell(selectcol.value(), selectrow.value()));
}

// A negative constant is refused before anything changes; a text that is not a number
// fails later, where its parse has always failed.
void TForm1::refuseNegativeAdoption(int column, int row, int rows) const {
    const auto adopted = numberOrNothing(cellvalue.text());
    if (!adopted || row < 1) return;
    const std::string place = "in the constants table";
    const auto& beta = state_.model.beta;
    if (column == 1) {
        if (*adopted < 0) refuseNegativeConstant(row, *adopted, place);
        return;
    }
    // A beta cell changes K of its own row and of the row below.
    const std::string from =
        "from beta" + integerText(row) + " = " + NumberText(*adopted) + " " + place;
    if (row == 1 && *adopted < 0) refuseNegativeConstant(1, *adopted, place);
    if (row >= 2 && row <= rows && quotientIsNegative(*adopted, beta[row - 1])) {
        refuseNegativeConstant(row, div(*adopted, beta[row - 1]), from);
    }
    if (row + 1 <= rows && quotientIsNegative(beta[row + 1], *adopted)) {
        refuseNegativeConstant(row + 1, div(beta[row + 1], *adopted), from);
    }
}

void TForm1::AdoptClick() {
    auto& model = state_.model;
    const int column = selectcol.value();
    const int row = selectrow.value();
    // The table never has more rows than the arrays hold.
    const int rows = std::min(StringGrid2.rowCount() - 1, speciesCapacity - 1);
    if (row < speciesCapacity) refuseNegativeAdoption(column, row, rows);
    StringGrid2.setCell(column, row, cellvalue.text());
    if (row < 0 || row >= speciesCapacity) return;  // only cells of the table's rows hold constants

    if (column == 1) {
        model.K[row] = number(StringGrid2.cell(column, row));
        formCumulativeConstants(rows, model.K, model.beta, [&](int r) { writeConstantsRow(r); });
    } else {
        model.beta[row] = number(StringGrid2.cell(column, row));
        for (int r = 1; r <= rows; ++r) {
            StringGrid2.setCell(0, r, NumberText(model.beta[r]));
            model.K[r] = r == 1 ? model.beta[1] : div(model.beta[r], model.beta[r - 1]);
            StringGrid2.setCell(1, r, NumberText(model.K[r]));
        }
    }
    CheckBox1.setChecked(false);
    state_.constantsSet = true;
}

}  // namespace condsim
