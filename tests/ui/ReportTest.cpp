#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CaseNames.h"
#include "SweepSession.h"
#include "TestSession.h"
#include "files/ResultsReport.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::errorText;
using testing::openObservedFile;
using testing::Session;
using testing::sweep;
using testing::threePoints;

std::string goldenFile(const std::string& name) {
    const fs::path file = fs::path(CONDSIM_TESTS_DIR) / "golden" / name;
    if (!fs::exists(file)) ADD_FAILURE() << "missing golden file " << file;
    return testing::contentOf(file);
}

// The names in the folder, to see that a failed save leaves no temporary file behind.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool save(Session& s, const std::string& name) {
    s.platform.answerNextDialog((s.directory.path() / name).string());
    return s.act([&] { s.form1.Save1Click(); });
}

TEST(ResultsReport, SmallObservedFileAndOneCalculationGiveTheGoldenReport) {
    Session s;
    // A relative name keeps the report's first line free of the session's folder.
    s.directory.write("three.txt", threePoints);
    s.platform.answerNextDialog("three.txt");
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    ASSERT_TRUE(save(s, "report.txt")) << s.errors().front();
    EXPECT_EQ(testing::contentOf(s.directory.path() / "report.txt"),
              goldenFile("report-three-points.txt"));
    ASSERT_EQ(s.platform.dialogs.size(), 2u);
    EXPECT_TRUE(s.platform.dialogs[1].save);
    EXPECT_EQ(s.platform.dialogs[1].proposedName, "three_results.txt");
    EXPECT_EQ(s.platform.dialogs[1].initialDirectory, s.directory.path().string());

    // Saved through a symbolic link, the report replaces the file that the link names, with
    // its permissions, and the link stays a link.
    const fs::path real = s.directory.write("kept/real.txt", "an older report\r\n");
    const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, shared);
    fs::create_symlink("kept/real.txt", s.directory.path() / "link.txt");
    ASSERT_TRUE(save(s, "link.txt")) << s.errors().front();
    EXPECT_TRUE(fs::is_symlink(s.directory.path() / "link.txt"));
    EXPECT_EQ(testing::contentOf(real), goldenFile("report-three-points.txt"));
    EXPECT_EQ(fs::status(real).permissions(), shared);
}

TEST(ResultsReport, FieldTextsAndSwitchesAreWrittenAsTheyStand) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.beta1.setText("1e4");
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    s.form1.CheckBox1.setChecked(false);
    s.form1.SpinEdit1.setValue(3);  // after the calculation: Save calculates again for it
    ASSERT_TRUE(save(s, "report.txt"));
    const std::string report = testing::contentOf(s.directory.path() / "report.txt");
    EXPECT_NE(report.find("\r\nbeta1 = K1 = 1e4\r\n"), std::string::npos);
    EXPECT_NE(report.find(
                  "\r\nThe beta and Kn values are imported from a file or generated manually\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\nThe system used: AX3\r\n"), std::string::npos);
    EXPECT_NE(report.find("\tMolarConduct.\tAX0\tAX1\tAX2\tAX3\r\n"), std::string::npos);
    // The data lines have the four abundance columns of the new calculation: 4 + 4 fields.
    const std::string row1 =
        s.form2.StringGrid1.cell(0, 1) + "\t" + s.form2.StringGrid1.cell(1, 1) + "\t";
    const size_t start = report.find("\r\n" + row1);
    ASSERT_NE(start, std::string::npos);
    const std::string line = report.substr(start + 2, report.find("\r\n", start + 2) - start - 2);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 7);

    // A number typed beyond the field's range reaches the report bounded, as everywhere.
    s.form1.SpinEdit1.userSetText("500");
    ASSERT_TRUE(save(s, "typed.txt"));
    EXPECT_NE(
        testing::contentOf(s.directory.path() / "typed.txt").find("\r\nThe system used: AX30\r\n"),
        std::string::npos);
}

TEST(ResultsReport, SaveBeforeAnyDataFailsAndLeavesAnExistingReportIntact) {
    Session s;
    const std::string before = "an earlier report\r\n";
    s.directory.write("report.txt", before);
    EXPECT_FALSE(save(s, "report.txt"));
    ASSERT_EQ(s.errors().size(), 1u);
    EXPECT_EQ(s.errors()[0], "'' は浮動小数点数ではありません.");
    EXPECT_EQ(testing::contentOf(s.directory.path() / "report.txt"), before);
    EXPECT_EQ(namesIn(s.directory.path()), (std::vector<std::string>{"dirinf", "report.txt"}));
    EXPECT_EQ(s.platform.dialogs[0].proposedName, "_results.txt");
}

TEST(ResultsReport, SaveBeforeTheCalculationFailsInTableFourAndLeavesNoFile) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    EXPECT_FALSE(save(s, "report.txt"));
    EXPECT_EQ(s.errors().back(), "'' は浮動小数点数ではありません.");
    EXPECT_FALSE(fs::exists(s.directory.path() / "report.txt"));
    EXPECT_EQ(namesIn(s.directory.path()), (std::vector<std::string>{"dirinf", "three.txt"}));
}

TEST(ResultsReport, ZeroConcentrationFailsWithTheDivisionError) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    ASSERT_TRUE(sweep(s, 9));
    s.form1.StringGrid1.setCell(0, 2, "0");
    EXPECT_FALSE(save(s, "report.txt"));
    EXPECT_EQ(s.errors().back(), "0 による浮動小数点数除算.");
    EXPECT_FALSE(fs::exists(s.directory.path() / "report.txt"));
    s.form1.StringGrid1.setCell(1, 2, "0");
    EXPECT_FALSE(save(s, "report.txt"));
    EXPECT_EQ(s.errors().back(), "不正な浮動小数点数演算命令.");
}

TEST(ResultsReport, CancelWritesNothing) {
    Session s;
    s.platform.answerNextDialog(std::nullopt);
    EXPECT_TRUE(s.act([&] { s.form1.Save1Click(); }));
    EXPECT_TRUE(namesIn(s.directory.path()).empty());
}

// Which conversion comes first decides the error of a row that is bad twice over:
// Table 1 divides before it takes the root, Table 4 takes the root first.
TEST(ResultsReport, DerivedColumnsConvertInTheirTablesOrder) {
    CellTable observed(4, 2);
    CellTable constants(2, 1);
    CellTable calculated(3, 2);
    const auto report = [&] {
        return ResultsReport(
            {"", observed, constants, calculated, "10000", "88", "59", true, 20, 6});
    };
    observed.setCell(0, 1, "-1");
    observed.setCell(1, 1, "x");
    EXPECT_EQ(errorText(report), "'x' は浮動小数点数ではありません");
    observed.setCell(1, 1, "1");
    EXPECT_EQ(errorText(report), "不正な浮動小数点数演算命令");

    observed.setCell(0, 1, "0.01");
    calculated.setCell(0, 1, "-1");
    calculated.setCell(1, 1, "x");
    EXPECT_EQ(errorText(report), "不正な浮動小数点数演算命令");
    calculated.setCell(0, 1, "1");
    EXPECT_EQ(errorText(report), "'x' は浮動小数点数ではありません");
}

struct NameCase {
    const char* name;
    const char* dataFile;
    const char* proposed;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class DefaultReportNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(DefaultReportNames, DropTheLastFourCharacters) {
    EXPECT_EQ(DefaultReportName(GetParam().dataFile), GetParam().proposed);
}

INSTANTIATE_TEST_SUITE_P(
    ResultsReport, DefaultReportNames,
    ::testing::Values(NameCase{"WindowsName", "C:\\data\\kcl.txt", "C:\\data\\kcl_results.txt"},
                      NameCase{"NoExtension", "C:\\data\\run1", "C:\\data\\_results.txt"},
                      NameCase{"OtherExtension", "/data/kcl.dat", "/data/kcl_results.txt"},
                      NameCase{"NoFile", "", "_results.txt"},
                      NameCase{"FourCharacters", "abcd", "_results.txt"},
                      NameCase{"JapaneseName", "/data/測定.txt", "/data/測定_results.txt"},
                      NameCase{"JapaneseNameWithoutExtension", "/data/x測定値",
                               "/data/_results.txt"}),
    testing::NamedCase());

}  // namespace
}  // namespace condsim
