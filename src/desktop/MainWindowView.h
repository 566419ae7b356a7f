#pragma once
// The main window TForm1 on the screen: the observed-data, species and constants
// tables, the model's input fields, the conductivity plot and the main menu. Closing it
// ends the event loop and so the process.

#include <functional>

#include "desktop/BoundWindow.h"
#include "ui/TForm1.h"

class QLabel;
class QMenu;

namespace condsim::qt {

class MainWindowView : public BoundWindow {
    Q_OBJECT
  public:
    static const QString caption;

    MainWindowView(TForm1& form, UserActions& actions, const DesignScale& scale);

    // The controls that tests and the screenshots reach by name.
    SpinFieldWidget* SpinEdit1;
    SpinFieldWidget* SpinEdit2;
    SpinFieldWidget* SpinEdit3;
    SpinFieldWidget* SpinEdit4;
    EditFieldWidget* beta1;
    EditFieldWidget* cellvalue;
    EditFieldWidget* MCA;
    EditFieldWidget* MCX;
    CheckBoxWidget* CheckBox1;
    QPushButton* Initialize;
    QPushButton* Adopt;
    QPushButton* Button3;
    CellTableView* StringGrid1;
    CellTableView* StringGrid2;
    CellTableView* StringGrid3;
    PictureWidget* Image1;
    // The menu item "Fit"; the desktop program connects it to the fit window.
    QAction* Fit1;
    // The Temperature Series window, beside the designed menus.
    QAction* TemperatureSeries1;
    // File/Export Figure... and File/Export Data...; connected by the desktop program.
    QAction* ExportFigure1;
    QAction* ExportData1;
    // The menu item "Solution Model", connected likewise, and the status bar's line
    // naming the model the results come from.
    QAction* SolutionModel1;
    QLabel* SolutionModelStatus;
    // File/Open Session..., File/Save Session, File/Recent Files and Edit/Copy as Command,
    // beside the designed items; connected by the desktop program (SessionMenus).
    QAction* OpenSession1;
    QAction* SaveSession1;
    QMenu* RecentFiles1;
    QAction* CopyAsCommand1;
    // Asked when the window is closed: false keeps it open (unsaved changes kept).
    std::function<bool()> confirmClose;

    void refreshFromState() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    TForm1& form_;
};

}  // namespace condsim::qt
