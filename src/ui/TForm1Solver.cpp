// The free-anion solver of the main window and the conductivity at the X it finds.
// Values pass between the steps through the hidden text fields c0, XConc, sahen_out,
// uhen_out and conductivity, rounded to their 15-digit text on the way.

#include <cmath>

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "files/TextFile.h"
#include "model/MassBalance.h"
#include "ui/TForm1.h"

namespace condsim {

namespace {

// The search starts just below n x C0: the extended real nearest to 1 - 1e-18, which is
// 1 - 18 x 2^-64.
constexpr ext startFactor = 0.999999999999999999L;
// The first step is this fraction of the start value.
constexpr ext firstStepFraction = 0.001L;
// Each reversal (a crossing of the balance, or a step away from it) shrinks the step.
constexpr ext stepShrink = 0.7L;
// The search stops when two successive differences differ by less than this.
constexpr ext stopDifference = 1e-14L;

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

    auto& model = state_.model;
    const ext C0 = number(c0.text());
    model.C0 = C0;
    const int speciesCount = n();
    const auto difference = [&](ext X) {
        return sub(massBalanceSide(speciesCount, C0, X), formationSide(speciesCount, model.beta, X));
    };

    ext X = mul(mul(toExt(speciesCount), C0), startFactor);
    model.X = X;
    XConc.setText(NumberText(X));
    ext d = difference(X);
    ext step = mul(firstStepFraction, X);
    ext direction = -1;
    for (;;) {
        const ext previous = d;
        X = add(mul(step, direction), X);
        model.X = X;
        d = difference(X);
        if (mul(d, previous) < 0 || std::fabs(d) > std::fabs(previous)) {
            step = mul(step, stepShrink);
            direction = mul(direction, -1);
        }
        if (std::fabs(sub(previous, d)) < stopDifference) break;
    }
    XConc.setText(NumberText(X));
    Calc_LeftClick();
    CalcRightClick();
    conductivity.setText(NumberText(ConductivityAt(model.X)));
}

ext TForm1::ConductivityAt(ext X) {
    auto& model = state_.model;
    const auto& sf = state_.factors.sf;
    const int speciesCount = n();

    const ext anionPart = mul(number(MCX.text()), X);
    const ext denominator = speciesDenominator(speciesCount, model.beta, X);
    ext charged = mul(toExt(speciesCount), sf[0]);
    for (int i = 1; i <= speciesCount - 1; ++i) {
        const ext coefficient = mul(mul(toExt(speciesCount - i), sf[i]), model.beta[i]);
        charged = add(charged, timesPower(coefficient, X, i));
    }
    const ext cationPerCharge = number(MCA.text());
    const ext result =
        add(div(mul(mul(cationPerCharge, model.C0), charged), denominator), anionPart);

    model.abundance[0] = div(100, denominator);
    for (int i = 1; i <= speciesCount; ++i) {
        model.abundance[i] = div(mul(timesPower(model.beta[i], X, i), 100), denominator);
    }

    StringGrid3.setRowCount(speciesCount + 2);
    StringGrid3.setCell(0, 0, "Species");
    StringGrid3.setCell(1, 0, "abundance%");
    StringGrid3.setCell(2, 0, "conc (M)");
    for (int i = 0; i <= speciesCount; ++i) {
        StringGrid3.setCell(0, i + 1, "AX" + integerText(i));
        StringGrid3.setCell(1, i + 1, NumberText(model.abundance[i]));
        StringGrid3.setCell(2, i + 1, NumberText(div(mul(model.C0, model.abundance[i]), 100)));
    }
    return result;
}

}  // namespace condsim
