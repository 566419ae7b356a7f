// The three windows on the offscreen platform: typing into spin fields, the caution
// and error boxes, cell selection and Adopt, the menus that show and hide the windows,
// and the layout at 96 dots per inch. Each test starts the desktop program afresh in a
// temporary directory (the solver writes "record.txt" and File/Open "dirinf" there).

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <optional>
#include <vector>

#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/DesktopApplication.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/PictureWidget.h"
#include "desktop/SpinFieldWidget.h"
#include "raster/RasterCanvas.h"

using condsim::qt::DesignScale;
using condsim::qt::DesktopApplication;
using condsim::qt::QtPlatform;

namespace {

// The real message and error boxes, with the open dialog answered by a file name.
class AnsweringPlatform : public QtPlatform {
  public:
    AnsweringPlatform() : QtPlatform(DesktopApplication::title) {}
    std::optional<std::string> chooseOpenFile(const std::string&) override { return openAnswer; }
    std::optional<std::string> openAnswer;
};

// Closes every modal message box that appears while it runs, pressing OK, and keeps
// what each box showed.
class ModalBoxCloser : public QObject {
  public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    ModalBoxCloser() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            boxes.push_back({box->windowTitle(), box->text(), box->icon()});
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }

    std::vector<Box> boxes;

  private:
    QTimer timer_;
};

QString examplesFile(const char* name) {
    return QStringLiteral(CONDSIM_EXAMPLES_DIR "/") + QLatin1String(name);
}

QAction* menuItem(QMainWindow& window, const QString& caption, const QString& submenu = {}) {
    const QList<QAction*> bar = window.menuBar()->actions();
    for (QAction* action : bar) {
        if (submenu.isEmpty() && action->text() == caption) return action;
        if (!submenu.isEmpty() && action->text() == submenu && action->menu() != nullptr) {
            for (QAction* item : action->menu()->actions())
                if (item->text() == caption) return item;
        }
    }
    return nullptr;
}

void typeInto(QLineEdit& edit, const QString& text) {
    edit.setFocus(Qt::MouseFocusReason);
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

void clickCell(condsim::qt::CellTableView& view, int modelRow, int column) {
    const QModelIndex index = view.model()->index(modelRow, column);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
}

QString shown(condsim::qt::CellTableView& view, int modelRow, int column) {
    return view.model()->index(modelRow, column).data().toString();
}

QImage pictureImage(const condsim::Picture& picture) {
    const auto* canvas = dynamic_cast<const condsim::RasterCanvas*>(picture.canvas());
    return canvas != nullptr ? canvas->image() : QImage();
}

}  // namespace

class DesktopWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void startShowsTheDesignValuesAndRunsNoHandler();
    void layoutAtNinetySixDotsPerInch_data();
    void layoutAtNinetySixDotsPerInch();
    void typingBeyondTheRangeIsUsedBoundedUntilTheFieldIsLeft();
    void typingOneThenTwoInitialisesWithTwoThenTwelve();
    void emptyingTheNumberOfPointsInitialisesWithNine();
    void spinFieldRefusesLettersAndStepsWithArrows();
    void cautionBoxIsShownAndInitializeGoesOnAfterOk();
    void notANumberInMcaShowsTheErrorBoxAndTheProgramGoesOn();
    void selectingAConstantsCellFillsCellvalueAndAdoptWritesIt();
    void scalingFactorWindowIsRefilledWhenOpenedAgain();
    void abundanceWindowKeepsTableAndPictureWhenClosedAndOpened();
    void showHideDataTwiceLeavesThePictureInFront();

  private:
    void openExample(const char* name);

    std::unique_ptr<QTemporaryDir> directory_;
    QString previousDirectory_;
    AnsweringPlatform* platform_ = nullptr;
    std::unique_ptr<DesktopApplication> desktop_;
};

void DesktopWindowsTest::init() {
    previousDirectory_ = QDir::currentPath();
    directory_ = std::make_unique<QTemporaryDir>();
    QVERIFY(directory_->isValid());
    QVERIFY(QDir::setCurrent(directory_->path()));
    auto platform = std::make_unique<AnsweringPlatform>();
    platform_ = platform.get();
    desktop_ = std::make_unique<DesktopApplication>(std::move(platform), DesignScale(96));
    desktop_->start();
    auto& main = desktop_->mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
}

void DesktopWindowsTest::cleanup() {
    desktop_.reset();
    QDir::setCurrent(previousDirectory_);
    directory_.reset();
}

void DesktopWindowsTest::openExample(const char* name) {
    const QString file = examplesFile(name);
    QVERIFY2(QFile::exists(file), qPrintable(QStringLiteral("missing example file ") + file));
    platform_->openAnswer = file.toStdString();
    menuItem(desktop_->mainWindow(), QStringLiteral("Open"), QStringLiteral("File"))->trigger();
    // The dialog opens after the trigger returned.
    QTRY_COMPARE(desktop_->application().Form1.state().observed.fileName, file.toStdString());
}

void DesktopWindowsTest::startShowsTheDesignValuesAndRunsNoHandler() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    QVERIFY(main.isVisible());
    QVERIFY(!desktop_->abundanceWindow().isVisible());
    QVERIFY(!desktop_->scalingFactorWindow().isVisible());
    QCOMPARE(main.windowTitle(), condsim::qt::MainWindowView::caption);
    QCOMPARE(main.SpinEdit1->lineEdit().text(), QStringLiteral("6"));
    QCOMPARE(main.beta1->text(), QStringLiteral("10000"));
    QCOMPARE(main.MCA->text(), QStringLiteral("88"));
    QCOMPARE(main.MCX->text(), QStringLiteral("59"));
    QVERIFY(main.CheckBox1->isChecked());
    // The constants table: 4 data rows under an empty header, nothing written.
    QCOMPARE(main.StringGrid2->model()->rowCount(), 4);
    QCOMPARE(main.StringGrid2->model()->headerData(0, Qt::Horizontal).toString(), QString());
    QCOMPARE(shown(*main.StringGrid2, 0, 0), QString());

    // A value that the program sets shows in the field and runs no handler.
    desktop_->actions().run([&form1] { form1.SpinEdit1.setValue(8); });
    QCOMPARE(main.SpinEdit1->lineEdit().text(), QStringLiteral("8"));
    QCOMPARE(form1.StringGrid2.rowCount(), 5);
    QCOMPARE(form1.StringGrid2.cell(0, 1), std::string());
}

void DesktopWindowsTest::layoutAtNinetySixDotsPerInch_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    // Design pixels times 96 / 120, rounded half away from zero.
    QTest::newRow("SpinEdit1") << "main"
                               << "SpinEdit1" << QRect(852, 20, 46, 19);
    QTest::newRow("StringGrid2") << "main"
                                 << "StringGrid2" << QRect(800, 102, 218, 270);
    QTest::newRow("Image1 of the main window") << "main"
                                               << "Image1" << QRect(83, 204, 679, 500);
    QTest::newRow("beta1 in its group box") << "main"
                                            << "beta1" << QRect(107, 17, 78, 18);
    QTest::newRow("SpinEdit3") << "main"
                               << "SpinEdit3" << QRect(557, 720, 54, 19);
    QTest::newRow("calculated-data table") << "abundance"
                                           << "StringGrid1" << QRect(70, 0, 986, 622);
    QTest::newRow("factor table") << "factors"
                                  << "StringGrid2" << QRect(6, 0, 218, 474);
    QTest::newRow("katamuki in its group box") << "factors"
                                               << "katamuki" << QRect(160, 18, 48, 19);
}

void DesktopWindowsTest::layoutAtNinetySixDotsPerInch() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    auto& main = desktop_->mainWindow();
    auto& abundance = desktop_->abundanceWindow();
    auto& factors = desktop_->scalingFactorWindow();
    QWidget* widget = nullptr;
    if (window == "main") {
        if (control == "SpinEdit1") widget = main.SpinEdit1;
        if (control == "StringGrid2") widget = main.StringGrid2;
        if (control == "Image1") widget = main.Image1;
        if (control == "beta1") widget = main.beta1;
        if (control == "SpinEdit3") widget = main.SpinEdit3;
    } else if (window == "abundance") {
        widget = abundance.StringGrid1;
    } else {
        if (control == "StringGrid2") widget = factors.StringGrid2;
        if (control == "katamuki") widget = factors.katamuki;
    }
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), geometry);
    // The pictures draw at the size they have on the screen.
    QCOMPARE(desktop_->application().Form1.Image1.width(), 679);
    QCOMPARE(desktop_->application().Form2.Image1.height(), 622);
    QCOMPARE(main.StringGrid2->horizontalHeader()->sectionSize(1), 96);
    QCOMPARE(main.StringGrid2->verticalHeader()->defaultSectionSize(), 16);
}

void DesktopWindowsTest::typingBeyondTheRangeIsUsedBoundedUntilTheFieldIsLeft() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    QLineEdit& spin = main.SpinEdit1->lineEdit();
    typeInto(spin, QStringLiteral("4"));
    QCOMPARE(form1.StringGrid2.rowCount(), 5);  // Initialize with n = 4
    QTest::keyClick(&spin, Qt::Key_5);
    QCOMPARE(spin.text(), QStringLiteral("45"));  // not corrected while typing
    QCOMPARE(form1.StringGrid2.rowCount(), 31);   // Initialize with 45 bounded to 30

    // A right-click menu takes the focus for a while: that is not leaving the field, and
    // the half-typed value stays as it is.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(4, 4),
                                 spin.mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(&spin, &rightClick);
    QWidget* menu = QApplication::activePopupWidget();
    QVERIFY(menu != nullptr);
    QCOMPARE(spin.text(), QStringLiteral("45"));
    menu->close();
    QCOMPARE(spin.text(), QStringLiteral("45"));
    QCOMPARE(form1.SpinEdit1.text(), std::string("45"));

    // Mark a cell: only a new Initialize writes it back.
    form1.StringGrid2.setCell(0, 1, "marked");
    main.beta1->setFocus(Qt::TabFocusReason);
    QCOMPARE(spin.text(), QStringLiteral("30"));
    QCOMPARE(form1.SpinEdit1.text(), std::string("30"));
    QCOMPARE(form1.StringGrid2.cell(0, 1), std::string("10000"));
    QCOMPARE(form1.StringGrid2.rowCount(), 31);
    QCOMPARE(shown(*main.StringGrid2, 0, 0), QStringLiteral("10000"));
}

void DesktopWindowsTest::typingOneThenTwoInitialisesWithTwoThenTwelve() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    QLineEdit& spin = main.SpinEdit1->lineEdit();
    typeInto(spin, QStringLiteral("1"));
    QCOMPARE(spin.text(), QStringLiteral("1"));
    QCOMPARE(form1.StringGrid2.rowCount(), 3);  // n = 1 bounded to 2
    QCOMPARE(main.StringGrid2->model()->rowCount(), 2);
    QTest::keyClick(&spin, Qt::Key_2);
    QCOMPARE(spin.text(), QStringLiteral("12"));
    QCOMPARE(form1.StringGrid2.rowCount(), 13);
    QCOMPARE(main.StringGrid2->model()->rowCount(), 12);
}

void DesktopWindowsTest::emptyingTheNumberOfPointsInitialisesWithNine() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    QLineEdit& points = main.SpinEdit3->lineEdit();
    points.setFocus(Qt::MouseFocusReason);
    points.selectAll();
    QTest::keyClick(&points, Qt::Key_Backspace);
    QCOMPARE(points.text(), QString());
    QCOMPARE(form1.SpinEdit3.value(), 9);
    QCOMPARE(form1.StringGrid2.cell(0, 1), std::string("10000"));  // Initialize ran
    QCOMPARE(form1.StringGrid2.rowCount(), 7);
    // Leaving the empty field shows the value in effect, with no second Initialize.
    const auto constants = form1.StringGrid2.revision();
    main.beta1->setFocus(Qt::TabFocusReason);
    QCOMPARE(points.text(), QStringLiteral("9"));
    QCOMPARE(form1.StringGrid2.revision(), constants);
}

void DesktopWindowsTest::spinFieldRefusesLettersAndStepsWithArrows() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    QLineEdit& alfa = main.SpinEdit2->lineEdit();
    alfa.setFocus(Qt::MouseFocusReason);
    alfa.end(false);
    QTest::keyClicks(&alfa, QStringLiteral("x."));  // "x" is refused, the separator taken
    QCOMPARE(alfa.text(), QStringLiteral("20."));
    QCOMPARE(form1.SpinEdit2.value(), 1);  // not a whole number: the minimum

    // Pasted text is not filtered.
    QApplication::clipboard()->setText(QStringLiteral("ab"));
    alfa.selectAll();
    QTest::keyClick(&alfa, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form1.SpinEdit2.text(), std::string("ab"));

    alfa.selectAll();
    QTest::keyClicks(&alfa, QStringLiteral("100"));
    QTest::keyClick(&alfa, Qt::Key_Up);  // already at the maximum: no change
    QCOMPARE(alfa.text(), QStringLiteral("100"));
    QTest::keyClick(&alfa, Qt::Key_Down);
    QCOMPARE(alfa.text(), QStringLiteral("99"));
    main.SpinEdit2->downButton().click();
    QCOMPARE(form1.SpinEdit2.text(), std::string("98"));
    QCOMPARE(form1.StringGrid2.cell(1, 2), std::string("9800"));  // each step ran Initialize
}

void DesktopWindowsTest::cautionBoxIsShownAndInitializeGoesOnAfterOk() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    QTest::mouseClick(main.CheckBox1, Qt::LeftButton);
    QVERIFY(!form1.CheckBox1.checked());

    ModalBoxCloser closer;
    main.Initialize->click();
    QCOMPARE(closer.boxes.size(), size_t{1});
    QCOMPARE(closer.boxes[0].text,
             QStringLiteral(
                 "Caution!! The current K2-Kn values (excluding K1) are used to set up all the "
                 "beta(n) values."));
    QCOMPARE(closer.boxes[0].title, DesktopApplication::title);
    QCOMPARE(closer.boxes[0].icon, QMessageBox::NoIcon);
    // Initialize went on after OK: the table holds beta(1) = K1 and the header.
    QCOMPARE(shown(*main.StringGrid2, 0, 0), QStringLiteral("10000"));
    QCOMPARE(main.StringGrid2->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("K(n) (M)"));

    // Each keystroke in n runs Initialize; its box waits until Enter commits the text, so
    // that it takes none of the digits.
    typeInto(main.SpinEdit1->lineEdit(), QStringLiteral("34"));
    QCOMPARE(closer.boxes.size(), size_t{1});
    QCOMPARE(form1.StringGrid2.rowCount(), 31);
    QCOMPARE(main.SpinEdit1->lineEdit().text(), QStringLiteral("34"));
    QTest::keyClick(&main.SpinEdit1->lineEdit(), Qt::Key_Return);
    QCOMPARE(closer.boxes.size(), size_t{2});
}

void DesktopWindowsTest::notANumberInMcaShowsTheErrorBoxAndTheProgramGoesOn() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    openExample("observed-2to1-salt.txt");
    main.Initialize->click();
    typeInto(*main.MCA, QStringLiteral("abc"));
    QCOMPARE(form1.MCA.text(), std::string("abc"));

    ModalBoxCloser closer;
    main.Button3->click();
    QCOMPARE(closer.boxes.size(), size_t{1});
    QCOMPARE(closer.boxes[0].text,
             QStringLiteral("'abc' は浮動小数点数ではありません.\nThe field MCA, lambda(A/z) holds "
                            "'abc', which is not a number: it takes a decimal number of 0 or "
                            "more, such as 88."));
    QCOMPARE(closer.boxes[0].title, DesktopApplication::title);
    QCOMPARE(closer.boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(form1.MCA.text(), std::string("abc"));

    // The program goes on: with a number in MCA the calculation runs to its end.
    typeInto(*main.MCA, QStringLiteral("88"));
    main.Button3->click();
    QCOMPARE(closer.boxes.size(), size_t{1});
    QCOMPARE(desktop_->application().Form2.StringGrid1.rowCount(), 201);
    QCOMPARE(desktop_->abundanceWindow().StringGrid1->model()->rowCount(), 200);
}

void DesktopWindowsTest::selectingAConstantsCellFillsCellvalueAndAdoptWritesIt() {
    auto& main = desktop_->mainWindow();
    auto& form1 = desktop_->application().Form1;
    main.Initialize->click();
    clickCell(*main.StringGrid2, 1, 1);  // K(2)
    QCOMPARE(form1.selectcol.value(), 1);
    QCOMPARE(form1.selectrow.value(), 2);
    QCOMPARE(main.cellvalue->text(), QStringLiteral("2000"));
    QCOMPARE(main.StringGrid2->currentIndex(), main.StringGrid2->model()->index(1, 1));

    // A keyboard move selects as well.
    QTest::keyClick(main.StringGrid2, Qt::Key_Down);
    QCOMPARE(form1.selectrow.value(), 3);
    QCOMPARE(main.cellvalue->text(), QStringLiteral("400"));

    typeInto(*main.cellvalue, QStringLiteral("500"));
    QTest::mouseClick(main.Adopt, Qt::LeftButton);
    QCOMPARE(form1.StringGrid2.cell(1, 3), std::string("500"));
    QCOMPARE(shown(*main.StringGrid2, 2, 1), QStringLiteral("500"));
    QCOMPARE(shown(*main.StringGrid2, 1, 1), QStringLiteral("2000"));  // other cells unchanged
    // Adopt has the keyboard: the table shows its selected cell without a current one.
    QCOMPARE(main.StringGrid2->selectionModel()->selectedIndexes(),
             QModelIndexList{main.StringGrid2->model()->index(2, 1)});
    QVERIFY(!main.StringGrid2->currentIndex().isValid());
}

void DesktopWindowsTest::scalingFactorWindowIsRefilledWhenOpenedAgain() {
    auto& factors = desktop_->scalingFactorWindow();
    auto& form3 = desktop_->application().Form3;
    QAction* open = menuItem(desktop_->mainWindow(), QStringLiteral("Scaling Factors"));
    QVERIFY(open != nullptr);
    open->trigger();
    QVERIFY(factors.isVisible());
    QCOMPARE(factors.StringGrid2->model()->rowCount(), 6);
    QCOMPARE(shown(*factors.StringGrid2, 2, 0), QStringLiteral("AX2^4+"));
    QCOMPARE(shown(*factors.StringGrid2, 2, 1), QStringLiteral("1"));

    clickCell(*factors.StringGrid2, 2, 1);
    QCOMPARE(factors.cellvalue->text(), QStringLiteral("1"));
    typeInto(*factors.cellvalue, QStringLiteral("7"));
    factors.Adopt->click();
    QCOMPARE(shown(*factors.StringGrid2, 2, 1), QStringLiteral("7"));

    factors.close();  // the close box only hides
    QVERIFY(!factors.isVisible());
    QVERIFY(!form3.window.visible);
    QVERIFY(desktop_->mainWindow().isVisible());

    open->trigger();
    QVERIFY(factors.isVisible());
    QCOMPARE(shown(*factors.StringGrid2, 2, 1), QStringLiteral("1"));  // refilled from the factors
    QCOMPARE(factors.cellvalue->text(), QStringLiteral("7"));          // the field kept its text

    menuItem(factors, QStringLiteral("Exit"), QStringLiteral("File"))->trigger();
    QVERIFY(!factors.isVisible());
}

void DesktopWindowsTest::abundanceWindowKeepsTableAndPictureWhenClosedAndOpened() {
    auto& main = desktop_->mainWindow();
    auto& abundance = desktop_->abundanceWindow();
    auto& form2 = desktop_->application().Form2;
    openExample("observed-6to1-salt.txt");
    main.Initialize->click();
    main.Button3->click();
    QVERIFY(!abundance.isVisible());  // the sweep fills the window without showing it

    QAction* show = menuItem(main, QStringLiteral("Abundance"));
    show->trigger();
    QVERIFY(abundance.isVisible());
    const QImage drawn = pictureImage(form2.Image1);
    QVERIFY(!drawn.isNull());
    QCOMPARE(drawn.size(), QSize(986, 622));
    const QImage onScreen = abundance.Image1->grab().toImage().convertToFormat(drawn.format());
    QCOMPARE(onScreen, drawn);
    const QString firstConcentration = shown(*abundance.StringGrid1, 0, 0);
    QVERIFY(!firstConcentration.isEmpty());

    abundance.close();
    QVERIFY(!abundance.isVisible());
    QVERIFY(!form2.window.visible);
    show->trigger();
    QVERIFY(abundance.isVisible());
    QCOMPARE(pictureImage(form2.Image1), drawn);
    QCOMPARE(abundance.StringGrid1->model()->rowCount(), 200);
    QCOMPARE(shown(*abundance.StringGrid1, 0, 0), firstConcentration);
    QCOMPARE(abundance.StringGrid1->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("AX0"));
}

void DesktopWindowsTest::showHideDataTwiceLeavesThePictureInFront() {
    auto& abundance = desktop_->abundanceWindow();
    menuItem(desktop_->mainWindow(), QStringLiteral("Abundance"))->trigger();
    QAction* toggle = menuItem(abundance, QStringLiteral("ShowHideData"));
    QVERIFY(!abundance.StringGrid1->isVisible());
    toggle->trigger();
    QVERIFY(abundance.StringGrid1->isVisible());
    QCOMPARE(abundance.StringGrid1->geometry(), abundance.Image1->geometry());  // one place
    toggle->trigger();
    QVERIFY(!abundance.StringGrid1->isVisible());
    QVERIFY(abundance.Image1->isVisible());
    QVERIFY(!desktop_->application().Form2.tableVisible);
}

QTEST_MAIN(DesktopWindowsTest)
#include "DesktopWindowsTest.moc"
