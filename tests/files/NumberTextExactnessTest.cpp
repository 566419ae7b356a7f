// The fast paths of number text against the C library's exact conversions: the integer
// digit generation of NumberText against printf, and the short parse of number(t)
// against strtold, on random values across and beyond the ranges the fast paths cover.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "files/NumberText.h"

namespace condsim {
namespace {

std::string digitsOf(int (*generate)(ext, char*), ext magnitude) {
    char digits[18];
    const int exponent = generate(magnitude, digits);
    return std::string(digits, 18) + "e" + std::to_string(exponent);
}

void expectSameDigits(ext magnitude) {
    EXPECT_EQ(digitsOf(detail::eighteenDigits, magnitude),
              digitsOf(detail::eighteenDigitsByPrintf, magnitude))
        << std::hexfloat << static_cast<double>(magnitude);
}

TEST(NumberTextDigits, AgreeWithTheCLibraryOnRandomValues) {
    std::mt19937_64 random(20240607);
    std::uniform_int_distribution<int> binaryPower(-140, 70);  // beyond 1e-38 .. 1e18 both ways
    for (int k = 0; k < 300000; ++k) {
        const std::uint64_t mantissa = random() | (std::uint64_t{1} << 63);
        expectSameDigits(std::ldexp(static_cast<ext>(mantissa), binaryPower(random) - 63));
    }
}

TEST(NumberTextDigits, AgreeWithTheCLibraryAtPowersOfTenAndTies) {
    for (int e = -40; e <= 19; ++e) {
        const ext power = std::pow(10.0L, static_cast<ext>(e));
        expectSameDigits(power);
        expectSameDigits(std::nextafter(power, 0.0L));
        expectSameDigits(std::nextafter(power, 2 * power));
    }
    // Exactly half a unit of the 18th digit: ties, which go to the even digit.
    expectSameDigits(123456789012345678.5L);
    expectSameDigits(123456789012345677.5L);
    expectSameDigits(12345678901234567.25L);
    expectSameDigits(12345678901234567.75L);
    expectSameDigits(99999999999999999.5L);
    expectSameDigits(999999999999999999.5L);
    // Near the ends of the extended range.
    expectSameDigits(LDBL_MIN);
    expectSameDigits(LDBL_MAX);
}

TEST(NumberParseShortPath, AgreesWithTheExactParseOnRandomTexts) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digitCount(1, 21);
    std::uniform_int_distribution<int> scale(-32, 32);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int k = 0; k < 200000; ++k) {
        std::string digits;
        const int count = digitCount(random);
        for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + digit(random));
        const int exponent = scale(random);
        const bool negative = (k & 1) != 0;
        bool overflow = false;
        const ext exact = detail::scaledDigits(digits, exponent, negative, overflow);
        const std::string text = (negative ? "-" : "") + digits + "E" + std::to_string(exponent);
        const ext parsed = number(text);
        EXPECT_TRUE(parsed == exact && std::signbit(parsed) == std::signbit(exact)) << text;
        // The same digits with a decimal point inside.
        if (count > 1) {
            const std::string pointed = digits.substr(0, 1) + "." + digits.substr(1) + "E" +
                                        std::to_string(exponent + count - 1);
            EXPECT_EQ(number(pointed), number(digits + "E" + std::to_string(exponent))) << pointed;
        }
    }
}

}  // namespace
}  // namespace condsim
