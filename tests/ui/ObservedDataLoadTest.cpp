#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LoadSnapshot.h"
#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::LoadSnapshot;
using testing::RefusedFileCase;
using testing::Session;

// Chooses the file in the next dialog and runs File/Open as the user would.
bool openObserved(Session& s, const std::string& file) {
    s.platform.answerNextDialog(file);
    return s.act([&] { s.form1.Open1Click(); });
}

void expectRow(const CellTable& table, int row, const std::string& conc, const std::string& cond) {
    EXPECT_EQ(table.cell(0, row), conc) << "row " << row;
    EXPECT_EQ(table.cell(1, row), cond) << "row " << row;
}

std::string pairs(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += integerText(i) + "E-4 0.0" + integerText(i) + "\r\n";
    return text;
}

TEST(ObservedDataLoad, ThreePairsFillTheRecordAndTheTableThenThePlotIsDrawn) {
    Session s;
    const std::string file =
        s.directory.write("run1/nacl.txt", "0.001 0.11\r\n0.002 0.2\r\n0.004 0.35\r\n");
    ASSERT_TRUE(openObserved(s, file)) << s.errors().front();

    const auto& observed = s.app.state.observed;
    EXPECT_EQ(observed.fileName, file);
    EXPECT_EQ(observed.count, 3);
    EXPECT_EQ(observed.conc[1], 0.001L);
    EXPECT_EQ(observed.cond[3], 0.35L);
    const CellTable& table = s.form1.StringGrid1;
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.cell(0, 0), "conc.(M)");
    EXPECT_EQ(table.cell(1, 0), "cond_obsd(MC*M)");
    EXPECT_EQ(table.cell(2, 0), "[X-] (M)");
    EXPECT_EQ(table.cell(3, 0), "cond_calcd (MC*M)");
    expectRow(table, 1, "0.001", "0.11");
    expectRow(table, 2, "0.002", "0.2");
    expectRow(table, 3, "0.004", "0.35");
    EXPECT_NE(s.form1.Image1.canvas(), nullptr) << "the observed points are drawn";
    EXPECT_EQ(testing::contentOf(s.directory.path() / "dirinf"),
              (s.directory.path() / "run1").string() + "\r\n");
}

struct TableTextCase {
    const char* name;
    std::string line;
    std::string concText;
    std::string condText;
};

// Test names instead of byte dumps in failure messages.
void PrintTo(const TableTextCase& c, std::ostream* out) { *out << c.name; }

class ObservedTableTexts : public ::testing::TestWithParam<TableTextCase> {};

TEST_P(ObservedTableTexts, ShowTheNumberTextOfTheValue) {
    const TableTextCase& c = GetParam();
    Session s;
    ASSERT_TRUE(openObserved(s, s.directory.write("data.txt", c.line)));
    EXPECT_EQ(s.app.state.observed.count, 1);
    expectRow(s.form1.StringGrid1, 1, c.concText, c.condText);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ObservedTableTexts,
    ::testing::Values(TableTextCase{"Exponents", "1E-3 2.5e-1\r\n", "0.001", "0.25"},
                      TableTextCase{"SmallValueInExponentForm", "0.00001 1.0\n", "1E-5", "1"},
                      TableTextCase{"FifteenDigitsRounded", "0.12345678901234567 3\r",
                                    "0.123456789012346", "3"},
                      TableTextCase{"TrailingZerosDropped", "2.50 10.000\r\n", "2.5", "10"},
                      TableTextCase{"ByteOrderMarkSkipped",
                                    "\xEF\xBB\xBF"
                                    "0.001 0.11\r\n",
                                    "0.001", "0.11"}),
    [](const ::testing::TestParamInfo<TableTextCase>& info) {
        return std::string(info.param.name);
    });

TEST(ObservedDataLoad, ShorterFileHidesOldRowsAndEmptiesTheResultColumns) {
    Session s;
    ASSERT_TRUE(openObserved(s, s.directory.write("five.txt", pairs(5))));
    s.form1.StringGrid1.setCell(2, 1, "0.00042");
    s.form1.StringGrid1.setCell(3, 2, "calc");
    ASSERT_TRUE(openObserved(s, s.directory.write("two.txt", "0.01 1\n0.02 2\n")));

    const auto& observed = s.app.state.observed;
    const CellTable& table = s.form1.StringGrid1;
    EXPECT_EQ(observed.count, 2);
    EXPECT_EQ(table.rowCount(), 3);
    expectRow(table, 1, "0.01", "1");
    expectRow(table, 2, "0.02", "2");
    // [X-] and the calculated conductivity belonged to the other file's data.
    EXPECT_EQ(table.cell(2, 1), "");
    EXPECT_EQ(table.cell(3, 2), "");
    EXPECT_EQ(observed.conc[5], 5E-4L) << "entries beyond the count keep the old pairs";
    expectRow(table, 5, "0.0005", "0.05");  // hidden, shown again if the table grows
}

TEST(ObservedDataLoad, CancelChangesNoDataWritesNoDirinfAndRedraws) {
    Session s;
    ASSERT_TRUE(openObserved(s, s.directory.write("d.txt", "0.001 0.11\r\n")));
    fs::remove(s.directory.path() / "dirinf");
    const LoadSnapshot before(s);

    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));  // unscripted: cancelled
    EXPECT_EQ(s.app.state.observed.fileName, before.observed.fileName);
    EXPECT_EQ(s.app.state.observed.count, 1);
    EXPECT_EQ(s.form1.StringGrid1.revision(), before.tables[0]);
    EXPECT_FALSE(fs::exists(s.directory.path() / "dirinf"));
    EXPECT_GT(s.form1.Image1.revision(), before.fields[6]) << "drawn again from the data in memory";
}

class RefusedObservedFiles : public ::testing::TestWithParam<RefusedFileCase> {};

TEST_P(RefusedObservedFiles, LeaveTheDataTableAndPlotAsTheyWere) {
    const RefusedFileCase& c = GetParam();
    Session s;
    const std::string first = s.directory.write("good.txt", pairs(5));
    ASSERT_TRUE(openObserved(s, first));
    const LoadSnapshot before(s);

    const std::string file = c.file(s, "other");
    EXPECT_FALSE(openObserved(s, file));
    EXPECT_EQ(s.errors(), std::vector<std::string>{c.error(file)});
    expectUnchanged(before, s);
    EXPECT_EQ(s.app.state.observed.fileName, first);
    // The folder was remembered before the file was read.
    EXPECT_EQ(s.app.state.lastDataDirectory, fs::path(file).parent_path().string());
}

// A number of 73 characters: cut at 64, it would read as the pair (0.001, 1).
const std::string longNumber = "0.001" + std::string(67, '0') + "1";

INSTANTIATE_TEST_SUITE_P(
    BadFiles, RefusedObservedFiles,
    ::testing::Values(
        RefusedFileCase{"HeaderLine", "conc cond\r\n0.001 0.11\r\n", true,
                        "入力値が数値ではありません.\nline 1 of FILE: 'conc'"},
        RefusedFileCase{"BadValueInTheLastLine", "0.001 0.11\r\n0.002 0.2\r\n0.004 n/a\r\n", true,
                        "入力値が数値ではありません.\nline 3 of FILE: 'n/a'"},
        RefusedFileCase{"CommaDecimalSeparator", "0,001 0,11\r\n", true,
                        "入力値が数値ではありません.\nline 1 of FILE: '0,001'"},
        RefusedFileCase{
            "NumberLongerThanSixtyFourCharacters", longNumber + " 0.11\r\n", true,
            "入力値が数値ではありません.\nline 1 of FILE: '" + longNumber.substr(0, 64) + "...'"},
        RefusedFileCase{"MissingFile", "", false, "ファイルが見つかりません.\nFILE"},
        RefusedFileCase{"MoreThanAHundredPairs", pairs(101), true,
                        "The file holds more than 100 pairs of observed data; condsim reads at "
                        "most 100.\nFILE"},
        RefusedFileCase{"EmptyFile", "", true, "FILE holds no pairs of observed data."},
        RefusedFileCase{"BlanksAndEmptyLinesOnly", " \t\r\n\r\n", true,
                        "FILE holds no pairs of observed data."},
        RefusedFileCase{
            "EndlessDevice", "", true,
            "The file is larger than 16 MiB, the most that condsim reads from a file.\n/dev/zero",
            "/dev/zero"}),
    [](const ::testing::TestParamInfo<RefusedFileCase>& info) {
        return std::string(info.param.name);
    });

TEST(ObservedDataLoad, DirinfCarriesTheFolderOfTheLastFileAcrossOpensAndRuns) {
    Session s;
    const std::string one = s.directory.write("first/a.txt", "0.001 0.1\r\n");
    const std::string two = s.directory.write("second/b.txt", "0.002 0.2\r\n");
    const std::string firstFolder = (s.directory.path() / "first").string();
    const std::string secondFolder = (s.directory.path() / "second").string();

    ASSERT_TRUE(openObserved(s, one));
    ASSERT_TRUE(openObserved(s, two));
    ASSERT_EQ(s.platform.dialogs.size(), 2u);
    EXPECT_EQ(s.platform.dialogs[0].initialDirectory, "")
        << "no dirinf yet: the platform's default place";
    EXPECT_EQ(s.platform.dialogs[1].initialDirectory, firstFolder);
    EXPECT_EQ(fs::current_path(), fs::path(firstFolder))
        << "dirinf was loaded before the second dialog";

    // The next run of the program in the same start-up directory starts where this one ended.
    fs::current_path(s.directory.path());
    ScriptedPlatform platform;
    Application next(platform);
    EXPECT_TRUE(dispatch(platform, [&] { next.Form1.Open1Click(); }));  // cancelled
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].initialDirectory, secondFolder);
    EXPECT_EQ(fs::current_path(), fs::path(secondFolder));
    EXPECT_EQ(next.state.observed.count, 0);
}

TEST(ObservedDataLoad, ExampleFilesLoad) {
    Session s;
    ASSERT_TRUE(openObserved(s, testing::exampleFile("observed-6to1-salt.txt")));
    EXPECT_EQ(s.app.state.observed.count, 12);
    expectRow(s.form1.StringGrid1, 1, "0.0001", "0.06648");
    ASSERT_TRUE(openObserved(s, testing::exampleFile("observed-2to1-salt.txt")));
    EXPECT_EQ(s.app.state.observed.count, 12);
    expectRow(s.form1.StringGrid1, 12, "0.01", "1.332");
}

}  // namespace
}  // namespace condsim
