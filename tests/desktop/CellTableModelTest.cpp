// The item model over a CellTable: row 0 as the horizontal header, the data rows below
// it, and the refresh that resets only when the counts change.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include "core/CellTable.h"
#include "desktop/CellTableModel.h"

using condsim::CellTable;
using condsim::qt::CellTableModel;

class CellTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void headerRowIsTheHorizontalHeaderAndDataRowsFollow();
    void refreshResetsOnlyWhenTheCountsChange_data();
    void refreshResetsOnlyWhenTheCountsChange();
    void modelStaysConsistentThroughCountChanges();
    void cellsCannotBeEdited();
};

void CellTableModelTest::headerRowIsTheHorizontalHeaderAndDataRowsFollow() {
    CellTable table(2, 3);
    table.setCell(0, 0, "Species");
    table.setCell(1, 0, "Scaling Factor");
    table.setCell(0, 1, "AX0^2+");
    table.setCell(1, 2, "1.5");
    CellTableModel model(table);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Scaling Factor"));
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QString());
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("AX0^2+"));
    QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("1.5"));
    QCOMPARE(model.index(1, 0).data().toString(), QString());
    QCOMPARE(model.index(1, 0).data(Qt::EditRole), QVariant());
}

void CellTableModelTest::refreshResetsOnlyWhenTheCountsChange_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("changeCell");
    QTest::addColumn<bool>("changeHeader");
    QTest::addColumn<int>("resets");
    QTest::addColumn<int>("dataChanges");
    QTest::addColumn<int>("headerChanges");
    QTest::newRow("cell text") << 2 << 4 << true << false << 0 << 1 << 0;
    QTest::newRow("header text") << 2 << 4 << false << true << 0 << 0 << 1;
    QTest::newRow("more rows") << 2 << 6 << false << false << 1 << 0 << 0;
    QTest::newRow("fewer columns") << 1 << 4 << false << false << 1 << 0 << 0;
    QTest::newRow("selection only") << 2 << 4 << false << false << 0 << 0 << 0;
}

void CellTableModelTest::refreshResetsOnlyWhenTheCountsChange() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(bool, changeCell);
    QFETCH(bool, changeHeader);
    QFETCH(int, resets);
    QFETCH(int, dataChanges);
    QFETCH(int, headerChanges);
    CellTable table(2, 4);
    table.setCell(1, 2, "old");
    CellTableModel model(table);
    QSignalSpy resetSpy(&model, &QAbstractItemModel::modelReset);
    QSignalSpy dataSpy(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy headerSpy(&model, &QAbstractItemModel::headerDataChanged);

    QVERIFY(!model.refreshFromTable());  // nothing changed yet
    table.select(1, 2);
    table.setColumnCount(columns);
    table.setRowCount(rows);
    if (changeCell) table.setCell(1, 2, "new");
    if (changeHeader) table.setCell(0, 0, "conc.(M)");
    QCOMPARE(model.refreshFromTable(), resets == 1);
    QCOMPARE(resetSpy.count(), resets);
    QCOMPARE(dataSpy.count(), dataChanges);
    QCOMPARE(headerSpy.count(), headerChanges);
    QCOMPARE(model.rowCount(), rows - 1);
    QCOMPARE(model.columnCount(), columns);
    if (columns > 1) QCOMPARE(model.index(1, 1).data().toString(), changeCell ? "new" : "old");
}

void CellTableModelTest::modelStaysConsistentThroughCountChanges() {
    CellTable table(3, 5);
    CellTableModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int row = 0; row < 5; ++row) table.setCell(2, row, "r" + std::to_string(row));
    model.refreshFromTable();
    table.setRowCount(1);  // only the header row: no data rows
    model.refreshFromTable();
    QCOMPARE(model.rowCount(), 0);
    table.setColumnCount(0);
    model.refreshFromTable();
    QCOMPARE(model.columnCount(), 0);
    // Raising the counts shows the stored cells again.
    table.setColumnCount(3);
    table.setRowCount(5);
    model.refreshFromTable();
    QCOMPARE(model.index(3, 2).data().toString(), QStringLiteral("r4"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("r0"));
}

void CellTableModelTest::cellsCannotBeEdited() {
    CellTable table(2, 3);
    CellTableModel model(table);
    const Qt::ItemFlags flags = model.flags(model.index(0, 1));
    QVERIFY(!(flags & Qt::ItemIsEditable));
    QVERIFY(flags & Qt::ItemIsSelectable);
    QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("typed")));
    QCOMPARE(table.cell(1, 1), std::string());
}

QTEST_MAIN(CellTableModelTest)
#include "CellTableModelTest.moc"
