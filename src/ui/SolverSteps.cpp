#include "ui/SolverSteps.h"

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"
#include "ui/FieldNumber.h"

namespace condsim {

LimitingConductivities limitingConductivitiesOf(const SolverReads& reads) {
    const ext anion = fieldNumber(reads.MCX, anionConductivityField());
    const ext cationPerCharge = fieldNumber(reads.MCA, cationConductivityField());
    return {cationPerCharge, anion};
}

void SolverSteps::solve(const std::string& c0Text) {
    auto& model = out_.model;
    model.C0 = number(c0Text);
    c0Text_ = &c0Text;
    const int speciesCount = reads_.n;
    const PointResult result =
        solvePoint(reads_.road, {speciesCount, model.beta, reads_.sf}, model.C0, *this, model.X);
    for (int i = 0; i <= speciesCount; ++i) model.abundance[i] = result.abundance[i];
    writeSpeciesTable(speciesCount);
    out_.ownValues = result.ownValues;
    if (out_.lastResult) *out_.lastResult = result;
    model.conductivity = result.conductivity;
    out_.conductivity.setText(NumberText(model.conductivity));
}

LimitingConductivities SolverSteps::limitingConductivities() {
    return limitingConductivitiesOf(reads_);
}

void SolverSteps::searchStarted(ext X) { out_.XConc.setText(NumberText(X)); }

ext SolverSteps::freeAnionFound(ext X) {
    out_.XConc.setText(NumberText(X));
    calcLeft(*c0Text_);
    return number(out_.XConc.text());
}

void SolverSteps::boundAnionsFound(ext meanBound) { out_.uhen_out.setText(NumberText(meanBound)); }

void SolverSteps::calcLeft(const std::string& c0Text) {
    out_.sahen_out.setText(
        NumberText(massBalanceSide(reads_.n, number(c0Text), number(out_.XConc.text()))));
}

void SolverSteps::calcRight() {
    boundAnionsFound(formationSide(reads_.n, out_.model.beta, number(out_.XConc.text())));
}

ext SolverSteps::conductivityAt(ext X) {
    auto& model = out_.model;
    const DesignedConductivity result = designedConductivity(
        reads_.n, model.beta, reads_.sf, limitingConductivitiesOf(reads_), model.C0, X);
    designedAbundances(reads_.n, model.beta, X, result.denominator, model.abundance);
    writeSpeciesTable(reads_.n);
    return result.value;
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

}  // namespace condsim
