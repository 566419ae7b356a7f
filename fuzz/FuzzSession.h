#pragma once
// What the fuzz targets share: a private working folder made current (the windows write
// "dirinf" and "record.txt" there), the fuzz input as a file a dialog can return, and a
// check that stops the run loudly when an invariant breaks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace condsim::fuzzing {

// Made once per process: a fresh folder below the temporary directory, made current.
const std::string& workingFolder();

// Writes the bytes to one file of the working folder (the same name every run) and
// returns its full name.
std::string inputFile(const uint8_t* data, size_t size);

// Ends the run with the message when the condition does not hold; libFuzzer keeps the
// input as a crash.
void require(bool condition, std::string_view what);

}  // namespace condsim::fuzzing
