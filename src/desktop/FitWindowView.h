#pragma once
// The fit window on the screen: a check box for each parameter the fit can adjust, Run
// and Apply, the choice of absolute or relative residuals, the fitted values with their standard
// errors and 95 % intervals, the correlations, the status of the fit, the residual plot, and the
// comparison of n. Every button runs its handler of the headless FitWindow through the guarded
// dispatch. The close box hides the window.

#include <QString>
#include <vector>

#include "desktop/BoundWindow.h"
#include "ui/FitWindow.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QScrollArea;

namespace condsim::qt {

class FitWindowView : public BoundWindow {
    Q_OBJECT
  public:
    static const QString caption;

    FitWindowView(FitWindow& form, UserActions& actions, const DesignScale& scale);

    // Rebuilds the parameter check boxes when n changed, then shows the state.
    void refreshFromState() override;

    // The check box of a parameter by its name ("K1", "alfa", "MCA"), or nullptr.
    QCheckBox* parameterBox(const QString& name) const;

    // The controls that tests and the screenshots reach by name.
    QPushButton* Run;
    QPushButton* Apply;
    QComboBox* Weights;  // absolute or relative residuals
    QPushButton* Compare;
    SpinFieldWidget* FromN;
    SpinFieldWidget* ToN;
    CellTableView* Values;
    CellTableView* Correlation;
    CellTableView* Comparison;
    QLabel* Status;
    QLabel* ComparisonStatus;
    PictureWidget* ResidualPlot;

    // How long a fit or a comparison of n runs before its progress dialog opens.
    int progressDelayMilliseconds = 200;
    // File/Export Figure... (the residuals); connected by the desktop program.
    QAction* ExportFigure1;

  protected:
    // Scrolls a parameter box into view when it takes the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void rebuildParameterBoxes();
    void placeParameterBoxes();
    void shareParameterAndStatusSpace();
    QLabel* addAxisLabel(DesignRect place, Qt::Alignment alignment);

    FitWindow& form_;
    QGroupBox* parameterGroup_;
    QScrollArea* parameterArea_;
    QGridLayout* parameterGrid_;
    int parameterGridHeight_ = 0;  // what the rows of boxes ask for (placeParameterBoxes)
    std::vector<FitParameter> shownParameters_;
    std::vector<QCheckBox*> parameterBoxes_;
    QLabel* residualYMaximum_;
    QLabel* residualZero_;
    QLabel* residualYMinimum_;
    QLabel* residualXMinimum_;
    QLabel* residualXMaximum_;
};

}  // namespace condsim::qt
