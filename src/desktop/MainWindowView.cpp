#include "desktop/MainWindowView.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/HelpMenu.h"
#include "desktop/ObservedDataImportDialog.h"
#include "desktop/PictureWidget.h"
#include "desktop/SpinFieldWidget.h"

namespace condsim::qt {

const QString MainWindowView::caption = QStringLiteral(
    "Simulating Molar Conductivity Data for Some Ion-Pair Formation Equilibria (October 23, 2009) "
    "(https://github.com/condsim/condsim/issues)");

MainWindowView::MainWindowView(TForm1& form, UserActions& actions, const DesignScale& scale)
    : BoundWindow(form.window, actions, scale, caption, {0, -1, 1322, 992}), form_(form) {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    // Shortcuts beside the captions, which stay as designed.
    // Open, Import and Save open a file dialog: they run after the trigger returned.
    addMenuItem(
        file, QStringLiteral("Open"), [&form] { form.Open1Click(); }, MenuItemRun::AfterTrigger)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    addMenuItem(
        file, QStringLiteral("Import Observed Data..."),
        [&form, this] { ObservedDataImportDialog::run(form, this); }, MenuItemRun::AfterTrigger);
    addMenuItem(
        file, QStringLiteral("Save"), [&form] { form.Save1Click(); }, MenuItemRun::AfterTrigger)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    ExportFigure1 = file->addAction(QStringLiteral("Export Figure..."));
    ExportData1 = file->addAction(QStringLiteral("Export Data..."));
    // The session: the whole state of the windows in one file, and the files used lately.
    OpenSession1 = file->addAction(QStringLiteral("Open Session..."));
    SaveSession1 = file->addAction(QStringLiteral("Save Session..."));
    SaveSession1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    RecentFiles1 = file->addMenu(QStringLiteral("Recent Files"));
    addMenuItem(file, QStringLiteral("Exit"), [&form] {
        form.Exit1Click();
    })->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    CopyAsCommand1 = edit->addAction(QStringLiteral("Copy as Command"));
    addMenuItem(nullptr, QStringLiteral("Abundance"), [&form] { form.Abundance1Click(); });
    addMenuItem(nullptr, QStringLiteral("Scaling Factors"), [&form] { form.Option1Click(); });
    Fit1 = menuBar()->addAction(QStringLiteral("Fit"));
    SolutionModel1 = menuBar()->addAction(QStringLiteral("Solution Model"));
    TemperatureSeries1 = menuBar()->addAction(QStringLiteral("Temperature Series"));
    addHelpMenu(*this);
    SolutionModelStatus = new QLabel(this);
    statusBar()->addWidget(SolutionModelStatus);

    // Labels and the picture first: the input controls stand above them where they overlap.
    addInstruction(nullptr,
                   QStringLiteral("(1) Read the observed  molar conductivity data from File?Open!"),
                   5, 1);
    addInstruction(nullptr, QStringLiteral("(8) Save the results from File/Save at the end!"), 525,
                   1);
    addInstruction(nullptr, QStringLiteral("(2) Define the system!"), 1125, 25);
    addInstruction(nullptr, QStringLiteral("(3) Initialize Constants!"), 1125, 65);
    addInstruction(nullptr, QStringLiteral("(6) Define these parameters!"), 1029, 817);
    addInstruction(nullptr, QStringLiteral("(7) Press this to calculate"), 1053, 881);
    addLabel(nullptr, QStringLiteral("AX"), {1019, 12, 43, 34}, 30);
    addLabel(nullptr, QStringLiteral("Equivalent Molar Conductivity of A / z"),
             {985, 701, 281, 20});
    addLabel(nullptr, QStringLiteral("lamda(A / z) = "), {1018, 729, 110, 20});
    addLabel(nullptr, QStringLiteral("Molar Conductivity of X-"), {985, 762, 184, 20});
    addLabel(nullptr, QStringLiteral("lamda(X-) = "), {1017, 790, 94, 20});
    addLabel(nullptr, QStringLiteral("Vertical Axix Scale of MC Plot ="), {203, 233, 237, 20});
    addLabel(nullptr, QStringLiteral("Define the number of datapoints for the calculated data ="),
             {279, 902, 412, 20});
    Image1 =
        addPicture(form.Image1, {104, 255, TForm1::imageDesignWidth, TForm1::imageDesignHeight});

    StringGrid1 = addTable(form.StringGrid1, {0, 24, 513, 193}, {120, 120, 120, 120}, 120);
    StringGrid3 = addTable(form.StringGrid3, {519, 24, 465, 193}, {69, 200, 200});
    StringGrid2 = addTable(form.StringGrid2, {1000, 128, 273, 337}, {120, 120}, 120);

    SpinEdit1 = addSpinField(nullptr, form.SpinEdit1, {1065, 25, 57, 24});
    Initialize = addButton(nullptr, QStringLiteral("Initialize"), {1025, 56, 96, 41},
                           [&form] { form.InitializeClick(); });
    auto* import = addButton(nullptr, QStringLiteral("Import Stepwise Kn's from a File"),
                             {1000, 104, 273, 25}, [&form] { form.Button4Click(); });
    cellvalue = addEditField(nullptr, form.cellvalue, {1048, 468, 118, 23});
    Adopt = addButton(nullptr, QStringLiteral("Adopt"), {1165, 468, 72, 25},
                      [&form] { form.AdoptClick(); });

    QGroupBox* beta = addGroupBox(QStringLiteral("Defining Beta(1)"), {976, 500, 321, 85});
    addLabel(beta, QStringLiteral("beta(1) = K1 = "), {19, 23, 113, 20});
    addInstruction(beta, QStringLiteral("(4) Define the K1 value!"), 75, 55);
    beta1 = addEditField(beta, form.beta1, {134, 21, 97, 23});
    auto* update = addButton(beta, QStringLiteral("Update"), {230, 21, 73, 25},
                             [&form] { form.Button1Click(); });

    QGroupBox* model = addGroupBox(QStringLiteral("Model #1"), {976, 592, 321, 105});
    addLabel(model, QStringLiteral("Kn/Kn+1 = "), {100, 28, 88, 20});
    addLabel(model, QStringLiteral("---------"), {201, 24, 72, 26}, 23);
    addLabel(model, QStringLiteral("100 "), {210, 42, 39, 26}, 23);
    addInstruction(model, QStringLiteral("(5) Define the alfa value!"), 75, 71);
    CheckBox1 = addCheckBox(model, form.CheckBox1, {32, 32, 17, 17});
    SpinEdit2 = addSpinField(model, form.SpinEdit2, {210, 12, 49, 24});

    MCA = addEditField(nullptr, form.MCA, {1134, 729, 121, 23});
    MCX = addEditField(nullptr, form.MCX, {1134, 790, 121, 23});
    Button3 = addButton(nullptr, QStringLiteral("Conduct Calculations"), {1045, 851, 193, 25},
                        [&form] { form.Button3Click(); });
    SpinEdit4 = addSpinField(nullptr, form.SpinEdit4, {446, 231, 49, 24});
    auto* yMaximum = addEditField(nullptr, form.Edit4, {16, 271, 86, 23});
    auto* yMinimum = addEditField(nullptr, form.Edit3, {16, 839, 86, 23});
    auto* xMinimum = addEditField(nullptr, form.Edit1, {80, 887, 121, 23});
    auto* xMaximum = addEditField(nullptr, form.Edit2, {864, 887, 121, 23});
    SpinEdit3 = addSpinField(nullptr, form.SpinEdit3, {696, 900, 67, 24});

    // Tab runs through the window's controls in the design's order, then into the group
    // boxes Model #1 and Defining Beta(1). The tables come after Initialize, left to right.
    setFocusOrder({SpinEdit1,   xMinimum,    xMaximum,    yMinimum,  yMaximum, Initialize,
                   StringGrid1, StringGrid3, StringGrid2, MCA,       MCX,      Button3,
                   SpinEdit3,   SpinEdit4,   import,      cellvalue, Adopt,    SpinEdit2,
                   CheckBox1,   update,      beta1});

    nameControl(*SpinEdit1, QStringLiteral("SpinEdit1"), QStringLiteral("AX (n)"));
    nameControl(*xMinimum, QStringLiteral("Edit1"), QStringLiteral("Lower end of the x axis"));
    nameControl(*xMaximum, QStringLiteral("Edit2"), QStringLiteral("Upper end of the x axis"));
    nameControl(*yMinimum, QStringLiteral("Edit3"), QStringLiteral("Lower end of the y axis"));
    nameControl(*yMaximum, QStringLiteral("Edit4"), QStringLiteral("Upper end of the y axis"));
    nameControl(*Initialize, QStringLiteral("Initialize"), QStringLiteral("Initialize"));
    nameControl(*StringGrid1, QStringLiteral("StringGrid1"), QStringLiteral("Observed data"));
    nameControl(*StringGrid3, QStringLiteral("StringGrid3"),
                QStringLiteral("Species at the last concentration"));
    nameControl(*StringGrid2, QStringLiteral("StringGrid2"),
                QStringLiteral("Constants beta(n) and K(n)"));
    nameControl(*MCA, QStringLiteral("MCA"), QStringLiteral("lamda(A / z)"));
    nameControl(*MCX, QStringLiteral("MCX"), QStringLiteral("lamda(X-)"));
    nameControl(*Button3, QStringLiteral("Button3"), QStringLiteral("Conduct Calculations"));
    nameControl(*SpinEdit3, QStringLiteral("SpinEdit3"),
                QStringLiteral("Define the number of datapoints for the calculated data"));
    nameControl(*SpinEdit4, QStringLiteral("SpinEdit4"),
                QStringLiteral("Vertical Axix Scale of MC Plot"));
    nameControl(*import, QStringLiteral("Button4"),
                QStringLiteral("Import Stepwise Kn's from a File"));
    nameControl(*cellvalue, QStringLiteral("cellvalue"),
                QStringLiteral("Value of the selected cell"));
    nameControl(*Adopt, QStringLiteral("Adopt"), QStringLiteral("Adopt"));
    nameControl(*model, QStringLiteral("Model_1"), QStringLiteral("Model #1"));
    nameControl(*SpinEdit2, QStringLiteral("SpinEdit2"), QStringLiteral("Kn/Kn+1 = alfa / 100"));
    nameControl(*CheckBox1, QStringLiteral("CheckBox1"), QStringLiteral("Model #1"));
    nameControl(*beta, QStringLiteral("GroupBox2"), QStringLiteral("Defining Beta(1)"));
    nameControl(*update, QStringLiteral("Button1"), QStringLiteral("Update"));
    nameControl(*beta1, QStringLiteral("beta1"), QStringLiteral("beta(1) = K1"));
    nameControl(*Image1, QStringLiteral("Image1"), QStringLiteral("Conductivity plot"));
    SpinEdit1->lineEdit().setFocus();
}

void MainWindowView::refreshFromState() {
    BoundWindow::refreshFromState();
    SolutionModelStatus->setText(QString::fromStdString(form_.statusLine()));
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    if (confirmClose && !confirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

}  // namespace condsim::qt
