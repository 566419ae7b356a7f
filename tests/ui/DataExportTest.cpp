// File/Export Data...: the CSV of the last calculation against the report's Table 4, its
// full digits, its observed rows, and its period whatever the decimal separator.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <sstream>
#include <utility>

#include "SweepSession.h"
#include "files/DecimalSeparator.h"
#include "files/NumberText.h"
#include "ui/CalculationData.h"
#include "ui/ExportCommands.h"

namespace condsim {
namespace {

using testing::Session;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The data lines of the report's Table 4, each split at its tabs.
std::vector<std::vector<std::string>> table4Rows(const std::string& report) {
    const auto lines = split(report, "\r\n");
    size_t line = 0;
    while (line < lines.size() && lines[line] != "Table 4. Calculated Data") ++line;
    std::vector<std::vector<std::string>> rows;
    for (line += 4; line < lines.size() && lines[line].rfind("-----", 0) != 0; ++line)
        rows.push_back(split(lines[line], "\t"));
    return rows;
}

long double parsed(const std::string& field) {
    char* end = nullptr;
    const long double value = std::strtold(field.c_str(), &end);
    EXPECT_EQ(*end, '\0') << "not a number with a period: '" << field << "'";
    return value;
}

// Whether value lies within `units` units of the 15th significant digit of the text.
bool withinTheLastDigit(long double value, const std::string& text, long double units) {
    const long double expected = number(text);
    const long double unit = std::pow(10.0L, std::floor(std::log10(std::fabs(expected))) - 14);
    return std::fabs(value - expected) <= units * unit;
}

struct SeparatorScope {
    explicit SeparatorScope(char separator) { setDecimalSeparator(separator); }
    ~SeparatorScope() { setDecimalSeparator('.'); }
};

TEST(DataExport, CsvHoldsTable4AtFullPrecisionAndTheObservedResiduals) {
    for (const char separator : {'.', ','}) {
        SCOPED_TRACE(std::string("decimal separator ") + separator);
        const SeparatorScope scope(separator);
        Session s;
        s.platform.answerNextDialog(testing::exampleFile("observed-6to1-salt.txt"));
        ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
        ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
        ASSERT_TRUE(testing::sweep(s, 40));
        const std::string reportFile = (s.directory.path() / "report.txt").string();
        s.platform.answerNextDialog(reportFile);
        ASSERT_TRUE(s.act([&] { s.form1.Save1Click(); }));
        const std::string csvFile = (s.directory.path() / "data.csv").string();
        s.platform.answerNextDialog(csvFile);
        ASSERT_TRUE(s.act([&] { exportData(s.platform, s.app.state); }));
        EXPECT_EQ(s.platform.dialogs.back().proposedName, "observed-6to1-salt_data.csv");

        const auto table4 = table4Rows(testing::contentOf(reportFile));
        auto lines = split(testing::contentOf(csvFile), "\r\n");
        ASSERT_EQ(lines.back(), "");  // the last record ends with its line end
        lines.pop_back();
        const auto header = split(lines[0], ",");
        ASSERT_EQ(header.size(), 9u + 2 * 7);
        EXPECT_EQ(header[1], "C0 / mol L-1");
        EXPECT_EQ(header[3], "kappa / mS cm-1");
        EXPECT_EQ(header[4], "Lambda / S cm2 mol-1");
        EXPECT_EQ(header[9], "AX0 / %");
        EXPECT_EQ(header[16], "[AX0] / mol L-1");
        ASSERT_EQ(table4.size(), 40u);
        ASSERT_EQ(lines.size(), 1 + 40 + 12u);  // header, calculated, observed

        int moreDigitsThanTheReport = 0;
        for (size_t r = 0; r < table4.size(); ++r) {
            const auto fields = split(lines[1 + r], ",");
            ASSERT_EQ(fields.size(), header.size());
            EXPECT_EQ(fields[0], "calculated");
            const auto& report = table4[r];  // C0, kappa, sqrt, Lambda, AX0..AX6
            // Values the report copies from the table: within half a unit of the report's 15th
            // digit (rounding the 17 digits again to 15 may differ where they end in 50).
            for (const auto& [csvColumn, reportColumn] : std::initializer_list<std::pair<int, int>>{
                     {1, 0}, {3, 1}, {9, 4}, {12, 7}, {15, 10}})
                EXPECT_TRUE(
                    withinTheLastDigit(parsed(fields[csvColumn]), report[reportColumn], 0.505L))
                    << "row " << r << ": " << fields[csvColumn] << " against "
                    << report[reportColumn];
            // Values the report derives from the 15-digit texts (sqrt(C0), kappa / C0): the
            // rounding of kappa to 15 digits moves the quotient by up to 5e-15 relative.
            for (const auto& [csvColumn, reportColumn] :
                 std::initializer_list<std::pair<int, int>>{{2, 2}, {4, 3}}) {
                const long double expected = number(report[reportColumn]);
                EXPECT_NEAR(parsed(fields[csvColumn]), expected, 1e-14L * expected)
                    << "row " << r << ": " << fields[csvColumn] << " against "
                    << report[reportColumn];
            }
            // The species concentrations add up to C0.
            long double total = 0;
            for (int i = 0; i <= 6; ++i) total += parsed(fields[16 + i]);
            EXPECT_NEAR(total, parsed(fields[1]), 1e-15L * parsed(fields[1]));
            if (parsed(fields[3]) != number(report[1])) ++moreDigitsThanTheReport;
        }
        EXPECT_GT(moreDigitsThanTheReport, 30) << "the CSV carries only the report's digits";

        // Observed rows: the file's values, the calculation at the same C0, and the residual.
        const auto first = split(lines[41], ",");
        EXPECT_EQ(first[0], "observed");
        EXPECT_EQ(parsed(first[1]), 1.0e-4L);
        EXPECT_EQ(parsed(first[5]), 0.06648L);
        EXPECT_EQ(NumberText(parsed(first[3])), s.form1.StringGrid1.cell(3, 1));
        EXPECT_NEAR(parsed(first[7]), parsed(first[3]) - parsed(first[5]), 1e-17L);
        EXPECT_EQ(first[9], "");  // no species at the observed points
    }
}

TEST(DataExport, NothingIsWrittenWithoutACompleteCalculation) {
    Session s;
    const auto exportRefused = [&] { return s.act([&] { exportData(s.platform, s.app.state); }); };
    ASSERT_TRUE(exportRefused());  // at start-up
    testing::openObservedFile(s, "obs.txt", testing::threePoints);
    ASSERT_TRUE(exportRefused());  // data, but no calculation
    // A sweep that fails at its first point (a concentration range of zero width makes
    // every C0 zero) leaves no calculation behind, even after an earlier one completed.
    ASSERT_TRUE(testing::sweep(s, 9));
    s.app.state.range.DataXMax = s.app.state.range.DataXMin = 0;
    ASSERT_FALSE(testing::sweep(s, 9));
    ASSERT_TRUE(exportRefused());
    EXPECT_EQ(s.platform.messages, std::vector<std::string>(3, nothingToExport));
    for (const auto& dialog : s.platform.dialogs) EXPECT_FALSE(dialog.save);
}

}  // namespace
}  // namespace condsim
