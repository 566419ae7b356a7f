#include "ui/FitApplication.h"

#include "core/Error.h"
#include "files/NumberText.h"
#include "ui/TForm1.h"

namespace condsim {

void applyFit(TForm1& form, const FitResult& result) {
    if (!result.converged()) throw Error("Only a converged fit can be applied.");
    // K2..Kn that followed K1 by Model #1 with the window's alfa follow it again from the
    // field beta(1): Model #1 stays on. Otherwise the table takes the fitted constants.
    const bool keepsModel1 = result.followsModel1 && form.CheckBox1.checked();
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
    form.Button1Click();
}

}  // namespace condsim
