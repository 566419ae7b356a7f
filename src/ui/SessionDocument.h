#pragma once
// The session the desktop program works in: the file it was last saved to or opened
// from, whether the windows have changed since, the handlers of File/Save Session and
// File/Open Session, and the list of recent files.

#include <optional>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/SessionState.h"

namespace condsim {

// How many files the recent-files list keeps.
inline constexpr int recentFileCount = 8;

// The list with name first, an earlier entry of the same name removed, at most
// recentFileCount entries.
std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& name);

class SessionDocument {
  public:
    // Takes the windows as they stand at start-up as unchanged.
    SessionDocument(Application& app, SessionWindows windows);

    // File/Save Session: the save dialog (proposing the session's name, or the data
    // file's with the session extension), then the file. True when it was written.
    bool SaveSessionClick();
    // File/Open Session: the open dialog, then openSession of the file chosen.
    void OpenSessionClick();
    // Restores the windows from the file (refusing, with nothing changed, a session they
    // would refuse); the session becomes the one worked in.
    void openSession(const std::string& fileName);

    // Whether anything that a session holds differs from the file saved or opened last
    // (from the start-up state when there is none).
    bool modified() const;
    // The file saved or opened last; empty before either.
    const std::string& fileName() const { return fileName_; }
    // The session's file name without its folder, or empty.
    std::string displayName() const;

    // Files opened or saved, newest first: sessions, observed data and imports.
    const std::vector<std::string>& recentFiles() const { return recent_; }
    void setRecentFiles(std::vector<std::string> files) { recent_ = std::move(files); }
    // After every action: a data file that File/Open has loaded since joins the list.
    // (Imported data do not: their file needs the import's choices.)
    void noteDataFile();
    // A recent file chosen: a session is opened, a data file loaded as File/Open loads it.
    void openRecentFile(const std::string& fileName);

  private:
    std::string currentText() const;
    void remember(const std::string& fileName);

    Application& app_;
    SessionWindows windows_;
    std::string fileName_;
    std::string savedText_;
    std::vector<std::string> recent_;
    std::string notedData_;  // the data file the list last saw in the windows
};

}  // namespace condsim
