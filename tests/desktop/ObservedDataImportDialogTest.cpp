// File/Import Observed Data... on the offscreen platform: the menu item opens the dialog
// over the chosen file with the guessed layout, the controls change the converted pairs
// and the refusal, OK is enabled only without a refusal, OK loads the pairs into the
// main window, and the decimal-comma choice shows what is in effect.

#include <QAbstractItemDelegate>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/DesktopApplication.h"
#include "desktop/ObservedDataImportDialog.h"

using condsim::qt::DesignScale;
using condsim::qt::DesktopApplication;
using condsim::qt::ObservedDataImportDialog;

namespace {

const char* const measuredCsv =
    "sample,c (mmol/L),kappa (uS/cm)\r\n"
    "A,0.5,60.1\r\n"
    "B,1,118.4\r\n"
    "C,2,232.9\r\n"
    "D,4,455\r\n";

QString cellShown(const QTableView& view, int row, int column) {
    return view.model()->index(row, column).data().toString();
}

}  // namespace

class ObservedDataImportDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void controlsShowTheGuessAndChangeTheConvertedPairs();
    void menuItemOpensTheDialogAndOkLoadsThePairs();
    void skippedLinesAreGreyInThePreview_data();
    void skippedLinesAreGreyInThePreview();
    void decimalCommaChoiceShowsWhatIsInEffect();
    void everyControlIsNamedByItsCaption();
    void pairsTableTakesTheWidthAndShowsWholeNumbers();

  private:
    QString writeMeasured();

    std::unique_ptr<RecordingDesktop> session_;
};

void ObservedDataImportDialogTest::init() {
    session_ = std::make_unique<RecordingDesktop>();
    QVERIFY(session_->valid());
}

void ObservedDataImportDialogTest::cleanup() { session_.reset(); }

QString ObservedDataImportDialogTest::writeMeasured() {
    const QString name = session_->filePath(QStringLiteral("measured.csv"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(measuredCsv);
    return name;
}

void ObservedDataImportDialogTest::controlsShowTheGuessAndChangeTheConvertedPairs() {
    const QString file = writeMeasured();
    condsim::ObservedDataImport import(file.toStdString(), measuredCsv, 2);
    ObservedDataImportDialog dialog(import, nullptr);

    QCOMPARE(dialog.Separator->currentText(), QStringLiteral("comma"));
    QCOMPARE(dialog.SkippedLines->value(), 1);
    QVERIFY(dialog.Preview->toPlainText().startsWith(
        QStringLiteral("  1| sample,c (mmol/L),kappa (uS/cm)\n")));
    QVERIFY(dialog.Equivalents->text().contains(QStringLiteral("n = 2")));
    QVERIFY(!dialog.Equivalents->isEnabled());
    QVERIFY(!dialog.Density->isEnabled());
    QVERIFY(dialog.Refusal->text().endsWith(QStringLiteral(": 'A'")));
    QVERIFY(!dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());

    dialog.ConcentrationColumn->setValue(2);
    dialog.ConductivityColumn->setValue(3);
    dialog.ConcentrationUnitChoice->setCurrentText(QStringLiteral("mmol/L"));
    dialog.ConductivityUnitChoice->setCurrentText(QStringLiteral("specific conductance, uS/cm"));
    QCOMPARE(dialog.Refusal->text(), QString());
    QVERIFY(dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());
    QCOMPARE(dialog.Converted->model()->rowCount(), 4);
    QCOMPARE(dialog.Converted->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("cond_obsd(MC*M)"));
    QCOMPARE(cellShown(*dialog.Converted, 1, 0), QStringLiteral("0.001"));
    QCOMPARE(cellShown(*dialog.Converted, 1, 1), QStringLiteral("0.1184"));

    dialog.ConcentrationUnitChoice->setCurrentText(QStringLiteral("mol/kg of solvent"));
    QVERIFY(dialog.Density->isEnabled());
    QCOMPARE(cellShown(*dialog.Converted, 1, 0), QStringLiteral("0.997047"));
    QTest::keyClicks(dialog.Density, QStringLiteral("x"));
    QVERIFY(!dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());
    QCOMPARE(dialog.Converted->model()->rowCount(), 0);

    dialog.SaveAfterLoading->setChecked(false);
    QVERIFY(!import.saveAfterLoading);
}

void ObservedDataImportDialogTest::menuItemOpensTheDialogAndOkLoadsThePairs() {
    session_->platform().openAnswer = writeMeasured().toStdString();
    auto& main = session_->desktop().mainWindow();
    QAction* item = nullptr;
    QStringList fileMenu;
    for (QAction* action : main.menuBar()->actions()) {
        if (action->text() != QStringLiteral("File")) continue;
        for (QAction* entry : action->menu()->actions()) {
            fileMenu << entry->text();
            if (entry->text() == QStringLiteral("Import Observed Data...")) item = entry;
        }
    }
    QCOMPARE(fileMenu, (QStringList{"Open", "Import Observed Data...", "Save", "Export Figure...",
                                    "Export Data...", "Open Session...", "Save Session...",
                                    "Recent Files", "Exit"}));
    QVERIFY(item != nullptr);

    bool answered = false;
    QTimer waiter;
    waiter.setInterval(5);
    connect(&waiter, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<ObservedDataImportDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        waiter.stop();
        dialog->ConcentrationColumn->setValue(2);
        dialog->ConductivityColumn->setValue(3);
        dialog->ConcentrationUnitChoice->setCurrentText(QStringLiteral("mmol/L"));
        dialog->ConductivityUnitChoice->setCurrentText(
            QStringLiteral("specific conductance, uS/cm"));
        answered = true;
        dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    waiter.start();
    item->trigger();

    QTRY_VERIFY(answered);
    QVERIFY(session_->platform().errors.empty());
    QCOMPARE(main.StringGrid1->model()->rowCount(), 4);
    QCOMPARE(main.StringGrid1->model()->index(3, 0).data().toString(), QStringLiteral("0.004"));
    QCOMPARE(main.StringGrid1->model()->index(3, 1).data().toString(), QStringLiteral("0.455"));
    QCOMPARE(session_->platform().proposedSaveName,
             session_->filePath(QStringLiteral("measured_observed.txt")).toStdString());
}

// The preview's lines drawn grey, by their index.
QList<int> greyLines(const QPlainTextEdit& preview) {
    QList<int> lines;
    for (const QTextEdit::ExtraSelection& selection : preview.extraSelections()) {
        if (selection.format.foreground().color() == QColor(150, 150, 150) &&
            selection.cursor.selectedText() == selection.cursor.block().text())
            lines << selection.cursor.blockNumber();
    }
    return lines;
}

void ObservedDataImportDialogTest::skippedLinesAreGreyInThePreview_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("guessed");
    QTest::addColumn<int>("skipped");  // chosen in the dialog after the guess
    QTest::newRow("a header") << QByteArray(measuredCsv) << 1 << 1;
    // A unit in the first cell makes the first data row look like a header: it shows grey.
    QTest::newRow("a first row taken for a header")
        << QByteArray("0.0001 M,0.06648\n0.0002,0.1228\n0.0003,0.1744\n") << 1 << 0;
    QTest::newRow("nothing skipped, two chosen")
        << QByteArray("0.0001 0.06648\n0.0002 0.1228\n0.0003 0.1744\n") << 0 << 2;
}

void ObservedDataImportDialogTest::skippedLinesAreGreyInThePreview() {
    QFETCH(QByteArray, content);
    QFETCH(int, guessed);
    QFETCH(int, skipped);
    condsim::ObservedDataImport import("measured.txt", content.toStdString(), 2);
    ObservedDataImportDialog dialog(import, nullptr);
    QCOMPARE(dialog.SkippedLines->value(), guessed);
    QList<int> expected;
    for (int line = 0; line < guessed; ++line) expected << line;
    QCOMPARE(greyLines(*dialog.Preview), expected);

    dialog.SkippedLines->setValue(skipped);
    expected.clear();
    for (int line = 0; line < skipped; ++line) expected << line;
    QCOMPARE(greyLines(*dialog.Preview), expected);
}

void ObservedDataImportDialogTest::decimalCommaChoiceShowsWhatIsInEffect() {
    condsim::ObservedDataImport import("european.csv", "m;k\r\n0,001;0,11\r\n", 1);
    ObservedDataImportDialog dialog(import, nullptr);
    QCOMPARE(dialog.DecimalCommaChoice->currentText(), QStringLiteral("automatic"));
    QCOMPARE(dialog.DecimalCommasInEffect->text(),
             QStringLiteral("In effect: yes, 0,5 is read as 0.5 (guessed)"));
    QVERIFY(dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());

    dialog.DecimalCommaChoice->setCurrentText(QStringLiteral("no"));
    QCOMPARE(dialog.DecimalCommasInEffect->text(),
             QStringLiteral("In effect: no, 0.5 with a period"));
    QVERIFY(dialog.Refusal->text().endsWith(QStringLiteral("choose yes or automatic")));
    QVERIFY(!dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());
}

// A screen reader names each control by its caption, not by the value it shows ("comma",
// "mol/L"), and the preview and the pairs table by what they hold.
void ObservedDataImportDialogTest::everyControlIsNamedByItsCaption() {
    condsim::ObservedDataImport import("measured.csv", measuredCsv, 2);
    ObservedDataImportDialog dialog(import, nullptr);
    const std::pair<QWidget*, QString> named[] = {
        {dialog.Separator, QStringLiteral("Separator (guessed)")},
        {dialog.SkippedLines, QStringLiteral("Lines to skip (guessed)")},
        {dialog.DecimalCommaChoice, QStringLiteral("Decimal commas")},
        {dialog.ConcentrationColumn, QStringLiteral("Concentration in column")},
        {dialog.ConductivityColumn, QStringLiteral("Conductivity in column")},
        {dialog.ConcentrationUnitChoice, QStringLiteral("Concentration unit")},
        {dialog.Density, QStringLiteral("Solvent density (kg/L)")},
        {dialog.ConductivityUnitChoice, QStringLiteral("Conductivity")},
        {dialog.Preview, QStringLiteral("First lines of the file")},
        {dialog.Converted, QStringLiteral("Pairs as they will be loaded")},
    };
    for (const auto& [control, name] : named) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible != nullptr);
        // On Linux Qt names a combo box by its current text and lets its label speak
        // through the "labelled by" relation, which screen readers announce first.
        if (qobject_cast<QComboBox*>(control) != nullptr) {
            QStringList labels;
            for (const auto& [other, relation] : accessible->relations(QAccessible::Label))
                labels << other->text(QAccessible::Name);
            QVERIFY2(labels.contains(name), qPrintable(labels.join(QLatin1Char('|'))));
        } else {
            QCOMPARE(accessible->text(QAccessible::Name), name);
        }
    }
}

// The pairs as they will be loaded, in full-precision text ("0.0018999999999999998" from
// uS/cm): on one line each, in columns as wide as their texts, filling the table.
void ObservedDataImportDialogTest::pairsTableTakesTheWidthAndShowsWholeNumbers() {
    const QString file = writeMeasured();
    condsim::ObservedDataImport import(file.toStdString(), measuredCsv, 2);
    ObservedDataImportDialog dialog(import, nullptr);
    dialog.ConcentrationColumn->setValue(2);
    dialog.ConductivityColumn->setValue(3);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView& table = *dialog.Converted;
    QVERIFY(table.model()->rowCount() == 4);
    QVERIFY(!table.wordWrap());
    QHeaderView& header = *table.horizontalHeader();
    int total = 0;
    for (int column = 0; column < table.model()->columnCount(); ++column) {
        QVERIFY2(header.sectionSizeHint(column) <= header.sectionSize(column),
                 qPrintable(QStringLiteral("header %1").arg(column)));
        for (int row = 0; row < table.model()->rowCount(); ++row) {
            const QModelIndex index = table.model()->index(row, column);
            QStyleOptionViewItem option;
            option.initFrom(&table);
            option.font = table.font();
            const int needed = table.itemDelegateForIndex(index)->sizeHint(option, index).width();
            QVERIFY2(needed <= table.columnWidth(column), qPrintable(index.data().toString()));
        }
        total += table.columnWidth(column);
    }
    QVERIFY2(total >= table.viewport()->width() - 1,
             qPrintable(QStringLiteral("%1 of %2").arg(total).arg(table.viewport()->width())));
}

QTEST_MAIN(ObservedDataImportDialogTest)
#include "ObservedDataImportDialogTest.moc"
