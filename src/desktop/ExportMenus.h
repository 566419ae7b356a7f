#pragma once
// File/Export Figure... and File/Export Data... of the main, abundance and Fit windows:
// the figure dialog, then the headless export through the guarded dispatch.

namespace condsim::qt {

class DesktopApplication;

// Connects the export items of the windows' File menus.
void connectExportMenus(DesktopApplication& desktop);

}  // namespace condsim::qt
