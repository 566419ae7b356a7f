#pragma once
// A Platform that answers file dialogs from a script and records everything it was
// asked to show. Used by the tests and by the batch tool.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/Platform.h"

namespace condsim {

class ScriptedPlatform : public Platform {
  public:
    struct DialogRequest {
        bool save = false;
        std::string initialDirectory;
        std::string proposedName;
    };

    // The next file dialog returns this name; std::nullopt scripts a cancel.
    void answerNextDialog(std::optional<std::string> fileName) {
        dialogAnswers_.push_back(std::move(fileName));
    }

    void message(const std::string& text) override { messages.push_back(text); }
    void error(const std::string& text) override { errors.push_back(text); }
    std::optional<std::string> chooseOpenFile(const std::string& initialDirectory) override;
    std::optional<std::string> chooseSaveFile(const std::string& initialDirectory,
                                              const std::string& proposedName) override;
    void exit() override { exitRequested = true; }

    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<DialogRequest> dialogs;
    bool exitRequested = false;

  private:
    std::optional<std::string> nextAnswer();
    std::deque<std::optional<std::string>> dialogAnswers_;
};

}  // namespace condsim
