#include "desktop/ExportMenus.h"

#include <QAction>
#include <functional>

#include "desktop/DesktopApplication.h"
#include "desktop/ExportFigureDialog.h"
#include "ui/ExportCommands.h"
#include "ui/FitFigure.h"

namespace condsim::qt {

namespace {

using FigureBuilder = std::function<BuiltFigure(FigureKind, const FigureOptions&)>;

void exportFigureOf(DesktopApplication& desktop, QWidget* parent,
                    const std::vector<FigureKind>& kinds, const FigureBuilder& build) {
    const auto choice = ExportFigureDialog::ask(parent, kinds);
    if (!choice) return;
    const FigureWriter write = [size = choice->size](const Figure& figure,
                                                     const std::string& fileName) {
        return writeFigureFile(figure, fileName, size);
    };
    desktop.actions().run([&] {
        exportFigure(desktop.platform(), desktop.application().state,
                     build(choice->kind, choice->options),
                     figureKindName(choice->kind) + "." + choice->format, write);
    });
}

// The main window's handler, which calculates again first when the results are stale.
void exportDataOf(DesktopApplication& desktop) {
    desktop.actions().run([&] { desktop.application().Form1.ExportData1Click(); });
}

}  // namespace

void connectExportMenus(DesktopApplication& desktop) {
    ProcessState& state = desktop.application().state;
    const FigureBuilder mainWindowBuild = [&state](FigureKind kind, const FigureOptions& options) {
        return mainWindowFigure(kind, state, options);
    };

    MainWindowView& main = desktop.mainWindow();
    QObject::connect(
        main.ExportFigure1, &QAction::triggered, &main, [&desktop, &main, mainWindowBuild] {
            exportFigureOf(desktop, &main, {std::begin(allFigureKinds), std::end(allFigureKinds)},
                           mainWindowBuild);
        });
    QObject::connect(main.ExportData1, &QAction::triggered, &main,
                     [&desktop] { exportDataOf(desktop); });

    AbundanceWindowView& abundance = desktop.abundanceWindow();
    QObject::connect(abundance.ExportFigure1, &QAction::triggered, &abundance,
                     [&desktop, &abundance, mainWindowBuild] {
                         exportFigureOf(desktop, &abundance, {FigureKind::Distribution},
                                        mainWindowBuild);
                     });
    QObject::connect(abundance.ExportData1, &QAction::triggered, &abundance,
                     [&desktop] { exportDataOf(desktop); });

    FitWindowView& fit = desktop.fitWindow();
    QObject::connect(fit.ExportFigure1, &QAction::triggered, &fit, [&desktop, &fit] {
        exportFigureOf(desktop, &fit, {FigureKind::Residuals},
                       [&desktop](FigureKind, const FigureOptions& options) {
                           return fitResidualFigure(desktop.fitForm(), options);
                       });
    });
}

}  // namespace condsim::qt
