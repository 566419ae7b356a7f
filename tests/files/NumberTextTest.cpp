#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "TestSupport.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

using testing::errorText;

// Sets the process decimal separator for one test and puts the period back afterwards.
class SeparatorScope {
  public:
    explicit SeparatorScope(char separator) { setDecimalSeparator(separator); }
    ~SeparatorScope() { setDecimalSeparator('.'); }
};

std::string notANumber(const std::string& text) {
    return "'" + text + "' は浮動小数点数ではありません";
}

struct TextCase {
    ext value;
    const char* text;
};

TEST(NumberText, GeneralFormatWithFifteenDigits) {
    const TextCase cases[] = {
        {88, "88"},
        {0.5L, "0.5"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {0.0001L, "0.0001"},
        {0.00001L, "1E-5"},
        {0.000123456L, "0.000123456"},
        {0.0000123456L, "1.23456E-5"},
        {123456789012345.0L, "123456789012345"},
        {1000000000000000.0L, "1E15"},
        {1234567890123456.0L, "1.23456789012346E15"},
        {32768000000000.0L, "32768000000000"},
        {-2.5L, "-2.5"},
        // Rounding is half up on the 18-digit string, carrying to the left and out of the
        // first digit.
        {0.1L + 0.2L, "0.3"},
        {1.0L - 1e-17L, "1"},
        {9.9999999999999999L, "10"},
        {999999999999999.95L, "1E15"},
        {0.1234567890123445L, "0.123456789012345"},
        {0.1234567890123444997L, "0.123456789012345"},
        {0.1234567890123444995L, "0.123456789012344"},
        {0.1234567890123444L, "0.123456789012344"},
        {1.000000000000025L, "1.00000000000003"},
        {-0.0000123456789L, "-1.23456789E-5"},
        {1e-300L, "1E-300"},
        {1.5e300L, "1.5E300"},
        {1e999L, "1E999"},
        {120.0L, "120"},
        {0.001L, "0.001"},
        // Zero in every form, denormals, infinities and NaN.
        {0.0L, "0"},
        {-0.0L, "0"},
        {std::numeric_limits<ext>::denorm_min(), "0"},
        {-std::numeric_limits<ext>::denorm_min() * 1000, "0"},
        {std::numeric_limits<ext>::infinity(), "INF"},
        {-std::numeric_limits<ext>::infinity(), "-INF"},
        {std::numeric_limits<ext>::quiet_NaN(), "NAN"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.text;
}

struct ParseCase {
    const char* text;
    ext value;
};

TEST(NumberParse, AcceptedTexts) {
    const ParseCase cases[] = {
        {".", 0},
        {"-.", 0},
        {" 12.5 ", 12.5L},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"1E", 1},
        {"+7.", 7},
        {"-0.25e-2", -0.0025L},
        {"1E-4999", 0},
        {"1E999", 1e999L},
        {"00000000000000000000000012", 12},
        {"1E0000000000000003", 1000},
    };
    for (const auto& c : cases) {
        ext value = -99;
        EXPECT_EQ(errorText([&] { value = number(c.text); }), "no error") << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    // Below the smallest normal magnitude the value becomes a denormal without failing.
    EXPECT_GT(number("1E-4940"), 0);
    EXPECT_LT(number("1E-4940"), LDBL_MIN);
}

TEST(NumberParse, RejectedTextsNameTheWholeUntrimmedText) {
    const char* const cases[] = {
        "",    "   ",    "+",       "-",      "E5",      "\t5",  "12,5",  "1.2.3",   "abc",
        "5 5", "1E4933", "-1E4933", "1E5000", "1E-5000", "0x10", "1e3.5", " 12.5x ",
    };
    for (const char* text : cases)
        EXPECT_EQ(errorText([&] { number(text); }), notANumber(text)) << text;
}

TEST(NumberText, CommaAsDecimalSeparator) {
    SeparatorScope comma(',');
    EXPECT_EQ(NumberText(0.5L), "0,5");
    EXPECT_EQ(NumberText(1.0L / 3), "0,333333333333333");
    EXPECT_EQ(NumberText(0.0000123456L), "1,23456E-5");
    EXPECT_EQ(NumberText(12345.75L), "12345,75");
    EXPECT_EQ(number("0,5"), 0.5L);
    EXPECT_EQ(number(" -12,5E1 "), -125);
    EXPECT_EQ(number(","), 0);
    EXPECT_EQ(errorText([] { number("0.5"); }), notANumber("0.5"));
}

TEST(NumberText, RoundTripsThroughItsOwnParse) {
    // Values written with at most 15 digits come back exactly as their own parse gives
    // them, and their text is stable.
    const char* const texts[] = {"88",
                                 "0.5",
                                 "-2.5",
                                 "3.2",
                                 "0.0001",
                                 "1E-5",
                                 "1.23456E-5",
                                 "123456789012345",
                                 "1E15",
                                 "6.02214076E23",
                                 "0.333333333333333",
                                 "9.99999999999999E-100"};
    for (const char* text : texts) {
        const ext value = number(text);
        EXPECT_EQ(NumberText(value), text);
        EXPECT_EQ(number(NumberText(value)), value) << text;
    }
    // Any other value comes back within half a unit of its 15th digit.
    for (const ext value : {1.0L / 7, -2.0L / 3 * 1e-200L, 1e20L / 3}) {
        const ext back = number(NumberText(value));
        EXPECT_LE(std::fabs(back - value), std::fabs(value) * 5e-15L) << NumberText(value);
        EXPECT_EQ(NumberText(back), NumberText(value));
    }
}

TEST(NumberText, TrimmedAndIntegerText) {
    EXPECT_EQ(trimmed(" \t\r\n 1,5 x \x1a\n"), "1,5 x");
    EXPECT_EQ(trimmed("\t \r\n"), "");
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(-42), "-42");
    EXPECT_EQ(integerText(2147483647), "2147483647");
}

}  // namespace
}  // namespace condsim
