#include "FuzzSession.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace condsim::fuzzing {

const std::string& workingFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "condsim-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        std::filesystem::current_path(pattern);
        return pattern;
    }();
    return folder;
}

std::string inputFile(const uint8_t* data, size_t size) {
    const std::string name = workingFolder() + "/input.txt";
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    require(out.good(), "the fuzz input could not be written");
    return name;
}

void require(bool condition, std::string_view what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

}  // namespace condsim::fuzzing
