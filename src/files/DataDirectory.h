#pragma once
// The memory of the last data directory: the folder where the file dialogs start, kept
// between runs as one line (the folder, then CR LF) in the file "dirinf" of the start-up
// directory.

#include <string>

namespace condsim {

// The full name of "dirinf": the start-up directory, "/" and "dirinf".
std::string dataDirectoryFileName(const std::string& startupDirectory);

// When "dirinf" exists: reads its line (up to the first line end) into lastDataDirectory
// and makes that folder the current directory; a folder that cannot be made current
// (empty, missing) is silently kept as the dialogs' start only. Without "dirinf" nothing
// changes. A read failure raises its I/O error and changes nothing.
void LoadLastDataDirectory(const std::string& startupDirectory, std::string& lastDataDirectory);

// Records the folder of the file just chosen: rewrites "dirinf" with it, then makes it
// lastDataDirectory, so that the next dialog starts there. A relative name is taken
// against the current directory. A write failure raises its I/O error (for example access
// denied), with a detail line that names "dirinf" and the start-up directory, and leaves
// both "dirinf" and lastDataDirectory as they were.
void StoreLastDataDirectory(const std::string& startupDirectory, const std::string& chosenFileName,
                            std::string& lastDataDirectory);

}  // namespace condsim
