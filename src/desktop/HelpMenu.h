#pragma once
// The Help menu of the main window: "Manual" shows the README, which is the user's manual,
// rendered in the program's manual window; "About condsim" shows the version, the licence
// and the home page.

#include <QString>

class QMainWindow;

namespace condsim::qt {

// Appends the Help menu to the window's menu bar.
void addHelpMenu(QMainWindow& window);

// The README that Manual opens for a program in programDirectory: the installed one
// (share/doc/condsim/README.md beside the bin folder), else, for a program inside the
// build folder, the source tree's. Empty when there is neither.
QString manualPath(const QString& programDirectory);

// The About box's text, as rich text.
QString aboutText();

}  // namespace condsim::qt
