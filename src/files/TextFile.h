#pragma once
// The one text-file channel: every file of condsim is read or written whole through these
// functions, inside one handler, and closed on every path (errors included). Failures are
// raised as the I/O errors of the error table (file not found, invalid name, access
// denied, disk full, ...). Text is bytes as they stand: no byte-order mark, no conversion.

#include <string>

namespace condsim {

// The whole content of a file.
std::string readTextFile(const std::string& name);

// Creates the file, or empties an existing one, and writes the content.
void writeTextFile(const std::string& name, const std::string& content);

// Writes the content to a temporary file in the target's folder and renames it over the
// target only when complete, so that a failure leaves an existing file untouched and no
// partial file behind. A symbolic link is replaced through the link (the link stays);
// a target that exists and is not a regular file (a device, a FIFO) is written in place;
// a replaced file keeps its permissions.
void writeTextFileAtomically(const std::string& name, const std::string& content);

bool fileExists(const std::string& name);

// The I/O error code of an errno value.
int ioCodeOfErrno(int error);

}  // namespace condsim
