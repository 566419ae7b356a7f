// One user action at a time, whatever the user holds down, and every change the user
// makes reaching the state, whatever the means: a spin arrow held down while each step
// raises a box, a key held down with Model #1 off, key repeats that queued up behind a
// slow handler, and the controls toggled, typed into, selected and pressed through the
// accessibility interface (also while a box is open, when the change is refused).

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/DesktopApplication.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/HeldInput.h"
#include "desktop/SpinFieldWidget.h"

using condsim::qt::DesignScale;
using condsim::qt::DesktopApplication;

namespace {

int openMessageBoxes() {
    int open = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible()) ++open;
    return open;
}

// Watches the message boxes while a test holds something down: counts the boxes seen,
// the most open at once, and answers each with OK once it has been open for a while
// (long enough for an auto-repeating button or key to fire several times meanwhile).
class BoxWatcher : public QObject {
  public:
    explicit BoxWatcher(int answerAfterMilliseconds) : answerAfter_(answerAfterMilliseconds) {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            mostOpenAtOnce = std::max(mostOpenAtOnce, openMessageBoxes());
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                current_ = nullptr;
                return;
            }
            if (box != current_) {
                current_ = box;
                ++boxesSeen;
                openSince_.start();
                texts << box->text();
                if (onBox) onBox();
            }
            if (whileOpen) whileOpen();
            if (openSince_.elapsed() >= answerAfter_) box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }

    int boxesSeen = 0;
    int mostOpenAtOnce = 0;
    QStringList texts;
    std::function<void()> onBox;      // runs once when a box appears, inside its event loop
    std::function<void()> whileOpen;  // runs every 5 ms while a box is open

  private:
    int answerAfter_;
    QTimer timer_;
    QMessageBox* current_ = nullptr;
    QElapsedTimer openSince_;
};

// Counts the key events that reach it.
class KeyCounter : public QObject {
  public:
    int keys = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) ++keys;
        return QObject::event(event);
    }
};

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (interface == nullptr) qFatal("no accessible interface");
    return interface;
}

void doAccessibleAction(QObject* object, const QString& action) {
    QAccessibleActionInterface* actions = accessible(object)->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY2(actions->actionNames().contains(action), qPrintable(actions->actionNames().join(',')));
    actions->doAction(action);
}

}  // namespace

class UserActionGuardTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void heldSpinArrowOpensOneBoxAndStopsRepeating_data();
    void heldSpinArrowOpensOneBoxAndStopsRepeating();
    void heldKeyWithModelOneOffShowsOneCautionBoxAtATime();
    void keyRepeatsQueuedBehindAnActionAreDropped_data();
    void keyRepeatsQueuedBehindAnActionAreDropped();
    void accessibilityChangesReachTheStateOnceAndAreRefusedWhileABoxIsOpen();

  private:
    std::unique_ptr<QTemporaryDir> directory_;
    QString previousDirectory_;
    std::unique_ptr<DesktopApplication> desktop_;
};

void UserActionGuardTest::init() {
    previousDirectory_ = QDir::currentPath();
    directory_ = std::make_unique<QTemporaryDir>();
    QVERIFY(directory_->isValid());
    QVERIFY(QDir::setCurrent(directory_->path()));
    desktop_ = std::make_unique<DesktopApplication>(nullptr, DesignScale(96));
    desktop_->start();
    auto& main = desktop_->mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void UserActionGuardTest::cleanup() {
    desktop_.reset();
    QDir::setCurrent(previousDirectory_);
    directory_.reset();
}

void UserActionGuardTest::heldSpinArrowOpensOneBoxAndStopsRepeating_data() {
    QTest::addColumn<bool>("modelOneOff");
    QTest::addColumn<QString>("betaOne");
    QTest::addColumn<QString>("boxText");
    QTest::newRow("Model #1 off: the Caution box")
        << true << QStringLiteral("10000")
        << QStringLiteral(
               "Caution!! The current K2-Kn values (excluding K1) are used to set up all the "
               "beta(n) values.");
    QTest::newRow("beta1 empty: the error box")
        << false << QString()
        << QStringLiteral(
               "'' は浮動小数点数ではありません.\nThe field Beta(1) is empty: it takes a decimal "
               "number of 0 or more, such as 10000.");
}

void UserActionGuardTest::heldSpinArrowOpensOneBoxAndStopsRepeating() {
    QFETCH(bool, modelOneOff);
    QFETCH(QString, betaOne);
    QFETCH(QString, boxText);
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    if (modelOneOff) main.CheckBox1->setChecked(false);
    main.beta1->setText(betaOne);
    QCOMPARE(form1.CheckBox1.checked(), !modelOneOff);
    QCOMPARE(QString::fromStdString(form1.beta1.text()), betaOne);

    // Each step of "Vertical Axix Scale of MC Plot" runs Initialize, which raises the box.
    QToolButton& up = main.SpinEdit4->upButton();
    up.setAutoRepeatDelay(50);
    up.setAutoRepeatInterval(20);
    BoxWatcher watcher(400);  // some twenty repeat intervals with the box open
    bool stillDownInsideTheBox = true;
    watcher.onBox = [&] { stillDownInsideTheBox = up.isDown(); };
    QTest::mousePress(&up, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxesSeen, 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(openMessageBoxes(), 0, 5000);
    QTest::qWait(300);  // the arrow would go on repeating now if it still thought it was held
    QTest::mouseRelease(&up, Qt::LeftButton);
    QTest::qWait(100);

    QCOMPARE(watcher.boxesSeen, 1);
    QCOMPARE(watcher.mostOpenAtOnce, 1);
    QCOMPARE(watcher.texts.value(0), boxText);
    QVERIFY(!stillDownInsideTheBox);                       // the box made the arrow let go
    QCOMPARE(form1.SpinEdit4.text(), std::string("301"));  // one step, no more
    QCOMPARE(main.SpinEdit4->lineEdit().text(), QStringLiteral("301"));
    QVERIFY(!desktop_->actions().busy());
}

void UserActionGuardTest::heldKeyWithModelOneOffShowsOneCautionBoxAtATime() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    main.CheckBox1->setChecked(false);
    QLineEdit& scale = main.SpinEdit4->lineEdit();
    scale.setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(scale.hasFocus());

    // The key goes where the window system sends it: to the focus window, which is the
    // box while one is open. Repeats come every 20 ms for 1.2 s, from one timer while no
    // box is open and from the box's own event loop while one is; each box is answered
    // after 150 ms (with a second finger).
    const auto sendUp = [](bool repeat) {
        QTest::simulateEvent(QGuiApplication::focusWindow(), true, Qt::Key_Up, Qt::NoModifier,
                             QString(), repeat);
    };
    QElapsedTimer held;
    QElapsedTimer sinceRepeat;
    const auto repeatWhileHeld = [&] {
        // The offscreen platform has no window manager to give the focus back when a box
        // closes; do what it would.
        if (QGuiApplication::focusWindow() == nullptr) main.activateWindow();
        if (held.elapsed() < 1200 && sinceRepeat.elapsed() >= 20) {
            sinceRepeat.start();
            sendUp(true);
        }
    };
    BoxWatcher watcher(150);
    watcher.whileOpen = repeatWhileHeld;
    QTimer repeater;
    repeater.setInterval(5);
    connect(&repeater, &QTimer::timeout, this, repeatWhileHeld);
    held.start();
    sinceRepeat.start();
    repeater.start();
    sendUp(false);
    QTRY_VERIFY_WITH_TIMEOUT(held.elapsed() >= 1200, 5000);
    repeater.stop();
    QTest::simulateEvent(QGuiApplication::focusWindow(), false, Qt::Key_Up, Qt::NoModifier,
                         QString(), false);
    QTRY_COMPARE_WITH_TIMEOUT(openMessageBoxes(), 0, 5000);

    QCOMPARE(watcher.mostOpenAtOnce, 1);
    QVERIFY2(watcher.boxesSeen >= 2, "the held key goes on stepping between the boxes");
    // Each step ran Initialize once, with its box: the field counts the boxes.
    QCOMPARE(form1.SpinEdit4.value(), 300 + watcher.boxesSeen);
}

void UserActionGuardTest::keyRepeatsQueuedBehindAnActionAreDropped_data() {
    QTest::addColumn<int>("offset");  // stamp after the press that started the action, ms
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("delivered");
    // The action ran for about 300 ms after the press stamped 100000.
    QTest::newRow("repeat made while the action ran") << 150 << true << false;
    QTest::newRow("repeat made just before it ended") << 250 << true << false;
    QTest::newRow("repeat made after it ended") << 600 << true << true;
    QTest::newRow("a new press while it ran") << 150 << false << true;
}

void UserActionGuardTest::keyRepeatsQueuedBehindAnActionAreDropped() {
    QFETCH(int, offset);
    QFETCH(bool, repeat);
    QFETCH(bool, delivered);
    condsim::qt::StaleKeyRepeatFilter filter;
    KeyCounter receiver;
    receiver.installEventFilter(&filter);
    const auto send = [&](QEvent::Type type, quint64 stamp, bool autoRepeat) {
        QKeyEvent event(type, Qt::Key_Up, Qt::NoModifier, QString(), autoRepeat);
        event.setTimestamp(stamp);
        const int before = receiver.keys;
        QCoreApplication::sendEvent(&receiver, &event);
        return receiver.keys > before;
    };
    constexpr quint64 pressStamp = 100000;
    QVERIFY(send(QEvent::KeyPress, pressStamp, false));
    QTest::qWait(300);  // the handler the press started
    filter.actionEnded();
    const quint64 stamp = pressStamp + static_cast<quint64>(offset);
    QCOMPARE(send(QEvent::KeyPress, stamp, repeat), delivered);
    QCOMPARE(send(QEvent::KeyRelease, stamp, repeat), delivered);
}

void UserActionGuardTest::accessibilityChangesReachTheStateOnceAndAreRefusedWhileABoxIsOpen() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    main.Initialize->click();

    // The check box's toggle action unticks Model #1 in the state as on the screen.
    doAccessibleAction(main.CheckBox1, QAccessibleActionInterface::toggleAction());
    QVERIFY(!main.CheckBox1->isChecked());
    QVERIFY(!form1.CheckBox1.checked());

    // Text set through the interface reaches the fields; n's change handler runs once.
    accessible(main.MCA)->setText(QAccessible::Value, QStringLiteral("77"));
    QCOMPARE(form1.MCA.text(), std::string("77"));
    BoxWatcher watcher(50);
    accessible(&main.SpinEdit1->lineEdit())->setText(QAccessible::Value, QStringLiteral("12"));
    QCOMPARE(form1.SpinEdit1.text(), std::string("12"));
    QCOMPARE(watcher.boxesSeen, 1);  // Initialize ran with Model #1 off: its Caution box
    QCOMPARE(form1.StringGrid2.rowCount(), 13);

    // A cell selected through the table's interface is the selected cell of the state.
    QAccessibleInterface* table = accessible(main.StringGrid2);
    QVERIFY(table->tableInterface() != nullptr);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(2, 1);  // K(3)
    QVERIFY(cell != nullptr);
    QVERIFY(cell->actionInterface() != nullptr);
    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(form1.selectcol.value(), 1);
    QCOMPARE(form1.selectrow.value(), 3);
    QCOMPARE(main.cellvalue->text(), QString::fromStdString(form1.StringGrid2.cell(1, 3)));
    // The table has not the keyboard: it shows the cell selected, with no current cell.
    QCOMPARE(main.StringGrid2->selectionModel()->selectedIndexes(),
             QModelIndexList{main.StringGrid2->model()->index(2, 1)});

    // The press action runs Initialize: with Model #1 off, the Caution box once more. While
    // that box is open, changes through the interface are refused and the screen keeps
    // showing the state.
    watcher.onBox = [&] {
        doAccessibleAction(main.CheckBox1, QAccessibleActionInterface::toggleAction());
        accessible(main.MCX)->setText(QAccessible::Value, QStringLiteral("1"));
        doAccessibleAction(&main.SpinEdit1->upButton(), QAccessibleActionInterface::pressAction());
    };
    doAccessibleAction(main.Initialize, QAccessibleActionInterface::pressAction());
    QTRY_COMPARE_WITH_TIMEOUT(watcher.boxesSeen, 2, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(openMessageBoxes(), 0, 5000);
    QTest::qWait(200);  // the arrow's animated click, had it been taken, ends by now
    QCOMPARE(watcher.boxesSeen, 2);
    QCOMPARE(watcher.mostOpenAtOnce, 1);
    QVERIFY(!form1.CheckBox1.checked());
    QVERIFY(!main.CheckBox1->isChecked());
    QCOMPARE(form1.MCX.text(), std::string("59"));
    QCOMPARE(main.MCX->text(), QStringLiteral("59"));
    QCOMPARE(form1.SpinEdit1.text(), std::string("12"));
}

QTEST_MAIN(UserActionGuardTest)
#include "UserActionGuardTest.moc"
