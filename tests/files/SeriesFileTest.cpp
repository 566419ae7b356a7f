// The series file: each wrong line comes back with a problem that names the series file and
// the line, and the other lines stand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "files/SeriesFile.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

struct LineCase {
    const char* name;
    std::string series;
    // Per data line in order: the problem's beginning, or "" when usable.
    std::vector<std::string> problems;
};

TEST(SeriesFile, EachBadLineNamesItsProblemAndTheOthersStand) {
    TemporaryDirectory folder;
    folder.write("a.txt", "0.001 0.25\n0.002 0.49\n");
    folder.write("b c.txt", "0.001 0.26\n0.002 0.50\n");
    const LineCase cases[] = {
        {"TabsBlanksCommentsAndQuotes",
         "# file T lambda\n\na.txt\t278.15\n\"b c.txt\"  298.15 76.35 # with lambda\n",
         {"", ""}},
        {"ByteOrderMarkAndCrLf",
         "\xEF\xBB\xBF"
         "a.txt 278.15\r\n\"b c.txt\" 288.15\r\n",
         {"", ""}},
        {"MissingFile", "a.txt 278.15\nnone.txt 288.15\n", {"", "the data file "}},
        {"DuplicateTemperature",
         "a.txt 298.15\n\"b c.txt\" 298.15\n",
         {"", "the temperature 298.15 K is already that of line 1"}},
        {"BadTemperature",
         "a.txt 25C\n\"b c.txt\" 298.15\n",
         {"the temperature '25C' is not a positive number (K)", ""}},
        {"NegativeTemperature", "a.txt -5\n", {"the temperature '-5' is not a positive"}},
        {"BadAnionConductivity",
         "a.txt 298.15 7,6\n",
         {"the anion's limiting conductivity '7,6' is not a positive number"}},
        {"TooManyFields", "a.txt 298.15 76 1\n", {"expected a data file, its temperature"}},
        {"TemperatureMissing", "a.txt\n", {"expected a data file, its temperature"}},
        {"UnclosedQuote", "\"b c.txt 298.15\n", {"a double quote is not closed"}},
        {"RefusedDataFile", "series.txt 298.15\n", {"the data file "}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = folder.write("series.txt", c.series);
        const std::vector<SeriesFileLine> lines = readSeriesFile(name);
        ASSERT_EQ(lines.size(), c.problems.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].where.rfind("series.txt, line ", 0), 0U) << lines[i].where;
            EXPECT_EQ(lines[i].problem.substr(0, c.problems[i].size()), c.problems[i]);
            EXPECT_EQ(lines[i].problem.empty(), c.problems[i].empty()) << lines[i].problem;
            if (lines[i].problem.empty()) {
                EXPECT_EQ(lines[i].observed.count(), 2);
            }
        }
    }
}

TEST(SeriesFile, ReadsValuesAndFindsDataBesideTheSeriesFile) {
    TemporaryDirectory folder;
    folder.write("a.txt", "0.001 0.25\n0.002 0.49\n");
    std::filesystem::create_directory(folder.path() / "sub");
    const std::string name =
        folder.write("sub/series.txt", "../a.txt 288.15\n\n../a.txt 308.15 90.5\n");
    const std::vector<SeriesFileLine> lines = readSeriesFile(name);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].where, "series.txt, line 1");
    EXPECT_EQ(lines[1].where, "series.txt, line 3");
    EXPECT_EQ(lines[0].dataFile, (folder.path() / "a.txt").lexically_normal().string());
    EXPECT_EQ(lines[0].temperature, 288.15L);
    EXPECT_FALSE(lines[0].anionConductivity);
    EXPECT_EQ(*lines[1].anionConductivity, 90.5L);
    EXPECT_EQ(lines[1].observed.value(1, 1), 0.49L);
}

}  // namespace
}  // namespace condsim
