#include "ui/SessionDocument.h"

#include <algorithm>
#include <filesystem>

#include "files/ObservedDataFile.h"
#include "files/SessionFile.h"
#include "files/TextFile.h"
#include "ui/DataDirectoryMemory.h"

namespace condsim {

std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& name) {
    list.erase(std::remove(list.begin(), list.end(), name), list.end());
    list.insert(list.begin(), name);
    if (list.size() > static_cast<size_t>(recentFileCount)) list.resize(recentFileCount);
    return list;
}

SessionDocument::SessionDocument(Application& app, SessionWindows windows)
    : app_(app), windows_(windows), savedText_(currentText()) {}

std::string SessionDocument::currentText() const {
    // The version is the same in both texts; the comparison is of what the windows hold.
    return sessionText(takeSession(app_, windows_));
}

bool SessionDocument::modified() const { return currentText() != savedText_; }

std::string SessionDocument::displayName() const {
    return fileName_.empty() ? std::string() : std::filesystem::path(fileName_).filename().string();
}

void SessionDocument::remember(const std::string& fileName) {
    fileName_ = fileName;
    notedData_ = app_.state.observed.fileName;
    savedText_ = currentText();
    recent_ = withRecentFile(recent_, fileName);
}

bool SessionDocument::SaveSessionClick() {
    ProcessState& state = app_.state;
    std::filesystem::path proposed = std::filesystem::path(fileName_).filename();
    if (proposed.empty()) {
        proposed = std::filesystem::path(state.observed.fileName).filename();
        proposed.replace_extension(sessionExtension);
        if (proposed.stem().empty()) proposed = std::string("session") + sessionExtension;
    }
    const auto chosen =
        app_.Form1.platform().chooseSaveFile(state.lastDataDirectory, proposed.string());
    if (!chosen) return false;
    rememberDataDirectory(state, *chosen);
    writeSessionFile(*chosen, takeSession(app_, windows_));
    remember(*chosen);
    return true;
}

void SessionDocument::OpenSessionClick() {
    ProcessState& state = app_.state;
    recallDataDirectory(state);
    const auto chosen = app_.Form1.platform().chooseOpenFile(state.lastDataDirectory);
    if (!chosen) return;
    rememberDataDirectory(state, *chosen);
    openSession(*chosen);
}

void SessionDocument::openSession(const std::string& fileName) {
    const std::string full = fullFileName(fileName);
    restoreSession(app_, readSessionFile(full), full, windows_);
    remember(full);
}

void SessionDocument::noteDataFile() {
    const std::string& data = app_.state.observed.fileName;
    if (data == notedData_) return;
    notedData_ = data;
    if (!data.empty() && !app_.state.observedImport) recent_ = withRecentFile(recent_, data);
}

void SessionDocument::openRecentFile(const std::string& fileName) {
    const std::string extension = sessionExtension;
    if (fileName.size() >= extension.size() &&
        fileName.compare(fileName.size() - extension.size(), extension.size(), extension) == 0) {
        openSession(fileName);
        return;
    }
    rememberDataDirectory(app_.state, fileName);
    const NumberRecords records = ReadObservedDataFile(fileName);
    app_.Form1.LoadObservedPairs(fileName, records.values);
    app_.Form1.DrawObservedPlot();
}

}  // namespace condsim
