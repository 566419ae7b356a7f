// The Solution Model window on the offscreen platform, driven by keyboard and mouse as a
// user would: opened from the main menu, a preset's coefficients shown, a bad ion size
// refused with nothing changed, OK applying the model and calculating again, the status
// line naming the model, and Cancel leaving everything as it was.

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/DesktopApplication.h"
#include "desktop/EditFieldWidget.h"

using condsim::qt::DesktopApplication;

namespace {

void typeInto(QLineEdit& field, const QString& text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
}

// The coefficients line as read, its no-break spaces as spaces.
QString coefficientsOf(const condsim::qt::SolutionModelWindowView& window) {
    return window.Coefficients->text().replace(QChar(0xa0), QLatin1Char(' '));
}

}  // namespace

class SolutionModelWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void chosenByKeyboardAppliedByOkAndUndoneByNothingElse();
    void returnPressesOkAndEscapeCancels_data();
    void returnPressesOkAndEscapeCancels();
    void coefficientsFollowTheTypedValuesAndAreReadAsText();
    void waterTakesTheTypedTemperature();

  private:
    std::unique_ptr<RecordingDesktop> session_;
    DesktopApplication* desktop_ = nullptr;
    RecordingPlatform* platform_ = nullptr;
};

void SolutionModelWindowTest::init() {
    session_ = std::make_unique<RecordingDesktop>();
    QVERIFY(session_->valid());
    desktop_ = &session_->desktop();
    platform_ = &session_->platform();
}

void SolutionModelWindowTest::cleanup() { session_.reset(); }

void SolutionModelWindowTest::chosenByKeyboardAppliedByOkAndUndoneByNothingElse() {
    auto& form1 = desktop_->application().Form1;
    auto& main = desktop_->mainWindow();
    platform_->openAnswer =
        QStringLiteral(CONDSIM_EXAMPLES_DIR "/cacl2-25C-water-dilute.txt").toStdString();
    desktop_->actions().run([&] {
        form1.SpinEdit1.setValue(2);
        form1.InitializeClick();
        form1.Open1Click();
        form1.Button3Click();
    });
    // The first observed row's [X-] and calculated conductivity.
    const auto calculated = [&] {
        return main.StringGrid1->model()->index(0, 2).data().toString() + " " +
               main.StringGrid1->model()->index(0, 3).data().toString();
    };
    const QString idealConductivity = calculated();
    QVERIFY(!idealConductivity.isEmpty());
    QCOMPARE(main.SolutionModelStatus->text(), QStringLiteral("Solution model: ideal"));

    auto& window = desktop_->solutionModelWindow();
    main.SolutionModel1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.Model->currentText(), QStringLiteral("Ideal (as designed)"));

    // Down on the closed boxes chooses the next entry: Debye-Hueckel, then methanol. Its
    // A = 1.8246e6 (eps T)^-3/2 = 1.899 and B = 50.29 (eps T)^-1/2 = 0.5096 at
    // eps = 32.66, T = 298.15 K (worked out by hand from the textbook forms), and its
    // three values are shown, not typed.
    window.Model->setFocus();
    QTest::keyClick(window.Model, Qt::Key_Down);
    QVERIFY(window.Model->currentText().startsWith(QStringLiteral("Debye-H")));
    window.Solvent->setFocus();
    QTest::keyClick(window.Solvent, Qt::Key_Down);
    QTest::keyClick(window.Solvent, Qt::Key_Down);
    QCOMPARE(window.Solvent->currentText(), QStringLiteral("methanol"));
    QVERIFY2(coefficientsOf(window).startsWith(QStringLiteral("A = 1.89")),
             qPrintable(coefficientsOf(window)));
    QVERIFY2(coefficientsOf(window).contains(QStringLiteral("B = 0.509")),
             qPrintable(coefficientsOf(window)));
    QVERIFY(window.Temperature->isReadOnly());
    QTest::keyClick(window.Solvent, Qt::Key_Up);
    QTest::keyClick(window.Solvent, Qt::Key_Up);
    QCOMPARE(window.Solvent->currentText(), QStringLiteral("water"));
    QVERIFY2(coefficientsOf(window).startsWith(QStringLiteral("A = 0.510")),
             qPrintable(coefficientsOf(window)));

    // An ion size that is not a number: refused, the window stays, nothing changes.
    typeInto(*window.IonSize, QStringLiteral("4,5x"));
    QTest::mouseClick(window.OK, Qt::LeftButton);
    QCOMPARE(platform_->errors.size(), size_t{1});
    QVERIFY(window.isVisible());
    QCOMPARE(main.SolutionModelStatus->text(), QStringLiteral("Solution model: ideal"));
    QCOMPARE(calculated(), idealConductivity);

    // OK applies and calculates again: with activity coefficients below 1 the same
    // (thermodynamic) K1 pairs less, so more of the anion is free.
    typeInto(*window.IonSize, QStringLiteral("4.5"));
    QTest::mouseClick(window.OK, Qt::LeftButton);
    QCOMPARE(platform_->errors.size(), size_t{1});
    QVERIFY(!window.isVisible());
    QCOMPARE(
        main.SolutionModelStatus->text(),
        QStringLiteral("Solution model: Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A"));
    const QString ionicConductivity = calculated();
    QVERIFY2(ionicConductivity.section(' ', 0, 0).toDouble() >
                 idealConductivity.section(' ', 0, 0).toDouble(),
             qPrintable(ionicConductivity + " against " + idealConductivity));

    // Another solvent typed in, then Cancel: nothing changes.
    main.SolutionModel1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Solvent->setFocus();
    QTest::keyClick(window.Solvent, Qt::Key_End);
    QCOMPARE(window.Solvent->currentText(), QStringLiteral("other"));
    QVERIFY(!window.Permittivity->isReadOnly());
    typeInto(*window.Permittivity, QStringLiteral("20"));
    QTest::mouseClick(window.Cancel, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(
        main.SolutionModelStatus->text(),
        QStringLiteral("Solution model: Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A"));
    QCOMPARE(calculated(), ionicConductivity);
}

void SolutionModelWindowTest::returnPressesOkAndEscapeCancels_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("applied");
    QTest::newRow("Return on OK") << "OK" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter in the ion size") << "IonSize" << int(Qt::Key_Enter) << true;
    QTest::newRow("Return on Cancel") << "Cancel" << int(Qt::Key_Return) << false;
    QTest::newRow("Escape in the ion size") << "IonSize" << int(Qt::Key_Escape) << false;
    QTest::newRow("Escape on OK") << "OK" << int(Qt::Key_Escape) << false;
}

// The keyboard finishes the window as in a dialog: Return presses OK, the default button
// (Cancel when it has the focus), and Escape presses Cancel; the window closes either way.
void SolutionModelWindowTest::returnPressesOkAndEscapeCancels() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, applied);
    auto& main = desktop_->mainWindow();
    auto& window = desktop_->solutionModelWindow();
    main.SolutionModel1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Model->setFocus();
    QTest::keyClick(window.Model, Qt::Key_Down);  // Debye-Hueckel
    QVERIFY(window.Model->currentText().startsWith(QStringLiteral("Debye-H")));
    QWidget* target = window.findChild<QWidget*>(focus);
    QVERIFY(target != nullptr);
    target->setFocus();
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QVERIFY(!window.isVisible());
    QCOMPARE(main.SolutionModelStatus->text().startsWith(QStringLiteral("Solution model: Debye")),
             applied);
}

void SolutionModelWindowTest::coefficientsFollowTheTypedValuesAndAreReadAsText() {
    auto& window = desktop_->solutionModelWindow();
    desktop_->mainWindow().SolutionModel1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Solvent->setFocus();
    QTest::keyClick(window.Solvent, Qt::Key_End);  // "other": the three values are typed
    QVERIFY(!window.Temperature->isReadOnly());
    const QString water = coefficientsOf(window);
    QVERIFY2(water.startsWith(QStringLiteral("A = 0.510")), qPrintable(water));
    // Each coefficient's name stays with its value; a screen reader reads the values.
    for (const char* name : {"A", "B", "E", "R"})
        QVERIFY(window.Coefficients->text().contains(QLatin1String(name) +
                                                     QStringLiteral("\u00a0=\u00a0")));
    const auto spoken = [&] {
        return QAccessible::queryAccessibleInterface(window.Coefficients)->text(QAccessible::Name);
    };
    QCOMPARE(spoken(), QStringLiteral("Coefficients of the solvent: ") + water);

    const struct {
        const char* temperature;
        const char* shown;
    } cases[] = {
        {"1e400",
         "Not valid: The temperature of the solvent must be from 150 to 700 K. The field "
         "T (K) holds '1e400'."},
        {"x", "Not valid: 'x'"},
        {"", "Not valid: ''"},
        {"350", "A = 0.40"},
    };
    for (const auto& c : cases) {
        typeInto(*window.Temperature, QLatin1String(c.temperature));
        if (*c.temperature == 0) QTest::keyClick(window.Temperature, Qt::Key_Backspace);
        QVERIFY2(coefficientsOf(window).startsWith(QLatin1String(c.shown)),
                 qPrintable(coefficientsOf(window)));
        QVERIFY(coefficientsOf(window) != water);
        QVERIFY(spoken().endsWith(coefficientsOf(window)));
    }
}

// Water's temperature is typed: its permittivity and viscosity there fill the shown fields
// (by the formulas of scripts/check-water-properties at 310 K: 74.265695, 0.6933289 mPa s);
// a temperature outside 0 to 100 C is refused naming the field; the window lists the
// temperatures each solvent allows.
void SolutionModelWindowTest::waterTakesTheTypedTemperature() {
    auto& window = desktop_->solutionModelWindow();
    desktop_->mainWindow().SolutionModel1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.Solvent->currentText(), QStringLiteral("water"));
    QVERIFY(!window.Temperature->isReadOnly());
    QVERIFY(window.Permittivity->isReadOnly());
    QCOMPARE(window.Temperatures->text(),
             QStringLiteral("Temperatures allowed: water 273.15 to 373.15 K; acetonitrile "
                            "298.15 K only; methanol 298.15 K only; other 150 to 700 K."));
    const QString water25 = coefficientsOf(window);
    typeInto(*window.Temperature, QStringLiteral("310"));
    QVERIFY2(window.Permittivity->text().startsWith(QStringLiteral("74.26569")),
             qPrintable(window.Permittivity->text()));
    QVERIFY2(window.Viscosity->text().startsWith(QStringLiteral("0.693328")),
             qPrintable(window.Viscosity->text()));
    QVERIFY(coefficientsOf(window) != water25);
    typeInto(*window.Temperature, QStringLiteral("400"));
    QCOMPARE(coefficientsOf(window),
             QStringLiteral("Not valid: The solvent water is known from 273.15 to 373.15 K, not "
                            "at 400 K. The field T (K) holds '400'."));
    typeInto(*window.Temperature, QStringLiteral("298.15"));
    QCOMPARE(coefficientsOf(window), water25);
    QCOMPARE(window.Permittivity->text(), QStringLiteral("78.38"));
}

QTEST_MAIN(SolutionModelWindowTest)
#include "SolutionModelWindowTest.moc"
