#include "ui/SolverSteps.h"

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NumberText.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"

namespace condsim {

void SolverSteps::solve(const std::string& c0Text) {
    if (!reads_.solution.ideal()) {
        solveInSolutionModel(c0Text);
        return;
    }
    auto& model = out_.model;
    const ext C0 = number(c0Text);
    model.C0 = C0;
    const int speciesCount = reads_.n;
    model.X = freeAnionStart(speciesCount, C0);
    out_.XConc.setText(NumberText(model.X));
    searchFreeAnion(speciesCount, model.beta, C0, model.X);
    out_.XConc.setText(NumberText(model.X));
    calcLeft(c0Text);
    calcRight();
    model.conductivity = conductivityAt(model.X);
    out_.conductivity.setText(NumberText(model.conductivity));
}

void SolverSteps::calcLeft(const std::string& c0Text) {
    out_.sahen_out.setText(
        NumberText(massBalanceSide(reads_.n, number(c0Text), number(out_.XConc.text()))));
}

void SolverSteps::calcRight() {
    out_.uhen_out.setText(
        NumberText(formationSide(reads_.n, out_.model.beta, number(out_.XConc.text()))));
}

ext SolverSteps::conductivityAt(ext X) {
    auto& model = out_.model;
    const auto& sf = reads_.sf;
    const int speciesCount = reads_.n;

    const ext anionPart = mul(number(reads_.MCX), X);
    const ext denominator = speciesDenominator(speciesCount, model.beta, X);
    const ext charged = chargeWeightedSum(speciesCount, model.beta, sf, X);
    const ext cationPerCharge = number(reads_.MCA);
    const ext result =
        solutionConductivity(cationPerCharge, model.C0, charged, denominator, anionPart);

    model.abundance[0] = div(100, denominator);
    for (int i = 1; i <= speciesCount; ++i) {
        model.abundance[i] = div(mul(timesPower(model.beta[i], X, i), 100), denominator);
    }
    writeSpeciesTable(speciesCount);
    return result;
}

void SolverSteps::writeSpeciesTable(int speciesCount) {
    const auto& model = out_.model;
    CellTable& table = out_.speciesTable;
    table.setRowCount(speciesCount + 2);
    table.setCell(0, 0, "Species");
    table.setCell(1, 0, "abundance%");
    table.setCell(2, 0, "conc (M)");
    for (int i = 0; i <= speciesCount; ++i) {
        table.setCell(0, i + 1, "AX" + integerText(i));
        table.setCell(1, i + 1, NumberText(model.abundance[i]));
        table.setCell(2, i + 1, NumberText(div(mul(model.C0, model.abundance[i]), 100)));
    }
}

IonicPointInput ionicPointInput(const SolverReads& reads, const SpeciesArray& beta) {
    const ext anionConductivity = number(reads.MCX);
    const ext cationPerCharge = number(reads.MCA);
    return {reads.n, &beta, &reads.sf, cationPerCharge, anionConductivity};
}

// The solver in the ionic-strength model: its own solution of the balance with the
// ionic strength (no step search), then the same fields and tables as the designed
// solver fills. The mean bound number of the model stands in uhen_out.
void SolverSteps::solveInSolutionModel(const std::string& c0Text) {
    auto& model = out_.model;
    const ext C0 = number(c0Text);
    const IonicPointInput input = ionicPointInput(reads_, model.beta);
    const std::string refusal = nonPositiveMobilityRefusal(input);
    if (!refusal.empty()) throw Error(refusal);
    model.C0 = C0;
    const IonicPoint point = solveIonicPoint(reads_.solution, input, C0);
    model.X = point.X;
    out_.XConc.setText(NumberText(model.X));
    calcLeft(c0Text);
    out_.uhen_out.setText(NumberText(point.meanBound));
    const int speciesCount = input.n;
    for (int i = 0; i <= speciesCount; ++i) {
        model.abundance[static_cast<size_t>(i)] =
            point.concentrations[static_cast<size_t>(i)] * 100 / C0;
    }
    writeSpeciesTable(speciesCount);
    out_.ionicPoint = point;
    model.conductivity = point.conductivity;
    out_.conductivity.setText(NumberText(point.conductivity));
}

}  // namespace condsim
