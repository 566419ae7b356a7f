#pragma once
// The one text-file channel: every file of condsim is read or written whole through these
// functions, inside one handler, and closed on every path (errors included). Failures are
// raised as the I/O errors of the error table (file not found, invalid name, access
// denied, disk full, ...), with the full name of the file as their detail line. Text is
// bytes as they stand: no conversion.

#include <cstddef>
#include <string>

namespace condsim {

// The most that is read from one file: far above any number file condsim reads (100 pairs
// in any layout of blanks), and a bound on the memory that a device such as /dev/zero or
// a file of the wrong kind can take.
inline constexpr std::size_t mebibyte = std::size_t{1024} * 1024;
inline constexpr std::size_t maximumReadBytes = 16 * mebibyte;

// The whole content of a file. A file of more than maximumReadBytes is refused after
// reading one byte beyond the limit, with an error that names the limit and the file.
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

// The name as the user is shown it: a relative name is taken against the current
// directory.
std::string fullFileName(const std::string& name);

// The I/O error code of an errno value.
int ioCodeOfErrno(int error);

}  // namespace condsim
