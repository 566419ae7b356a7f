#include "desktop/ScalingFactorWindowView.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "desktop/CellTableView.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/SpinFieldWidget.h"

namespace condsim::qt {

const QString ScalingFactorWindowView::caption =
    QStringLiteral("Defining Scaling Factors for the Mobility of the Main Ions");

ScalingFactorWindowView::ScalingFactorWindowView(TForm3& form, UserActions& actions,
                                                 const DesignScale& scale)
    : BoundWindow(form.window, actions, scale, caption, {243, 170, 761, 715}) {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    addMenuItem(
        file, QStringLiteral("Open"), [&form] { form.Open1Click(); }, MenuItemRun::AfterTrigger)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    addMenuItem(file, QStringLiteral("Exit"), [&form] { form.Exit1Click(); });

    paintRed(*addLabel(nullptr, QStringLiteral("This routine was not used in this study."),
                       {356, 407, 283, 20}));
    paintRed(*addLabel(nullptr,
                       QStringLiteral("All the species had a unit for the scaling factor.."),
                       {356, 439, 342, 20}));

    StringGrid2 = addTable(form.StringGrid2, {7, 0, 273, 593}, {120, 120}, 120);
    cellvalue = addEditField(nullptr, form.cellvalue, {290, 28, 118, 23});
    Adopt = addButton(nullptr, QStringLiteral("Adopt"), {312, 60, 72, 25},
                      [&form] { form.AdoptClick(); });

    QGroupBox* type1 = addGroupBox(QStringLiteral("Type 1 for the Gradient"), {311, 112, 362, 89});
    addLabel(type1, QStringLiteral("Factor = 1 + (Z-1) *"), {36, 39, 147, 20});
    addLabel(type1, QStringLiteral("---------"), {194, 34, 72, 26}, 23);
    addLabel(type1, QStringLiteral("100 "), {203, 52, 39, 26}, 23);
    katamuki = addSpinField(type1, form.katamuki, {200, 22, 60, 24});

    QGroupBox* type2 = addGroupBox(QStringLiteral("Type 2 for the gradient"), {311, 221, 362, 124});
    addLabel(type2, QStringLiteral("Factor =  a / ( Z - 1 + a)"), {61, 23, 175, 20});
    addLabel(type2, QStringLiteral("a = "), {63, 53, 28, 20});
    addLabel(type2, QStringLiteral("The value a can be either positive or negative"),
             {28, 90, 303, 19}, 17);
    a_value = addEditField(type2, form.a_value, {95, 52, 97, 23});
    Button6 = addButton(type2, QStringLiteral("Apply"), {191, 52, 73, 25},
                        [&form] { form.Button6Click(); });

    // The hidden selectcol and selectrow have no place; then the group boxes Type 1 and Type 2.
    setFocusOrder({StringGrid2, cellvalue, Adopt, katamuki, a_value, Button6});

    nameControl(*StringGrid2, QStringLiteral("StringGrid2"), QStringLiteral("Scaling factors"));
    nameControl(*cellvalue, QStringLiteral("cellvalue"),
                QStringLiteral("Value of the selected cell"));
    nameControl(*Adopt, QStringLiteral("Adopt"), QStringLiteral("Adopt"));
    nameControl(*type1, QStringLiteral("Model_1"), QStringLiteral("Type 1 for the Gradient"));
    nameControl(*katamuki, QStringLiteral("katamuki"),
                QStringLiteral("Factor = 1 + (Z-1) * gradient / 100"));
    nameControl(*type2, QStringLiteral("GroupBox3"), QStringLiteral("Type 2 for the gradient"));
    nameControl(*a_value, QStringLiteral("a_value"), QStringLiteral("a"));
    nameControl(*Button6, QStringLiteral("Button6"), QStringLiteral("Apply"));
}

}  // namespace condsim::qt
