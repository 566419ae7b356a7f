#pragma once
// The scaling-factor window TForm3 on the screen: the factor table with cell editing,
// the two gradient rules and the factor file. The close box hides the window.

#include "desktop/BoundWindow.h"
#include "ui/TForm3.h"

namespace condsim::qt {

class ScalingFactorWindowView : public BoundWindow {
    Q_OBJECT
  public:
    static const QString caption;

    ScalingFactorWindowView(TForm3& form, UserActions& actions, const DesignScale& scale);

    CellTableView* StringGrid2;
    EditFieldWidget* cellvalue;
    QPushButton* Adopt;
    SpinFieldWidget* katamuki;
    EditFieldWidget* a_value;
    QPushButton* Button6;
};

}  // namespace condsim::qt
