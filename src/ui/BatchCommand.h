#pragma once
// Edit/Copy as Command without the clipboard: the condsim-batch command line that
// calculates what the windows hold, so that a result in a notebook or a paper can be
// repeated. The windows' state becomes options; the constants table, where it is not what
// Initialize makes from the fields, and scaling factors other than 1 become files beside
// the observed data, written with every digit of their values.

#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"

namespace condsim {

struct BatchCommand {
    std::vector<std::string> arguments;  // after the program's name
    // The files the command reads that no file of the windows holds: name and content.
    std::vector<std::pair<std::string, std::string>> files;
};

BatchCommand batchCommandOf(const Application& app);

// The argument as a POSIX shell reads it back: as it is where it holds only characters
// that the shell takes literally, otherwise in single quotes.
std::string shellQuoted(const std::string& argument);

// "condsim-batch" and the arguments, shell-quoted, on one line.
std::string commandLineText(const BatchCommand& command);

// Writes the command's files and gives its line.
std::string copyAsCommand(const Application& app);

}  // namespace condsim
