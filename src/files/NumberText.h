#pragma once
// The decimal text form of numbers in fields, cells and the report, and its parse.

#include <string>
#include <string_view>

#include "core/Ext.h"

namespace condsim {

// General format with 15 significant digits and the process decimal separator:
// fixed notation for decimal exponents -3..15, otherwise d.dddE-x without '+' or padding.
// Zero, -0 and denormals give "0"; infinities "INF"/"-INF"; NaN "NAN".
std::string NumberText(ext value);
// The same with a given decimal separator: the period for text that a file carries.
std::string NumberText(ext value, char separator);

// number(t): the parse of a field or cell text. Leading and trailing blanks (code 32 only)
// are allowed; a sign, digits, the decimal separator, digits, and an exponent. Throws the
// not-a-number error with the untrimmed text when the text is not a number or overflows.
ext number(std::string_view text);

// Removes every leading and trailing character whose code is 32 or less.
std::string trimmed(std::string_view text);

// Decimal digits with a leading '-' for negative values.
std::string integerText(int value);

namespace detail {
// The 18 significant digits of a positive normal magnitude, correctly rounded with ties to
// even, into digits[0..17]; returns the exponent e with magnitude = 0.d1d2...d18 x 10^e.
// Exact integer arithmetic where it reaches (1e-38 to 1e18), the C library elsewhere.
int eighteenDigits(ext magnitude, char* digits);
// The same through the C library's formatting, for every magnitude.
int eighteenDigitsByPrintf(ext magnitude, char* digits);

// The value of an unsigned decimal digit string scaled by 10^exponent, correctly rounded
// to extended precision; sets overflow when the magnitude exceeds the extended range.
// Underflow gives 0 or a denormal.
ext scaledDigits(std::string_view digits, long exponent, bool negative, bool& overflow);
}  // namespace detail

}  // namespace condsim
