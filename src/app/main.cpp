// The desktop program: starts the three windows and runs the event loop until the main
// window closes (or File/Exit ends the process at once).

#include <QApplication>
#include <QIcon>
#include <clocale>
#include <iostream>
#include <string_view>

#include "core/ReleaseInfo.h"
#include "desktop/DesktopApplication.h"

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so that it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::cout << "condsim " << condsim::programVersion << '\n';
            return 0;
        }
        if (std::string_view(argv[i]) == "--help") {
            std::cout << "Usage: condsim [--help | --version] [Qt options]\n\n"
                         "The desktop program of condsim: molar conductivity of stepwise "
                         "ion-pair formation.\nWithout a display, condsim-batch runs the same "
                         "steps; see condsim(1) and condsim-batch(1).\n";
            return 0;
        }
    }
    QApplication qtApplication(argc, argv);
    // Qt sets the C library's locale from the environment; numbers in files and texts
    // are formatted by the program itself, so the C library keeps the "C" numeric rules.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(condsim::qt::DesktopApplication::title);
    QApplication::setApplicationVersion(QString::fromUtf8(condsim::programVersion));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("condsim"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("condsim")));
    QApplication::setQuitOnLastWindowClosed(false);  // only the main window ends the process
    condsim::qt::DesktopApplication desktop;
    desktop.start();
    return QApplication::exec();
}
