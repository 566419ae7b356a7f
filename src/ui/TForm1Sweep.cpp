// "Conduct Calculations": the concentration sweep. N total concentrations spread evenly
// over the current plot's concentration range are solved with the solver's steps; the
// calculated data exist only as the text rows of the abundance window's table, from which
// the plots and the report read them back. The points are independent: each is solved on
// private copies of what the solver writes (side by side when there are several threads)
// and handed over in order, so that the tables, the fields, "record.txt" and any failure
// are those of one thread solving them one after the other, whatever the thread count.

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "core/IndexOrderedWork.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"
#include "model/CalculationRoad.h"
#include "model/ionic/ActivityLawRange.h"
#include "ui/CalculationCaption.h"
#include "ui/CalculationInputs.h"
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
    CalculationRoad road;
    EquilibriumModel model;  // the constants beta, and what the solver leaves alone
    ext xmin;
    ext span;
    ext divisions;

    SweepInputs(const TForm1& form, int pointCount)
        : n(form.n()),
          sf(form.state().factors.sf),
          MCA(form.MCA.text()),
          MCX(form.MCX.text()),
          road(calculationRoad(form.solutionInUse())),
          model(form.state().model),
          xmin(form.state().range.DataXMin),
          span(sub(form.state().range.DataXMax, xmin)),
          divisions(toExt(pointCount + 1)) {}

    SolverReads reads() const { return {n, sf, MCA, MCX, road}; }
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

// Row k of the table of the road's own quantities: C0, then each quantity (on the
// ionic-strength road I and gamma(X-)); none on the designed road.
std::vector<std::string> ownQuantitiesRow(const EquilibriumModel& model,
                                          const std::vector<ext>& ownValues) {
    if (ownValues.empty()) return {};
    std::vector<std::string> row{NumberText(model.C0)};
    for (const ext value : ownValues) row.push_back(NumberText(value));
    return row;
}

void writeRow(CellTable& table, int row, const std::vector<std::string>& texts) {
    for (size_t column = 0; column < texts.size(); ++column)
        table.setCell(static_cast<int>(column), row, texts[column]);
}

// One point of the sweep solved on private copies of everything the solver writes; of the
// model only what the solver changes in it, so that the points waiting for their hand-over
// stay small.
struct SweepPoint {
    ext C0 = 0;  // as computed, before its text
    std::string c0Text;
    ext solvedC0 = 0;  // C0 as the solver read it from c0Text
    ext X = 0;
    std::vector<ext> abundance;  // AX0..AXn
    ext conductivityValue = 0;
    EditField XConc;
    EditField sahen_out;
    EditField uhen_out;
    EditField conductivity;
    CellTable speciesTable{3, 5};
    std::vector<ext> ownValues;
    PointResult result;  // the road's, with its roots of I and its notes
    std::vector<std::string> row;
    std::vector<std::string> ownRow;
};

SweepPoint solveSweepPoint(const SweepInputs& inputs, int k) {
    SweepPoint point;
    EquilibriumModel model = inputs.model;
    point.C0 = pointConcentration(k, inputs.xmin, inputs.span, inputs.divisions);
    point.c0Text = NumberText(point.C0);
    SolverSteps(inputs.reads(),
                {model, point.XConc, point.sahen_out, point.uhen_out, point.conductivity,
                 point.speciesTable, point.ownValues, &point.result})
        .solve(point.c0Text);
    point.solvedC0 = model.C0;
    point.X = model.X;
    point.abundance.assign(model.abundance.begin(), model.abundance.begin() + inputs.n + 1);
    point.conductivityValue = model.conductivity;
    point.row = calculatedRow(model, point.conductivity.text(), inputs.n);
    point.ownRow = ownQuantitiesRow(model, point.ownValues);
    return point;
}

// Hands a solved point over to the windows, with the writes of a solve on the windows' own
// carriers in their order: C0 and c0, the solver's file, then what the solver
// leaves in the model, the hidden fields and the species table, then the rows.
void commitSweepPoint(TForm1& form, SweepPoint& point, int k, CellTable& calculated,
                      CellTable& ownQuantities) {
    auto& model = form.state().model;
    model.C0 = point.C0;
    form.c0.setText(point.c0Text);
    form.createRecordFileIfMissing();
    model.C0 = point.solvedC0;
    model.X = point.X;
    std::copy(point.abundance.begin(), point.abundance.end(), model.abundance.begin());
    model.conductivity = point.conductivityValue;
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
    form.state().ownValues = std::move(point.ownValues);
    form.conductivity.setText(point.conductivity.text());
    writeRow(calculated, k, point.row);
    if (!point.ownRow.empty()) writeRow(ownQuantities, k, point.ownRow);
}

// The point the solver solved last, at full precision, for the calculation record.
CalculatedPoint lastSolvedPoint(const TForm1& form) {
    const EquilibriumModel& model = form.state().model;
    const auto species = model.abundance.begin() + form.n() + 1;
    return {model.C0,
            model.conductivity,
            model.X,
            {model.abundance.begin(), species},
            form.state().ownValues,
            {}};
}

struct SolvedPoint {
    ext freeAnion;
    ext conductivity;
    std::vector<std::string> notes;
    ext ionicStrength;
};

// [X-] and the conductivity at C0 on the road of the sweep, on local values only: the
// model, the hidden fields, the species table and "record.txt" are left as they are.
SolvedPoint solveAt(const SweepInputs& inputs, ext C0) {
    const SolverReads reads = inputs.reads();
    FieldConductivities stages(reads);
    ext X = 0;
    const PointResult point =
        solvePoint(reads.road, {reads.n, inputs.model.beta, reads.sf}, C0, stages, X);
    return {point.X, point.conductivity, point.notes, point.ionicStrength};
}

// The whole point at C0 on the sweep's inputs (kept by the record, so that a figure can
// draw its curve at the concentrations it needs), or nothing where the solve fails.
std::function<std::optional<CalculatedPoint>(ext)> pointSolver(const SweepInputs& inputs) {
    return [kept = std::make_shared<const SweepInputs>(inputs)](
               ext C0) -> std::optional<CalculatedPoint> {
        try {
            const SolverReads reads = kept->reads();
            FieldConductivities stages(reads);
            ext X = 0;
            PointResult point =
                solvePoint(reads.road, {reads.n, kept->model.beta, reads.sf}, C0, stages, X);
            const auto species = point.abundance.begin() + kept->n + 1;
            return CalculatedPoint{C0,
                                   point.conductivity,
                                   point.X,
                                   {point.abundance.begin(), species},
                                   std::move(point.ownValues),
                                   std::move(point.ionicStrengthRoots)};
        } catch (const Error&) {
            return std::nullopt;
        }
    };
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
std::vector<ObservedComparison> completeObservedTable(TForm1& form, const SweepInputs& inputs,
                                                      std::vector<std::string>& notes,
                                                      ActivityLawRangeTally& range) {
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
        if (point) {
            notes.insert(notes.end(), point->notes.begin(), point->notes.end());
            range.add(*concentrations[static_cast<size_t>(index)], point->ionicStrength);
        }
        // A row without a measured value has nothing to compare.
        if (const auto measured = numberOrNothing(table.cell(conductivityColumn, row));
            point && measured) {
            solved.push_back({*concentrations[static_cast<size_t>(index)], *measured,
                              point->conductivity, point->freeAnion});
        }
    };
    runInIndexOrder<Solved>(
        static_cast<int>(concentrations.size()), form.sweepOptions.threads, solve, write,
        [](int, const std::exception_ptr& error) { std::rethrow_exception(error); });
    return solved;
}

// The road's own quantities at each point beside the calculated table (on the
// ionic-strength road the ionic strength and the activity coefficient of X-); no rows on
// the designed road.
void startOwnQuantitiesTable(CellTable& table, const CalculationRoad& road, int pointCount) {
    const std::vector<std::string> headers = ownQuantityTableHeaders(road);
    table.setRowCount(headers.empty() ? 1 : pointCount + 1);
    table.setCell(0, 0, "conc.(M)");
    for (size_t j = 0; j < headers.size(); ++j)
        table.setCell(static_cast<int>(j) + 1, 0, headers[j]);
}

}  // namespace

void TForm1::Button3Click() {
    InitializeIfNeverSet();
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
    // Refused before anything changes.
    refuseInputsOfTheRoad();
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
    const SweepInputs inputs(*this, pointCount);
    CellTable& ownQuantities = state_.ionicStrengthTable;
    startOwnQuantitiesTable(ownQuantities, inputs.road, pointCount);

    // The full-precision record is made beside the table and kept only when the sweep
    // completes, so that no figure or export shows half of a failed calculation.
    state_.calculation = {};
    state_.calculationStarted = true;
    CalculationInputs madeWith = calculationInputsOf(*this);
    CalculationRecord record;
    record.n = n();
    record.parameters =
        calculationCaption({n(), state_.model.K, CheckBox1.checked(), SpinEdit2.value(), MCA.text(),
                            MCX.text(), state_.factors.sf});
    record.solutionModel = roadSummaryName(inputs.road);
    record.solutionColumns = ownQuantityColumns(inputs.road);

    ActivityLawRangeTally calculatedRange(solutionInUse());
    ActivityLawRangeTally observedRange(solutionInUse());
    const auto solve = [&](int index) { return solveSweepPoint(inputs, index + 1); };
    const auto commit = [&](int index, SweepPoint&& point) {
        commitSweepPoint(*this, point, index + 1, calculated, ownQuantities);
        record.points.push_back(lastSolvedPoint(*this));
        record.points.back().ionicStrengthRoots = point.result.ionicStrengthRoots;
        record.notes.insert(record.notes.end(), point.result.notes.begin(),
                            point.result.notes.end());
        calculatedRange.add(record.points.back().concentration, point.result.ionicStrength);
    };
    // A point that fails is solved again on the windows' own carriers, so that the fields,
    // the species table and "record.txt" show what the failing solve reached.
    const auto failed = [&](int index, const std::exception_ptr& error) {
        auto& model = state_.model;
        model.C0 = pointConcentration(index + 1, inputs.xmin, inputs.span, inputs.divisions);
        c0.setText(NumberText(model.C0));
        RefineXClick();
        std::rethrow_exception(error);
    };
    runInIndexOrder<SweepPoint>(pointCount, sweepOptions.threads, solve, commit, failed);

    record.observed = completeObservedTable(*this, inputs, record.notes, observedRange);
    for (const ActivityLawRangeTally* range : {&calculatedRange, &observedRange}) {
        const std::string note =
            range->note(range == &calculatedRange ? "calculated points" : "observed points");
        if (!note.empty()) record.notes.push_back(note);
    }
    record.solveAt = pointSolver(inputs);
    state_.calculation = std::move(record);
    state_.calculationInputs = std::move(madeWith);
    RedrawAfterSweep();

    form2_->Edit1.setText(Edit1.text());
    form2_->Edit2.setText(Edit2.text());
    form2_->Edit3.setText("0");
    form2_->SpinEdit1.setValue(fullAbundance);
    form2_->drawdistributionClick();
}

// A sweep that failed left its tables half old, half new: it runs again too (and fails
// again with its error while its inputs stay as they are).
void TForm1::calculateAgainIfChanged() {
    if (!state_.calculationStarted) return;
    if (!state_.calculation.empty() && calculationInputsOf(*this) == state_.calculationInputs)
        return;
    Button3Click();
}

}  // namespace condsim
