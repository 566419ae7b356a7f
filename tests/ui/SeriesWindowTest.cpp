// The Temperature Series window without its widgets: the list of data sets, a run with
// the main window's model and the Fit window's parameters, Cancel in either stage of a
// run, the refusals, and the exports.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "TestSession.h"
#include "files/DecimalSeparator.h"
#include "files/SessionFile.h"
#include "fit/FitRequest.h"
#include "ui/FitWindow.h"
#include "ui/SeriesWindow.h"
#include "ui/SessionState.h"

namespace condsim {
namespace {

using testing::Session;
using testing::TemporaryDirectory;

// The main window set up as the example series was made: n = 2, Model #1 with alfa = 1,
// lambda(Cl-) 76.35 at 25 C, the Debye-Hueckel model in water; the Fit window fits K1 and MCA.
struct SeriesSession {
    Session s;
    FitWindow fit{s.form1, testing::recordingCanvases()};
    SeriesWindow series{s.form1, fit};

    SeriesSession() {
        s.form1.SpinEdit1.setValue(2);
        s.form1.MCX.setText("76.35");
        s.form1.beta1.setText("10");
        s.form1.SpinEdit2.setValue(1);
        s.form1.CheckBox1.setChecked(true);
        s.form1.MCA.setText("60");
        s.form1.InitializeClick();
        s.app.state.solution.kind = SolutionModelKind::DebyeHuckel;
        fit.choose(FitParameter::alfa(), false);
        fit.choose(FitParameter::mca(), true);
    }
    void importExample() {
        s.platform.answerNextDialog(testing::exampleFile("series-cacl2/series.txt"));
        ASSERT_TRUE(s.act([&] { series.ImportClick(); }));
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> cells;
        for (int r = 1; r < series.sets.rowCount(); ++r) cells.push_back(series.sets.cell(c, r));
        return cells;
    }
};

TEST(SeriesWindow, TheListTakesAddsRemovalsAndASeriesFile) {
    TemporaryDirectory folder;
    const std::string a = folder.write("a.txt", "0.001 0.2\n0.002 0.4\n");
    const std::string b = folder.write("b.txt", "0.001 0.2\n0.002 0.4\n");
    const struct {
        const char* name;
        std::vector<std::string> steps;  // "add FILE T [ANION]", "remove ROW", "import"
        std::vector<std::string> files;
        std::vector<std::string> temperatures;
        std::vector<std::string> anions;
    } cases[] = {
        {"add two",
         {"add a 288.15", "add b 298.15 76.35"},
         {a, b},
         {"288.15", "298.15"},
         {"", "76.35"}},
        {"remove the first", {"add a 288.15", "add b 298.15", "remove 1"}, {b}, {"298.15"}, {""}},
        {"remove the last", {"add a 288.15", "add b 298.15", "remove 2"}, {a}, {"288.15"}, {""}},
        {"import replaces the list",
         {"add a 288.15", "import"},
         {},
         {"278.15", "288.15", "298.15", "308.15", "318.15"},
         {"44.9574", "59.7156", "76.35", "94.6441", "114.374"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesSession t;
        for (const std::string& step : c.steps) {
            std::istringstream words(step);
            std::string verb, first, second, third;
            words >> verb >> first >> second >> third;
            if (verb == "add") {
                t.series.temperature.setText(second);
                t.series.anion.setText(third);
                t.s.platform.answerNextDialog(first == "a" ? a : b);
                ASSERT_TRUE(t.s.act([&] { t.series.AddClick(); }));
            } else if (verb == "remove") {
                t.series.sets.select(0, std::stoi(first));
                ASSERT_TRUE(t.s.act([&] { t.series.RemoveClick(); }));
            } else {
                t.importExample();
            }
        }
        EXPECT_EQ(t.column(1), c.temperatures);
        if (!c.files.empty()) {
            EXPECT_EQ(t.column(0), c.files);
        }
        const std::vector<std::string> anions = t.column(2);
        ASSERT_EQ(anions.size(), c.anions.size());
        for (size_t i = 0; i < anions.size(); ++i) {
            EXPECT_EQ(anions[i].substr(0, std::max<size_t>(c.anions[i].size(), 1)),
                      c.anions[i].empty() ? "" : c.anions[i])
                << i;
        }
    }
}

// A run fits every data set with the main window's model and the Fit window's parameters;
// the global fit only when chosen. The example series holds dH = 8 kJ/mol and
// dS = 48 J/(mol K) within the van 't Hoff intervals.
TEST(SeriesWindow, RunsTheSeparateAndTheGlobalFitAsChosen) {
    const struct {
        SeriesGlobalFit global;
        bool globalTable;
        std::string globalHeading;
    } cases[] = {
        {SeriesGlobalFit::None, false, "Global fit to"},
        {SeriesGlobalFit::Walden, true, "Global fit to 60 points at 5 temperatures"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.global));
        SeriesSession t;
        t.importExample();
        t.series.globalFit = c.global;
        ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
        ASSERT_TRUE(t.series.lastRun().has_value()) << t.series.status;
        EXPECT_EQ(t.series.status.substr(0, 24), "5 of 5 data sets fitted ") << t.series.status;
        EXPECT_EQ(t.series.temperatures.rowCount(), 6);  // the headers and five temperatures
        EXPECT_EQ(t.series.temperatures.cell(0, 0), "T (K)");
        EXPECT_EQ(t.series.temperatures.cell(2, 0), "K1");
        int enthalpyRow = 0;
        for (int r = 0; r < t.series.vantHoff.rowCount(); ++r)
            if (t.series.vantHoff.cell(0, r) == "dH (kJ/mol)") enthalpyRow = r;
        ASSERT_GT(enthalpyRow, 0);
        EXPECT_LT(std::stod(t.series.vantHoff.cell(3, enthalpyRow)), 8);
        EXPECT_GT(std::stod(t.series.vantHoff.cell(4, enthalpyRow)), 8);
        EXPECT_EQ(t.series.global.cell(0, 0), c.globalTable ? "parameter" : "");
        EXPECT_EQ(t.series.global.rowCount() > 1, c.globalTable);
        EXPECT_EQ(t.series.status.find(c.globalHeading) != std::string::npos, c.globalTable)
            << t.series.status;
        // Both figures have something to draw; the main window is left alone.
        for (const SeriesFigureKind kind : allSeriesFigureKinds)
            EXPECT_TRUE(t.series.figure(kind).figure.has_value()) << t.series.figure(kind).refusal;
        EXPECT_EQ(t.s.form1.MCA.text(), "60");
    }
}

// Progress is told in both stages of a run, the global fit's too, and Cancel in either
// leaves the window with the results of the run before.
TEST(SeriesWindow, CancelInEitherStageKeepsThePreviousRun) {
    for (const std::string stage : {"separate fits", "global fit"}) {
        SCOPED_TRACE(stage);
        SeriesSession t;
        t.importExample();
        t.series.globalFit = SeriesGlobalFit::Free;
        ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
        const std::string before = t.series.vantHoff.cell(1, 2) + t.series.status;
        const unsigned long long runs = t.series.runs();
        int told = 0;
        t.series.progress = [&](const std::string& now, int evaluations) {
            EXPECT_GT(evaluations, 0);
            if (now != stage) return;
            if (++told == 3) throw FitCancelled{};
        };
        t.series.globalFit = SeriesGlobalFit::Walden;
        ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
        EXPECT_EQ(told, 3);
        EXPECT_EQ(t.series.runs(), runs);
        EXPECT_EQ(t.series.vantHoff.cell(1, 2) + t.series.status, before);
        EXPECT_EQ(t.series.status.find("lambda of the cation tied"), std::string::npos);
    }
}

TEST(SeriesWindow, RefusalsAndExports) {
    TemporaryDirectory folder;
    {
        SeriesSession t;
        ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
        EXPECT_EQ(t.series.status,
                  "The list has no data set: add data files (Add) or import a series file.");
        t.importExample();
        t.fit.choose(FitParameter::stepwiseConstant(1), false);
        t.fit.choose(FitParameter::mca(), false);
        ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
        EXPECT_EQ(t.series.status.substr(0, 30), "No parameter is chosen in the ");
        for (const auto& action : std::vector<std::function<void()>>{
                 [&] { t.series.ExportTableClick(); }, [&] { t.series.ExportReportClick(); },
                 [&] { t.series.ExportFigureClick(SeriesFigureKind::Walden, {}); }}) {
            ASSERT_TRUE(t.s.act(action));
        }
        ASSERT_EQ(t.s.platform.messages.size(), 3u);
        EXPECT_EQ(t.s.platform.messages[0], "There is no series to export: press Run first.");
        EXPECT_EQ(t.s.platform.messages[2], "There is no series to draw: press Run first.");
        // A data set the list cannot fit is named by its line; the others stand.
        t.fit.choose(FitParameter::stepwiseConstant(1), true);
        t.s.platform.answerNextDialog((folder.path() / "none.txt").string());
        t.series.temperature.setText("299.15");
        ASSERT_TRUE(t.s.act([&] { t.series.AddClick(); }));
        ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
        EXPECT_NE(t.series.status.find("5 of 6 data sets fitted"), std::string::npos)
            << t.series.status;
        EXPECT_NE(t.series.status.find("the list, line 6: the data file "), std::string::npos)
            << t.series.status;
    }
    SeriesSession t;
    t.importExample();
    ASSERT_TRUE(t.s.act([&] { t.series.RunClick(); }));
    const std::string csv = (folder.path() / "table.csv").string();
    const std::string report = (folder.path() / "report.txt").string();
    const std::string figure = (folder.path() / "vh.pdf").string();
    std::string written;
    t.s.platform.answerNextDialog(csv);
    ASSERT_TRUE(t.s.act([&] { t.series.ExportTableClick(); }));
    t.s.platform.answerNextDialog(report);
    ASSERT_TRUE(t.s.act([&] { t.series.ExportReportClick(); }));
    t.s.platform.answerNextDialog(figure);
    ASSERT_TRUE(t.s.act([&] {
        t.series.ExportFigureClick(SeriesFigureKind::VantHoff,
                                   [&](const Figure& drawn, const std::string& name) {
                                       written = name + " " + drawn.x.title;
                                       return std::string();
                                   });
    }));
    EXPECT_EQ(testing::contentOf(csv).substr(0, 16), "T (K),data file,");
    EXPECT_NE(testing::contentOf(report).find("[separate fits]"), std::string::npos);
    EXPECT_EQ(written, figure + " 10^{3} K / T");
}

// A session keeps the list, the fields of Add and the analysis; opened in a fresh program
// (whose Fit window and list start empty), Run gives the same report byte for byte, under
// the period and under the decimal comma (which the list shows and the session does not).
// A session without a series empties a list that was there.
TEST(SeriesWindow, ASessionKeepsTheListAndItsAnalysisAndRunsTheSame) {
    struct Restore {
        ~Restore() { setDecimalSeparator('.'); }
    } restore;
    for (const char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        setDecimalSeparator(separator);
        TemporaryDirectory folder;
        const auto reportOf = [&](testing::Session& s, SeriesWindow& series, const char* name) {
            const std::string file = (folder.path() / name).string();
            s.platform.answerNextDialog(file);
            EXPECT_TRUE(s.act([&] { series.ExportReportClick(); }));
            return testing::contentOf(file);
        };
        SeriesSession first;
        first.s.form1.MCX.setText(withFieldSeparator("76.35"));
        first.importExample();
        EXPECT_EQ(first.column(1)[0], separator == ',' ? "278,15" : "278.15");
        first.series.globalFit = SeriesGlobalFit::Walden;
        first.series.heatCapacity.setChecked(true);
        first.series.temperature.setText(separator == ',' ? "313,5" : "313.5");
        ASSERT_TRUE(first.s.act([&] { first.series.RunClick(); }));
        ASSERT_EQ(first.series.status.substr(0, 23), "5 of 5 data sets fitted")
            << first.series.status;
        const std::string saved = reportOf(first.s, first.series, "saved.txt");
        const std::string text = sessionText(takeSession(first.s.app, {&first.fit, &first.series}));
        EXPECT_NE(text.find("\"temperature\": \"278.15\""), std::string::npos) << text;
        EXPECT_NE(text.find("\"temperature\": \"313.5\""), std::string::npos) << text;
        EXPECT_NE(text.find("\"globalFit\": \"walden\""), std::string::npos) << text;

        testing::Session s;
        FitWindow fit{s.form1, testing::recordingCanvases()};
        SeriesWindow series{s.form1, fit};
        ASSERT_TRUE(s.act([&] {
            restoreSession(s.app, parseSession(text, "work.condsim"), "work.condsim",
                           {&fit, &series});
        })) << s.errors().back();
        EXPECT_EQ(series.temperature.text(), first.series.temperature.text());
        EXPECT_FALSE(series.lastRun().has_value());
        ASSERT_TRUE(s.act([&] { series.RunClick(); }));
        EXPECT_EQ(reportOf(s, series, "opened.txt"), saved);
        EXPECT_EQ(sessionText(takeSession(s.app, {&fit, &series})), text);

        // The session of a program that has no series: the list goes, the fields start over.
        condsim::Session without = parseSession(text, "work.condsim");
        without.series.reset();
        ASSERT_TRUE(s.act([&] {
            restoreSession(s.app, without, "plain.condsim", {&fit, &series});
        }));
        EXPECT_EQ(series.sets.rowCount(), 1);
        EXPECT_EQ(series.globalFit, SeriesGlobalFit::Free);
        EXPECT_FALSE(series.heatCapacity.checked());
        EXPECT_FALSE(series.lastRun().has_value());
        EXPECT_EQ(sessionText(takeSession(s.app, {&fit, &series})), sessionText(without));
    }
}

}  // namespace
}  // namespace condsim
