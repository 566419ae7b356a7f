#include "ui/ScriptedPlatform.h"

namespace condsim {

std::optional<std::string> ScriptedPlatform::nextAnswer() {
    if (dialogAnswers_.empty()) return std::nullopt;  // an unscripted dialog is cancelled
    auto answer = std::move(dialogAnswers_.front());
    dialogAnswers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPlatform::chooseOpenFile(const std::string& initialDirectory) {
    dialogs.push_back({false, initialDirectory, {}});
    return nextAnswer();
}

std::optional<std::string> ScriptedPlatform::chooseSaveFile(const std::string& initialDirectory,
                                                            const std::string& proposedName) {
    dialogs.push_back({true, initialDirectory, proposedName});
    return nextAnswer();
}

}  // namespace condsim
