#include "ui/FitApplication.h"

#include "core/Error.h"
#include "files/NumberText.h"
#include "ui/TForm1.h"

namespace condsim {

void applyFit(TForm1& form, const FitResult& result) {
    if (!result.converged()) throw Error("Only a converged fit can be applied.");
    // K2..Kn that followed K1 by Model #1 with the window's alfa follow it again from the
    // field beta(1): Model #1 stays on. Otherwise the table takes the fitted constants.
    const bool model1WasOn = form.CheckBox1.checked();
    const bool keepsModel1 = result.followsModel1 && model1WasOn;
    if (!keepsModel1) form.SetStepwiseConstants(result.stepwiseConstants);
    for (const FittedValue& fitted : result.values) {
        switch (fitted.parameter.kind) {
            case FitParameterKind::StepwiseConstant:
            case FitParameterKind::Alfa:
                break;  // they live on in the constants table
            case FitParameterKind::MCA:
                form.MCA.setText(NumberText(result.MCA));
                break;
            case FitParameterKind::MCX:
                form.MCX.setText(NumberText(result.MCX));
                break;
            case FitParameterKind::IonSize:
                form.state().solution.ionSize = result.ionSize;
                form.state().solution.bjerrumIonSize = false;
                break;
        }
    }
    // K1 in its field, fitted or not, so that Update builds on the applied constants.
    form.beta1.setText(NumberText(result.stepwiseConstants[0]));
    // Update then cautions, with Model #1 off, that the table's K2..Kn set up the beta(n):
    // said, with what Apply did to bring that about.
    const std::string later = result.n == 2 ? "K2" : "K2..K" + integerText(result.n);
    form.UpdateBecause(
        model1WasOn ? "Apply turned Model #1 off: the fitted " + later +
                          " do not follow K1 by Model #1 with the whole percentage the alfa "
                          "field holds, so the constants table keeps them as fitted."
                    : "Apply wrote the fitted constants into the constants table and pressed "
                      "Update.");
}

}  // namespace condsim
