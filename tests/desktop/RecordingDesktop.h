#pragma once
// The desktop program in a test: its own temporary current folder (for "record.txt" and
// "dirinf"), and a platform that keeps messages and errors instead of showing modal boxes,
// answers File/Open with a name the test sets and cancels the save dialog, keeping the
// name it proposed.

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/DesktopApplication.h"

class RecordingPlatform : public condsim::qt::QtPlatform {
  public:
    RecordingPlatform() : QtPlatform(condsim::qt::DesktopApplication::title) {}
    void message(const std::string& text) override { messages.push_back(text); }
    void error(const std::string& text) override { errors.push_back(text); }
    std::optional<std::string> chooseOpenFile(const std::string&) override { return openAnswer; }
    std::optional<std::string> chooseSaveFile(const std::string&,
                                              const std::string& proposed) override {
        proposedSaveName = proposed;
        return std::nullopt;
    }
    std::optional<std::string> openAnswer;
    std::string proposedSaveName;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
};

class RecordingDesktop {
  public:
    RecordingDesktop() : previousDirectory_(QDir::currentPath()) {
        QDir::setCurrent(directory_.path());
        auto platform = std::make_unique<RecordingPlatform>();
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
