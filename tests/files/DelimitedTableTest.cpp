// The reading of measured-data tables: lines, quoted fields, and the guess of separator,
// skipped lines and decimal commas over the layouts that spreadsheets and instruments
// write.

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

TEST(DelimitedTable, QuotedFieldsHoldSeparatorsAndDoubledQuotesWithoutTheirQuotes) {
    struct Case {
        std::string line;
        ColumnSeparator separator;
        std::vector<std::string> fields;
        bool quoteLeftOpen;
    };
    const Case cases[] = {
        {R"("m, mol/kg",k)", ColumnSeparator::Comma, {"m, mol/kg", "k"}, false},
        {R"(x;"a ""b""";"")", ColumnSeparator::Semicolon, {"x", R"(a "b")", ""}, false},
        {" \"0.001\" ,\"a\tb\"c ,", ColumnSeparator::Comma, {"0.001", "a\tbc", ""}, false},
        {R"(5" pipe;2)", ColumnSeparator::Semicolon, {R"(5" pipe)", "2"}, false},
        {R"(  "m mol/kg"  "k" 0.1)", ColumnSeparator::Whitespace, {"m mol/kg", "k", "0.1"}, false},
        {R"(25,"kappa)", ColumnSeparator::Comma, {"25", "kappa"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(lineFields(c.line, c.separator), c.fields);
        EXPECT_EQ(quoteLeftOpen(c.line, c.separator), c.quoteLeftOpen);
    }
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
        GuessCase{"HeaderOnly", "conc cond\n", ColumnSeparator::Whitespace, 0},
        GuessCase{"EveryFieldQuoted",
                  "\"t (C)\",\"m, mol/kg\",\"k; S/cm\"\r\n\"25\",\"0.001\",\"1.2E-4\"\r\n",
                  ColumnSeparator::Comma, 1},
        GuessCase{"DecimalCommasAfterCommentsWithNumbers",
                  "3. Messung; 25 C\nm;kappa\n0,001;0,11\n0,002;0,2\n", ColumnSeparator::Semicolon,
                  2},
        GuessCase{"QuotedDecimalCommasInACommaFile", "c,k\n\"0,001\",\"0,11\"\n",
                  ColumnSeparator::Comma, 1}),
    [](const ::testing::TestParamInfo<GuessCase>& info) { return std::string(info.param.name); });

TEST(DelimitedTable, DecimalCommasAreGuessedWhenEveryNumberOfTheDataTakesOne) {
    struct Case {
        std::string content;
        TableLayout layout;
        bool guessed;
    };
    const Case cases[] = {
        {"A;25;0,001;1,5E-4\n", {ColumnSeparator::Semicolon, 0}, true},  // whole numbers, names
        {"0,001\t0,11\n0,002 0,2\n", {ColumnSeparator::Whitespace, 0}, true},
        {"1,5;x\n0.001;0.11\n", {ColumnSeparator::Semicolon, 1}, false},  // in the header only
        {"0,001;0,11\n0,002;0.2\n", {ColumnSeparator::Semicolon, 0}, false},
        {"1;2\n", {ColumnSeparator::Semicolon, 0}, false},
        {"\"0,001\",\"0,11\"\n", {ColumnSeparator::Comma, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        EXPECT_EQ(decimalCommasGuessed(textLines(c.content), c.layout), c.guessed);
    }
}

}  // namespace
}  // namespace condsim
