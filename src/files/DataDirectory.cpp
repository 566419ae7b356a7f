#include "files/DataDirectory.h"

#include <filesystem>

#include "core/Error.h"
#include "files/TextFile.h"

namespace condsim {

namespace {

// The first line of a text: everything before the first CR or LF.
std::string firstLine(const std::string& content) {
    return content.substr(0, content.find_first_of("\r\n"));
}

}  // namespace

std::string dataDirectoryFileName(const std::string& startupDirectory) {
    return startupDirectory + "/dirinf";
}

void LoadLastDataDirectory(const std::string& startupDirectory, std::string& lastDataDirectory) {
    const std::string name = dataDirectoryFileName(startupDirectory);
    if (!fileExists(name)) return;
    lastDataDirectory = firstLine(readTextFile(name));
    std::error_code ignored;
    if (!lastDataDirectory.empty()) std::filesystem::current_path(lastDataDirectory, ignored);
}

void StoreLastDataDirectory(const std::string& startupDirectory, const std::string& chosenFileName,
                            std::string& lastDataDirectory) {
    std::error_code ignored;
    std::filesystem::path chosen = std::filesystem::absolute(chosenFileName, ignored);
    if (chosen.empty()) chosen = chosenFileName;
    const std::string folder = chosen.parent_path().string();
    // Written whole or not at all, so that a failure keeps the folder stored before. The
    // user did not ask for this file: the error says what it is and where it should be.
    try {
        writeTextFileAtomically(dataDirectoryFileName(startupDirectory), folder + "\r\n");
    } catch (const Error& error) {
        throw Error(error.text(),
                    "condsim remembers the last data folder in the file dirinf, which cannot be "
                    "written in " +
                        fullFileName(startupDirectory));
    }
    lastDataDirectory = folder;
}

}  // namespace condsim
