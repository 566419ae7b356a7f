#pragma once
// The dialog of File/Import Observed Data...: the first lines of the chosen file (those the
// import skips in grey), the layout (separator, lines to skip, decimal commas, the two
// columns) and the units, and the pairs as they will be loaded. Every control writes
// straight into the headless ObservedDataImport and shows its converted table and refusal
// again; OK is enabled only while there is nothing to refuse. No conversion happens here.

#include <QDialog>

#include "ui/ObservedDataImport.h"
#include "ui/TForm1.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableView;

namespace condsim::qt {

class CellTableModel;

class ObservedDataImportDialog : public QDialog {
    Q_OBJECT
  public:
    ObservedDataImportDialog(ObservedDataImport& import, QWidget* parent);

    // Shows the dialog modally over the import; true when the user pressed OK.
    static bool ask(ObservedDataImport& import, QWidget* parent);
    // File/Import Observed Data... of the main window, with this dialog over the import.
    static void run(TForm1& form, QWidget* parent);

    // The controls, for tests.
    QPlainTextEdit* Preview;
    QComboBox* Separator;
    QSpinBox* SkippedLines;
    QComboBox* DecimalCommaChoice;
    QLabel* DecimalCommasInEffect;  // the choice in effect, the guess when automatic
    QSpinBox* ConcentrationColumn;
    QSpinBox* ConductivityColumn;
    QComboBox* ConcentrationUnitChoice;
    QLineEdit* Density;
    QComboBox* ConductivityUnitChoice;
    QLabel* Equivalents;
    QTableView* Converted;
    QLabel* Refusal;
    QCheckBox* SaveAfterLoading;
    QDialogButtonBox* Buttons;

  private:
    // Takes the controls' choices into the import and shows what they give.
    void settingsChanged();
    void showState();
    // Greys the preview's lines that the import skips.
    void showSkippedLines();

    ObservedDataImport& import_;
    CellTableModel* convertedModel_;
};

}  // namespace condsim::qt
