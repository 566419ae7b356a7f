// What a screen reader finds with the focus, on the offscreen platform: at every stop of
// every window's Tab cycle exactly one control of the window's accessible tree is
// focused, it is the control that has the keyboard, named and carrying its design name,
// and a focused table cell belongs to that control alone. The table with the keyboard
// shows a focus frame; the arrows of a spin field have names. A press on a File item that
// opens a dialog returns at once, and the dialog opens after it.

#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/DesktopApplication.h"
#include "desktop/SpinFieldWidget.h"

using condsim::qt::BoundWindow;
using condsim::qt::CellTableView;
using condsim::qt::DesktopApplication;

namespace {

bool isCell(const QAccessibleInterface& node) {
    const QAccessible::Role role = node.role();
    return role == QAccessible::Cell || role == QAccessible::ColumnHeader ||
           role == QAccessible::RowHeader;
}

// The focused objects under a node, the table cells apart from the rest.
void collectFocused(QAccessibleInterface& node, QList<QAccessibleInterface*>& controls,
                    QList<QAccessibleInterface*>& cells) {
    if (node.state().focused) (isCell(node) ? cells : controls) << &node;
    for (int i = 0; i < node.childCount(); ++i)
        if (QAccessibleInterface* child = node.child(i)) collectFocused(*child, controls, cells);
}

// The design name of a control of the Tab cycle: its object name, or a fit parameter's
// caption.
QString designName(QWidget& control) {
    if (auto* box = qobject_cast<QCheckBox*>(&control);
        box != nullptr && control.objectName().isEmpty())
        return box->text();
    return control.objectName();
}

}  // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void exactlyTheControlWithTheKeyboardIsFocused_data();
    void exactlyTheControlWithTheKeyboardIsFocused();
    void onlyTheTableWithTheKeyboardShowsAFocusFrame();
    void fileItemsWithADialogReturnBeforeItOpens_data();
    void fileItemsWithADialogReturnBeforeItOpens();

  private:
    BoundWindow& showWindow(const QString& which);
    DesktopApplication& desktop() { return session_->desktop(); }

    std::unique_ptr<RecordingDesktop> session_;
};

void ScreenReaderTest::init() {
    session_ = std::make_unique<RecordingDesktop>();
    QVERIFY(session_->valid());
    QVERIFY(QTest::qWaitForWindowActive(&desktop().mainWindow()));
    // Every table has a selected cell, as after Initialize and a calculation.
    auto& form1 = desktop().application().Form1;
    session_->platform().openAnswer = CONDSIM_EXAMPLES_DIR "/cacl2-25C-water-dilute.txt";
    desktop().actions().run([&] {
        form1.Open1Click();
        form1.InitializeClick();
        form1.Button3Click();
    });
}

void ScreenReaderTest::cleanup() { session_.reset(); }

BoundWindow& ScreenReaderTest::showWindow(const QString& which) {
    auto& application = desktop().application();
    BoundWindow* window = &desktop().mainWindow();
    if (which == QLatin1String("abundance")) {
        desktop().actions().run([&] {
            application.Form1.Abundance1Click();
            application.Form2.ShowHideData1Click();
        });
        window = &desktop().abundanceWindow();
    } else if (which == QLatin1String("factors")) {
        desktop().actions().run([&] { application.Form1.Option1Click(); });
        window = &desktop().scalingFactorWindow();
    } else if (which == QLatin1String("fit")) {
        desktop().actions().run([this] { desktop().fitForm().OpenClick(); });
        window = &desktop().fitWindow();
    } else if (which == QLatin1String("solution model")) {
        desktop().mainWindow().SolutionModel1->trigger();
        window = &desktop().solutionModelWindow();
    } else if (which == QLatin1String("temperature series")) {
        desktop().mainWindow().TemperatureSeries1->trigger();
        window = &desktop().seriesWindow();
    }
    window->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(window)); }();
    return *window;
}

void ScreenReaderTest::exactlyTheControlWithTheKeyboardIsFocused_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("main") << "main";
    QTest::newRow("abundance") << "abundance";
    QTest::newRow("scaling factors") << "factors";
    QTest::newRow("fit") << "fit";
    QTest::newRow("solution model") << "solution model";
    QTest::newRow("temperature series") << "temperature series";
}

void ScreenReaderTest::exactlyTheControlWithTheKeyboardIsFocused() {
    QFETCH(QString, window);
    BoundWindow& shown = showWindow(window);
    const std::vector<QWidget*> cycle = shown.focusCycle();
    QVERIFY(!cycle.empty());
    cycle.front()->setFocus(Qt::TabFocusReason);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&shown);
    QVERIFY(root != nullptr);
    for (QWidget* control : cycle) {
        const QString name = designName(*control);
        QList<QAccessibleInterface*> controls;
        QList<QAccessibleInterface*> cells;
        collectFocused(*root, controls, cells);
        QStringList found;
        for (QAccessibleInterface* node : controls)
            found << node->text(QAccessible::Description) + "/" + node->text(QAccessible::Name);
        QVERIFY2(controls.size() == 1,
                 qPrintable(name + " has the keyboard; focused: " + found.join(", ")));
        QAccessibleInterface* focused = controls.front();
        QCOMPARE(focused->object(), QApplication::focusWidget());
        QVERIFY2(!focused->text(QAccessible::Name).isEmpty(), qPrintable(name));
        if (!control->objectName().isEmpty())
            QCOMPARE(focused->text(QAccessible::Description), name);
        QVERIFY2(cells.size() <= 1, qPrintable(name));
        for (QAccessibleInterface* cell : cells)
            QVERIFY2(cell->parent() == focused,
                     qPrintable(name + " has the keyboard; a focused cell in " +
                                cell->parent()->text(QAccessible::Description)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (auto* spin : shown.findChildren<condsim::qt::SpinFieldWidget*>()) {
        for (QToolButton* arrow : {&spin->upButton(), &spin->downButton()})
            QVERIFY2(
                !QAccessible::queryAccessibleInterface(arrow)->text(QAccessible::Name).isEmpty(),
                qPrintable(spin->objectName()));
    }
}

void ScreenReaderTest::onlyTheTableWithTheKeyboardShowsAFocusFrame() {
    auto& main = desktop().mainWindow();
    const QColor highlight = main.palette().color(QPalette::Active, QPalette::Highlight);
    const auto framed = [&](CellTableView& view) {
        const QImage shown = view.viewport()->grab().toImage();
        const int middle = shown.height() / 2;
        return QColor(shown.pixel(0, middle)) == highlight &&
               QColor(shown.pixel(shown.width() - 1, middle)) == highlight;
    };
    for (CellTableView* focused : {main.StringGrid1, main.StringGrid3, main.StringGrid2}) {
        focused->setFocus(Qt::TabFocusReason);
        QVERIFY(focused->hasFocus());
        for (CellTableView* view : {main.StringGrid1, main.StringGrid3, main.StringGrid2})
            QVERIFY2(framed(*view) == (view == focused), qPrintable(view->objectName()));
    }
    // The selected cell stays selected while another table has the keyboard.
    QVERIFY(main.StringGrid1->selectionModel()->hasSelection());
}

void ScreenReaderTest::fileItemsWithADialogReturnBeforeItOpens_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("item");
    QTest::newRow("Open") << "main"
                          << "Open";
    QTest::newRow("Import") << "main"
                            << "Import Observed Data...";
    QTest::newRow("Save") << "main"
                          << "Save";
    QTest::newRow("factors Open") << "factors"
                                  << "Open";
}

void ScreenReaderTest::fileItemsWithADialogReturnBeforeItOpens() {
    QFETCH(QString, window);
    QFETCH(QString, item);
    BoundWindow& shown = showWindow(window);
    auto& platform = session_->platform();
    platform.openAnswer.reset();  // every dialog is cancelled
    platform.saveAnswer.reset();
    // The import dialog is closed from inside its own event loop.
    bool dialogShown = false;
    QTimer closer;
    closer.setInterval(5);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    closer.start();
    const int dialogsBefore = platform.fileDialogs;
    const auto answered = [&] { return dialogShown || platform.fileDialogs > dialogsBefore; };
    QAction* action = nullptr;
    for (QAction* entry : shown.menuBar()->actions().first()->menu()->actions())
        if (entry->text() == item) action = entry;
    QVERIFY(action != nullptr);
    action->trigger();
    QVERIFY(!answered());
    QTRY_VERIFY(answered());
    QVERIFY(platform.errors.empty());
}

QTEST_MAIN(ScreenReaderTest)

#include "ScreenReaderTest.moc"
