#pragma once
// Reads numbers from the text of an open file, one value at a time. The period is the
// decimal separator whatever the regional settings.

#include <string_view>

#include "core/Ext.h"

namespace condsim {

class FileValueReader {
public:
    explicit FileValueReader(std::string_view content) : content_(content) {}

    // End of the file: no character left, or a character 26 next.
    bool atEnd() const;

    // True when only characters of code 32 or less remain before the end of the file.
    bool onlyBlanksRemain() const;

    // One value: skips every character of code 32 or less across lines; at the end of
    // the file the value is 0 and no error arises. Otherwise takes up to 64 characters up
    // to the next blank or control character and parses them. A token that is not a number
    // (or lies beyond the extended range) sets the pending invalid-numeric-input error; the
    // position then stays after the token.
    ext readValue();

    // Consumes characters up to and including the next line end: CR LF, a lone CR or a
    // lone LF. At the end of the file it simply stops.
    void skipToNextLine();

    bool invalidInputPending() const { return invalidInput_; }
    void clearPendingError() { invalidInput_ = false; }

private:
    std::string_view content_;
    size_t position_ = 0;
    bool invalidInput_ = false;
};

// Parses one token of a number file. Returns false when it is not a number.
bool parseFileToken(std::string_view token, ext& value);

}  // namespace condsim
