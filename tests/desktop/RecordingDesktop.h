#pragma once
// The desktop program in a test: its own temporary current folder (for "record.txt" and
// "dirinf"), and a platform that keeps messages and errors (and shows their modal boxes
// only when the test asks for them), answers File/Open and File/Save with names the test
// sets (no name cancels the dialog) and keeps the name the save dialog proposed.

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/DesktopApplication.h"

// Whether the message and error boxes are only recorded or also shown, as the program
// shows them, for a test of the boxes themselves.
enum class Boxes { Recorded, Shown };

class RecordingPlatform : public condsim::qt::QtPlatform {
  public:
    explicit RecordingPlatform(Boxes boxes = Boxes::Recorded)
        : QtPlatform(condsim::qt::DesktopApplication::title), boxes_(boxes) {}
    void message(const std::string& text) override {
        messages.push_back(text);
        if (boxes_ == Boxes::Shown) QtPlatform::message(text);
    }
    void error(const std::string& text) override {
        errors.push_back(text);
        if (boxes_ == Boxes::Shown) QtPlatform::error(text);
    }
    std::optional<std::string> chooseOpenFile(const std::string&) override {
        ++fileDialogs;
        return openAnswer;
    }
    std::optional<std::string> chooseSaveFile(const std::string&,
                                              const std::string& proposed) override {
        ++fileDialogs;
        proposedSaveName = proposed;
        return saveAnswer;
    }
    // Closing with unsaved changes: the question is kept and answered as the test says.
    UnsavedChanges askToSaveChanges(const std::string& text) override {
        questions.push_back(text);
        return unsavedAnswer;
    }
    void copyToClipboard(const std::string& text) override { clipboard = text; }
    std::vector<std::string> questions;
    UnsavedChanges unsavedAnswer = UnsavedChanges::Discard;
    std::string clipboard;
    int fileDialogs = 0;  // how many file dialogs were asked for
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
    std::string proposedSaveName;
    std::vector<std::string> messages;
    std::vector<std::string> errors;

  private:
    Boxes boxes_;
};

class RecordingDesktop {
  public:
    explicit RecordingDesktop(Boxes boxes = Boxes::Recorded)
        : previousDirectory_(QDir::currentPath()) {
        QDir::setCurrent(directory_.path());
        auto platform = std::make_unique<RecordingPlatform>(boxes);
        platform_ = platform.get();
        desktop_ = std::make_unique<condsim::qt::DesktopApplication>(std::move(platform),
                                                                     condsim::qt::DesignScale(96));
        desktop_->start();
    }
    ~RecordingDesktop() {
        desktop_.reset();
        QDir::setCurrent(previousDirectory_);
    }
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;

    condsim::qt::DesktopApplication& desktop() { return *desktop_; }
    RecordingPlatform& platform() { return *platform_; }
    bool valid() const { return directory_.isValid(); }
    // A file in the test's own current folder.
    QString filePath(const QString& name) const { return directory_.filePath(name); }

  private:
    QString previousDirectory_;
    QTemporaryDir directory_;
    RecordingPlatform* platform_ = nullptr;
    std::unique_ptr<condsim::qt::DesktopApplication> desktop_;
};
