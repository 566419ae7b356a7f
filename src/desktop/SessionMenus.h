#pragma once
// File/Open Session..., File/Save Session..., File/Recent Files and Edit/Copy as Command of
// the main window; its title, which names the session and marks unsaved changes; and the
// question when the window is closed with unsaved changes.
//
// The recent files are kept with QSettings, in the user's own settings: they belong to the
// user, not to the folder the program starts in (where "dirinf" keeps the last data
// folder in its designed form), and the batch tool keeps no state at all.

namespace condsim::qt {

class DesktopApplication;

void connectSessionMenus(DesktopApplication& desktop);

// The main window's title: the session's name and "*" for unsaved changes before the
// designed caption, which stands alone while nothing was saved, opened or changed.
void showSessionTitle(DesktopApplication& desktop);

}  // namespace condsim::qt
