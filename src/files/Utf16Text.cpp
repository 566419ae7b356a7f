#include "files/Utf16Text.h"

#include <algorithm>

#include "core/Error.h"
#include "files/TextFile.h"

namespace condsim {

namespace {

// How much of the start of the file is looked at; enough for a line of numbers.
constexpr size_t examinedBytes = 64;

// True when every byte at the positions of the given parity (0 or 1) is NUL and some byte
// at the other parity is not, over at least two characters.
bool nulAtEveryOther(std::string_view start, size_t parity) {
    if (start.size() < 4) return false;
    bool otherByteSeen = false;
    for (size_t i = 0; i < start.size(); ++i) {
        if (i % 2 == parity) {
            if (start[i] != '\0') return false;
        } else if (start[i] != '\0') {
            otherByteSeen = true;
        }
    }
    return otherByteSeen;
}

}  // namespace

bool looksLikeUtf16(std::string_view content) {
    if (content.substr(0, 2) == "\xFF\xFE" || content.substr(0, 2) == "\xFE\xFF") return true;
    std::string_view start = content.substr(0, std::min(content.size(), examinedBytes));
    start = start.substr(0, start.size() - start.size() % 2);
    return nulAtEveryOther(start, 0) || nulAtEveryOther(start, 1);
}

void refuseUtf16Text(std::string_view content, const std::string& fileName) {
    if (!looksLikeUtf16(content)) return;
    throw Error(
        "The file is UTF-16 text (\"Unicode\" in some editors): condsim reads number files as "
        "ASCII or UTF-8; save it as UTF-8",
        fullFileName(fileName));
}

}  // namespace condsim
