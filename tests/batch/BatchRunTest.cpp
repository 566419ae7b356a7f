#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestSession.h"
#include "batch/BatchSession.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using testing::Session;
using testing::TemporaryDirectory;

struct PictureLog {
    std::vector<std::string> names;
    PictureWriter writer() {
        return [this](const Canvas&, const std::string& name) {
            names.push_back(name);
            return true;
        };
    }
};

const char* const exampleData = "observed-6to1-salt.txt";

TEST(BatchRun, ReportEqualsTheOneTheWindowsWriteForTheSameSteps) {
    const std::string data = testing::exampleFile(exampleData);
    std::string windowsReport;
    {
        Session s;
        s.platform.answerNextDialog(data);
        ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
        ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
        ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
        s.platform.answerNextDialog((s.directory.path() / "windows.txt").string());
        ASSERT_TRUE(s.act([&] { s.form1.Save1Click(); }));
        windowsReport = testing::contentOf((s.directory.path() / "windows.txt").string());
    }
    TemporaryDirectory directory;
    std::ostringstream messages;
    PictureLog pictures;
    BatchOptions options;
    options.data = data;
    options.report = "batch.txt";
    options.plot = "c.png";
    options.distribution = "d.png";
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 0);
    EXPECT_EQ(messages.str(), "");
    EXPECT_EQ(testing::contentOf((directory.path() / "batch.txt").string()), windowsReport);
    EXPECT_FALSE(windowsReport.empty());
    ASSERT_EQ(pictures.names.size(), 2u);
    EXPECT_EQ(pictures.names[0], (directory.path() / "c.png").string());
    EXPECT_EQ(pictures.names[1], (directory.path() / "d.png").string());
}

TEST(BatchRun, AnErrorEndsTheRunWithTheErrorBoxText) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    PictureLog pictures;
    BatchOptions options;  // no data: the sweep's first point divides 0 by 0
    options.report = "never.txt";
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 1);
    EXPECT_EQ(messages.str(), "不正な浮動小数点数演算命令.\nNo observed data are loaded: open a data file first (File/Open).\n");
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "never.txt"));
    EXPECT_TRUE(pictures.names.empty());
}

TEST(BatchRun, MessagesGoToTheStreamOnePerLine) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    PictureLog pictures;
    BatchOptions options;
    options.data = testing::exampleFile(exampleData);
    options.model1 = false;
    options.mca = "abc";
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 1);
    EXPECT_EQ(messages.str(),
              "Caution!! The current K2-Kn values (excluding K1) are used to set up all the "
              "beta(n) values.\n'abc' は浮動小数点数ではありません.\n");
}

}  // namespace
}  // namespace condsim
