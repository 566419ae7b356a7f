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

struct FieldsCase {
    const char* name;
    std::string line;
    ColumnSeparator separator;
    std::vector<std::string> fields;
    bool quoteLeftOpen = false;
};

void PrintTo(const FieldsCase& c, std::ostream* out) { *out << c.name; }

class QuotedFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(QuotedFields, HoldSeparatorsAndDoubledQuotesWithoutTheirQuotes) {
    const FieldsCase& c = GetParam();
    EXPECT_EQ(lineFields(c.line, c.separator), c.fields);
    EXPECT_EQ(quoteLeftOpen(c.line, c.separator), c.quoteLeftOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Files, QuotedFields,
    ::testing::Values(
        FieldsCase{"SeparatorInsideQuotes",
                   R"("m, mol/kg",k)",
                   ColumnSeparator::Comma,
                   {"m, mol/kg", "k"}},
        FieldsCase{"DoubledQuotes",
                   R"(x;"a ""b""";"")",
                   ColumnSeparator::Semicolon,
                   {"x", R"(a "b")", ""}},
        FieldsCase{"QuotedNumbersWithBlanksAround",
                   " \"0.001\" , \"0,11\" ,",
                   ColumnSeparator::Comma,
                   {"0.001", "0,11", ""}},
        FieldsCase{
            "BlanksKeptInsideQuotes", "\"a\tb \"\t\"\"", ColumnSeparator::Tab, {"a\tb ", ""}},
        FieldsCase{"QuoteInsideAnUnquotedField",
                   R"(5" pipe;2)",
                   ColumnSeparator::Semicolon,
                   {R"(5" pipe)", "2"}},
        FieldsCase{"TextAfterTheClosingQuote", R"("a"b ,c)", ColumnSeparator::Comma, {"ab", "c"}},
        FieldsCase{"BlankSeparatedWithQuotes",
                   R"(  "m mol/kg"  "k" 0.1)",
                   ColumnSeparator::Whitespace,
                   {"m mol/kg", "k", "0.1"}},
        FieldsCase{"QuoteGoesOnOverTheLineEnd",
                   R"(25,"kappa)",
                   ColumnSeparator::Comma,
                   {"25", "kappa"},
                   true},
        FieldsCase{"BlankSeparatedQuoteLeftOpen",
                   R"(a "b c)",
                   ColumnSeparator::Whitespace,
                   {"a", "b c"},
                   true}),
    [](const ::testing::TestParamInfo<FieldsCase>& info) { return std::string(info.param.name); });

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
        GuessCase{"TabsWithDecimalCommas", "c\tk\n0,001\t0,11\n0,002\t0,2\n", ColumnSeparator::Tab,
                  1},
        GuessCase{"QuotedDecimalCommasInACommaFile", "c,k\n\"0,001\",\"0,11\"\n",
                  ColumnSeparator::Comma, 1}),
    [](const ::testing::TestParamInfo<GuessCase>& info) { return std::string(info.param.name); });

struct DecimalCommaCase {
    const char* name;
    std::string content;
    TableLayout layout;
    bool guessed;
};

void PrintTo(const DecimalCommaCase& c, std::ostream* out) { *out << c.name; }

class DecimalCommaGuess : public ::testing::TestWithParam<DecimalCommaCase> {};

TEST_P(DecimalCommaGuess, OnlyWhenEveryNumberOfTheDataTakesOne) {
    const DecimalCommaCase& c = GetParam();
    EXPECT_EQ(decimalCommasGuessed(textLines(c.content), c.layout), c.guessed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecimalCommaGuess,
    ::testing::Values(
        DecimalCommaCase{
            "SemicolonFile", "m;k\n0,001;0,11\n", {ColumnSeparator::Semicolon, 1}, true},
        DecimalCommaCase{"WholeNumbersAndNamesBeside",
                         "A;25;0,001;1,5E-4\nB;25;0,002;3\n",
                         {ColumnSeparator::Semicolon, 0},
                         true},
        DecimalCommaCase{
            "TabsAndBlanks", "0,001\t0,11\n0,002 0,2\n", {ColumnSeparator::Whitespace, 0}, true},
        DecimalCommaCase{"CommasInTheSkippedHeaderOnly",
                         "1,5;x\n0.001;0.11\n",
                         {ColumnSeparator::Semicolon, 1},
                         false},
        DecimalCommaCase{"OnePeriodAmongCommas",
                         "0,001;0,11\n0,002;0.2\n",
                         {ColumnSeparator::Semicolon, 0},
                         false},
        DecimalCommaCase{"PeriodsOnly", "0.001;0.11\n", {ColumnSeparator::Semicolon, 0}, false},
        DecimalCommaCase{"WholeNumbersOnly", "1;2\n", {ColumnSeparator::Semicolon, 0}, false},
        DecimalCommaCase{
            "CommaFileNever", "\"0,001\",\"0,11\"\n", {ColumnSeparator::Comma, 0}, false},
        DecimalCommaCase{
            "ThousandsWithPeriodAndComma", "1.000,5;2\n", {ColumnSeparator::Semicolon, 0}, false}),
    [](const ::testing::TestParamInfo<DecimalCommaCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace condsim
