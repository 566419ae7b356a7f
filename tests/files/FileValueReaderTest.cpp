#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/DecimalSeparator.h"
#include "files/FileValueReader.h"

namespace condsim {
namespace {

struct Read {
    ext value;
    bool invalid;
};

// Reads `count` values in a row, noting after each whether the invalid-input error is
// pending (and clearing it, as the reading step of a loader does once it checked).
std::vector<Read> readValues(const std::string& content, int count) {
    FileValueReader reader(content);
    std::vector<Read> reads;
    for (int i = 0; i < count; ++i) {
        const ext value = reader.readValue();
        reads.push_back({value, reader.invalidInputPending()});
        reader.clearPendingError();
    }
    return reads;
}

void expectReads(const std::string& content, const std::vector<Read>& expected) {
    const auto reads = readValues(content, static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(reads[i].value, expected[i].value) << "value " << i << " of '" << content << "'";
        EXPECT_EQ(reads[i].invalid, expected[i].invalid)
            << "value " << i << " of '" << content << "'";
    }
}

TEST(FileValueReader, ReadsAcrossBlanksAndLinesThenGivesZeroAtTheEnd) {
    expectReads("1.5 2\n3", {{1.5L, false}, {2, false}, {3, false}, {0, false}, {0, false}});
    expectReads("\t 1.5\r\n\r\n\x01-2e1\r\n", {{1.5L, false}, {-20, false}, {0, false}});
    expectReads("", {{0, false}});
    // A character 26 counts as the end of the file.
    expectReads(
        "7\n\x1a"
        "8\n",
        {{7, false}, {0, false}, {0, false}});
}

TEST(FileValueReader, TokenRules) {
    struct Case {
        const char* token;
        ext value;
        bool invalid;
    };
    const Case cases[] = {
        {"-5", -5, false}, {".", 0, false},           {"E5", 0, false},   {"+1.25E+2", 125, false},
        {"5.", 5, false},  {"-.5e-1", -0.05L, false}, {"1.2.3", 0, true}, {"0x10", 0, true},
        {"1,5", 0, true},  {"1E", 0, true},           {"-", 0, true},     {"1E+", 0, true},
        {"abc", 0, true},  {"1e6000", 0, true},
    };
    for (const auto& c : cases) {
        const auto reads = readValues(std::string(c.token) + "\n9", 2);
        if (!c.invalid) {
            EXPECT_EQ(reads[0].value, c.value) << c.token;
        }
        EXPECT_EQ(reads[0].invalid, c.invalid) << c.token;
        // The position stays after the token either way: the next value is read.
        EXPECT_EQ(reads[1].value, 9) << c.token;
        EXPECT_FALSE(reads[1].invalid) << c.token;
    }
}

TEST(FileValueReader, PeriodWhateverTheRegionalSeparator) {
    setDecimalSeparator(',');
    const auto reads = readValues("0.5\n0,5\n", 2);
    setDecimalSeparator('.');
    EXPECT_EQ(reads[0].value, 0.5L);
    EXPECT_FALSE(reads[0].invalid);
    EXPECT_TRUE(reads[1].invalid);
}

TEST(FileValueReader, TokensOfMoreThanSixtyFourCharactersAreRefusedWhole) {
    const std::string sixtyFour = "1" + std::string(63, '0');
    expectReads(sixtyFour + " 2", {{1e63L, false}, {2, false}});
    // Cut at 64 characters, the rest would read as a value of its own.
    expectReads(sixtyFour + "23 4", {{0, true}, {4, false}, {0, false}});
}

TEST(FileValueReader, LineSkippingAndRemainingBlanks) {
    FileValueReader reader("1 2 3\r\n4\r5\n6 \t\r\n \x1a junk");
    EXPECT_EQ(reader.readValue(), 1);
    reader.skipToNextLine();  // the rest of "1 2 3" and its CR LF
    EXPECT_EQ(reader.readValue(), 4);
    reader.skipToNextLine();  // a lone CR
    EXPECT_EQ(reader.readValue(), 5);
    reader.skipToNextLine();  // a lone LF
    EXPECT_FALSE(reader.onlyBlanksRemain());
    EXPECT_EQ(reader.readValue(), 6);
    EXPECT_TRUE(reader.onlyBlanksRemain());  // what follows character 26 is not the file
    EXPECT_FALSE(reader.atEnd());
    reader.skipToNextLine();
    EXPECT_EQ(reader.readValue(), 0);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.invalidInputPending());
}

}  // namespace
}  // namespace condsim
