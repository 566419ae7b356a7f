#include <gtest/gtest.h>

#include <filesystem>

#include "LoadSnapshot.h"
#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::LoadSnapshot;
using testing::RefusedFileCase;
using testing::Session;

const std::string importNotice =
    "The file should consist of the stepwise formation constants only! OK??";
const std::string countMismatch =
    "The number of components do not match with that defined with AXn in Page 1. Check and "
    "correct!!!";

bool importConstants(Session& s, const std::string& file) {
    s.platform.answerNextDialog(file);
    return s.act([&] { s.form1.Button4Click(); });
}

bool openFactors(Session& s, const std::string& file) {
    s.platform.answerNextDialog(file);
    return s.act([&] { s.form3.Open1Click(); });
}

std::string lines(int count, const std::string& value) {
    std::string text;
    for (int i = 0; i < count; ++i) text += value + "\r\n";
    return text;
}

// --- Stepwise constants -----------------------------------------------------------------

TEST(StepwiseConstantImport, ThreeConstantsSetNTheCumulativeConstantsAndTheTable) {
    Session s;
    const std::string file = s.directory.write("k/three.txt", "100\r\n10\r\n1\r\n");
    ASSERT_TRUE(importConstants(s, file));

    EXPECT_EQ(s.platform.messages, std::vector<std::string>{importNotice});
    const auto& model = s.app.state.model;
    EXPECT_EQ(s.form1.SpinEdit1.value(), 3);
    EXPECT_EQ(model.K[1], 100);
    EXPECT_EQ(model.K[3], 1);
    EXPECT_EQ(model.beta[2], 1000);
    EXPECT_EQ(model.beta[3], 1000);
    const CellTable& table = s.form1.StringGrid2;
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.cell(0, 0), "beta(n) (M)");
    EXPECT_EQ(table.cell(0, 2), "1000");
    EXPECT_EQ(table.cell(1, 2), "10");
    EXPECT_FALSE(s.form1.CheckBox1.checked());
    EXPECT_EQ(s.app.state.stepwiseFileName, file);
    EXPECT_EQ(s.app.state.stepwiseCount, 3);
    EXPECT_EQ(s.app.state.lastDataDirectory, (s.directory.path() / "k").string());
}

TEST(StepwiseConstantImport, SameCountAsNRunsNoInitialize) {
    Session s;
    s.form1.SpinEdit1.setValue(3);
    ASSERT_TRUE(importConstants(s, s.directory.write("three.txt", "100\n10\n1\n")));
    EXPECT_EQ(s.platform.messages, std::vector<std::string>{importNotice}) << "no caution message";
    EXPECT_EQ(s.app.state.model.beta[3], 1000);
}

TEST(StepwiseConstantImport, CancelAfterTheNoticeChangesNothing) {
    Session s;
    s.form1.InitializeClick();
    const LoadSnapshot before(s);
    ASSERT_TRUE(s.act([&] { s.form1.Button4Click(); }));
    EXPECT_EQ(s.platform.messages, std::vector<std::string>{importNotice});
    EXPECT_EQ(s.platform.dialogs.size(), 1u);
    expectUnchanged(before, s);
    EXPECT_FALSE(fs::exists(s.directory.path() / "dirinf"));
}

class RefusedStepwiseFiles : public ::testing::TestWithParam<RefusedFileCase> {};

TEST_P(RefusedStepwiseFiles, LeaveTheConstantsNTableAndSwitchAsTheyWere) {
    const RefusedFileCase& c = GetParam();
    Session s;
    s.form1.InitializeClick();
    const LoadSnapshot before(s);
    const std::string file = c.file(s);
    EXPECT_FALSE(importConstants(s, file));
    EXPECT_EQ(s.errors(), std::vector<std::string>{c.error(file)});
    expectUnchanged(before, s);
    EXPECT_TRUE(s.form1.CheckBox1.checked());
    EXPECT_TRUE(fs::exists(s.directory.path() / "dirinf"))
        << "the folder is remembered before the read";
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, RefusedStepwiseFiles,
    ::testing::Values(
        RefusedFileCase{"BadValueOnTheThirdLine", "100\r\n10\r\nK3\r\n", true,
                        "入力値が数値ではありません.\nline 3 of FILE: 'K3'"},
        RefusedFileCase{"MissingFile", "", false, "ファイルが見つかりません.\nFILE"},
        RefusedFileCase{
            "MoreThanAHundredConstants", lines(101, "2"), true,
            "The file holds more than 100 stepwise constants; condsim reads at most 100.\nFILE"},
        RefusedFileCase{"CumulativeConstantOverflows", "1E3000\r\n1E3000\r\n", true,
                        "浮動小数点数のオーバーフロー."},
        RefusedFileCase{
            "NegativeConstant", "1000\r\n-1000\r\n", true,
            "K2 = -1000 in line 2 of FILE is negative: stepwise constants are 0 or more."},
        RefusedFileCase{
            "NegativeConstantAfterEmptyLines",
            "\xEF\xBB\xBF"
            "100\n\n10\r\n\r-0.5 1\r\n",
            true, "K3 = -0.5 in line 5 of FILE is negative: stepwise constants are 0 or more."},
        RefusedFileCase{
            "EndlessDevice", "", true,
            "The file is larger than 16 MiB, the most that condsim reads from a file.\n/dev/zero",
            "/dev/zero"}),
    [](const ::testing::TestParamInfo<RefusedFileCase>& info) {
        return std::string(info.param.name);
    });

TEST(StepwiseConstantImport, ExampleFileGivesTheDefaultModelConstants) {
    Session s;
    s.form1.InitializeClick();  // Model #1, alfa 20, K1 10000
    const auto expected = s.app.state.model.beta;
    ASSERT_TRUE(importConstants(s, testing::exampleFile("stepwise-constants-6.txt")));
    EXPECT_EQ(s.form1.SpinEdit1.value(), 6);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(s.form1.StringGrid2.cell(0, r), NumberText(expected[r])) << "beta(" << r << ")";
    }
}

// --- Scaling factors ----------------------------------------------------------------------

void expectFactorRows(const CellTable& table, const std::vector<std::string>& labels,
                      const std::vector<std::string>& factors) {
    ASSERT_EQ(table.rowCount(), static_cast<int>(labels.size()) + 1);
    EXPECT_EQ(table.cell(0, 0), "Species");
    EXPECT_EQ(table.cell(1, 0), "Scaling Factor");
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(table.cell(0, static_cast<int>(i) + 1), labels[i]);
        EXPECT_EQ(table.cell(1, static_cast<int>(i) + 1), factors[i]);
    }
}

const std::string sixFactors = "1\r\n1.1\r\n1.2\r\n1.3\r\n1.4\r\n1.5\r\n";
const std::vector<std::string> sixLabels{"AX0^6+", "AX1^5+", "AX2^4+",
                                         "AX3^3+", "AX4^2+", "AX5^1+"};
const std::vector<std::string> sixTexts{"1", "1.1", "1.2", "1.3", "1.4", "1.5"};

TEST(ScalingFactorLoad, SixFactorsForSixAnionsFillTheArrayAndTheTable) {
    Session s;
    s.app.state.lastDataDirectory = s.directory.path().string();
    ASSERT_TRUE(openFactors(s, s.directory.write("f/six.txt", sixFactors)));

    EXPECT_TRUE(s.platform.messages.empty());
    expectFactorRows(s.form3.StringGrid2, sixLabels, sixTexts);
    const auto& sf = s.app.state.factors.sf;
    EXPECT_EQ(sf[0], 1);
    EXPECT_EQ(sf[5], 1.5L);
    EXPECT_EQ(sf[6], 1) << "factors beyond the file keep their values";
    EXPECT_EQ(s.app.state.factorCount, 6);
    ASSERT_EQ(s.platform.dialogs.size(), 1u);
    EXPECT_EQ(s.platform.dialogs[0].initialDirectory, s.directory.path().string());
    EXPECT_EQ(s.app.state.lastDataDirectory, s.directory.path().string())
        << "the chosen folder is not remembered";
    EXPECT_FALSE(fs::exists(s.directory.path() / "dirinf"));
}

TEST(ScalingFactorLoad, CountDifferentFromNIsReportedOnceAndLabelsCountFromTheFile) {
    Session s;
    s.form1.SpinEdit1.setValue(4);
    ASSERT_TRUE(openFactors(s, s.directory.write("six.txt", sixFactors)));
    EXPECT_EQ(s.platform.messages, std::vector<std::string>{countMismatch});
    expectFactorRows(s.form3.StringGrid2, sixLabels, sixTexts);
}

TEST(ScalingFactorLoad, EmptyFileShowsTheMismatchAndLeavesTheHeaderOnly) {
    Session s;
    ASSERT_TRUE(openFactors(s, s.directory.write("empty.txt", "")));
    EXPECT_EQ(s.platform.messages, std::vector<std::string>{countMismatch});
    expectFactorRows(s.form3.StringGrid2, {}, {});
    EXPECT_EQ(s.app.state.factors.sf, ScalingFactors().sf);
    EXPECT_EQ(s.app.state.factorCount, 0);
}

TEST(ScalingFactorLoad, AHundredAndOneFactorsFit) {
    Session s;
    ASSERT_TRUE(openFactors(s, s.directory.write("full.txt", lines(101, "0.5"))));
    EXPECT_EQ(s.app.state.factorCount, 101);
    EXPECT_EQ(s.app.state.factors.sf[100], 0.5L);
    EXPECT_EQ(s.form3.StringGrid2.cell(0, 101), "AX100^1+");
}

class RefusedFactorFiles : public ::testing::TestWithParam<RefusedFileCase> {};

TEST_P(RefusedFactorFiles, LeaveTheFactorsAndTheTableAsTheyWere) {
    const RefusedFileCase& c = GetParam();
    Session s;
    ASSERT_TRUE(openFactors(s, s.directory.write("six.txt", sixFactors)));
    const LoadSnapshot before(s);
    const std::string file = c.file(s);
    EXPECT_FALSE(openFactors(s, file));
    EXPECT_EQ(s.errors(), std::vector<std::string>{c.error(file)});
    expectUnchanged(before, s);
    EXPECT_TRUE(s.platform.messages.empty()) << "the count check does not run";
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, RefusedFactorFiles,
    ::testing::Values(
        RefusedFileCase{"BadValueOnTheSecondLine", "0.9\r\n0,8\r\n0.7\r\n", true,
                        "入力値が数値ではありません.\nline 2 of FILE: '0,8'"},
        RefusedFileCase{"MissingFile", "", false, "ファイルが見つかりません.\nFILE"},
        RefusedFileCase{
            "MoreThanAHundredAndOneFactors", lines(102, "1"), true,
            "The file holds more than 101 scaling factors; condsim reads at most 101.\nFILE"},
        RefusedFileCase{
            "EndlessDevice", "", true,
            "The file is larger than 16 MiB, the most that condsim reads from a file.\n/dev/zero",
            "/dev/zero"}),
    [](const ::testing::TestParamInfo<RefusedFileCase>& info) {
        return std::string(info.param.name);
    });

TEST(ScalingFactorLoad, ExampleFileHasSixFactors) {
    Session s;
    ASSERT_TRUE(openFactors(s, testing::exampleFile("scaling-factors-6.txt")));
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_EQ(s.form3.StringGrid2.cell(1, 6), "0.75");
}

}  // namespace
}  // namespace condsim
