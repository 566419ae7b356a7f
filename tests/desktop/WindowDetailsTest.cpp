// Details of the windows that random input turned up: every menu that shows a window
// brings it to the front, the fit window's parameter grid at n = 30, a table view whose
// counts shrink and grow under a model tester and the accessibility interface, and the
// file dialogs' icons, which never read a file.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <future>
#include <memory>

#include "desktop/CellTableView.h"
#include "desktop/DesktopApplication.h"
#include "desktop/NameOnlyIconProvider.h"

using condsim::qt::DesignScale;
using condsim::qt::DesktopApplication;

namespace {

QAction* menuItem(QMainWindow& window, const QString& caption) {
    for (QAction* action : window.menuBar()->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

// Keeps the warnings Qt gives about a model's use while it lives.
class ModelWarnings {
  public:
    ModelWarnings() { previous() = qInstallMessageHandler(&ModelWarnings::record); }
    ~ModelWarnings() { qInstallMessageHandler(previous()); }
    ModelWarnings(const ModelWarnings&) = delete;
    ModelWarnings& operator=(const ModelWarnings&) = delete;
    static QStringList& seen() {
        static QStringList warnings;
        return warnings;
    }

  private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        const QString category =
            QString::fromLatin1(context.category != nullptr ? context.category : "");
        if (type != QtDebugMsg && (category.contains("itemmodel") || text.contains("QModelIndex")))
            seen() << category + ": " + text;
        if (previous() != nullptr) previous()(type, context, text);
    }
    static QtMessageHandler& previous() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
};

}  // namespace

class WindowDetailsTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void menuBringsAnOpenWindowToTheFront_data();
    void menuBringsAnOpenWindowToTheFront();
    void fitParameterBoxesAtThirtyDoNotOverlap_data();
    void fitParameterBoxesAtThirtyDoNotOverlap();
    void tableViewStaysValidWhileCountsShrinkAndGrow();
    void dialogIconsComeAtOnceForFilesThatBlockOnReading();

  private:
    void start(int dotsPerInch);

    std::unique_ptr<QTemporaryDir> directory_;
    QString previousDirectory_;
    std::unique_ptr<DesktopApplication> desktop_;
};

void WindowDetailsTest::init() {
    previousDirectory_ = QDir::currentPath();
    directory_ = std::make_unique<QTemporaryDir>();
    QVERIFY(directory_->isValid());
    QVERIFY(QDir::setCurrent(directory_->path()));
}

void WindowDetailsTest::cleanup() {
    desktop_.reset();
    QDir::setCurrent(previousDirectory_);
    directory_.reset();
}

void WindowDetailsTest::start(int dotsPerInch) {
    desktop_ = std::make_unique<DesktopApplication>(nullptr, DesignScale(dotsPerInch));
    desktop_->start();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop_->mainWindow()));
}

void WindowDetailsTest::menuBringsAnOpenWindowToTheFront_data() {
    QTest::addColumn<QString>("menu");
    QTest::newRow("Abundance") << QStringLiteral("Abundance");
    QTest::newRow("Scaling Factors") << QStringLiteral("Scaling Factors");
    QTest::newRow("Fit") << QStringLiteral("Fit");
}

void WindowDetailsTest::menuBringsAnOpenWindowToTheFront() {
    QFETCH(QString, menu);
    start(96);
    auto& main = desktop_->mainWindow();
    QMainWindow* shown = nullptr;
    if (menu == "Abundance") shown = &desktop_->abundanceWindow();
    if (menu == "Scaling Factors") shown = &desktop_->scalingFactorWindow();
    if (menu == "Fit") shown = &desktop_->fitWindow();
    QAction* item = menuItem(main, menu);
    QVERIFY(item != nullptr);

    item->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QTRY_COMPARE(QApplication::activeWindow(), shown);
    // The main window comes in front of it; the menu brings it back, open as it is.
    main.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    item->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), shown);
    QVERIFY(shown->isVisible());
}

void WindowDetailsTest::fitParameterBoxesAtThirtyDoNotOverlap_data() {
    QTest::addColumn<int>("dotsPerInch");
    QTest::newRow("96 dpi") << 96;
    QTest::newRow("120 dpi") << 120;
}

void WindowDetailsTest::fitParameterBoxesAtThirtyDoNotOverlap() {
    QFETCH(int, dotsPerInch);
    start(dotsPerInch);
    auto& form1 = desktop_->application().Form1;
    desktop_->actions().run([&form1] { form1.SpinEdit1.userSetText("30"); });
    desktop_->actions().run([this] { desktop_->fitForm().OpenClick(); });
    auto& fit = desktop_->fitWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&fit));

    // K1, alfa, K2..K30, MCA and MCX.
    const QList<QCheckBox*> boxes = fit.findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 33);
    QVERIFY(fit.parameterBox(QStringLiteral("K30")) != nullptr);
    auto* area =
        qobject_cast<QScrollArea*>(boxes.first()->parentWidget()->parentWidget()->parentWidget());
    QVERIFY(area != nullptr);
    for (QCheckBox* box : boxes) {
        // Each at least the size it asks for: the text and the indicator are whole.
        QVERIFY2(
            box->width() >= box->sizeHint().width() && box->height() >= box->sizeHint().height(),
            qPrintable(box->text()));
        for (QCheckBox* other : boxes)
            QVERIFY2(box == other || !box->geometry().intersects(other->geometry()),
                     qPrintable(box->text() + " overlaps " + other->text()));
        // Every box can be brought into view and clicked there.
        area->ensureWidgetVisible(box);
        const QRect inViewport(box->mapTo(area->viewport(), QPoint(0, 0)), box->size());
        QVERIFY2(area->viewport()->rect().contains(inViewport), qPrintable(box->text()));
    }
    QCheckBox* last = fit.parameterBox(QStringLiteral("MCX"));
    area->ensureWidgetVisible(last);
    QTest::mouseClick(last, Qt::LeftButton, {}, QPoint(last->height() / 2, last->height() / 2));
    QVERIFY(desktop_->fitForm().isChosen(condsim::FitParameter::mcx()));

    // The group takes the lines the status leaves empty: with a short status every box
    // shows without scrolling; a status of four lines keeps them all, below the group.
    QWidget* group = area->parentWidget();
    for (const char* status : {"One line.", "First.\nSecond.\nThird.\nFourth."}) {
        desktop_->actions().run([this, status] { desktop_->fitForm().status = status; });
        const bool short_ = std::string(status) == "One line.";
        if (short_) QCOMPARE(area->verticalScrollBar()->maximum(), 0);
        QVERIFY2(!group->geometry().intersects(fit.Status->geometry()), status);
        QVERIFY2(fit.Status->height() >= fit.Status->heightForWidth(fit.Status->width()), status);
        QVERIFY2(fit.Status->geometry().bottom() < fit.Values->geometry().top(), status);
    }
}

void WindowDetailsTest::tableViewStaysValidWhileCountsShrinkAndGrow() {
    start(96);
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    ModelWarnings warnings;
    ModelWarnings::seen().clear();
    QAbstractItemModelTester tester(main.StringGrid2->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(main.StringGrid2);
    QVERIFY(table != nullptr && table->tableInterface() != nullptr);
    const auto cellText = [table](int row, int column) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(row, column);
        return cell != nullptr ? cell->text(QAccessible::Name) : QStringLiteral("(none)");
    };

    // n from 6 down to 2 and up to 30 and down again, the constants table following it;
    // a screen reader keeps asking for the cells it saw.
    for (const char* n : {"6", "2", "30", "3", "12"}) {
        if (main.StringGrid2->model()->rowCount() > 3) cellText(3, 1);  // kept by the interface
        desktop_->actions().run([&form1, n] { form1.SpinEdit1.userSetText(n); });
        QCOMPARE(main.StringGrid2->model()->rowCount(), form1.StringGrid2.rowCount() - 1);
        for (int row = 0; row < main.StringGrid2->model()->rowCount(); ++row)
            QCOMPARE(cellText(row, 1), QString::fromStdString(form1.StringGrid2.cell(1, row + 1)));
        QVERIFY(!main.StringGrid2->model()->data(QModelIndex()).isValid());
    }
    QVERIFY2(ModelWarnings::seen().isEmpty(), qPrintable(ModelWarnings::seen().join('\n')));
}

void WindowDetailsTest::dialogIconsComeAtOnceForFilesThatBlockOnReading() {
    // A FIFO without a writer blocks whoever opens it for reading; so does /proc/kmsg for
    // a program allowed to read it. Asking the provider happens on another thread, so that
    // a provider that reads cannot hang the test: it fails it.
    const QString fifo = directory_->filePath(QStringLiteral("fifo"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QStringList paths{fifo, QStringLiteral("/dev/null"), directory_->path()};
    if (QFileInfo(QStringLiteral("/proc/kmsg")).isReadable()) paths << QStringLiteral("/proc/kmsg");
    const condsim::qt::NameOnlyIconProvider icons;
    for (const QString& path : paths) {
        auto asked = std::async(std::launch::async, [&icons, path] {
            const QFileInfo info(path);
            return std::make_pair(icons.icon(info).isNull(), icons.type(info));
        });
        const bool answered = asked.wait_for(std::chrono::seconds(3)) == std::future_status::ready;
        if (!answered && path == fifo) {
            // Let the reader go (a writer appears and leaves) before failing.
            const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
        }
        QVERIFY2(answered, qPrintable(path));
        const auto [noIcon, type] = asked.get();
        QVERIFY2(!noIcon, qPrintable(path));
        QVERIFY(!type.isEmpty());
    }
    QCOMPARE(icons.type(QFileInfo(fifo)), QStringLiteral("Special File"));
    QCOMPARE(icons.type(QFileInfo(directory_->path())), QStringLiteral("Folder"));
}

QTEST_MAIN(WindowDetailsTest)
#include "WindowDetailsTest.moc"
