// "Conduct Calculations": the concentration sweep. N total concentrations spread evenly
// over the current plot's concentration range are solved with the solver's steps; the
// calculated data exist only as the text rows of the abundance window's table, from which
// the plots and the report read them back. The points are independent: with more than
// one thread they are solved side by side on private copies and handed over in order, so
// that the tables, the fields, "record.txt" and any failure are those of one thread
// solving them one after the other.

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "core/IndexOrderedWork.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"
#include "model/ionic/IonicPoint.h"
#include "ui/CalculationCaption.h"
#include "ui/SolutionModelSummary.h"
#include "ui/SolverSteps.h"
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

// What every point of a sweep reads, copied before the points are shared out among
// threads, so that nothing a thread reads is written while they run.
struct SweepInputs {
    int n;
    SpeciesArray sf;
    std::string MCA;
    std::string MCX;
    SolutionModel solution;
    EquilibriumModel model;  // the constants beta, and what the solver leaves alone
    IonicPoint ionicPoint;
    ext xmin;
    ext span;
    ext divisions;

    SweepInputs(const TForm1& form, int pointCount)
        : n(form.n()),
          sf(form.state().factors.sf),
          MCA(form.MCA.text()),
          MCX(form.MCX.text()),
          solution(form.state().solution),
          model(form.state().model),
          ionicPoint(form.state().ionicPoint),
          xmin(form.state().range.DataXMin),
          span(sub(form.state().range.DataXMax, xmin)),
          divisions(toExt(pointCount + 1)) {}

    SolverReads reads() const { return {n, sf, MCA, MCX, solution}; }
};

// The total concentration of point k: k x (xmax - xmin), divided by N + 1, plus xmin.
ext pointConcentration(int k, ext xmin, ext span, ext divisions) {
    return add(div(mul(toExt(k), span), divisions), xmin);
}

// Row k of the calculated table: C0 as the solver read it, the conductivity text and the
// abundances of AX0..AXn.
std::vector<std::string> calculatedRow(const EquilibriumModel& model,
                                       const std::string& conductivity, int n) {
    std::vector<std::string> row{NumberText(model.C0), conductivity};
    for (int i = 0; i <= n; ++i) row.push_back(NumberText(model.abundance[i]));
    return row;
}

// Row k of the ionic-strength table: C0, I and gamma(X-).
std::vector<std::string> ionicStrengthRow(const EquilibriumModel& model, const IonicPoint& point) {
    return {NumberText(model.C0), NumberText(point.ionicStrength),
            NumberText(point.anionActivityCoefficient)};
}

void writeRow(CellTable& table, int row, const std::vector<std::string>& texts) {
    for (size_t column = 0; column < texts.size(); ++column)
        table.setCell(static_cast<int>(column), row, texts[column]);
}

// One point of the sweep solved on private copies of everything the solver writes.
struct SweepPoint {
    ext C0 = 0;  // as computed, before its text
    std::string c0Text;
    EquilibriumModel model;
    EditField XConc;
    EditField sahen_out;
    EditField uhen_out;
    EditField conductivity;
    CellTable speciesTable{3, 5};
    IonicPoint ionicPoint;
    std::vector<std::string> row;
    std::vector<std::string> ionicRow;
};

SweepPoint solveSweepPoint(const SweepInputs& inputs, int k) {
    SweepPoint point;
    point.model = inputs.model;
    point.ionicPoint = inputs.ionicPoint;
    point.C0 = pointConcentration(k, inputs.xmin, inputs.span, inputs.divisions);
    point.c0Text = NumberText(point.C0);
    SolverSteps(inputs.reads(), {point.model, point.XConc, point.sahen_out, point.uhen_out,
                                 point.conductivity, point.speciesTable, point.ionicPoint})
        .solve(point.c0Text);
    point.row = calculatedRow(point.model, point.conductivity.text(), inputs.n);
    if (!inputs.solution.ideal()) point.ionicRow = ionicStrengthRow(point.model, point.ionicPoint);
    return point;
}

// Hands a point solved on another thread over to the windows, with the writes of the
// one-thread sweep in their order: C0 and c0, the solver's file, then what the solver
// leaves in the model, the hidden fields and the species table, then the rows.
void commitSweepPoint(TForm1& form, SweepPoint& point, int k, CellTable& calculated,
                      CellTable& ionicStrengths) {
    auto& model = form.state().model;
    model.C0 = point.C0;
    form.c0.setText(point.c0Text);
    form.createRecordFileIfMissing();
    model.C0 = point.model.C0;
    model.X = point.model.X;
    model.abundance = point.model.abundance;
    model.conductivity = point.model.conductivity;
    form.XConc.setText(point.XConc.text());
    form.sahen_out.setText(point.sahen_out.text());
    form.uhen_out.setText(point.uhen_out.text());
    const CellTable& species = point.speciesTable;
    form.StringGrid3.setRowCount(species.rowCount());
    for (int row = 0; row < species.rowCount(); ++row) {
        for (int column = 0; column < species.columnCount(); ++column) {
            form.StringGrid3.setCell(column, row, species.cell(column, row));
        }
    }
    if (!form.state().solution.ideal()) form.state().ionicPoint = std::move(point.ionicPoint);
    form.conductivity.setText(point.conductivity.text());
    writeRow(calculated, k, point.row);
    if (!point.ionicRow.empty()) writeRow(ionicStrengths, k, point.ionicRow);
}

// The point the solver solved last, at full precision, for the calculation record.
CalculatedPoint lastSolvedPoint(const TForm1& form) {
    const EquilibriumModel& model = form.state().model;
    const auto species = model.abundance.begin() + form.n() + 1;
    return {model.C0,
            model.conductivity,
            model.X,
            {model.abundance.begin(), species},
            solutionValuesOfLastSolve(form)};
}

struct SolvedPoint {
    ext freeAnion;
    ext conductivity;
};

// [X-] and the conductivity at C0 with the solver's own search and conductivity
// arithmetic, on local values only: the model, the hidden fields, the species table and
// "record.txt" are left as they are.
SolvedPoint solveAt(const SweepInputs& inputs, ext C0) {
    const SolverReads reads = inputs.reads();
    if (!reads.solution.ideal()) {
        const IonicPoint point =
            solveIonicPoint(reads.solution, ionicPointInput(reads, inputs.model.beta), C0);
        return {point.X, point.conductivity};
    }
    const int n = reads.n;
    const SpeciesArray& beta = inputs.model.beta;
    ext X = freeAnionStart(n, C0);
    searchFreeAnion(n, beta, C0, X);
    const ext anionPart = mul(number(reads.MCX), X);
    const ext denominator = speciesDenominator(n, beta, X);
    const ext charged = chargeWeightedSum(n, beta, reads.sf, X);
    const ext cationPerCharge = number(reads.MCA);
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
std::vector<ObservedComparison> completeObservedTable(TForm1& form, const SweepInputs& inputs) {
    CellTable& table = form.StringGrid1;
    std::vector<std::optional<ext>> concentrations;
    for (int row = 1; row <= table.rowCount() - 1; ++row) {
        concentrations.push_back(solvableConcentration(table.cell(concentrationColumn, row)));
    }
    std::vector<ObservedComparison> solved;
    using Solved = std::optional<SolvedPoint>;
    const auto solve = [&](int index) -> Solved {
        const auto& C0 = concentrations[static_cast<size_t>(index)];
        return C0 ? Solved(solveAt(inputs, *C0)) : std::nullopt;
    };
    const auto write = [&](int index, const Solved& point) {
        const int row = index + 1;
        table.setCell(observedFreeAnionColumn, row,
                      point ? NumberText(point->freeAnion) : std::string());
        table.setCell(observedCalculatedColumn, row,
                      point ? NumberText(point->conductivity) : std::string());
        // A row without a measured value has nothing to compare.
        if (const auto measured = numberOrNothing(table.cell(conductivityColumn, row));
            point && measured) {
            solved.push_back({*concentrations[static_cast<size_t>(index)], *measured,
                              point->conductivity, point->freeAnion});
        }
    };
    runInIndexOrder<Solved>(static_cast<int>(concentrations.size()), form.state().threads, solve,
                            write, [&](int index) { write(index, solve(index)); });
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

void TForm1::sweepPoint(int k, ext xmin, ext span, ext divisions) {
    auto& model = state_.model;
    model.C0 = pointConcentration(k, xmin, span, divisions);
    c0.setText(NumberText(model.C0));
    RefineXClick();
    const int speciesCount = n();
    writeRow(form2_->StringGrid1, k, calculatedRow(model, conductivity.text(), speciesCount));
    if (!state_.solution.ideal())
        writeRow(state_.ionicStrengthTable, k, ionicStrengthRow(model, state_.ionicPoint));
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
    for (int i = 0; i <= n(); ++i)
        calculated.setCell(firstSpeciesColumn + i, 0, "AX" + integerText(i));
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

    const SweepInputs inputs(*this, pointCount);
    const auto solve = [&](int index) { return solveSweepPoint(inputs, index + 1); };
    const auto commit = [&](int index, SweepPoint&& point) {
        commitSweepPoint(*this, point, index + 1, calculated, ionicStrengths);
        record.points.push_back(lastSolvedPoint(*this));
    };
    const auto solveHere = [&](int index) {
        sweepPoint(index + 1, inputs.xmin, inputs.span, inputs.divisions);
        record.points.push_back(lastSolvedPoint(*this));
    };
    runInIndexOrder<SweepPoint>(pointCount, state_.threads, solve, commit, solveHere);

    record.observed = completeObservedTable(*this, inputs);
    state_.calculation = std::move(record);
    RedrawAfterSweep();

    form2_->Edit1.setText(Edit1.text());
    form2_->Edit2.setText(Edit2.text());
    form2_->Edit3.setText("0");
    form2_->SpinEdit1.setValue(fullAbundance);
    form2_->drawdistributionClick();
}

}  // namespace condsim
