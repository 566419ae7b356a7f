// "Conduct Calculations": the concentration sweep. N total concentrations spread evenly
// over the current plot's concentration range are solved one after the other with the
// solver command; the calculated data exist only as the text rows of the abundance
// window's table, from which the plots and the report read them back.

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"
#include "model/FreeAnionSearch.h"
#include "model/IonicPoint.h"
#include "model/MassBalance.h"
#include "model/SolutionConductivity.h"
#include "ui/CalculationCaption.h"
#include "ui/SolutionModelSummary.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace condsim {

namespace {

// Columns of the calculated table, and of the observed table that the sweep completes.
constexpr int concentrationColumn = 0;
constexpr int conductivityColumn = 1;
constexpr int firstSpeciesColumn = 2;
constexpr int observedFreeAnionColumn = 2;
constexpr int observedCalculatedColumn = 3;

// The distribution plot's y axis after a sweep: 0 to 100 percent.
constexpr int fullAbundance = 100;

struct SolvedPoint {
    ext freeAnion;
    ext conductivity;
};

// [X-] and the conductivity at C0 with the solver's own search and conductivity
// arithmetic, on local values only: the model, the hidden fields, the species table and
// "record.txt" are left as they are.
SolvedPoint solveAt(const TForm1& form, ext C0) {
    const ProcessState& state = form.state();
    if (!state.solution.ideal()) {
        const IonicPoint point = solveIonicPoint(state.solution, form.ionicPointInput(), C0);
        return {point.X, point.conductivity};
    }
    const int n = form.n();
    const SpeciesArray& beta = state.model.beta;
    ext X = freeAnionStart(n, C0);
    searchFreeAnion(n, beta, C0, X);
    const ext anionPart = mul(number(form.MCX.text()), X);
    const ext denominator = speciesDenominator(n, beta, X);
    const ext charged = chargeWeightedSum(n, beta, state.factors.sf, X);
    const ext cationPerCharge = number(form.MCA.text());
    return {X, solutionConductivity(cationPerCharge, C0, charged, denominator, anionPart)};
}

// The concentration of an observed row when it is a positive number. Rows without one
// (the empty rows of a new table, a text that is not a number, the (0, 0) pair of a
// trailing empty line) have no equilibrium to solve.
std::optional<ext> solvableConcentration(const std::string& text) {
    const auto value = numberOrNothing(text);
    if (!value || !(*value > 0)) return std::nullopt;
    return value;
}

// A negative limiting conductivity gives negative conductivities: refused before anything
// changes. A text that is not a number fails in the first solve, as it always has.
void refuseNegativeConductivities(const TForm1& form) {
    for (const auto& [name, field] : {std::pair{"MCA", &form.MCA}, std::pair{"MCX", &form.MCX}}) {
        if (const auto value = numberOrNothing(field->text()); value && *value < 0) {
            throw Error(negativeValueText(name, *value, {}, limitingConductivityRule));
        }
    }
}

// Columns "[X-] (M)" and "cond_calcd (MC*M)" of every observed row: the values solved at
// the row's own concentration, or empty cells where there is nothing to solve, so that no
// value of an earlier calculation is left standing beside the new ones. Returns the solved
// rows at full precision.
std::vector<ObservedComparison> completeObservedTable(TForm1& form) {
    CellTable& table = form.StringGrid1;
    std::vector<ObservedComparison> solved;
    for (int row = 1; row <= table.rowCount() - 1; ++row) {
        const auto C0 = solvableConcentration(table.cell(concentrationColumn, row));
        if (!C0) {
            table.setCell(observedFreeAnionColumn, row, {});
            table.setCell(observedCalculatedColumn, row, {});
            continue;
        }
        const SolvedPoint point = solveAt(form, *C0);
        table.setCell(observedFreeAnionColumn, row, NumberText(point.freeAnion));
        table.setCell(observedCalculatedColumn, row, NumberText(point.conductivity));
        // A row without a measured value has nothing to compare.
        if (const auto measured = numberOrNothing(table.cell(conductivityColumn, row))) {
            solved.push_back({*C0, *measured, point.conductivity, point.freeAnion});
        }
    }
    return solved;
}

// The ionic strength and the activity coefficient of X- of each point, beside the
// calculated table, in the ionic-strength model; no rows in the designed calculation.
void startIonicStrengthTable(CellTable& table, int rows) {
    table.setRowCount(rows);
    table.setCell(0, 0, "conc.(M)");
    table.setCell(1, 0, "I (M)");
    table.setCell(2, 0, "gamma(X-)");
}

}  // namespace

void TForm1::Button3Click() {
    refuseNegativeConductivities(*this);
    try {
        sweep();
    } catch (const Error& error) {
        // Without observed data the range has no concentrations (0 to 0 after start-up):
        // the error alone would not tell the user what is missing.
        if (state_.observed.count == 0) throw error.withDetail(noObservedDataHint);
        throw;
    }
}

void TForm1::sweep() {
    const bool ionic = !state_.solution.ideal();
    // Refused before anything changes.
    if (ionic) refuseNonPositiveMobilities();
    // Bounded to the field's range like n: a text typed beyond it (the field kept the
    // focus) must not make billions of rows or overflow the count.
    const int pointCount = std::clamp(SpinEdit3.value(), SpinEdit3.minimum(), SpinEdit3.maximum());
    CellTable& calculated = form2_->StringGrid1;
    calculated.setRowCount(pointCount + 1);
    calculated.setColumnCount(n() + 3);
    calculated.setCell(concentrationColumn, 0, "conc.(M)");
    calculated.setCell(conductivityColumn, 0, "conduct.(MC*C)");
    for (int i = 0; i <= n(); ++i) calculated.setCell(firstSpeciesColumn + i, 0, "AX" + integerText(i));
    CellTable& ionicStrengths = state_.ionicStrengthTable;
    startIonicStrengthTable(ionicStrengths, ionic ? pointCount + 1 : 1);

    // The full-precision record is made beside the table and kept only when the sweep
    // completes, so that no figure or export shows half of a failed calculation.
    state_.calculation = {};
    CalculationRecord record;
    record.n = n();
    record.parameters = calculationCaption(*this);
    const SolutionModelSummary solutionModel = solutionModelSummary(*this);
    record.solutionModel = solutionModel.name;
    record.solutionColumns = solutionModel.columns;

    const ext xmin = state_.range.DataXMin;
    const ext xmax = state_.range.DataXMax;
    const ext span = sub(xmax, xmin);
    const ext divisions = toExt(pointCount + 1);
    auto& model = state_.model;
    for (int k = 1; k <= pointCount; ++k) {
        model.C0 = add(div(mul(toExt(k), span), divisions), xmin);
        c0.setText(NumberText(model.C0));
        RefineXClick();
        calculated.setCell(concentrationColumn, k, NumberText(model.C0));
        calculated.setCell(conductivityColumn, k, conductivity.text());
        const int speciesCount = n();
        for (int i = 0; i <= speciesCount; ++i) {
            calculated.setCell(firstSpeciesColumn + i, k, NumberText(model.abundance[i]));
        }
        record.points.push_back({model.C0, model.conductivity, model.X,
                                 {model.abundance.begin(), model.abundance.begin() + speciesCount + 1},
                                 solutionValuesOfLastSolve(*this)});
        if (ionic) {
            ionicStrengths.setCell(0, k, NumberText(model.C0));
            ionicStrengths.setCell(1, k, NumberText(state_.ionicPoint.ionicStrength));
            ionicStrengths.setCell(2, k, NumberText(state_.ionicPoint.anionActivityCoefficient));
        }
    }

    record.observed = completeObservedTable(*this);
    state_.calculation = std::move(record);
    RedrawAfterSweep();

    form2_->Edit1.setText(Edit1.text());
    form2_->Edit2.setText(Edit2.text());
    form2_->Edit3.setText("0");
    form2_->SpinEdit1.setValue(fullAbundance);
    form2_->drawdistributionClick();
}

}  // namespace condsim
