#pragma once
// Reads numbers from the text of an open file, one value at a time. The period is the
// decimal separator whatever the regional settings.

#include <string>
#include <string_view>

#include "core/Ext.h"

namespace condsim {

class FileValueReader {
  public:
    // A UTF-8 byte-order mark at the start of the content is skipped: editors on other
    // systems write one before the first number.
    explicit FileValueReader(std::string_view content);

    // End of the file: no character left, or a character 26 next.
    bool atEnd() const;

    // True when only characters of code 32 or less remain before the end of the file.
    bool onlyBlanksRemain() const;

    // One value: skips every character of code 32 or less across lines; at the end of
    // the file the value is 0 and no error arises. Otherwise takes the characters up to
    // the next blank or control character and parses them. A token that is not a number,
    // lies beyond the extended range or is longer than 64 characters (no number needs
    // more, and cutting it would read its rest as another value) sets the pending
    // invalid-numeric-input error; the position then stays after the token.
    ext readValue();

    // The line (from 1) on which the last value read began, and its token.
    int valueLine() const { return valueLine_; }
    std::string_view valueToken() const { return valueToken_; }

    // Consumes characters up to and including the next line end: CR LF, a lone CR or a
    // lone LF. At the end of the file it simply stops.
    void skipToNextLine();

    bool invalidInputPending() const { return invalidInput_; }
    void clearPendingError() { invalidInput_ = false; }
    // The first token that set the pending error since it was last cleared, and its line.
    std::string_view invalidToken() const { return invalidToken_; }
    int invalidTokenLine() const { return invalidTokenLine_; }

  private:
    // Consumes one character, counting line ends: CR LF, a lone CR or a lone LF.
    void advance();

    std::string_view content_;
    size_t position_ = 0;
    int line_ = 1;
    int valueLine_ = 1;
    std::string_view valueToken_;
    bool invalidInput_ = false;
    std::string_view invalidToken_;
    int invalidTokenLine_ = 0;
};

// A token as an error message shows it: at most 64 characters, then "..."; bytes that are
// not printable (control characters, broken UTF-8) as \xNN.
std::string shownToken(std::string_view token);

// Parses one token of a number file. Returns false when it is not a number.
bool parseFileToken(std::string_view token, ext& value);

}  // namespace condsim
