// number(t), the parse of a typed field or cell text, and NumberText, its inverse.
// The first byte picks the decimal separator; the rest is the text.
//
// Invariants: number either gives a finite value or raises the not-a-number error with
// the whole text; the text of a parsed value parses again to the same text.

#include <cmath>
#include <string>

#include "FuzzSession.h"
#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"

using condsim::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    condsim::setDecimalSeparator((data[0] & 1) != 0 ? ',' : '.');
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    condsim::ext value = 0;
    try {
        value = condsim::number(text);
    } catch (const condsim::Error& error) {
        require(error.text() == condsim::notANumberError(text).text(),
                "number raised another error text");
        return 0;
    }
    require(std::isfinite(value), "number gave a value that is not finite");
    const std::string shown = condsim::NumberText(value);
    condsim::ext again = 0;
    try {
        again = condsim::number(shown);
    } catch (const condsim::Error&) {
        require(false, "the text of a parsed number does not parse");
    }
    require(condsim::NumberText(again) == shown,
            "the text of a parsed number changes on a second pass");
    return 0;
}
