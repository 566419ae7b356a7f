#pragma once
// The Temperature Series window on the screen: the list of data sets with Add, Remove and
// Import, the temperature and the anion's lambda the next data file takes, the global fit
// and dCp, Run with its progress and Cancel, the status, the tables per temperature, of the
// van 't Hoff line and of the global fit, and the two figures. Every button runs its
// handler of the headless SeriesWindow through the guarded dispatch. The close box hides
// the window.

#include <QString>

#include "desktop/BoundWindow.h"
#include "ui/ExportCommands.h"
#include "ui/SeriesWindow.h"

class QComboBox;

namespace condsim::qt {

class SeriesWindowView : public BoundWindow {
    Q_OBJECT
  public:
    static const QString caption;

    // writeFigure writes the figures of File/Export (the raster backends).
    SeriesWindowView(SeriesWindow& form, UserActions& actions, const DesignScale& scale,
                     FigureWriter writeFigure);

    // Shows the state, and draws the figures again after a run.
    void refreshFromState() override;

    // The controls that tests and the screenshots reach by name.
    CellTableView* Sets;
    EditFieldWidget* Temperature;
    EditFieldWidget* Anion;
    QPushButton* Add;
    QPushButton* Remove;
    QPushButton* Import;
    QComboBox* GlobalFit;
    CheckBoxWidget* HeatCapacity;
    QPushButton* Run;
    QLabel* Status;
    CellTableView* Temperatures;
    CellTableView* VantHoff;
    CellTableView* Global;
    QLabel* VantHoffFigure;
    QLabel* WaldenFigure;
    QAction* ExportTable1;
    QAction* ExportReport1;
    QAction* ExportVantHoff1;
    QAction* ExportWalden1;

    // How long a run goes before its progress dialog opens.
    int progressDelayMilliseconds = 200;

  private:
    void drawFigure(QLabel& label, SeriesFigureKind kind);

    SeriesWindow& form_;
    FigureWriter writeFigure_;
    unsigned long long drawnRuns_ = ~0ULL;
};

}  // namespace condsim::qt
