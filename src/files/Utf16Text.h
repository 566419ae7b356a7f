#pragma once
// Number files are ASCII or UTF-8 text. A UTF-16 file (Windows' "Unicode" text, some
// instruments' exports) has a NUL byte beside every ASCII character; read as bytes, its
// NULs count as blanks and each digit as a number of its own, which gave nonsense pairs.
// Such a file is refused by name instead.

#include <string>
#include <string_view>

namespace condsim {

// True for text that begins with a UTF-16 byte-order mark, or whose first characters have
// a NUL byte in every second place (UTF-16 without a mark).
bool looksLikeUtf16(std::string_view content);

// Throws Error naming the file when looksLikeUtf16(content).
void refuseUtf16Text(std::string_view content, const std::string& fileName);

}  // namespace condsim
