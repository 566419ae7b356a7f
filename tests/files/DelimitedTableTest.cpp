// The reading of measured-data tables: lines, and the guess of separator and skipped
// lines over the layouts that spreadsheets and instruments write.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/DelimitedTable.h"

namespace condsim {
namespace {

std::vector<std::string> asStrings(const std::vector<std::string_view>& views) {
    return {views.begin(), views.end()};
}

TEST(DelimitedTable, LinesEndAtEveryLineEndAndTheTextAtCharacter26) {
    EXPECT_EQ(asStrings(textLines("a\r\nb\rc\nd")), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(asStrings(textLines("a\r\n\r\nb\r\n")), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(asStrings(textLines("a\n\x1a"
                                  "b\n")),
              (std::vector<std::string>{"a"}));
    EXPECT_EQ(asStrings(textLines("\xEF\xBB\xBF"
                                  "1,2\r\n")),
              (std::vector<std::string>{"1,2"}));
    EXPECT_TRUE(textLines("").empty());
}

struct GuessCase {
    const char* name;
    std::string content;
    ColumnSeparator separator;
    int skippedLines;
};

void PrintTo(const GuessCase& c, std::ostream* out) { *out << c.name; }

class LayoutGuess : public ::testing::TestWithParam<GuessCase> {};

TEST_P(LayoutGuess, FindsTheSeparatorAndWhereTheDataBegin) {
    const GuessCase& c = GetParam();
    const TableLayout layout = guessTableLayout(textLines(c.content));
    EXPECT_EQ(layout.separator, c.separator);
    EXPECT_EQ(layout.skippedLines, c.skippedLines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LayoutGuess,
    ::testing::Values(
        GuessCase{"DesignedFile", "0.001 0.11\r\n0.002 0.2\r\n", ColumnSeparator::Whitespace, 0},
        GuessCase{"TabsBetweenColumns", "c\tk\n0.001\t0.11\n0.002\t0.2\n", ColumnSeparator::Tab, 1},
        GuessCase{"CsvWithHeader", "conc,cond\r\n0.001,0.11\r\n0.002,0.2\r\n",
                  ColumnSeparator::Comma, 1},
        GuessCase{"CsvWithBlanksAfterCommas", "0.001, 0.11\n0.002, 0.2,\n", ColumnSeparator::Comma,
                  0},
        GuessCase{"CommentsAndUnitsBeforeTheData",
                  "# CaCl2, 25 C\n\nm;kappa\nmol/kg;uS/cm\n1E-4;27\n2E-4;53.5\n",
                  ColumnSeparator::Semicolon, 4},
        GuessCase{"SemicolonWithDecimalCommas", "m;k\r\n0,001;0,11\r\n0,002;0,2\r\n",
                  ColumnSeparator::Semicolon, 1},
        GuessCase{"BlanksWithDecimalCommas", "0,001 0,11\n0,002 0,2\n", ColumnSeparator::Whitespace,
                  0},
        GuessCase{"HeaderOnly", "conc cond\n", ColumnSeparator::Whitespace, 0}),
    [](const ::testing::TestParamInfo<GuessCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace condsim
