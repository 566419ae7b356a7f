// The windows as a user meets them, on the offscreen platform: the Tab cycle of every
// window, keys held with Alt or Ctrl, the menu bar's keys, whole texts in tables and
// fields, no results of an earlier calculation beside new data, the error box over
// refreshed windows, and the names that screen readers and GUI tests find.

#include <QAbstractItemDelegate>
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

#include "RecordingDesktop.h"
#include "desktop/CellTableView.h"
#include "desktop/DesktopApplication.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/SpinFieldWidget.h"

using condsim::qt::BoundWindow;
using condsim::qt::CellTableView;
using condsim::qt::DesktopApplication;

namespace {

// Presses OK on every message box that appears while it lives, after running a look at
// the windows as they stand behind the box.
class BoxCloser : public QObject {
  public:
    explicit BoxCloser(std::function<void()> lookBehind = {}) : lookBehind_(std::move(lookBehind)) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            texts << box->text();
            if (lookBehind_) lookBehind_();
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }
    QStringList texts;

  private:
    std::function<void()> lookBehind_;
    QTimer timer_;
};

QString examplesFile(const char* name) {
    return QStringLiteral(CONDSIM_EXAMPLES_DIR "/") + QLatin1String(name);
}

// The control that holds the focus, by its design name (a fit parameter by its caption).
QString focusHolder() {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
        if (!widget->objectName().isEmpty() &&
            !widget->objectName().startsWith(QLatin1String("qt_")))
            return widget->objectName();
        if (auto* box = qobject_cast<QCheckBox*>(widget); box != nullptr && !box->text().isEmpty())
            return box->text();
    }
    return QStringLiteral("(none)");
}

QLineEdit* textOf(QWidget* control) {
    if (auto* spin = qobject_cast<condsim::qt::SpinFieldWidget*>(control)) return &spin->lineEdit();
    return qobject_cast<QLineEdit*>(control);
}

// Closes a dropped-down menu and leaves the menu bar, as Escape does.
void leaveMenus(QMainWindow& window) {
    for (int i = 0; i < 3 && QApplication::activePopupWidget() != nullptr; ++i)
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    if (window.menuBar()->hasFocus()) QTest::keyClick(window.menuBar(), Qt::Key_Escape);
}

QString cellText(CellTableView& view, int row, int column) {
    return view.model()->index(row, column).data().toString();
}

// Every cell and header of a table shows its whole text: what the style needs for it is
// no wider than its column.
void checkWholeTexts(CellTableView& view, const char* table) {
    QHeaderView* header = view.horizontalHeader();
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.font = view.font();
    option.widget = &view;
    for (int column = 0; column < view.model()->columnCount(); ++column) {
        QVERIFY2(header->sectionSizeHint(column) <= header->sectionSize(column),
                 qPrintable(QStringLiteral("%1 header %2").arg(QLatin1String(table)).arg(column)));
        for (int row = 0; row < view.model()->rowCount(); ++row) {
            const QModelIndex index = view.model()->index(row, column);
            const int needed = view.itemDelegateForIndex(index)->sizeHint(option, index).width();
            QVERIFY2(needed <= view.columnWidth(column),
                     qPrintable(QStringLiteral("%1 (%2, %3) \"%4\" needs %5 of %6")
                                    .arg(QLatin1String(table))
                                    .arg(row)
                                    .arg(column)
                                    .arg(index.data().toString())
                                    .arg(needed)
                                    .arg(view.columnWidth(column))));
        }
    }
}

}  // namespace

class KeyboardAndDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void tabRunsTheDesignOrderAndWrapsBothWays_data();
    void tabRunsTheDesignOrderAndWrapsBothWays();
    void lettersHeldWithAltOrCtrlTypeNothing_data();
    void lettersHeldWithAltOrCtrlTypeNothing();
    void menuBarTakesAltLettersF10AndShortcuts();
    void tablesAndFieldsShowWholeTexts();
    void gradientFieldShowsTheValueInEffectAndTheStatusLineTheFactors_data();
    void gradientFieldShowsTheValueInEffectAndTheStatusLineTheFactors();
    void openingOtherDataLeavesNoResultsOfTheOldInTheReport();
    void errorBoxAppearsOverTheStateTheActionLeft();
    void controlsCarryTheirDesignAndSpokenNames();

  private:
    BoundWindow& showWindow(const QString& which);
    QWidget* control(BoundWindow& window, const QString& designName);

    DesktopApplication& desktop() { return session_->desktop(); }

    // The real message and error boxes; the file dialogs answered by names.
    std::unique_ptr<RecordingDesktop> session_;
};

void KeyboardAndDisplayTest::init() {
    session_ = std::make_unique<RecordingDesktop>(Boxes::Shown);
    QVERIFY(session_->valid());
    QVERIFY(QTest::qWaitForWindowActive(&desktop().mainWindow()));
}

void KeyboardAndDisplayTest::cleanup() { session_.reset(); }

BoundWindow& KeyboardAndDisplayTest::showWindow(const QString& which) {
    auto& form1 = desktop().application().Form1;
    BoundWindow* window = &desktop().mainWindow();
    if (which.startsWith(QLatin1String("abundance"))) {
        desktop().actions().run([&] { form1.Abundance1Click(); });
        if (which.endsWith(QLatin1String("table")))
            desktop().actions().run([this] { desktop().application().Form2.ShowHideData1Click(); });
        window = &desktop().abundanceWindow();
    } else if (which == QLatin1String("factors")) {
        desktop().actions().run([&] { form1.Option1Click(); });
        window = &desktop().scalingFactorWindow();
    } else if (which == QLatin1String("fit")) {
        desktop().actions().run([this] { desktop().fitForm().OpenClick(); });
        window = &desktop().fitWindow();
    }
    window->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(window)); }();
    return *window;
}

QWidget* KeyboardAndDisplayTest::control(BoundWindow& window, const QString& designName) {
    if (auto* found = window.findChild<QWidget*>(designName)) return found;
    for (auto* box : window.findChildren<QCheckBox*>())
        if (box->text() == designName) return box;  // a parameter of the fit
    return nullptr;
}

void KeyboardAndDisplayTest::tabRunsTheDesignOrderAndWrapsBothWays_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("main") << "main"
                          << QStringList{"SpinEdit1",   "Edit1",      "Edit2",       "Edit3",
                                         "Edit4",       "Initialize", "StringGrid1", "StringGrid3",
                                         "StringGrid2", "MCA",        "MCX",         "Button3",
                                         "SpinEdit3",   "SpinEdit4",  "Button4",     "cellvalue",
                                         "Adopt",       "SpinEdit2",  "CheckBox1",   "Button1",
                                         "beta1"};
    QTest::newRow("abundance, picture in front")
        << "abundance" << QStringList{"Edit3", "Edit1", "Edit2", "SpinEdit1"};
    QTest::newRow("abundance, table in front")
        << "abundance table" << QStringList{"StringGrid1", "Edit3", "Edit1", "Edit2", "SpinEdit1"};
    QTest::newRow("scaling factors")
        << "factors"
        << QStringList{"StringGrid2", "cellvalue", "Adopt", "katamuki", "a_value", "Button6"};
    // Apply is disabled until a fit converged.
    QTest::newRow("fit") << "fit"
                         << QStringList{"K1",      "alfa",      "K2",          "K3",    "K4",
                                        "K5",      "K6",        "MCA",         "MCX",   "Run",
                                        "Weights", "Values",    "Correlation", "FromN", "ToN",
                                        "Compare", "Comparison"};
}

void KeyboardAndDisplayTest::tabRunsTheDesignOrderAndWrapsBothWays() {
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    BoundWindow& shown = showWindow(window);
    QWidget* first = control(shown, order.first());
    QVERIFY(first != nullptr);
    first->setFocus(Qt::MouseFocusReason);
    QCOMPARE(focusHolder(), order.first());

    QStringList forwards;
    for (qsizetype i = 0; i <= order.size(); ++i) {
        forwards << focusHolder();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(forwards, order + QStringList{order.first()});

    // Now one step past the first; Shift+Tab runs the cycle backwards.
    QStringList backwards;
    for (qsizetype i = 0; i <= order.size() + 1; ++i) {
        backwards << focusHolder();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    }
    QStringList expected{order.value(1 % order.size())};
    for (qsizetype i = 0; i <= order.size(); ++i)
        expected << order[(order.size() - i) % order.size()];
    QCOMPARE(backwards, expected);
}

void KeyboardAndDisplayTest::lettersHeldWithAltOrCtrlTypeNothing_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    for (const char* field : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "beta1",
                              "cellvalue", "MCA", "MCX", "Edit1", "Edit2", "Edit3", "Edit4"})
        QTest::addRow("main %s", field) << "main" << field;
    for (const char* field : {"SpinEdit1", "Edit1", "Edit2", "Edit3"})
        QTest::addRow("abundance %s", field) << "abundance" << field;
    for (const char* field : {"katamuki", "cellvalue", "a_value"})
        QTest::addRow("factors %s", field) << "factors" << field;
    for (const char* field : {"FromN", "ToN"}) QTest::addRow("fit %s", field) << "fit" << field;
}

void KeyboardAndDisplayTest::lettersHeldWithAltOrCtrlTypeNothing() {
    QFETCH(QString, window);
    QFETCH(QString, field);
    auto& app = desktop().application();
    desktop().actions().run([&] { app.Form1.InitializeClick(); });
    BoundWindow& shown = showWindow(window);
    QLineEdit* edit = textOf(control(shown, field));
    QVERIFY(edit != nullptr);
    edit->setFocus(Qt::MouseFocusReason);
    edit->end(false);
    const QString before = edit->text();
    // A handler that ran would have written the constants or the factor table.
    const auto constants = app.Form1.StringGrid2.revision();
    const auto factors = app.Form3.StringGrid2.revision();

    BoxCloser closer;
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> chords{
        {Qt::Key_F, Qt::AltModifier},
        {Qt::Key_A, Qt::AltModifier},
        {Qt::Key_X, Qt::AltModifier},
        {Qt::Key_5, Qt::AltModifier},
        {Qt::Key_F, Qt::ControlModifier},
        {Qt::Key_G, Qt::ControlModifier},
        {Qt::Key_F, Qt::ControlModifier | Qt::AltModifier}};
    for (const auto& [key, modifiers] : chords) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        leaveMenus(shown);
        QCOMPARE(QApplication::focusWidget(), edit);
    }
    QCOMPARE(edit->text(), before);
    QCOMPARE(app.Form1.StringGrid2.revision(), constants);
    QCOMPARE(app.Form3.StringGrid2.revision(), factors);
    QVERIFY(closer.texts.isEmpty());
}

void KeyboardAndDisplayTest::menuBarTakesAltLettersF10AndShortcuts() {
    auto& main = desktop().mainWindow();
    QLineEdit& n = main.SpinEdit1->lineEdit();
    n.setFocus(Qt::MouseFocusReason);

    QTest::keyClick(&n, Qt::Key_F, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QStringLiteral("File"));
    QTest::keyClick(menu, Qt::Key_Escape);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QTest::keyClick(main.menuBar(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), &n);

    QTest::keyClick(&n, Qt::Key_F10);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QStringLiteral("File"));
    leaveMenus(main);
    QCOMPARE(QApplication::focusWidget(), &n);

    // An item without a menu is highlighted; Enter runs it and the focus comes back.
    QTest::keyClick(&n, Qt::Key_A, Qt::AltModifier);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QCOMPARE(main.menuBar()->activeAction()->text(), QStringLiteral("Abundance"));
    QVERIFY(!desktop().abundanceWindow().isVisible());
    QTest::keyClick(main.menuBar(), Qt::Key_Return);
    QVERIFY(desktop().abundanceWindow().isVisible());
    QCOMPARE(QApplication::focusWidget(), &n);
    QCOMPARE(n.text(), QStringLiteral("6"));

    // Ctrl+O and Ctrl+S beside the captions "Open" and "Save".
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    const QString data = examplesFile("observed-2to1-salt.txt");
    session_->platform().openAnswer = data.toStdString();
    QTest::keyClick(&n, Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(desktop().application().Form1.state().observed.fileName, data.toStdString());
    QTest::keyClick(&n, Qt::Key_I, Qt::AltModifier);  // no item: nothing
    desktop().actions().run([this] { desktop().application().Form1.InitializeClick(); });
    desktop().actions().run([this] { desktop().application().Form1.Button3Click(); });
    const QString report = session_->filePath(QStringLiteral("report.txt"));
    session_->platform().saveAnswer = report.toStdString();
    QTest::keyClick(&n, Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(QFile::exists(report));
    QStringList captions;
    for (QAction* item : main.menuBar()->actions().first()->menu()->actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{"Open", "Import Observed Data...", "Save", "Export Figure...",
                                    "Export Data...", "Open Session...", "Save Session...",
                                    "Recent Files", "Exit"}));
}

void KeyboardAndDisplayTest::gradientFieldShowsTheValueInEffectAndTheStatusLineTheFactors_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("status");
    const QString minimum =
        QStringLiteral("Solution model: ideal; scaling factors in use: 1, 0, -1, -2, ...");
    QTest::newRow("a lone minus") << "-"
                                  << "-100" << minimum;
    QTest::newRow("a decimal") << "1.5"
                               << "-100" << minimum;
    QTest::newRow("-20") << "-20"
                         << "-20"
                         << "Solution model: ideal; scaling factors in use: 1, 0.8, 0.6, 0.4, ...";
    QTest::newRow("0") << "0"
                       << "0"
                       << "Solution model: ideal";
}

void KeyboardAndDisplayTest::gradientFieldShowsTheValueInEffectAndTheStatusLineTheFactors() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, status);
    BoundWindow& factors = showWindow(QStringLiteral("factors"));
    QLineEdit* gradient = textOf(control(factors, QStringLiteral("katamuki")));
    QVERIFY(gradient != nullptr);
    gradient->setFocus(Qt::MouseFocusReason);
    gradient->selectAll();
    QTest::keyClicks(gradient, typed);
    QCOMPARE(gradient->text(), typed);  // as typed while the field has the focus
    QTest::keyClick(gradient, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != gradient);
    QCOMPARE(gradient->text(), shown);
    QCOMPARE(desktop().mainWindow().SolutionModelStatus->text(), status);
}

void KeyboardAndDisplayTest::tablesAndFieldsShowWholeTexts() {
    auto& main = desktop().mainWindow();
    auto& form1 = desktop().application().Form1;
    session_->platform().openAnswer = examplesFile("observed-6to1-salt.txt").toStdString();
    desktop().actions().run([&] { form1.Open1Click(); });
    main.Initialize->click();
    QCOMPARE(cellText(*main.StringGrid2, 4, 0), QStringLiteral("10240000000000"));  // beta(5)
    checkWholeTexts(*main.StringGrid2, "constants");
    main.Button3->click();
    checkWholeTexts(*main.StringGrid1, "observed data");
    checkWholeTexts(*main.StringGrid3, "species");
    checkWholeTexts(*desktop().abundanceWindow().StringGrid1, "calculated data");
    // The design widths stay the least: the species column keeps its 69 design pixels.
    QCOMPARE(main.StringGrid3->columnWidth(0), 55);

    // At n = 30 with a fitted K1 of 15 digits, as Apply leaves it, beta(n) runs to 1e+30
    // and more: the columns widen (and the table scrolls) rather than cut a digit.
    desktop().actions().run([&] {
        form1.SpinEdit1.setValue(30);
        form1.beta1.setText("55.2007053455123");
    });
    main.Initialize->click();
    main.Button3->click();
    QCOMPARE(cellText(*main.StringGrid2, 0, 0), QStringLiteral("55.2007053455123"));
    checkWholeTexts(*main.StringGrid2, "constants at n = 30");
    checkWholeTexts(*main.StringGrid3, "species at n = 30");
    checkWholeTexts(*desktop().abundanceWindow().StringGrid1, "calculated data at n = 30");

    // Fields set by the program show their text from its start, sign and leading digits.
    desktop().actions().run([&] {
        form1.Edit4.setText("-120000000");
        form1.beta1.setText("10628.7216825378");
    });
    for (QLineEdit* edit :
         {static_cast<QLineEdit*>(main.findChild<condsim::qt::EditFieldWidget*>("Edit4")),
          static_cast<QLineEdit*>(main.beta1)}) {
        QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 8,
                 qPrintable(edit->text() + " fits anyway: the check would prove nothing"));
        QCOMPARE(edit->cursorPosition(), 0);
    }
}

void KeyboardAndDisplayTest::openingOtherDataLeavesNoResultsOfTheOldInTheReport() {
    auto& main = desktop().mainWindow();
    auto& form1 = desktop().application().Form1;
    session_->platform().openAnswer = examplesFile("observed-6to1-salt.txt").toStdString();
    desktop().actions().run([&] { form1.Open1Click(); });
    main.Initialize->click();
    main.Button3->click();
    QVERIFY(!cellText(*main.StringGrid1, 0, 2).isEmpty());
    const int firstRows = form1.StringGrid1.rowCount();

    session_->platform().openAnswer = examplesFile("observed-2to1-salt.txt").toStdString();
    desktop().actions().run([&] { form1.Open1Click(); });
    for (int row = 1; row < std::max(firstRows, form1.StringGrid1.rowCount()); ++row) {
        QCOMPARE(form1.StringGrid1.cell(2, row), std::string());
        QCOMPARE(form1.StringGrid1.cell(3, row), std::string());
    }
    QCOMPARE(cellText(*main.StringGrid1, 0, 3), QString());

    const QString report = session_->filePath(QStringLiteral("report.txt"));
    session_->platform().saveAnswer = report.toStdString();
    desktop().actions().run([&] { form1.Save1Click(); });
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    const qsizetype header = lines.indexOf(
        QStringLiteral("conc(M)\tConductivity()\t[Anion X-] (M)\tSqrt(conc) (M^0.5)\tMolarCond"));
    QVERIFY(header > 0);
    // Save calculated again for the new data: [X-] is that of the new calculation.
    int rows = 0;
    for (qsizetype i = header + 2; i < lines.size() && !lines[i].isEmpty(); ++i, ++rows) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), 5);
        QVERIFY(!fields[2].isEmpty());
        QCOMPARE(fields[2], QString::fromStdString(form1.StringGrid1.cell(2, rows + 1)));
    }
    QCOMPARE(rows, form1.state().observed.count);
}

void KeyboardAndDisplayTest::errorBoxAppearsOverTheStateTheActionLeft() {
    auto& main = desktop().mainWindow();
    auto& form1 = desktop().application().Form1;
    auto& calculated = *desktop().abundanceWindow().StringGrid1;
    session_->platform().openAnswer = examplesFile("observed-6to1-salt.txt").toStdString();
    desktop().actions().run([&] {
        form1.Open1Click();
        form1.InitializeClick();
        form1.SpinEdit3.setValue(50);
        form1.MCA.setText("abc");
    });
    QCOMPARE(calculated.model()->rowCount(), 4);
    // The sweep sizes and heads the calculated-data table before the first point fails.
    int rowsBehindTheBox = -1;
    QString headerBehindTheBox;
    BoxCloser closer([&] {
        rowsBehindTheBox = calculated.model()->rowCount();
        headerBehindTheBox = calculated.model()->headerData(2, Qt::Horizontal).toString();
    });
    main.Button3->click();
    QCOMPARE(closer.texts.size(), 1);
    QCOMPARE(rowsBehindTheBox, 50);
    QCOMPARE(headerBehindTheBox, QStringLiteral("AX0"));
}

void KeyboardAndDisplayTest::controlsCarryTheirDesignAndSpokenNames() {
    const std::vector<std::pair<BoundWindow*, QStringList>> windows{
        {&desktop().mainWindow(),
         {"SpinEdit1",   "Edit1",       "Edit2",       "Edit3",     "Edit4", "Initialize",
          "StringGrid1", "StringGrid3", "StringGrid2", "MCA",       "MCX",   "Button3",
          "SpinEdit3",   "SpinEdit4",   "Button4",     "cellvalue", "Adopt", "Model_1",
          "SpinEdit2",   "CheckBox1",   "GroupBox2",   "Button1",   "beta1", "Image1"}},
        {&desktop().abundanceWindow(),
         {"Image1", "StringGrid1", "SpinEdit1", "Edit3", "Edit1", "Edit2"}},
        {&desktop().scalingFactorWindow(),
         {"StringGrid2", "cellvalue", "Adopt", "Model_1", "katamuki", "GroupBox3", "a_value",
          "Button6"}},
    };
    for (const auto& [window, names] : windows) {
        for (const QString& name : names) {
            QWidget* found = control(*window, name);
            QVERIFY2(found != nullptr, qPrintable(name));
            QWidget* speaking = found->focusProxy() != nullptr ? found->focusProxy() : found;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(speaking);
            QVERIFY2(accessible != nullptr, qPrintable(name));
            QCOMPARE(accessible->text(QAccessible::Description), name);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(name));
        }
    }
    auto& main = desktop().mainWindow();
    const auto spoken = [&](const char* name) {
        QWidget* found = control(main, QLatin1String(name));
        QWidget* speaking = found->focusProxy() != nullptr ? found->focusProxy() : found;
        return QAccessible::queryAccessibleInterface(speaking)->text(QAccessible::Name);
    };
    QCOMPARE(spoken("SpinEdit1"), QStringLiteral("AX (n)"));
    QCOMPARE(spoken("beta1"), QStringLiteral("beta(1) = K1"));
    QCOMPARE(spoken("Button3"), QStringLiteral("Conduct Calculations"));
}

QTEST_MAIN(KeyboardAndDisplayTest)
#include "KeyboardAndDisplayTest.moc"
