#include "ui/DataDirectoryMemory.h"

#include "files/DataDirectory.h"

namespace condsim {

void recallDataDirectory(ProcessState& state) {
    if (state.remembersDataDirectory)
        LoadLastDataDirectory(state.startupDirectory, state.lastDataDirectory);
}

void rememberDataDirectory(ProcessState& state, const std::string& chosenFileName) {
    if (state.remembersDataDirectory)
        StoreLastDataDirectory(state.startupDirectory, chosenFileName, state.lastDataDirectory);
}

}  // namespace condsim
