// Where the windows open and how large, on the screen the test runs on: ctest runs this
// twice, on the offscreen platform's 800 x 600 screen and on a 1920 x 1200 one. A window
// takes its design place and outer size, frame included, scaled by dpi / 120 like its
// controls; on a screen too small for it, it fills the screen and its content scrolls.

#include <QDir>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "desktop/DesktopApplication.h"

using condsim::qt::BoundWindow;
using condsim::qt::DesignScale;
using condsim::qt::DesktopApplication;

class WindowPlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void windowTakesItsScaledPlaceOrScrolls_data();
    void windowTakesItsScaledPlaceOrScrolls();

  private:
    std::unique_ptr<QTemporaryDir> directory_;
    QString previousDirectory_;
    std::unique_ptr<DesktopApplication> desktop_;
};

void WindowPlacementTest::init() {
    previousDirectory_ = QDir::currentPath();
    directory_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(directory_->path()));
    desktop_ = std::make_unique<DesktopApplication>(nullptr, DesignScale(96));
    desktop_->start();
}

void WindowPlacementTest::cleanup() {
    desktop_.reset();
    QDir::setCurrent(previousDirectory_);
    directory_.reset();
}

void WindowPlacementTest::windowTakesItsScaledPlaceOrScrolls_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("design");         // outer place and size at 120 dpi
    QTest::addColumn<QString>("lastControl");  // the control nearest the bottom right
    QTest::newRow("main") << "main" << QRect(0, -1, 1322, 992) << "SpinEdit3";
    QTest::newRow("abundance") << "abundance" << QRect(31, 87, 1354, 877) << "Edit2";
    QTest::newRow("scaling factors") << "factors" << QRect(243, 170, 761, 715) << "StringGrid2";
    QTest::newRow("fit") << "fit" << QRect(80, 60, 1250, 820) << "Comparison";
    QTest::newRow("temperature series") << "series" << QRect(70, 30, 1250, 1230) << "WaldenFigure";
}

void WindowPlacementTest::windowTakesItsScaledPlaceOrScrolls() {
    QFETCH(QString, window);
    QFETCH(QRect, design);
    QFETCH(QString, lastControl);
    auto& form1 = desktop_->application().Form1;
    BoundWindow* shown = &desktop_->mainWindow();
    if (window == "abundance") {
        desktop_->actions().run([&] { form1.Abundance1Click(); });
        shown = &desktop_->abundanceWindow();
    } else if (window == "factors") {
        desktop_->actions().run([&] { form1.Option1Click(); });
        shown = &desktop_->scalingFactorWindow();
    } else if (window == "fit") {
        desktop_->actions().run([this] { desktop_->fitForm().OpenClick(); });
        shown = &desktop_->fitWindow();
    } else if (window == "series") {
        desktop_->actions().run([this] { desktop_->seriesForm().OpenClick(); });
        shown = &desktop_->seriesWindow();
    }
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QTest::qWait(20);  // the frame is fitted once the window is up

    const DesignScale scale(96);
    const QRect scaled = scale.rect(design.left(), design.top(), design.width(), design.height());
    const QRect available = shown->screen()->availableGeometry();
    const QRect frame = shown->frameGeometry();
    QCOMPARE(frame.size(), scaled.size().boundedTo(available.size()));
    // The design place, moved only as far as the screen needs to hold the whole window.
    QPoint place = scaled.topLeft();
    place.setX(std::clamp(place.x(), available.left(), available.right() + 1 - frame.width()));
    place.setY(std::clamp(place.y(), available.top(), available.bottom() + 1 - frame.height()));
    QCOMPARE(frame.topLeft(), place);

    // Whatever the screen, every control can be scrolled into view.
    QScrollArea& area = shown->clientScrollArea();
    QWidget* last = shown->findChild<QWidget*>(lastControl);
    QVERIFY(last != nullptr);
    const QPoint farCorner =
        last->geometry().bottomRight() + QPoint(1, 1);  // just past the control
    area.ensureVisible(farCorner.x(), farCorner.y(), 0, 0);
    const QRect inViewport(last->mapTo(area.viewport(), QPoint(0, 0)), last->size());
    QVERIFY2(area.viewport()->rect().contains(inViewport),
             qPrintable(QStringLiteral("%1 not reachable").arg(lastControl)));
    if (frame.size() == scaled.size()) {
        QVERIFY(!area.horizontalScrollBar()->isVisible());
        QVERIFY(!area.verticalScrollBar()->isVisible());
    }
}

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
