#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "core/Error.h"
#include "files/NumberRecords.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

const std::string tooMany = "too many records";
const std::string badValue = "入力値が数値ではありません.\n";
const std::string endsInside = std::string(endsInsideRecordText) + ".\n";
const std::string utf16 =
    "The file is UTF-16 text (\"Unicode\" in some editors): condsim reads number files as ASCII "
    "or UTF-8; save it as UTF-8.";

struct RecordCase {
    const char* name;
    std::string content;
    int valuesPerRecord;
    std::vector<ext> expected;  // all values of all records, in file order
};

// Test names instead of byte dumps in failure messages.
void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

class NumberRecordRules : public ::testing::TestWithParam<RecordCase> {};

TEST_P(NumberRecordRules, ReadsTheRecordsOfTheFile) {
    const RecordCase& c = GetParam();
    TemporaryDirectory directory;
    const std::string file = directory.write("numbers.txt", c.content);
    const NumberRecords records = ReadNumberRecords(file, c.valuesPerRecord, 100, tooMany);
    EXPECT_EQ(records.values, c.expected);
    EXPECT_EQ(records.count(), static_cast<int>(c.expected.size()) / c.valuesPerRecord);
}

INSTANTIATE_TEST_SUITE_P(
    LineEndsAndLayout, NumberRecordRules,
    ::testing::Values(
        RecordCase{"CrLf", "0.001 10\r\n0.002 20\r\n", 2, {0.001L, 10, 0.002L, 20}},
        RecordCase{"LfOnly", "0.001 10\n0.002 20\n", 2, {0.001L, 10, 0.002L, 20}},
        RecordCase{"LoneCr", "0.001 10\r0.002 20\r", 2, {0.001L, 10, 0.002L, 20}},
        RecordCase{"MixedLineEnds", "1\n2\r\n3\r4", 1, {1, 2, 3, 4}},
        RecordCase{"TabsAndLeadingBlanks", "\t 0.001\t\t10  \r\n", 2, {0.001L, 10}},
        RecordCase{
            "ExponentsAndSigns", "1E-3 +2.5e-1\r\n-4 1.5E+2\r\n", 2, {0.001L, 0.25L, -4, 150}},
        RecordCase{"LastLineWithoutLineEnd", "1\r\n2", 1, {1, 2}},
        RecordCase{"ValuesAfterTheKthAreIgnored", "1 2\r\n3\r\n", 1, {1, 3}},
        RecordCase{"ValuesSpanLinesAndTheRestOfTheNextLineIsLost", "1\r\n2 3\r\n", 2, {1, 2}},
        RecordCase{"ValuesSpanBlankLines", "1\n\n\n2\n", 2, {1, 2}},
        RecordCase{"BlankLinesBetweenRecordsAreSkipped", "1\r\n\r\n  \r\n2\r\n", 1, {1, 2}},
        RecordCase{"TrailingEmptyLinesAddNoRecord",
                   "0.001 10\r\n0.002 20\r\n\r\n \t\r\n",
                   2,
                   {0.001L, 10, 0.002L, 20}},
        RecordCase{"EndOfFileMarkEndsTheFile",
                   "1\r\n2\r\n\x1a"
                   "3\r\n",
                   1,
                   {1, 2}},
        RecordCase{"EmptyFile", "", 1, {}},
        RecordCase{"ByteOrderMarkSkipped",
                   "\xEF\xBB\xBF"
                   "1 2\r\n",
                   2,
                   {1, 2}},
        RecordCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF", 1, {}},
        RecordCase{"BlanksOnly", "  \r\n\t\n\r\n", 2, {}}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::string content;
    bool fileExists;
    std::string expectedError;  // the error box; FILE stands for the file's full name
};

// Test names instead of byte dumps in failure messages.
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class NumberRecordFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(NumberRecordFailures, RaiseTheirError) {
    const FailureCase& c = GetParam();
    TemporaryDirectory directory;
    const std::string file = c.fileExists ? directory.write("numbers.txt", c.content)
                                          : (directory.path() / "absent.txt").string();
    std::string expected = c.expectedError;
    if (const auto at = expected.find("FILE"); at != std::string::npos)
        expected.replace(at, 4, file);
    try {
        ReadNumberRecords(file, 2, 3, tooMany);
        ADD_FAILURE() << "read without an error";
    } catch (const Error& error) {
        EXPECT_EQ(errorBoxText(error), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, NumberRecordFailures,
    ::testing::Values(
        FailureCase{"HeaderLine", "conc cond\r\n0.001 10\r\n", true,
                    badValue + "line 1 of FILE: 'conc'"},
        FailureCase{"BadValueOnALaterLine", "0.001 10\r\n0.002 x\r\n", true,
                    badValue + "line 2 of FILE: 'x'"},
        FailureCase{"LinesEndInCrLfLoneCrOrLoneLf", "1 1\r\n\r2 2\n\n3 x\r\n", true,
                    badValue + "line 5 of FILE: 'x'"},
        FailureCase{"ValueOnTheLineAfterItsPartner", "1\r\n\r\nx 2\r\n", true,
                    badValue + "line 3 of FILE: 'x'"},
        FailureCase{"ByteOrderMarkBeforeAHeader",
                    "\xEF\xBB\xBF"
                    "conc 1\r\n",
                    true, badValue + "line 1 of FILE: 'conc'"},
        FailureCase{"CommaAsDecimalSeparator", "0,001 10\r\n", true,
                    badValue + "line 1 of FILE: '0,001'"},
        FailureCase{"BeyondTheExtendedRange", "1E6000 1\r\n", true,
                    badValue + "line 1 of FILE: '1E6000'"},
        FailureCase{"SixtyFiveCharacters", "1 " + std::string(65, '1') + "\r\n", true,
                    badValue + "line 1 of FILE: '" + std::string(64, '1') + "...'"},
        FailureCase{"UnicodeKeptBrokenBytesEscaped", "濃度\xC3(\x7F 1\r\n", true,
                    badValue + "line 1 of FILE: '濃度\\xC3(\\x7F'"},
        FailureCase{"PairCutShortByTheEnd", "0.001 10\r\n0.002", true,
                    endsInside + "line 2 of FILE: '0.002' is its last value"},
        FailureCase{"PairCutShortBeforeBlankLines", "0.001 10\n0.002\n\n \t\n", true,
                    endsInside + "line 2 of FILE: '0.002' is its last value"},
        FailureCase{"OneNumberOnly", "0.001", true,
                    endsInside + "line 1 of FILE: '0.001' is its last value"},
        FailureCase{"Utf16WithByteOrderMark",
                    std::string("\xFF\xFE"
                                "1\0 \0"
                                "2\0",
                                8),
                    true, utf16 + "\nFILE"},
        FailureCase{"Utf16LittleEndianWithoutMark",
                    std::string("1\0 \0"
                                "2\0\r\0\n\0",
                                10),
                    true, utf16 + "\nFILE"},
        FailureCase{"Utf16BigEndianWithoutMark",
                    std::string("\0"
                                "1\0 \0"
                                "2\0\r\0\n",
                                10),
                    true, utf16 + "\nFILE"},
        FailureCase{"MissingFile", "", false, "ファイルが見つかりません.\nFILE"},
        FailureCase{"OneRecordOverCapacity", "1 1\n2 2\n3 3\n4 4\n", true, tooMany + ".\nFILE"},
        FailureCase{"OverCapacityByAValueCutShort", "1 1\n2 2\n3 3\n4", true, tooMany + ".\nFILE"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(NumberRecordCapacity, AFullFileWithTrailingBlankLinesIsAccepted) {
    TemporaryDirectory directory;
    const std::string file = directory.write("full.txt", "1 1\n2 2\n3 3\n\n\n");
    EXPECT_EQ(ReadNumberRecords(file, 2, 3, tooMany).count(), 3);
}

}  // namespace
}  // namespace condsim
