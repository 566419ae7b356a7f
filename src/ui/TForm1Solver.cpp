// The free-anion solver of the main window and the conductivity at the X it finds.
// Values pass between the steps through the hidden text fields c0, XConc, sahen_out,
// uhen_out and conductivity, rounded to their 15-digit text on the way.

#include "core/Error.h"
#include "files/TextFile.h"
#include "model/designed/MassBalance.h"
#include "ui/SolverSteps.h"
#include "ui/TForm1.h"

namespace condsim {

ext TForm1::LeftSide(ext C0, ext X) const { return massBalanceSide(n(), C0, X); }

ext TForm1::RightSide(ext X) const { return formationSide(n(), state_.model.beta, X); }

SolutionModel TForm1::solutionInUse() const { return withBjerrumIonSize(state_.solution, n()); }

SolverReads TForm1::solverReads() const {
    return {n(), state_.factors.sf, MCA.text(), MCX.text(), calculationRoad(solutionInUse())};
}

SolverSteps TForm1::solverSteps() {
    return {
        solverReads(),
        {state_.model, XConc, sahen_out, uhen_out, conductivity, StringGrid3, state_.ownValues}};
}

void TForm1::Calc_LeftClick() { solverSteps().calcLeft(c0.text()); }

void TForm1::CalcRightClick() { solverSteps().calcRight(); }

void TForm1::RefineXClick() {
    createRecordFileIfMissing();
    solverSteps().solve(c0.text());
}

void TForm1::createRecordFileIfMissing() {
    // The solver's file: created with one empty line when missing, never read. Nothing
    // depends on it, so a folder where it cannot be made (read-only, or another user's)
    // does not stop the calculation.
    const std::string recordFileName = sweepOptions.recordFolder.empty()
                                           ? std::string("record.txt")
                                           : sweepOptions.recordFolder + "/record.txt";
    try {
        if (!fileExists(recordFileName)) writeTextFile(recordFileName, "\r\n");
    } catch (const Error&) {
    }
}

ext TForm1::ConductivityAt(ext X) { return solverSteps().conductivityAt(X); }

void TForm1::refuseInputsOfTheRoad() const {
    const SolverReads reads = solverReads();
    FieldConductivities stages(reads);
    const std::string refusal =
        inputRefusal(reads.road, {reads.n, state_.model.beta, reads.sf}, stages);
    if (!refusal.empty()) throw Error(refusal);
}

}  // namespace condsim
