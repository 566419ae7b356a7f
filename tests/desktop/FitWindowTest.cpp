// The fit window on the offscreen platform: opened from the main menu, a fit of K1 and
// MCA to data made by the program's own calculation, the results shown while the main
// window stays as it was, Apply writing into it and calculating with it, a refusal shown
// as its reason, and results dropped when the main window's data change.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>
#include <optional>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/DesktopApplication.h"
#include "desktop/EditFieldWidget.h"
#include "files/NumberText.h"

using condsim::qt::DesktopApplication;

namespace {

// Messages and errors are kept, not shown: a test must not wait on a modal box.

QString shown(condsim::qt::CellTableView& view, int modelRow, int column) {
    return view.model()->index(modelRow, column).data().toString();
}

QStringList constantsShown(condsim::qt::MainWindowView& main) {
    QStringList cells;
    for (int row = 0; row < main.StringGrid2->model()->rowCount(); ++row)
        cells << shown(*main.StringGrid2, row, 0) + "|" + shown(*main.StringGrid2, row, 1);
    return cells;
}

}  // namespace

class FitWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void fitOfKOneAndMcaIsShownAndOnlyApplyChangesTheMainWindow();
    void refusalWithoutObservedDataShowsItsReason();
    void resultsAreDroppedWhenOtherDataAreOpened();
    void cancelInTheProgressDialogKeepsTheWindowAsItWas();

  private:
    void openFitWindow();

    std::unique_ptr<RecordingDesktop> session_;
    DesktopApplication* desktop_ = nullptr;
    RecordingPlatform* platform_ = nullptr;
};

void FitWindowTest::init() {
    session_ = std::make_unique<RecordingDesktop>();
    QVERIFY(session_->valid());
    desktop_ = &session_->desktop();
    platform_ = &session_->platform();
}

void FitWindowTest::cleanup() { session_.reset(); }

void FitWindowTest::openFitWindow() {
    auto& main = desktop_->mainWindow();
    QStringList bar;
    for (QAction* action : main.menuBar()->actions()) bar << action->text();
    QCOMPARE(bar, (QStringList{"File", "Edit", "Abundance", "Scaling Factors", "Fit",
                               "Solution Model", "Temperature Series", "Help"}));
    QVERIFY(!desktop_->fitWindow().isVisible());
    main.Fit1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop_->fitWindow()));
}

void FitWindowTest::fitOfKOneAndMcaIsShownAndOnlyApplyChangesTheMainWindow() {
    auto& form1 = desktop_->application().Form1;
    auto& main = desktop_->mainWindow();
    // Observed data from the program's own calculation at K1 = 10000, alfa = 20, MCA = 88.
    desktop_->actions().run([&] {
        form1.InitializeClick();
        auto& observed = form1.state().observed;
        for (int k = 1; k <= 10; ++k) {
            const std::string concentration =
                condsim::NumberText(1e-5L * std::pow(100.0L, (k - 1) / 9.0L));
            form1.c0.setText(concentration);
            form1.RefineXClick();
            observed.conc[static_cast<size_t>(k)] = condsim::number(concentration);
            observed.cond[static_cast<size_t>(k)] = condsim::number(form1.conductivity.text());
            observed.count = k;
        }
        form1.DrawObservedPlot();  // the concentration range of the calculation, as File/Open sets
                                   // it
    });
    // The fit starts away from the truth: MCA 70, and K1 3000 adopted into the constants
    // table (which turns Model #1 off; it is ticked again so that Apply has to clear it).
    main.MCA->setFocus();
    main.MCA->selectAll();
    QTest::keyClicks(main.MCA, "70");
    const QModelIndex k1 = main.StringGrid2->model()->index(0, 1);
    QTest::mouseClick(main.StringGrid2->viewport(), Qt::LeftButton, {},
                      main.StringGrid2->visualRect(k1).center());
    QCOMPARE(main.cellvalue->text(), QStringLiteral("10000"));
    main.cellvalue->setFocus();
    main.cellvalue->selectAll();
    QTest::keyClicks(main.cellvalue, "3000");
    QTest::mouseClick(main.Adopt, Qt::LeftButton);
    QVERIFY(!main.CheckBox1->isChecked());
    main.CheckBox1->click();
    QVERIFY(form1.CheckBox1.checked());
    const QStringList constantsBefore = constantsShown(main);
    QCOMPARE(constantsBefore.mid(0, 2), (QStringList{"3000|3000", "6000000|2000"}));

    openFitWindow();
    auto& fit = desktop_->fitWindow();
    for (const char* name : {"K1", "alfa", "K2", "K6", "MCA", "MCX"})
        QVERIFY2(fit.parameterBox(name), name);
    QVERIFY(fit.parameterBox("K7") == nullptr);
    QVERIFY(fit.parameterBox("K1")->isChecked());
    QVERIFY(fit.parameterBox("alfa")->isChecked());
    QVERIFY(!fit.Apply->isEnabled());
    QTest::mouseClick(fit.parameterBox("alfa"), Qt::LeftButton);
    QTest::mouseClick(fit.parameterBox("MCA"), Qt::LeftButton);
    QTest::mouseClick(fit.Run, Qt::LeftButton);

    QVERIFY2(fit.Status->text().startsWith("Converged: yes, after "),
             qPrintable(fit.Status->text()));
    QVERIFY(fit.Status->text().endsWith("The main window is unchanged until you press Apply."));
    QCOMPARE(fit.Values->model()->rowCount(), 2);
    QCOMPARE(fit.Values->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("standard error"));
    QCOMPARE(shown(*fit.Values, 0, 0), QStringLiteral("K1"));
    QCOMPARE(shown(*fit.Values, 1, 0), QStringLiteral("MCA"));
    const QString fittedK1 = shown(*fit.Values, 0, 1);
    const QString fittedMCA = shown(*fit.Values, 1, 1);
    QVERIFY2(std::fabs(fittedK1.toDouble() - 10000) < 1e-4, qPrintable(fittedK1));
    QVERIFY2(std::fabs(fittedMCA.toDouble() - 88) < 1e-8, qPrintable(fittedMCA));
    QVERIFY(shown(*fit.Values, 0, 3).toDouble() <= fittedK1.toDouble());
    QVERIFY(shown(*fit.Values, 0, 4).toDouble() >= fittedK1.toDouble());
    QCOMPARE(fit.Correlation->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("K1"));
    QCOMPARE(shown(*fit.Correlation, 1, 0), QStringLiteral("MCA"));
    QCOMPARE(shown(*fit.Correlation, 1, 2), QStringLiteral("1"));
    QVERIFY(fit.Apply->isEnabled());

    // Nothing of the main window changed yet.
    QCOMPARE(constantsShown(main), constantsBefore);
    QCOMPARE(main.MCA->text(), QStringLiteral("70"));
    QCOMPARE(main.beta1->text(), QStringLiteral("10000"));
    QVERIFY(main.CheckBox1->isChecked());

    const auto pictureBefore = form1.Image1.revision();
    QTest::mouseClick(fit.Apply, Qt::LeftButton);
    QCOMPARE(main.MCA->text(), fittedMCA);
    QCOMPARE(main.beta1->text(), fittedK1);
    // K1 alone was fitted while Model #1 generated K2..K6 from it: Model #1 stays on, and
    // K2..K6 follow the fitted K1 by Model #1 (alfa = 20): each is a fifth of the one before.
    QVERIFY(main.CheckBox1->isChecked());
    const QStringList constantsAfter = constantsShown(main);
    QCOMPARE(constantsAfter.size(), constantsBefore.size());
    QCOMPARE(shown(*main.StringGrid2, 0, 1), fittedK1);
    for (int row = 1; row < constantsAfter.size(); ++row) {
        const double K = constantsAfter[row].section('|', 1).toDouble();
        const double previous = constantsAfter[row - 1].section('|', 1).toDouble();
        QVERIFY2(std::fabs(K / (0.2 * previous) - 1) < 1e-12, qPrintable(constantsAfter[row]));
    }
    QVERIFY(constantsAfter[1] != constantsBefore[1]);
    QVERIFY(fit.Status->text().endsWith(
        "Applied: the fitted K1 in beta(1), K2..K6 follow it by Model #1 with alfa = 20."));
    // Apply ran Update (with Model #1 on, no caution) and Conduct Calculations: the plot
    // and the calculated data are those of the fitted constants, as a second Conduct
    // Calculations finds them.
    QVERIFY(platform_->messages.empty());
    QVERIFY(form1.Image1.revision() != pictureBefore);
    const auto& calculated = desktop_->application().Form2.StringGrid1;
    QCOMPARE(calculated.rowCount(), 201);
    std::vector<std::string> afterApply;
    for (int row = 1; row < calculated.rowCount(); ++row)
        afterApply.push_back(calculated.cell(1, row));
    QTest::mouseClick(main.Button3, Qt::LeftButton);
    for (int row = 1; row < calculated.rowCount(); ++row)
        QCOMPARE(calculated.cell(1, row), afterApply[static_cast<size_t>(row - 1)]);
    QVERIFY(fit.Apply->isEnabled());  // the fit still belongs to what the main window holds
    QVERIFY(platform_->errors.empty());
}

void FitWindowTest::resultsAreDroppedWhenOtherDataAreOpened() {
    auto& form1 = desktop_->application().Form1;
    openFitWindow();
    auto& fit = desktop_->fitWindow();
    QTest::mouseClick(fit.Run, Qt::LeftButton);
    QVERIFY(fit.Status->text().startsWith("The fit cannot run"));

    // Data opened: the refusal no longer holds.
    platform_->openAnswer = CONDSIM_EXAMPLES_DIR "/observed-6to1-salt.txt";
    desktop_->actions().run([&] { form1.Open1Click(); });
    QCOMPARE(fit.Status->text(), QString());

    desktop_->actions().run([&] {
        form1.InitializeClick();
        desktop_->fitForm().toN.setValue(3);
    });
    QTest::mouseClick(fit.Run, Qt::LeftButton);
    QVERIFY2(fit.Status->text().startsWith("Converged: yes"), qPrintable(fit.Status->text()));
    QTest::mouseClick(fit.Compare, Qt::LeftButton);
    QCOMPARE(fit.Comparison->model()->rowCount(), 2);
    QVERIFY(fit.Values->model()->rowCount() > 0);

    // Another file: neither the fit nor the comparison of n belongs to its data.
    platform_->openAnswer = CONDSIM_EXAMPLES_DIR "/observed-2to1-salt.txt";
    desktop_->actions().run([&] { form1.Open1Click(); });
    QCOMPARE(fit.Values->model()->rowCount(), 0);
    QCOMPARE(fit.Comparison->model()->rowCount(), 0);
    QVERIFY(!fit.Apply->isEnabled());
    QVERIFY2(fit.Status->text().endsWith("press Run to fit again."),
             qPrintable(fit.Status->text()));
    QVERIFY(platform_->errors.empty());
}

// The progress dialog opens (here at once), names what it fits, and its Cancel ends the
// comparison with the window as it was; the busy cursor is gone afterwards.
void FitWindowTest::cancelInTheProgressDialogKeepsTheWindowAsItWas() {
    auto& form1 = desktop_->application().Form1;
    platform_->openAnswer = CONDSIM_EXAMPLES_DIR "/observed-6to1-salt.txt";
    desktop_->actions().run([&] {
        form1.Open1Click();
        form1.InitializeClick();
    });
    openFitWindow();
    auto& fit = desktop_->fitWindow();
    QTest::mouseClick(fit.Run, Qt::LeftButton);
    const QString status = fit.Status->text();
    QVERIFY2(status.startsWith("Converged: yes"), qPrintable(status));
    const int valueRows = fit.Values->model()->rowCount();

    fit.progressDelayMilliseconds = 0;
    QString label;
    bool cursorWasBusy = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        label = dialog->labelText();
        cursorWasBusy = QGuiApplication::overrideCursor() != nullptr;
        QTest::keyClick(dialog, Qt::Key_Escape);  // as Cancel
    });
    QTest::mouseClick(fit.Compare, Qt::LeftButton);
    QVERIFY2(label.startsWith(QStringLiteral("Comparing n: n = 2, ")), qPrintable(label));
    QVERIFY(cursorWasBusy);
    QCOMPARE(fit.Comparison->model()->rowCount(), 0);
    QCOMPARE(fit.ComparisonStatus->text(), QString());
    QCOMPARE(fit.Status->text(), status);
    QCOMPARE(fit.Values->model()->rowCount(), valueRows);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    QVERIFY(platform_->errors.empty());
}

void FitWindowTest::refusalWithoutObservedDataShowsItsReason() {
    openFitWindow();
    auto& fit = desktop_->fitWindow();
    QTest::mouseClick(fit.Run, Qt::LeftButton);
    QCOMPARE(fit.Status->text(),
             QStringLiteral("The fit cannot run: There are no observed data to fit.\nNo observed "
                            "data are loaded: open a data file first (File/Open)."));
    QCOMPARE(fit.Values->model()->rowCount(), 0);
    QVERIFY(!fit.Apply->isEnabled());
    QTest::mouseClick(fit.Compare, Qt::LeftButton);
    QCOMPARE(fit.ComparisonStatus->text(),
             QStringLiteral("The comparison cannot run: There are no observed data to fit.\nNo "
                            "observed data are loaded: open a data file first (File/Open)."));
    QVERIFY(platform_->errors.empty());
}

QTEST_MAIN(FitWindowTest)
#include "FitWindowTest.moc"
