#pragma once
// What the windows need from the platform: modal messages, the error box, file dialogs
// and the immediate end of the process. The Qt layer implements it with message boxes
// and file dialogs; tests and the batch tool with scripted answers.

#include <optional>
#include <string>

namespace condsim {

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message with one OK button; returns when it is closed.
    virtual void message(const std::string& text) = 0;
    // The error box: stop icon, the application's title, OK. The text already carries
    // its final ".".
    virtual void error(const std::string& text) = 0;
    // The open dialog started in initialDirectory; the full name chosen, or nothing when
    // the user cancelled.
    virtual std::optional<std::string> chooseOpenFile(const std::string& initialDirectory) = 0;
    // The save dialog started in initialDirectory with a proposed file name.
    virtual std::optional<std::string> chooseSaveFile(const std::string& initialDirectory,
                                                      const std::string& proposedName) = 0;
    // Ends the process at once.
    virtual void exit() = 0;
};

}  // namespace condsim
