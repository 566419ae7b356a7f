#pragma once
// The abundance window TForm2 on the screen: the species distribution picture and the
// calculated-data table, which share one place (ShowHideData puts the table in front or
// takes it away), the range fields and the menu. The close box hides the window.

#include "desktop/BoundWindow.h"
#include "ui/TForm2.h"

namespace condsim::qt {

class AbundanceWindowView : public BoundWindow {
    Q_OBJECT
  public:
    static const QString caption;

    AbundanceWindowView(TForm2& form, UserActions& actions, const DesignScale& scale);
    void refreshFromState() override;

    CellTableView* StringGrid1;
    PictureWidget* Image1;
    SpinFieldWidget* SpinEdit1;
    EditFieldWidget* Edit1;
    EditFieldWidget* Edit2;
    EditFieldWidget* Edit3;
    // File/Export Figure... and File/Export Data...; connected by the desktop program.
    QAction* ExportFigure1;
    QAction* ExportData1;

  private:
    TForm2& form_;
};

}  // namespace condsim::qt
