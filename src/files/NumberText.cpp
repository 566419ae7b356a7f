#include "files/NumberText.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

namespace {

constexpr std::uint64_t tenToThe17 = 100000000000000000ULL;
constexpr std::uint64_t tenToThe18 = 1000000000000000000ULL;

// 5^k for k = 0..55; 5^55 is the largest power of five below 2^128.
constexpr int largestFivePower = 55;
constexpr std::array<unsigned __int128, largestFivePower + 1> powersOfFive = [] {
    std::array<unsigned __int128, largestFivePower + 1> powers{};
    powers[0] = 1;
    for (size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
    return powers;
}();

// A 192-bit unsigned integer, least significant word first.
using Wide = std::array<std::uint64_t, 3>;

Wide timesWide(std::uint64_t a, unsigned __int128 b) {
    const unsigned __int128 low = static_cast<unsigned __int128>(a) * static_cast<std::uint64_t>(b);
    const unsigned __int128 high =
        static_cast<unsigned __int128>(a) * static_cast<std::uint64_t>(b >> 64);
    const unsigned __int128 middle = (low >> 64) + static_cast<std::uint64_t>(high);
    return {static_cast<std::uint64_t>(low), static_cast<std::uint64_t>(middle),
            static_cast<std::uint64_t>(high >> 64) + static_cast<std::uint64_t>(middle >> 64)};
}

bool bitOf(const Wide& value, int bit) {
    return ((value[static_cast<size_t>(bit / 64)] >> (bit % 64)) & 1U) != 0;
}

// Whether any bit below `bit` is set.
bool anyBitBelow(const Wide& value, int bit) {
    const int word = bit / 64;
    for (int w = 0; w < word; ++w) {
        if (value[static_cast<size_t>(w)] != 0) return true;
    }
    const int offset = bit % 64;
    return offset != 0 &&
           (value[static_cast<size_t>(word)] & ((std::uint64_t{1} << offset) - 1)) != 0;
}

// value >> shift, for a result below 2^64 and 0 < shift < 192.
std::uint64_t shiftedDown(const Wide& value, int shift) {
    const size_t word = static_cast<size_t>(shift / 64);
    const int offset = shift % 64;
    std::uint64_t result = value[word] >> offset;
    if (offset != 0 && word + 1 < value.size()) result |= value[word + 1] << (64 - offset);
    return result;
}

// floor(mantissa x 2^binaryExponent x 10^scale) and whether the rest is above, at or
// below one half: the exact product m x 5^scale shifted by binaryExponent + scale.
struct ScaledValue {
    std::uint64_t whole;
    bool halfBit;
    bool belowHalf;  // bits under the half bit
};

bool scaledExactly(std::uint64_t mantissa, int binaryExponent, int scale, ScaledValue& result) {
    if (scale < 0 || scale > largestFivePower) return false;
    const int shift = -(binaryExponent + scale);
    if (shift <= 0 || shift >= 192) return false;
    const Wide product = timesWide(mantissa, powersOfFive[static_cast<size_t>(scale)]);
    result.whole = shiftedDown(product, shift);
    result.halfBit = bitOf(product, shift - 1);
    result.belowHalf = anyBitBelow(product, shift - 1);
    return true;
}

// The 18 significant digits of a positive normal magnitude, correctly rounded with ties
// to even, and the exponent with magnitude = 0.d1d2...d18 x 10^exponent, computed exactly
// in integers. False where the powers of five needed are out of reach (magnitudes below
// 1e-38 or from 1e18 on).
bool eighteenDigitsExactly(ext magnitude, char* digits, int& exponent) {
    // magnitude = mantissa x 2^(biased - 16383 - 63), the mantissa with its top bit set.
    unsigned char bytes[sizeof(ext)];
    std::memcpy(bytes, &magnitude, sizeof bytes);
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, bytes, sizeof mantissa);
    std::uint16_t signAndExponent = 0;
    std::memcpy(&signAndExponent, bytes + sizeof mantissa, sizeof signAndExponent);
    const int binaryPower = (signAndExponent & 0x7FFF) - 16383;  // 2^binaryPower <= magnitude
    const int binaryExponent = binaryPower - 63;

    // The decimal exponent E with 10^E <= magnitude < 10^(E + 1): first estimated from the
    // binary power (78913 / 2^18 is close to log10(2)), then settled by the scaled value
    // itself, which must have exactly 18 digits before the point.
    int decimalPower = (binaryPower * 78913) >> 18;
    ScaledValue scaled{};
    for (int attempt = 0;; ++attempt) {
        if (attempt == 3 || !scaledExactly(mantissa, binaryExponent, 17 - decimalPower, scaled))
            return false;
        if (scaled.whole >= tenToThe18) {
            ++decimalPower;
        } else if (scaled.whole < tenToThe17) {
            --decimalPower;
        } else {
            break;
        }
    }
    std::uint64_t rounded = scaled.whole;
    if (scaled.halfBit && (scaled.belowHalf || (rounded & 1U) != 0)) ++rounded;
    if (rounded == tenToThe18) {
        rounded = tenToThe17;
        ++decimalPower;
    }
    for (int i = scaledDigitCount - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + rounded % 10);
        rounded /= 10;
    }
    exponent = decimalPower + 1;
    return true;
}

}  // namespace

namespace detail {

int eighteenDigitsByPrintf(ext magnitude, char* digits) {
    // d.ddddddddddddddddde+XXXX, correctly rounded by the C library.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", scaledDigitCount - 1, magnitude);
    int count = 0;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (isDigit(*p)) digits[count++] = *p;
    }
    return std::atoi(p + 1) + 1;
}

int eighteenDigits(ext magnitude, char* digits) {
    int exponent = 0;
    if (eighteenDigitsExactly(magnitude, digits, exponent)) return exponent;
    return eighteenDigitsByPrintf(magnitude, digits);
}

}  // namespace detail

std::string NumberText(ext value) { return NumberText(value, decimalSeparator()); }

std::string NumberText(ext value, char separator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0 || std::fpclassify(value) == FP_SUBNORMAL) return "0";

    const bool negative = value < 0;
    char digits[scaledDigitCount];
    // |value| = 0.d1d2... x 10^exponent
    int exponent = detail::eighteenDigits(std::fabs(value), digits);

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

    // At most a sign, "0.", three zeros and 15 digits, or d.dddddddddddddd E-dddd.
    char text[32];
    size_t length = 0;
    const auto put = [&](char c) { text[length++] = c; };
    const auto putDigits = [&](const char* from, int count) {
        for (int i = 0; i < count; ++i) put(from[i]);
    };
    if (negative) put('-');
    if (exponent >= -3 && exponent <= 15) {
        if (exponent <= 0) {
            put('0');
            put(separator);
            for (int i = 0; i < -exponent; ++i) put('0');
            putDigits(digits, kept);
        } else if (kept <= exponent) {
            putDigits(digits, kept);
            for (int i = kept; i < exponent; ++i) put('0');
        } else {
            putDigits(digits, exponent);
            put(separator);
            putDigits(digits + exponent, kept - exponent);
        }
    } else {
        put(digits[0]);
        if (kept > 1) {
            put(separator);
            putDigits(digits + 1, kept - 1);
        }
        put('E');
        int shown = exponent - 1;
        if (shown < 0) {
            put('-');
            shown = -shown;
        }
        char reversed[8];
        int count = 0;
        do {
            reversed[count++] = static_cast<char>('0' + shown % 10);
            shown /= 10;
        } while (shown > 0);
        while (count > 0) put(reversed[--count]);
    }
    return std::string(text, length);
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

namespace {

// Significands of up to 19 digits are below 2^64 and so exact in extended precision.
constexpr int exactSignificandDigits = 19;
// 10^k is exact in extended precision for k up to 27 (5^27 < 2^64).
constexpr int largestExactPowerOfTen = 27;
constexpr std::array<ext, largestExactPowerOfTen + 1> powersOfTen = [] {
    std::array<ext, largestExactPowerOfTen + 1> powers{};
    powers[0] = 1;
    for (size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 10;
    return powers;
}();

}  // namespace

ext number(std::string_view text) {
    const char separator = decimalSeparator();
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    const size_t integerBegin = i;
    while (i < n && isDigit(text[i])) ++i;
    const std::string_view integerDigits = text.substr(integerBegin, i - integerBegin);
    bool consumed = !integerDigits.empty();
    std::string_view fractionDigits;
    if (i < n && text[i] == separator) {
        ++i;
        consumed = true;
        const size_t fractionBegin = i;
        while (i < n && isDigit(text[i])) ++i;
        fractionDigits = text.substr(fractionBegin, i - fractionBegin);
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
    const long scale = exponent - static_cast<long>(fractionDigits.size());

    // A short significand and a small scale: one multiplication or division of two exact
    // values, which rounds correctly, as the exact parse below would.
    std::uint64_t significand = 0;
    int significantCount = 0;
    for (const std::string_view part : {integerDigits, fractionDigits}) {
        for (const char c : part) {
            if (significantCount == 0 && c == '0') continue;
            if (++significantCount <= exactSignificandDigits) {
                significand = significand * 10 + static_cast<std::uint64_t>(c - '0');
            }
        }
    }
    const bool shortSignificand = significantCount <= exactSignificandDigits;
    if (shortSignificand && significand == 0) return negative ? -0.0L : 0.0L;
    if (shortSignificand && scale >= -largestExactPowerOfTen && scale <= largestExactPowerOfTen) {
        const ext power = powersOfTen[static_cast<size_t>(scale < 0 ? -scale : scale)];
        const ext magnitude = scale < 0 ? static_cast<ext>(significand) / power
                                        : static_cast<ext>(significand) * power;
        return negative ? -magnitude : magnitude;
    }

    std::string digits;
    digits.reserve(integerDigits.size() + fractionDigits.size());
    digits.append(integerDigits);
    digits.append(fractionDigits);
    bool overflow = false;
    const ext value = detail::scaledDigits(digits, scale, negative, overflow);
    if (overflow) throw notANumberError(std::string(text));
    return value;
}

std::optional<ext> numberOrNothing(std::string_view text) {
    try {
        return number(text);
    } catch (const Error&) {
        return std::nullopt;
    }
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
