// The command line of condsim-batch: the input split at NUL bytes into arguments.
// Parsing gives options or a usage error with a reason, never anything else.

#include <string>
#include <vector>

#include "FuzzSession.h"
#include "batch/BatchOptions.h"

using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    try {
        const auto options = condsim::parseBatchOptions(arguments);
        if (options.fitN) require(options.fit.has_value(), "--fit-n accepted without --fit");
    } catch (const condsim::BatchUsageError& error) {
        require(!error.reason.empty(), "a usage error without a reason");
    }
    return 0;
}
