#include "desktop/AbundanceWindowView.h"

#include <QMenuBar>

#include "desktop/CellTableView.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/PictureWidget.h"
#include "desktop/SpinFieldWidget.h"

namespace condsim::qt {

const QString AbundanceWindowView::caption =
    QStringLiteral("Relative Abundances of All the Chemical Species at Various Concentrations");

AbundanceWindowView::AbundanceWindowView(TForm2& form, UserActions& actions,
                                         const DesignScale& scale)
    : BoundWindow(form.window, actions, scale, caption, {31, 87, 1354, 877}), form_(form) {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    addMenuItem(file, QStringLiteral("Save"), [&form] { form.Save1Click(); });
    ExportFigure1 = file->addAction(QStringLiteral("Export Figure..."));
    ExportData1 = file->addAction(QStringLiteral("Export Data..."));
    addMenuItem(file, QStringLiteral("Exit"), [&form] { form.Exit1Click(); });
    addMenuItem(nullptr, QStringLiteral("ShowHideData"), [&form] { form.ShowHideData1Click(); });
    addMenuItem(nullptr, QStringLiteral("ReDraw"), [&form] { form.ReDraw1Click(); });

    Image1 = addPicture(form.Image1, {88, 0, TForm2::imageDesignWidth, TForm2::imageDesignHeight});
    // Made after the picture, so that when shown it covers the picture.
    StringGrid1 = addTable(form.StringGrid1, {88, 0, 1232, 777}, {69, 200, 200}, 200);
    SpinEdit1 = addSpinField(nullptr, form.SpinEdit1, {0, 24, 89, 24});
    Edit3 = addEditField(nullptr, form.Edit3, {0, 734, 89, 23});
    Edit1 = addEditField(nullptr, form.Edit1, {56, 778, 121, 23});
    Edit2 = addEditField(nullptr, form.Edit2, {1224, 778, 121, 23});
    StringGrid1->setVisible(form.tableVisible);

    // The table first while it is shown; the hidden drawdistribution button has no place.
    setFocusOrder({StringGrid1, Edit3, Edit1, Edit2, SpinEdit1});

    nameControl(*Image1, QStringLiteral("Image1"), QStringLiteral("Species distribution plot"));
    nameControl(*StringGrid1, QStringLiteral("StringGrid1"), QStringLiteral("Calculated data"));
    nameControl(*SpinEdit1, QStringLiteral("SpinEdit1"),
                QStringLiteral("Upper end of the y axis in percent"));
    nameControl(*Edit3, QStringLiteral("Edit3"), QStringLiteral("Lower end of the y axis"));
    nameControl(*Edit1, QStringLiteral("Edit1"), QStringLiteral("Lower end of the x axis"));
    nameControl(*Edit2, QStringLiteral("Edit2"), QStringLiteral("Upper end of the x axis"));
}

void AbundanceWindowView::refreshFromState() {
    if (StringGrid1->isVisibleTo(this) != form_.tableVisible)
        StringGrid1->setVisible(form_.tableVisible);
    BoundWindow::refreshFromState();
}

}  // namespace condsim::qt
