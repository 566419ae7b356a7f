#include "files/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/Error.h"
#include "files/DecimalSeparator.h"

namespace condsim {

namespace {

constexpr int significantDigits = 15;
// Digits taken from the scaled value before the rounding to 15.
constexpr int scaledDigitCount = 18;

// Largest exponent of number(t): exponent digits are read while the value read so far
// is below this; a digit left over after it fails the parse.
constexpr int exponentReadLimit = 500;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string NumberText(ext value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0 || std::fpclassify(value) == FP_SUBNORMAL) return "0";

    const bool negative = value < 0;
    // 18 significant digits, correctly rounded: d.ddddddddddddddddde+XXXX
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", scaledDigitCount - 1, std::fabs(value));
    char digits[scaledDigitCount + 1];
    int count = 0;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (isDigit(*p)) digits[count++] = *p;
    }
    // |value| = 0.d1d2... x 10^exponent
    int exponent = std::atoi(p + 1) + 1;

    // Round the 18 digits to 15, half up, carrying to the left.
    if (digits[significantDigits] >= '5') {
        int i = significantDigits - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';
            for (int j = 1; j < significantDigits; ++j) digits[j] = '0';
            ++exponent;
        }
    }
    int kept = significantDigits;
    while (kept > 1 && digits[kept - 1] == '0') --kept;

    const char separator = decimalSeparator();
    std::string text;
    text.reserve(24);
    if (negative) text += '-';
    if (exponent >= -3 && exponent <= 15) {
        if (exponent <= 0) {
            text += '0';
            text += separator;
            text.append(static_cast<size_t>(-exponent), '0');
            text.append(digits, static_cast<size_t>(kept));
        } else if (kept <= exponent) {
            text.append(digits, static_cast<size_t>(kept));
            text.append(static_cast<size_t>(exponent - kept), '0');
        } else {
            text.append(digits, static_cast<size_t>(exponent));
            text += separator;
            text.append(digits + exponent, static_cast<size_t>(kept - exponent));
        }
    } else {
        text += digits[0];
        if (kept > 1) {
            text += separator;
            text.append(digits + 1, static_cast<size_t>(kept - 1));
        }
        text += 'E';
        text += std::to_string(exponent - 1);
    }
    return text;
}

namespace detail {

ext scaledDigits(std::string_view digits, long exponent, bool negative, bool& overflow) {
    overflow = false;
    size_t first = 0;
    while (first < digits.size() && digits[first] == '0') ++first;
    if (first == digits.size()) return negative ? -0.0L : 0.0L;
    // strtold rounds correctly; the text has no decimal point, so the C library's
    // locale plays no part.
    std::string literal;
    literal.reserve(digits.size() - first + 24);
    if (negative) literal += '-';
    literal.append(digits.substr(first));
    literal += 'e';
    literal += std::to_string(exponent);
    errno = 0;
    const ext value = std::strtold(literal.c_str(), nullptr);
    if (std::isinf(value)) overflow = true;
    return value;
}

}  // namespace detail

ext number(std::string_view text) {
    const char separator = decimalSeparator();
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string digits;
    bool consumed = false;
    while (i < n && isDigit(text[i])) {
        digits += text[i++];
        consumed = true;
    }
    long fractionDigits = 0;
    if (i < n && text[i] == separator) {
        ++i;
        consumed = true;
        while (i < n && isDigit(text[i])) {
            digits += text[i++];
            ++fractionDigits;
        }
    }
    if (!consumed) throw notANumberError(std::string(text));

    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        while (i < n && isDigit(text[i]) && exponent < exponentReadLimit) {
            exponent = exponent * 10 + (text[i++] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) throw notANumberError(std::string(text));

    bool overflow = false;
    const ext value = detail::scaledDigits(digits, exponent - fractionDigits, negative, overflow);
    if (overflow) throw notANumberError(std::string(text));
    return value;
}

std::string trimmed(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string integerText(int value) { return std::to_string(value); }

}  // namespace condsim
