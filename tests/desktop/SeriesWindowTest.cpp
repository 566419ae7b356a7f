// The Temperature Series window on the offscreen platform: opened from the main menu, the
// example series imported, Cancel in the progress dialog, a run whose tables and figures
// are shown, and the window's names and Tab cycle for the keyboard and screen readers.

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/DesktopApplication.h"

using condsim::qt::DesktopApplication;

class SeriesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void importCancelRunAndShow();
};

void SeriesWindowTest::importCancelRunAndShow() {
    RecordingDesktop session;
    QVERIFY(session.valid());
    DesktopApplication& desktop = session.desktop();
    auto& form1 = desktop.application().Form1;
    // The model the example series was made with; the Fit window fits K1 and MCA.
    desktop.actions().run([&] {
        form1.SpinEdit1.setValue(2);
        form1.MCX.setText("76.35");
        form1.beta1.setText("10");
        form1.SpinEdit2.setValue(1);
        form1.CheckBox1.setChecked(true);
        form1.MCA.setText("60");
        form1.InitializeClick();
        desktop.application().state.solution.kind = condsim::SolutionModelKind::DebyeHuckel;
        desktop.fitForm().choose(condsim::FitParameter::alfa(), false);
        desktop.fitForm().choose(condsim::FitParameter::mca(), true);
    });
    auto& window = desktop.seriesWindow();
    QVERIFY(!window.isVisible());
    desktop.mainWindow().TemperatureSeries1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    session.platform().openAnswer = CONDSIM_EXAMPLES_DIR "/series-cacl2/series.txt";
    QTest::mouseClick(window.Import, Qt::LeftButton);
    QCOMPARE(window.Sets->model()->rowCount(), 5);

    // Cancel while the separate fits run: nothing is shown, the window stays usable.
    window.progressDelayMilliseconds = 0;
    QString label;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        label = dialog->labelText();
        QTest::keyClick(dialog, Qt::Key_Escape);  // as Cancel
    });
    QTest::mouseClick(window.Run, Qt::LeftButton);
    QVERIFY2(label.startsWith(QStringLiteral("Temperature series, separate fits: ")),
             qPrintable(label));
    QCOMPARE(window.Temperatures->model()->rowCount(), 0);
    QVERIFY(window.VantHoffFigure->pixmap().isNull());
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    window.progressDelayMilliseconds = 1000000;
    window.GlobalFit->setCurrentIndex(1);
    emit window.GlobalFit->activated(1);
    QTest::mouseClick(window.Run, Qt::LeftButton);
    QVERIFY2(window.Status->text().startsWith("5 of 5 data sets fitted"),
             qPrintable(window.Status->text()));
    QCOMPARE(window.Temperatures->model()->rowCount(), 5);
    QVERIFY(window.Global->model()->rowCount() > 5);
    QVERIFY(!window.VantHoffFigure->pixmap().isNull());
    QVERIFY(!window.WaldenFigure->pixmap().isNull());
    if (const QByteArray shot = qgetenv("CONDSIM_SERIES_SCREENSHOT"); !shot.isEmpty())
        window.grab().save(QString::fromLocal8Bit(shot));

    // Every stop of the Tab cycle has its design name and words for a screen reader.
    QStringList cycle;
    for (QWidget* control : window.focusCycle()) {
        cycle << control->objectName();
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
    QCOMPARE(cycle,
             (QStringList{"Sets", "Temperature", "Anion", "Add", "Remove", "Import", "GlobalFit",
                          "HeatCapacity", "Run", "Temperatures", "VantHoff", "Global"}));
    QVERIFY(session.platform().errors.empty());
}

QTEST_MAIN(SeriesWindowTest)
#include "SeriesWindowTest.moc"
