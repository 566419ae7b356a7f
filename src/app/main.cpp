// The desktop program: starts the three windows and runs the event loop until the main
// window closes (or File/Exit ends the process at once).

#include <QApplication>
#include <clocale>

#include "desktop/DesktopApplication.h"

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    // Qt sets the C library's locale from the environment; numbers in files and texts
    // are formatted by the program itself, so the C library keeps the "C" numeric rules.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(condsim::qt::DesktopApplication::title);
    QApplication::setQuitOnLastWindowClosed(false);  // only the main window ends the process
    condsim::qt::DesktopApplication desktop;
    desktop.start();
    return QApplication::exec();
}
