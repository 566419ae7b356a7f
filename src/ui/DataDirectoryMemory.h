#pragma once
// The file dialogs' memory of the last data directory ("dirinf"), as the windows use it:
// only when the process keeps it (ProcessState::remembersDataDirectory). The desktop program
// keeps it; the batch tool does not, so that one run cannot change where the next one reads
// or writes.

#include <string>

#include "ui/ProcessState.h"

namespace condsim {

// LoadLastDataDirectory: the folder stored in "dirinf" becomes the dialogs' start and the
// current directory. Nothing happens when the process keeps no memory.
void recallDataDirectory(ProcessState& state);

// StoreLastDataDirectory: the folder of the file just chosen is kept for the next dialog.
// Nothing happens when the process keeps no memory.
void rememberDataDirectory(ProcessState& state, const std::string& chosenFileName);

}  // namespace condsim
