// Session files of the windows: a session saved and opened again in a fresh program gives
// the same report, byte for byte, in every state that changes what a session must carry;
// a session that any window would refuse is refused with its file and key, and then
// nothing in the windows has changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "TestSession.h"
#include "WindowSnapshot.h"
#include "core/Error.h"
#include "files/DecimalSeparator.h"
#include "files/SessionFile.h"
#include "files/TextFile.h"
#include "fit/ConstantsFit.h"
#include "ui/FitApplication.h"
#include "ui/MainWindowFit.h"
#include "ui/ObservedDataImport.h"
#include "ui/SessionState.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::Session;
using testing::WindowSnapshot;

std::string reportOf(Session& s, const std::string& name) {
    const std::string file = (s.directory.path() / name).string();
    s.platform.answerNextDialog(file);
    EXPECT_TRUE(s.act([&] { s.form1.Save1Click(); })) << s.errors().back();
    return testing::contentOf(file);
}

void openData(Session& s, const std::string& example = "observed-6to1-salt.txt") {
    s.platform.answerNextDialog(testing::exampleFile(example));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
}

void chooseModel(Session& s, SolutionModelKind kind, const std::function<void()>& fields = {}) {
    SolutionModelWindow& window = s.app.SolutionModelForm;
    window.Show();
    window.Model = kind;
    if (fields) fields();
    ASSERT_TRUE(s.act([&] { window.OKClick(); })) << s.errors().back();
}

struct RoundTrip {
    const char* name;
    std::function<void(Session&)> steps;  // up to and with Conduct Calculations
};

TEST(SessionFile, OpeningASavedSessionGivesTheSameReportByteForByte) {
    const RoundTrip cases[] = {
        {"ideal, alfa 37 and then an adopted beta(3)",
         [](Session& s) {
             openData(s);
             s.form1.SpinEdit2.setValue(37);
             s.form1.InitializeClick();
             s.form1.StringGrid2SelectCell(0, 3);
             s.form1.cellvalue.setText("123456.789");
             ASSERT_TRUE(s.act([&] { s.form1.AdoptClick(); })) << s.errors().back();
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
        {"Debye-Hueckel with Bjerrum's distance, 57 points, scale 120",
         [](Session& s) {
             openData(s);
             s.form1.SpinEdit3.setValue(57);
             s.form1.SpinEdit4.setValue(120);
             chooseModel(s, SolutionModelKind::DebyeHuckel,
                         [&] { s.app.SolutionModelForm.BjerrumIonSize.setChecked(true); });
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
        {"Davies in a solvent of one's own, a = 3.3, a 2:1 salt",
         [](Session& s) {
             openData(s, "observed-2to1-salt.txt");
             s.form1.SpinEdit1.setValue(2);
             s.form1.InitializeClick();
             chooseModel(s, SolutionModelKind::Davies, [&] {
                 SolutionModelWindow& w = s.app.SolutionModelForm;
                 w.SolventChoice = w.otherSolventChoice();
                 w.Temperature.setText("300.1");
                 w.Permittivity.setText("70.3");
                 w.Viscosity.setText("0.3333");
                 w.IonSize.setText("3.3");
             });
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
        {"factors of the hyperbolic rule, stepwise constants from a file",
         [](Session& s) {
             openData(s);
             s.platform.answerNextDialog(testing::exampleFile("stepwise-constants-6.txt"));
             ASSERT_TRUE(s.act([&] { s.form1.Button4Click(); }));
             s.form1.Option1Click();
             s.form3.a_value.setText("2.7");
             ASSERT_TRUE(s.act([&] { s.form3.Button6Click(); }));
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
        {"factors of the gradient rule, n = 4",
         [](Session& s) {
             openData(s);
             s.form1.SpinEdit1.setValue(4);
             s.form1.InitializeClick();
             s.form1.Option1Click();
             s.form3.katamuki.userSetText("-7");
             s.form3.katamuki.userLeave();
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
        {"a fit of K1, alfa and MCA applied",
         [](Session& s) {
             openData(s);
             s.form1.InitializeClick();
             const FitResult result =
                 fitConstants(s.form1, {parseFitParameterList("K1,alfa,MCA"), {}});
             ASSERT_TRUE(result.converged()) << result.reason;
             ASSERT_TRUE(s.act([&] { applyFit(s.form1, result); }));
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
        {"data imported in mmol/L and uS/cm",
         [](Session& s) {
             const fs::path csv = s.directory.path() / "measured.csv";
             std::ofstream(csv) << "c (mmol/L);kappa (uS/cm)\n0,5;60,1\n1;118,4\n2;232,9\n4;455\n";
             s.platform.answerNextDialog(csv.string());
             ASSERT_TRUE(s.act([&] {
                 importObservedData(s.form1, [](ObservedDataImport& import) {
                     import.concentrationUnit = ConcentrationUnit::MillimolPerLitre;
                     import.conductivityUnit = ConductivityUnit::MicrosiemensPerCentimetre;
                     import.saveAfterLoading = false;
                     return true;
                 });
             })) << s.errors().back();
             ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); })) << s.errors().back();
         }},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        std::string saved;
        std::string sessionFile;
        std::string text;
        Session first;
        c.steps(first);
        if (::testing::Test::HasFatalFailure()) return;
        saved = reportOf(first, "saved.txt");
        sessionFile = (first.directory.path() / "work.condsim").string();
        writeSessionFile(sessionFile, takeSession(first.app));
        text = testing::contentOf(sessionFile);

        Session second;
        ASSERT_TRUE(second.act([&] {
            restoreSession(second.app, readSessionFile(sessionFile), sessionFile);
        })) << second.errors().back();
        EXPECT_EQ(reportOf(second, "opened.txt"), saved);
        // Saved again, the session is the same text.
        EXPECT_EQ(sessionText(takeSession(second.app)), text);
    }
}

// The windows show decimal commas; the session keeps periods, and opens under either.
TEST(SessionFile, NumbersAreKeptWithThePeriodWhateverTheWindowsShow) {
    struct Restore {
        ~Restore() { setDecimalSeparator('.'); }
    } restore;
    setDecimalSeparator(',');
    std::string saved;
    std::string text;
    {
        Session s;
        openData(s);
        s.form1.beta1.setText("2500,5");
        s.form1.MCA.setText("80,25");
        s.form1.InitializeClick();
        ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
        saved = reportOf(s, "saved.txt");
        text = sessionText(takeSession(s.app));
    }
    EXPECT_NE(text.find("\"beta1\": \"2500.5\""), std::string::npos) << text;
    EXPECT_NE(text.find("[\"0.0001\", \"0.06648\"]"), std::string::npos) << text;
    EXPECT_EQ(text.find("2500,5"), std::string::npos);
    for (const char separator : {',', '.'}) {
        setDecimalSeparator(separator);
        Session s;
        ASSERT_TRUE(s.act([&] { restoreSession(s.app, parseSession(text, "s"), "s"); }))
            << s.errors().back();
        EXPECT_EQ(s.form1.beta1.text(), separator == ',' ? "2500,5" : "2500.5");
        if (separator == ',') {
            EXPECT_EQ(reportOf(s, "opened.txt"), saved);
        }
    }
}

TEST(SessionFile, AFileInTheImportKeepsItsChoices) {
    Session s;
    const fs::path csv = s.directory.path() / "m.csv";
    std::ofstream(csv) << "x,c,k\n1,0.5,60.1\n2,1,118.4\n";
    s.platform.answerNextDialog(csv.string());
    ASSERT_TRUE(s.act([&] {
        importObservedData(s.form1, [](ObservedDataImport& import) {
            import.concentrationColumn = 2;
            import.conductivityColumn = 3;
            import.skippedLines = 1;
            import.separator = ColumnSeparator::Comma;
            import.conductivityUnit = ConductivityUnit::MillisiemensPerCentimetre;
            import.saveAfterLoading = false;
            return true;
        });
    }));
    const condsim::Session session = takeSession(s.app);
    ASSERT_TRUE(session.imported.has_value());
    EXPECT_EQ(session.imported->file, csv.string());
    EXPECT_EQ(session.imported->separator, "comma");
    EXPECT_EQ(session.imported->skip, 1);
    EXPECT_EQ(session.imported->concentrationColumn, 2);
    EXPECT_EQ(session.imported->conductivityUnit, "mS/cm");
    // File/Open afterwards: the data no longer come from an import.
    openData(s);
    EXPECT_FALSE(takeSession(s.app).imported.has_value());
}

// A session text from the windows after a calculation of the example data.
std::string goodSessionText() {
    Session s;
    openData(s);
    EXPECT_TRUE(s.act([&] { s.form1.Button3Click(); }));
    return sessionText(takeSession(s.app));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(SessionFile, ABadSessionIsRefusedNamingItsKeyAndChangesNothing) {
    const std::string good = goodSessionText();
    struct Bad {
        const char* name;
        std::function<std::string(const std::string&)> damage;
        const char* key;     // in the message
        const char* reason;  // in the message
    };
    const Bad cases[] = {
        {"newer format",
         [](const std::string& t) {
             return replaced(replaced(t, "\"format\": 1", "\"format\": 2"), "\"condsim\": \"",
                             "\"condsim\": \"7.1.0");
         },
         "format", "open it with condsim 7.1.0"},
        {"damaged", [](const std::string& t) { return t.substr(0, t.size() / 2); },
         "(the whole file)", "not a JSON text"},
        {"not JSON at all", [](const std::string&) { return std::string("0.001 245\n"); },
         "(the whole file)", "not a JSON text"},
        {"JSON but not a session", [](const std::string&) { return std::string("[1, 2]\n"); },
         "(the whole file)", "no JSON object"},
        {"missing key", [](const std::string& t) { return replaced(t, "\"MCX\"", "\"MCY\""); },
         "main.MCX", "missing"},
        {"n beyond its field",
         [](const std::string& t) { return replaced(t, "\"n\": 6", "\"n\": 31"); }, "main.n",
         "outside 2..30"},
        {"points below the field's range",
         [](const std::string& t) { return replaced(t, "\"points\": 200", "\"points\": 8"); },
         "main.points", "outside 9..1000"},
        {"beta1 not a number",
         [](const std::string& t) {
             return replaced(t, "\"beta1\": \"10000\"", "\"beta1\": \"ten\"");
         },
         "main.beta1", "'ten' is not a number"},
        {"an observed value not a number",
         [](const std::string& t) { return replaced(t, "[\"0.0001\", ", "[\"x0.0001\", "); },
         "observed.pairs[0][0]", "is not a number"},
        {"an exact value that is not one",
         [](const std::string& t) {
             return replaced(t, "\"ionSize\": \"4.5\"",
                             "\"ionSize\": {\"text\": \"4.5\", \"exact\": \"4.5\"}");
         },
         "solutionModel.ionSize.exact", "'4.5' is not an exact value"},
        {"a negative ion size",
         [](const std::string& t) {
             return replaced(t, "\"ionSize\": \"4.5\"", "\"ionSize\": \"-4.5\"");
         },
         "solutionModel.ionSize", "ion size"},
        {"an unknown solvent",
         [](const std::string& t) {
             return replaced(t, "\"solvent\": \"water\"", "\"solvent\": \"mercury\"");
         },
         "solutionModel.solvent", "'mercury' is not a solvent"},
        {"an unknown model",
         [](const std::string& t) {
             return replaced(t, "\"kind\": \"ideal\"", "\"kind\": \"pitzer\"");
         },
         "solutionModel.kind", "'pitzer' is not one of ideal, debye-huckel, davies"},
        {"import columns that are the same",
         [](const std::string& t) {
             condsim::Session session = parseSession(t, "good");
             session.imported =
                 SessionImport{"m.csv", "comma", 0, "auto", 2, 2, "mol/L", "1", "S/cm"};
             return sessionText(session);
         },
         "observed.import.columns", "two different column numbers"},
        {"a concentration of 0",
         [](const std::string& t) { return replaced(t, "[\"0.0001\", ", "[\"0\", "); },
         "observed.pairs[0]", "0"},
        {"an exact value beyond the range",
         [](const std::string& t) {
             return replaced(t, "\"ionSize\": \"4.5\"",
                             "\"ionSize\": {\"text\": \"4.5\", \"exact\": \"0x1p+99999\"}");
         },
         "solutionModel.ionSize.exact", "is not an exact value"},
        {"a fit parameter that does not exist",
         [](const std::string& t) {
             return replaced(t, "\"parameters\": \"\"", "\"parameters\": \"K1,MCZ\"");
         },
         "fit.parameters", "MCZ"},
        {"a data file of the series that is missing",
         [](const std::string& t) {
             condsim::Session session = parseSession(t, "good");
             session.series = SessionSeries{};
             session.series->sets = {
                 {testing::exampleFile("series-cacl2/cacl2-05C.txt"), "278.15", ""},
                 {"/nowhere/cacl2-15C.txt", "288.15", "59.7"}};
             return sessionText(session);
         },
         "temperatureSeries.sets[1].file", "the data file /nowhere/cacl2-15C.txt does not exist"},
        {"a global fit of the series that does not exist",
         [](const std::string& t) {
             condsim::Session session = parseSession(t, "good");
             session.series = SessionSeries{};
             session.series->globalFit = "tied";
             return sessionText(session);
         },
         "temperatureSeries.globalFit", "'tied' is not one of none, free, walden"},
        {"a data set of the series that is not an object",
         [](const std::string& t) {
             return replaced(t, "\n}\n", ",\n\"temperatureSeries\": {\"sets\": [\"a.txt\"]}\n}\n");
         },
         "temperatureSeries.sets[0]", "must be an object"},
        {"a data file that is missing",
         [](const std::string& t) {
             condsim::Session session = parseSession(t, "good");
             session.pairsInSession = false;
             session.dataFile = "gone.txt";
             return sessionText(session);
         },
         "observed.file", "gone.txt"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        openData(s, "observed-2to1-salt.txt");
        s.form1.SpinEdit1.setValue(3);
        s.form1.InitializeClick();
        const WindowSnapshot before(s.form1);
        const std::string file = (s.directory.path() / "bad.condsim").string();
        std::ofstream(file) << c.damage(good);
        const std::string error = testing::errorText(
            [&] { restoreSession(s.app, readSessionFile(file), fullFileName(file)); });
        EXPECT_NE(error.find("The session " + file + " cannot be opened: " + c.key + ": "),
                  std::string::npos)
            << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_TRUE(WindowSnapshot(s.form1) == before);
        EXPECT_EQ(s.form1.state().observed.fileName,
                  testing::exampleFile("observed-2to1-salt.txt"));
    }
}

TEST(SessionFile, ExactValuesAreWrittenOnlyWhereTheTextDoesNotCarryThem) {
    condsim::Session session;
    session.version = "1.0.0";
    session.solution.ionSize = {"4.5", std::nullopt};
    session.solution.temperature = {"298.15", 298.15L};
    session.constants = {{SessionNumber{"0.1", 0.1L}, SessionNumber{"2", std::nullopt}}};
    const std::string text = sessionText(session);
    EXPECT_NE(text.find("\"ionSize\": \"4.5\""), std::string::npos);
    EXPECT_NE(text.find("\"exact\": \"" + exactText(0.1L) + "\""), std::string::npos);
    EXPECT_EQ(parseSession(text, "x"), session);
    for (const ext value : {0.1L, -3.25e-300L, 1e4000L, 0.0L})
        EXPECT_EQ(exactValue(exactText(value)), value);
    EXPECT_FALSE(exactValue("0.1").has_value());
    EXPECT_FALSE(exactValue("0x1p0 ").has_value());
}

}  // namespace
}  // namespace condsim
