// The Help menu of the main window: where Manual finds the README (installed beside the
// program, or the source tree's inside the build folder), that Manual shows it rendered
// with its pictures, links and search, and what the About box says.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "core/ReleaseInfo.h"
#include "desktop/DesktopApplication.h"
#include "desktop/HelpMenu.h"
#include "desktop/ManualWindow.h"

using condsim::qt::DesignScale;
using condsim::qt::DesktopApplication;
using condsim::qt::manualPath;
using condsim::qt::ManualWindow;

namespace {

const QString buildDirectory = QStringLiteral(CONDSIM_BUILD_DIRECTORY);
const QString sourceManual = QStringLiteral(CONDSIM_SOURCE_DIRECTORY "/README.md");

bool makeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("# condsim\n") > 0;
}

}  // namespace

class HelpMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void manualIsTheInstalledReadmeElseTheSourceTreesInTheBuildFolder_data();
    void manualIsTheInstalledReadmeElseTheSourceTreesInTheBuildFolder();
    void mainWindowHelpMenuOpensTheManualAndShowsVersionLicenceAndHomePage();
};

void HelpMenuTest::manualIsTheInstalledReadmeElseTheSourceTreesInTheBuildFolder_data() {
    // Program folders relative to a fresh prefix, or "<build>" for places in the build
    // folder; files to create in the prefix; the README expected (relative to the prefix),
    // "<source>" for the source tree's, or empty for none.
    QTest::addColumn<QString>("programDirectory");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    QTest::newRow("installed") << "bin" << QStringList{"bin/", "share/doc/condsim/README.md"}
                               << "share/doc/condsim/README.md";
    QTest::newRow("installed without the README")
        << "bin" << QStringList{"bin/", "share/doc/other/README.md"} << "";
    QTest::newRow("README is a folder")
        << "bin" << QStringList{"bin/", "share/doc/condsim/README.md/"} << "";
    QTest::newRow("no such program folder") << "nowhere/bin" << QStringList{} << "";
    QTest::newRow("build folder") << "<build>" << QStringList{} << "<source>";
    QTest::newRow("test folder inside the build folder")
        << "<build>/tests/desktop" << QStringList{} << "<source>";
    QTest::newRow("beside the build folder, same name start")
        << "<build>-beside" << QStringList{} << "";
}

void HelpMenuTest::manualIsTheInstalledReadmeElseTheSourceTreesInTheBuildFolder() {
    QFETCH(QString, programDirectory);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);

    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    // A folder whose name begins with the build folder's, made next to it.
    QTemporaryDir beside(buildDirectory + QStringLiteral("-beside-XXXXXX"));
    QVERIFY(beside.isValid());
    for (const QString& file : files) {
        const QString path = prefix.filePath(file);
        QVERIFY(file.endsWith(QLatin1Char('/')) ? QDir().mkpath(path) : makeFile(path));
    }
    programDirectory.replace(QStringLiteral("<build>-beside"), beside.path());
    programDirectory.replace(QStringLiteral("<build>"), buildDirectory);
    if (QDir::isRelativePath(programDirectory))
        programDirectory = prefix.filePath(programDirectory);
    if (expected == QStringLiteral("<source>"))
        expected = sourceManual;
    else if (!expected.isEmpty())
        expected = prefix.filePath(expected);

    QCOMPARE(manualPath(programDirectory), expected);
}

void HelpMenuTest::mainWindowHelpMenuOpensTheManualAndShowsVersionLicenceAndHomePage() {
    QTemporaryDir directory;  // the program keeps its memory files in the current folder
    QVERIFY(directory.isValid());
    const QString previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(directory.path()));
    auto desktop = std::make_unique<DesktopApplication>(nullptr, DesignScale(96));
    desktop->start();

    QMenu* help = nullptr;
    for (QAction* action : desktop->mainWindow().menuBar()->actions())
        if (action->text() == QStringLiteral("Help")) help = action->menu();
    QVERIFY(help != nullptr);
    QCOMPARE(desktop->mainWindow().menuBar()->actions().last()->menu(), help);  // the last menu
    const QList<QAction*> items = help->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QStringLiteral("Manual"));
    QCOMPARE(items[1]->text(), QStringLiteral("About condsim"));

    // This test runs inside the build folder, so Manual shows the source tree's README, in
    // the program, rendered; a second Manual shows the same window again.
    items[0]->trigger();
    auto* manual = desktop->mainWindow().findChild<ManualWindow*>();
    QVERIFY(manual != nullptr);
    QVERIFY(manual->isVisible());
    QCOMPARE(manual->browser().source(), QUrl::fromLocalFile(sourceManual));
    QVERIFY2(manual->browser().toPlainText().contains(QStringLiteral("Fitting the constants")),
             qPrintable(manual->browser().toPlainText().left(300)));
    QVERIFY2(!manual->browser().toPlainText().contains(QStringLiteral("## ")),
             "the Markdown is shown raw");
    items[0]->trigger();
    QCOMPARE(desktop->mainWindow().findChildren<ManualWindow*>().size(), 1);
    // Pictures and pages resolve relative to the README.
    QVERIFY(!manual->browser()
                 .loadResource(QTextDocument::ImageResource,
                               QUrl(QStringLiteral("docs/screenshots/main-window.png")))
                 .isNull());
    manual->browser().setSource(QUrl(QStringLiteral("docs/fit.md")));
    QVERIFY(manual->browser().toPlainText().contains(QStringLiteral("--fit-n FROM..TO")));
    QVERIFY(manual->browser().isBackwardAvailable());
    manual->browser().backward();
    QCOMPARE(manual->browser().source(), QUrl::fromLocalFile(sourceManual));
    // The search finds forward and backward, wraps, and says when the page lacks the text.
    struct Search {
        const char* text;
        bool backward;
        bool found;
    };
    for (const Search& search : {Search{"Onsager", false, true}, Search{"Onsager", true, true},
                                 Search{"no such words here", false, false}}) {
        QCOMPARE(manual->find(QString::fromUtf8(search.text), search.backward), search.found);
        if (search.found) {
            QCOMPARE(manual->browser().textCursor().selectedText(), QString::fromUtf8(search.text));
            QVERIFY(manual->searchStatus().isEmpty());
        } else {
            QVERIFY(manual->searchStatus().contains(QStringLiteral("is not in this page")));
        }
    }

    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    items[1]->trigger();
    QCOMPARE(title, QStringLiteral("About condsim"));
    QVERIFY2(text.contains(QStringLiteral("condsim " CONDSIM_PROJECT_VERSION)), qPrintable(text));
    QVERIFY2(
        text.contains(QStringLiteral("Licence: ") + QString::fromUtf8(condsim::programLicence)),
        qPrintable(text));
    const QString homePage = QStringLiteral(CONDSIM_PROJECT_HOMEPAGE);
    QVERIFY2(text.contains(QStringLiteral("<a href=\"%1\">%1</a>").arg(homePage)),
             qPrintable(text));

    desktop.reset();
    QDir::setCurrent(previousDirectory);
}

QTEST_MAIN(HelpMenuTest)
#include "HelpMenuTest.moc"
