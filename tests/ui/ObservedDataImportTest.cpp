// File/Import Observed Data...: the import loads what File/Open of the saved file loads,
// takes n from the main window for equivalent conductance, answers every change of the
// dialog's choices with the converted table or its refusal, and changes nothing when it
// is cancelled or refused.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "LoadSnapshot.h"
#include "TestSession.h"
#include "files/NumberText.h"
#include "plot/RecordingCanvas.h"
#include "ui/ObservedDataImport.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::LoadSnapshot;
using testing::Session;

// Specific conductance in uS/cm of four solutions, as an instrument exports them.
const char* const measuredCsv =
    "sample,c (mmol/L),kappa (uS/cm)\r\n"
    "A,0.5,60.1\r\n"
    "B,1,118.4\r\n"
    "C,2,232.9\r\n"
    "D,4,455\r\n";

// The import dialog as a user answers it: the given changes, then OK or Cancel.
ObservedDataImportDialog answering(std::function<void(ObservedDataImport&)> choose,
                                   bool ok = true) {
    return [choose = std::move(choose), ok](ObservedDataImport& import) {
        choose(import);
        import.SettingsChange();
        return ok;
    };
}

void chooseMeasuredColumnsAndUnits(ObservedDataImport& import) {
    import.concentrationColumn = 2;
    import.conductivityColumn = 3;
    import.concentrationUnit = ConcentrationUnit::MillimolPerLitre;
    import.conductivityUnit = ConductivityUnit::MicrosiemensPerCentimetre;
}

using Drawn = std::vector<std::tuple<int, int, int, int, int, int>>;

Drawn drawingOf(const Picture& picture) {
    Drawn drawn;
    const auto* canvas = dynamic_cast<const RecordingCanvas*>(picture.canvas());
    if (canvas == nullptr) return drawn;
    for (const CanvasOperation& op : canvas->operations()) {
        drawn.emplace_back(static_cast<int>(op.kind), op.x1, op.y1, op.x2, op.y2, op.penWidth);
    }
    return drawn;
}

TEST(ObservedDataImport, LoadsWhatFileOpenOfTheSavedFileLoads) {
    Session imported;
    const std::string source = imported.directory.write("lab/measured.csv", measuredCsv);
    const std::string saved = (imported.directory.path() / "lab/saved.txt").string();
    imported.platform.answerNextDialog(source);
    imported.platform.answerNextDialog(saved);
    ASSERT_TRUE(imported.act([&] {
        importObservedData(imported.form1, answering(chooseMeasuredColumnsAndUnits));
    })) << imported.errors().front();

    const auto& observed = imported.app.state.observed;
    EXPECT_EQ(observed.fileName, source) << "the report names the measured file";
    ASSERT_EQ(observed.count, 4);
    const CellTable& table = imported.form1.StringGrid1;
    EXPECT_EQ(table.cell(0, 1), "0.0005");
    EXPECT_EQ(table.cell(1, 1), "0.0601");
    EXPECT_EQ(table.cell(0, 4), "0.004");
    EXPECT_EQ(table.cell(1, 4), "0.455");
    ASSERT_EQ(imported.platform.dialogs.size(), 2u);
    EXPECT_TRUE(imported.platform.dialogs[1].save);
    EXPECT_EQ(imported.platform.dialogs[1].proposedName,
              (imported.directory.path() / "lab/measured_observed.txt").string());
    EXPECT_EQ(testing::contentOf(saved),
              "0.0005\t0.0601\r\n0.001\t0.1184\r\n0.002\t0.2329\r\n0.004\t0.455\r\n");

    Session opened;
    opened.platform.answerNextDialog(saved);
    ASSERT_TRUE(opened.act([&] { opened.form1.Open1Click(); }));
    EXPECT_EQ(opened.app.state.observed.count, observed.count);
    EXPECT_TRUE(opened.app.state.observed.conc == observed.conc);
    EXPECT_TRUE(opened.app.state.observed.cond == observed.cond);
    for (int row = 0; row <= 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(opened.form1.StringGrid1.cell(column, row), table.cell(column, row))
                << column << "," << row;
        }
    }
    for (auto field : {&TForm1::Edit1, &TForm1::Edit2, &TForm1::Edit3, &TForm1::Edit4}) {
        EXPECT_EQ((opened.form1.*field).text(), (imported.form1.*field).text());
    }
    EXPECT_FALSE(drawingOf(imported.form1.Image1).empty());
    EXPECT_EQ(drawingOf(opened.form1.Image1), drawingOf(imported.form1.Image1));
}

TEST(ObservedDataImport, EquivalentConductanceCountsTheEquivalentsOfTheMainWindowsN) {
    for (const auto& [n, expected] : {std::pair{2, "0.081"}, std::pair{3, "0.1215"}}) {
        Session s;
        s.form1.SpinEdit1.setValue(n);
        s.platform.answerNextDialog(s.directory.write("eq.txt", "0.001 40.5\r\n"));
        int shownN = 0;
        ASSERT_TRUE(s.act([&] {
            importObservedData(s.form1, answering([&](ObservedDataImport& import) {
                                   shownN = import.equivalentsPerFormulaUnit();
                                   import.conductivityUnit =
                                       ConductivityUnit::EquivalentConductance;
                                   import.saveAfterLoading = false;
                               }));
        }));
        EXPECT_EQ(shownN, n);
        EXPECT_EQ(s.form1.StringGrid1.cell(1, 1), expected) << "n x 40.5 x 0.001, n = " << n;
        EXPECT_EQ(s.platform.dialogs.size(), 1u) << "no save dialog when the user declined it";
    }
}

TEST(ObservedDataImport, EveryChangeOfTheChoicesShowsThePairsOrTheRefusal) {
    Session s;
    const std::string file = s.directory.write("m.csv", measuredCsv);
    ObservedDataImport import(file, measuredCsv, 6);
    EXPECT_EQ(import.separator, ColumnSeparator::Comma) << "guessed";
    EXPECT_EQ(import.skippedLines, 1) << "the header line is skipped";
    EXPECT_EQ(import.previewLines().size(), 5u);
    EXPECT_EQ(import.previewLines()[0], "sample,c (mmol/L),kappa (uS/cm)");
    EXPECT_EQ(import.refusal, "入力値が数値ではありません\nline 2 of " + file + ": 'A'")
        << "column 1 holds names";
    EXPECT_EQ(import.converted.rowCount(), 1);

    chooseMeasuredColumnsAndUnits(import);
    import.SettingsChange();
    EXPECT_EQ(import.refusal, "");
    ASSERT_EQ(import.converted.rowCount(), 5);
    EXPECT_EQ(import.converted.cell(0, 0), "conc.(M)");
    EXPECT_EQ(import.converted.cell(1, 0), "cond_obsd(MC*M)");
    EXPECT_EQ(import.converted.cell(0, 2), "0.001");
    EXPECT_EQ(import.converted.cell(1, 2), "0.1184");

    import.conductivityColumn = 4;
    import.SettingsChange();
    EXPECT_EQ(import.refusal, "line 2 of " + file + " has no column 4 (it holds 3)");
    EXPECT_EQ(import.converted.rowCount(), 1);

    import.conductivityColumn = 3;
    import.concentrationUnit = ConcentrationUnit::MolPerKilogram;
    import.density.setText("1.1");
    import.SettingsChange();
    EXPECT_EQ(import.converted.cell(0, 2), "1.1");
    import.density.setText("heavy");
    import.SettingsChange();
    EXPECT_EQ(import.refusal, "'heavy' は浮動小数点数ではありません");
}

struct UnchangedCase {
    const char* name;
    std::optional<std::string> content;  // nothing: the open dialog is cancelled
    bool importOk;
    std::string error;          // the error box up to the file's name; empty: no error box
    std::string errorEnd = {};  // and after it
};

void PrintTo(const UnchangedCase& c, std::ostream* out) { *out << c.name; }

class ImportThatLoadsNothing : public ::testing::TestWithParam<UnchangedCase> {};

TEST_P(ImportThatLoadsNothing, LeavesDataTablesAndPictureAsTheyWere) {
    const UnchangedCase& c = GetParam();
    Session s;
    s.platform.answerNextDialog(s.directory.write("good.txt", "0.001 0.11\r\n0.002 0.2\r\n"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    const LoadSnapshot before(s);

    s.platform.answerNextDialog(c.content ? std::optional(s.directory.write("bad.txt", *c.content))
                                          : std::nullopt);
    s.platform.answerNextDialog((s.directory.path() / "never.txt").string());
    const bool ran = s.act(
        [&] { importObservedData(s.form1, answering([](ObservedDataImport&) {}, c.importOk)); });

    const bool refused = !c.error.empty() || !c.errorEnd.empty();
    EXPECT_EQ(ran, !refused);
    const std::string file = (s.directory.path() / "bad.txt").string();
    EXPECT_EQ(s.errors(), refused ? std::vector<std::string>{c.error + file + c.errorEnd}
                                  : std::vector<std::string>{});
    testing::expectUnchanged(before, s);
    EXPECT_FALSE(fs::exists(s.directory.path() / "never.txt")) << "nothing is offered for saving";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportThatLoadsNothing,
    ::testing::Values(
        UnchangedCase{"OpenDialogCancelled", std::nullopt, true, ""},
        UnchangedCase{"ImportCancelled", "0.001 0.11\r\n", false, ""},
        UnchangedCase{"DecimalCommasAmongPeriods", "c;k\r\n0,001;0,11\r\n0,002;0.2\r\n", true,
                      "入力値が数値ではありません\nline 2 of ",
                      ": '0,001'\nDecimal commas are not read, as other numbers of the data take "
                      "a period: write every number of the data with the same decimal separator."},
        UnchangedCase{"NoPairs", " \r\n\r\n", true, "", " holds no pairs of observed data."}),
    [](const ::testing::TestParamInfo<UnchangedCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace condsim
