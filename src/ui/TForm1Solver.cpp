// The free-anion solver of the main window and the conductivity at the X it finds.
// Values pass between the steps through the hidden text fields c0, XConc, sahen_out,
// uhen_out and conductivity, rounded to their 15-digit text on the way.

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "files/TextFile.h"
#include "core/Error.h"
#include "model/FreeAnionSearch.h"
#include "model/IonicPoint.h"
#include "model/MassBalance.h"
#include "model/SolutionConductivity.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

// The solver's file: created with one empty line when missing, never read.
const char* const recordFileName = "record.txt";

}  // namespace

ext TForm1::LeftSide(ext C0, ext X) const { return massBalanceSide(n(), C0, X); }

ext TForm1::RightSide(ext X) const { return formationSide(n(), state_.model.beta, X); }

void TForm1::Calc_LeftClick() {
    sahen_out.setText(NumberText(LeftSide(number(c0.text()), number(XConc.text()))));
}

void TForm1::CalcRightClick() { uhen_out.setText(NumberText(RightSide(number(XConc.text())))); }

void TForm1::RefineXClick() {
    if (!fileExists(recordFileName)) writeTextFile(recordFileName, "\r\n");
    if (!state_.solution.ideal()) {
        solveInSolutionModel();
        return;
    }

    auto& model = state_.model;
    const ext C0 = number(c0.text());
    model.C0 = C0;
    const int speciesCount = n();
    model.X = freeAnionStart(speciesCount, C0);
    XConc.setText(NumberText(model.X));
    searchFreeAnion(speciesCount, model.beta, C0, model.X);
    XConc.setText(NumberText(model.X));
    Calc_LeftClick();
    CalcRightClick();
    model.conductivity = ConductivityAt(model.X);
    conductivity.setText(NumberText(model.conductivity));
}

ext TForm1::ConductivityAt(ext X) {
    auto& model = state_.model;
    const auto& sf = state_.factors.sf;
    const int speciesCount = n();

    const ext anionPart = mul(number(MCX.text()), X);
    const ext denominator = speciesDenominator(speciesCount, model.beta, X);
    const ext charged = chargeWeightedSum(speciesCount, model.beta, sf, X);
    const ext cationPerCharge = number(MCA.text());
    const ext result = solutionConductivity(cationPerCharge, model.C0, charged, denominator, anionPart);

    model.abundance[0] = div(100, denominator);
    for (int i = 1; i <= speciesCount; ++i) {
        model.abundance[i] = div(mul(timesPower(model.beta[i], X, i), 100), denominator);
    }
    writeSpeciesTable(speciesCount);
    return result;
}

void TForm1::writeSpeciesTable(int speciesCount) {
    const auto& model = state_.model;
    StringGrid3.setRowCount(speciesCount + 2);
    StringGrid3.setCell(0, 0, "Species");
    StringGrid3.setCell(1, 0, "abundance%");
    StringGrid3.setCell(2, 0, "conc (M)");
    for (int i = 0; i <= speciesCount; ++i) {
        StringGrid3.setCell(0, i + 1, "AX" + integerText(i));
        StringGrid3.setCell(1, i + 1, NumberText(model.abundance[i]));
        StringGrid3.setCell(2, i + 1, NumberText(div(mul(model.C0, model.abundance[i]), 100)));
    }
}

IonicPointInput TForm1::ionicPointInput() const {
    // The texts are read as ConductivityAt reads them, MCX first.
    const ext anionConductivity = number(MCX.text());
    const ext cationPerCharge = number(MCA.text());
    return {n(), &state_.model.beta, &state_.factors.sf, cationPerCharge, anionConductivity};
}

void TForm1::refuseNonPositiveMobilities() const {
    const std::string refusal = nonPositiveMobilityRefusal(ionicPointInput());
    if (!refusal.empty()) throw Error(refusal);
}

// The solver in the ionic-strength model: its own solution of the balance with the
// ionic strength (no step search), then the same fields and tables as the designed
// solver fills. The mean bound number of the model stands in uhen_out.
void TForm1::solveInSolutionModel() {
    auto& model = state_.model;
    const ext C0 = number(c0.text());
    const IonicPointInput input = ionicPointInput();
    const std::string refusal = nonPositiveMobilityRefusal(input);
    if (!refusal.empty()) throw Error(refusal);
    model.C0 = C0;
    const IonicPoint point = solveIonicPoint(state_.solution, input, C0);
    model.X = point.X;
    XConc.setText(NumberText(model.X));
    Calc_LeftClick();
    uhen_out.setText(NumberText(point.meanBound));
    const int speciesCount = input.n;
    for (int i = 0; i <= speciesCount; ++i) {
        model.abundance[static_cast<size_t>(i)] = point.concentrations[static_cast<size_t>(i)] * 100 / C0;
    }
    writeSpeciesTable(speciesCount);
    state_.ionicPoint = point;
    model.conductivity = point.conductivity;
    conductivity.setText(NumberText(point.conductivity));
}

}  // namespace condsim
