#pragma once
// The Solution Model window on the screen: the model (ideal as designed, or one of the two
// ionic-strength models), the ion size, the solvent (a preset or its three values) with
// the coefficients that follow from it, and OK / Cancel. The close box hides the window.

#include "desktop/BoundWindow.h"
#include "ui/SolutionModelWindow.h"

class QComboBox;
class QLabel;

namespace condsim::qt {

class SolutionModelWindowView : public BoundWindow {
    Q_OBJECT
  public:
    static const QString caption;

    SolutionModelWindowView(SolutionModelWindow& form, UserActions& actions,
                            const DesignScale& scale);

    void refreshFromState() override;

    QComboBox* Model;
    EditFieldWidget* IonSize;
    CheckBoxWidget* BjerrumIonSize;
    QComboBox* Solvent;
    EditFieldWidget* Temperature;
    EditFieldWidget* Permittivity;
    EditFieldWidget* Viscosity;
    QLabel* Coefficients;
    QLabel* Temperatures;  // the temperatures each solvent allows
    QPushButton* OK;
    QPushButton* Cancel;

  private:
    SolutionModelWindow& form_;
};

}  // namespace condsim::qt
