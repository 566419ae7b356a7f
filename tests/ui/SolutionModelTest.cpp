#include <gtest/gtest.h>

#include <filesystem>

#include "SweepSession.h"
#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::openObservedFile;
using testing::Session;
using testing::sweep;
using testing::threePoints;

std::string goldenFile(const std::string& name) {
    const fs::path file = fs::path(CONDSIM_TESTS_DIR) / "golden" / name;
    if (!fs::exists(file)) ADD_FAILURE() << "missing golden file " << file;
    return testing::contentOf(file);
}

std::string saveReport(Session& s, const std::string& name) {
    s.platform.answerNextDialog((s.directory.path() / name).string());
    EXPECT_TRUE(s.act([&] { s.form1.Save1Click(); }))
        << (s.errors().empty() ? "" : s.errors().back());
    return testing::contentOf(s.directory.path() / name);
}

void choose(Session& s, SolutionModelKind kind, const std::string& ionSize = "4.5") {
    SolutionModelWindow& window = s.app.SolutionModelForm;
    window.Show();
    window.Model = kind;
    window.IonSize.setText(ionSize);
    ASSERT_TRUE(s.act([&] { window.OKClick(); })) << s.errors().back();
}

// Choosing the ionic-strength model and then ideal again leaves the golden report of the
// designed calculation byte for byte.
TEST(SolutionModelChoice, IdealAgainGivesTheGoldenReport) {
    Session s;
    s.directory.write("three.txt", threePoints);
    s.platform.answerNextDialog("three.txt");
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    s.form1.InitializeClick();
    choose(s, SolutionModelKind::Davies);
    ASSERT_TRUE(sweep(s, 9));
    EXPECT_NE(saveReport(s, "davies.txt"), goldenFile("report-three-points.txt"));
    choose(s, SolutionModelKind::Ideal);  // OK calculates again
    EXPECT_EQ(s.form1.statusLine(), "Solution model: ideal");
    EXPECT_EQ(saveReport(s, "report.txt"), goldenFile("report-three-points.txt"));
}

// In the ionic-strength model the tables keep their layout, and the report gains Table 5
// with the model, the solvent, a, the coefficients and one row per calculated point.
TEST(SolutionModelChoice, IonicStrengthResultsFillTheTablesAndTableFive) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.SpinEdit1.setValue(2);
    s.form1.beta1.setText("100");
    s.form1.InitializeClick();
    choose(s, SolutionModelKind::DebyeHuckel);
    EXPECT_EQ(s.form1.statusLine(),
              "Solution model: Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A");
    ASSERT_TRUE(sweep(s, 9));

    const CellTable& calculated = s.form2.StringGrid1;
    ASSERT_EQ(calculated.rowCount(), 10);
    ASSERT_EQ(calculated.columnCount(), 5);
    const CellTable& ionic = s.app.state.ionicStrengthTable;
    ASSERT_EQ(ionic.rowCount(), 10);
    for (int row = 1; row <= 9; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ionic.cell(0, row), calculated.cell(0, row));
        // Abundances in percent add up to 100; I lies between the fully associated
        // AX2 (I = 0) and the fully dissociated salt (I = 3 C0).
        ext total = 0;
        for (int c = 2; c <= 4; ++c) total += number(calculated.cell(c, row));
        EXPECT_NEAR(total, 100, 1e-12L);
        const ext C0 = number(calculated.cell(0, row));
        const ext I = number(ionic.cell(1, row));
        EXPECT_GT(I, 0);
        EXPECT_LE(I, 3 * C0);
        const ext gamma = number(ionic.cell(2, row));
        EXPECT_GT(gamma, 0.5L);
        EXPECT_LT(gamma, 1);
    }
    // The observed table's calculated column is solved at each observed concentration
    // by the same model.
    EXPECT_FALSE(s.form1.StringGrid1.cell(3, 1).empty());

    const std::string report = saveReport(s, "report.txt");
    const std::string table5 = "Table 5. Solution model\r\n" + std::string(56, '-') +
                               "\r\n"
                               "Model: Debye-Hueckel + Onsager-Fuoss\r\n"
                               "Solvent: water\tT = 298.15 K\teps_r = 78.38\teta = 0.8903 mPa s\r\n"
                               "Ion size a = 4.5 Angstrom\r\n";
    const size_t at = report.find(table5);
    ASSERT_NE(at, std::string::npos) << report;
    EXPECT_LT(report.find("Table 4. Calculated Data"), at);
    EXPECT_NE(report.find("\r\nA = 0.5108", at), std::string::npos);
    EXPECT_NE(report.find("conc(M)\tI (M)\tgamma(X-)\r\n", at), std::string::npos);
    EXPECT_NE(
        report.find(ionic.cell(0, 9) + "\t" + ionic.cell(1, 9) + "\t" + ionic.cell(2, 9) + "\r\n",
                    at),
        std::string::npos);
}

// Refusals: a value of the window that is not a positive number changes nothing; a
// species without a positive mobility stops the calculation before anything changes.
TEST(SolutionModelChoice, RefusalsChangeNothing) {
    Session s;
    openObservedFile(s, "three.txt", threePoints);
    s.form1.InitializeClick();
    SolutionModelWindow& window = s.app.SolutionModelForm;

    window.Show();
    window.Model = SolutionModelKind::DebyeHuckel;
    window.IonSize.setText("0");
    EXPECT_EQ(testing::errorText([&] { window.OKClick(); }),
              "The ion size a must be a positive number of Angstrom");
    window.IonSize.setText("4.5");
    window.SolventChoice = window.otherSolventChoice();
    window.Temperature.setText("298.15");
    window.Permittivity.setText("-1");
    window.Viscosity.setText("0.5");
    EXPECT_EQ(testing::errorText([&] { window.OKClick(); }),
              "The relative permittivity of the solvent must be a positive number");
    EXPECT_EQ(s.app.state.solution.kind, SolutionModelKind::Ideal);
    EXPECT_EQ(s.form1.statusLine(), "Solution model: ideal");

    window.Permittivity.setText("35.94");
    window.Viscosity.setText("0.341");
    window.ValuesChange();
    EXPECT_EQ(window.Coefficients.text().substr(0, 8), "A = 1.64");
    ASSERT_TRUE(s.act([&] { window.OKClick(); }));
    EXPECT_EQ(s.form1.statusLine(),
              "Solution model: Debye-Hueckel + Onsager-Fuoss, other (T = 298.15 K, eps_r = 35.94, "
              "eta = 0.341 mPa s), "
              "a = 4.5 A");

    s.app.state.factors.sf[1] = 0;
    const CellTable before = s.form2.StringGrid1;
    EXPECT_EQ(testing::errorText([&] { s.form1.Button3Click(); }),
              "The ionic-strength model needs a positive limiting conductivity for every charged "
              "species: AX1 has 0 "
              "(scaling factor 0 x lambda(A/z) 88)");
    EXPECT_EQ(s.form2.StringGrid1.rowCount(), before.rowCount());
    EXPECT_EQ(s.form2.StringGrid1.cell(0, 0), before.cell(0, 0));
}

// A solvent of one's own must be a liquid as solvents are: a value outside its range is
// refused by OK with a message naming the field, and while the values typed give no
// solvent the coefficients line says so instead of showing the last good solvent's.
TEST(SolutionModelChoice, SolventValuesOutsideTheirRangesAreRefusedNamingTheField) {
    const struct {
        const char* temperature;
        const char* permittivity;
        const char* viscosity;
        const char* error;
        const char* fieldLine;
    } cases[] = {
        {"1e400", "78.38", "0.8903", "The temperature of the solvent must be from 150 to 700 K",
         "The field T (K) holds '1e400'."},
        {"100", "78.38", "0.8903", "The temperature of the solvent must be from 150 to 700 K",
         "The field T (K) holds '100'."},
        {"298.15", "0.5", "0.8903",
         "The relative permittivity of the solvent must be from 1 to 200",
         "The field eps_r holds '0.5'."},
        {"298.15", "1e4", "0.8903",
         "The relative permittivity of the solvent must be from 1 to 200",
         "The field eps_r holds '1e4'."},
        {"298.15", "78.38", "1e-3", "The viscosity of the solvent must be from 0.01 to 10000 mPa s",
         "The field eta (mPa s) holds '1e-3'."},
        {"298.15", "78.38", "20000",
         "The viscosity of the solvent must be from 0.01 to 10000 mPa s",
         "The field eta (mPa s) holds '20000'."},
        {"-5", "78.38", "0.8903",
         "The temperature of the solvent must be a positive number of kelvin",
         "The field T (K) holds '-5'."},
    };
    for (const auto& c : cases) {
        Session s;
        SolutionModelWindow& window = s.app.SolutionModelForm;
        window.Show();
        window.Model = SolutionModelKind::Davies;
        const std::string waterCoefficients = window.Coefficients.text();
        window.SolventChoice = window.otherSolventChoice();
        window.Temperature.setText(c.temperature);
        window.Permittivity.setText(c.permittivity);
        window.Viscosity.setText(c.viscosity);
        window.ValuesChange();
        EXPECT_EQ(window.Coefficients.text(),
                  std::string("Not valid: ") + c.error + ". " + c.fieldLine)
            << c.temperature << " " << c.permittivity << " " << c.viscosity;
        EXPECT_NE(window.Coefficients.text(), waterCoefficients);
        EXPECT_FALSE(s.act([&] { window.OKClick(); }));
        ASSERT_EQ(s.errors().size(), 1u);
        EXPECT_EQ(s.errors().back(), std::string(c.error) + ".\n" + c.fieldLine);
        EXPECT_EQ(s.app.state.solution.kind, SolutionModelKind::Ideal);
    }
    // The ends of the ranges are solvents; a good value again shows its coefficients.
    Session s;
    SolutionModelWindow& window = s.app.SolutionModelForm;
    window.Show();
    window.SolventChoice = window.otherSolventChoice();
    window.Temperature.setText("150");
    window.Permittivity.setText("200");
    window.Viscosity.setText("0.01");
    window.ValuesChange();
    EXPECT_EQ(window.Coefficients.text().substr(0, 4), "A = ");
    window.Temperature.setText("700");
    window.Permittivity.setText("1");
    window.Viscosity.setText("10000");
    window.ValuesChange();
    EXPECT_EQ(window.Coefficients.text().substr(0, 4), "A = ");
}

// Water takes a typed temperature: its permittivity and viscosity there fill the fields and
// OK applies them; a temperature it does not allow is refused naming the field, and the
// presets known at 25 C only do not read the field. The default, water at 298.15 K, is
// the preset itself.
TEST(SolutionModelChoice, WaterFollowsTheTypedTemperatureWithinItsRange) {
    const struct {
        int choice;  // water 0, acetonitrile 1, methanol 2
        const char* temperature;
        const char* error;  // empty: accepted
        ext kelvin;         // the solvent's temperature when accepted
    } cases[] = {
        {0, "310", "", 310},
        {0, "298.15", "", 298.15L},
        {0, "400",
         "The solvent water is known from 273.15 to 373.15 K, not at 400 K.\n"
         "The field T (K) holds '400'.",
         0},
        {0, "273",
         "The solvent water is known from 273.15 to 373.15 K, not at 273 K.\n"
         "The field T (K) holds '273'.",
         0},
        {2, "310", "", 298.15L},  // methanol's field is shown, not read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.temperature);
        Session s;
        SolutionModelWindow& window = s.app.SolutionModelForm;
        window.Show();
        window.Model = SolutionModelKind::Davies;
        window.SolventChoice = c.choice;
        window.SolventChange();
        EXPECT_EQ(window.temperatureTyped(), c.choice == 0);
        window.Temperature.setText(c.temperature);
        window.ValuesChange();
        if (*c.error != 0) {
            const std::string error = c.error;
            EXPECT_EQ(window.Coefficients.text(),
                      "Not valid: " + error.substr(0, error.find('\n')) + " " +
                          error.substr(error.find('\n') + 1));
            EXPECT_FALSE(s.act([&] { window.OKClick(); }));
            ASSERT_EQ(s.errors().size(), 1u);
            EXPECT_EQ(s.errors().back(), error);
            EXPECT_EQ(s.app.state.solution.kind, SolutionModelKind::Ideal);
            continue;
        }
        const Solvent expected =
            c.choice == 0 ? solventAtTemperature("water", c.kelvin) : solventPreset("methanol");
        EXPECT_EQ(window.Permittivity.text(), NumberText(expected.permittivity));
        EXPECT_EQ(window.Viscosity.text(), NumberText(expected.viscosity * 1000));
        ASSERT_TRUE(s.act([&] { window.OKClick(); }));
        const Solvent& chosen = s.app.state.solution.solvent;
        EXPECT_EQ(chosen.name, expected.name);
        EXPECT_EQ(chosen.temperature, c.kelvin);
        EXPECT_EQ(chosen.permittivity, expected.permittivity);
        EXPECT_EQ(chosen.viscosity, expected.viscosity);
    }
    EXPECT_EQ(SolutionModelWindow::solventTemperaturesLine(),
              "Temperatures allowed: water 273.15 to 373.15 K; acetonitrile 298.15 K only; "
              "methanol 298.15 K only; other 150 to 700 K.");
}

}  // namespace
}  // namespace condsim
