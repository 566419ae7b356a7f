#pragma once
// Why a text did not read as a number, for the messages that say what to type instead:
// whether it has the form of a number and only lies beyond the range of numbers ("1E5000"),
// and whether it reads once its other decimal mark is the separator ("0,5" where the
// separator is a period).

#include <string>
#include <string_view>

namespace condsim {

// Blanks, a sign, digits with the separator, an exponent with digits, blanks: the form of
// a decimal number, whatever its size.
bool hasNumberForm(std::string_view text, char separator);

// The text with its one other decimal mark ('.' or ',', the one that is not the separator)
// replaced by the separator, when that reads as a number; empty otherwise.
std::string withSeparatorForOtherMark(std::string_view text, char separator);

}  // namespace condsim
