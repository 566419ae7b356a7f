#include "desktop/HelpMenu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QUrl>

#include "core/ReleaseInfo.h"
#include "desktop/DesktopApplication.h"
#include "desktop/ManualWindow.h"

namespace condsim::qt {

namespace {

// The installed README relative to the installed program's folder, and the build and
// source folders of this build (the build passes all three to this file alone).
const QString installedManualFromProgram = QStringLiteral(CONDSIM_MANUAL_FROM_PROGRAM);
const QString buildDirectory = QStringLiteral(CONDSIM_BUILD_DIRECTORY);
const QString sourceManual = QStringLiteral(CONDSIM_SOURCE_DIRECTORY "/README.md");

bool isInside(const QString& directory, const QString& ancestor) {
    const QString path = QFileInfo(directory).canonicalFilePath();
    const QString root = QFileInfo(ancestor).canonicalFilePath();
    return !path.isEmpty() && !root.isEmpty() &&
           (path == root || path.startsWith(root + QLatin1Char('/')));
}

void openManual(QWidget& parent) {
    const QString path = manualPath(QCoreApplication::applicationDirPath());
    if (path.isEmpty()) {
        QMessageBox::information(
            &parent, DesktopApplication::title,
            QStringLiteral("The manual (README.md) is not installed with the program. "
                           "It is on the home page, %1")
                .arg(QString::fromUtf8(programHomePage)));
        return;
    }
    // One manual window, made at the first use and shown again after.
    auto* manual = parent.findChild<ManualWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (manual == nullptr) manual = new ManualWindow(path, &parent);
    manual->show();
    manual->raise();
    manual->activateWindow();
}

void showAbout(QWidget& parent) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About condsim"), aboutText(),
                    QMessageBox::Ok, &parent);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);  // the home page is a link
    box.exec();
}

}  // namespace

void addHelpMenu(QMainWindow& window) {
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("Help"));
    QObject::connect(help->addAction(QStringLiteral("Manual")), &QAction::triggered, &window,
                     [&window] { openManual(window); });
    QObject::connect(help->addAction(QStringLiteral("About condsim")), &QAction::triggered, &window,
                     [&window] { showAbout(window); });
}

QString manualPath(const QString& programDirectory) {
    QString installed =
        QDir::cleanPath(programDirectory + QLatin1Char('/') + installedManualFromProgram);
    if (QFileInfo(installed).isFile()) return installed;
    if (isInside(programDirectory, buildDirectory) && QFileInfo(sourceManual).isFile())
        return sourceManual;
    return {};
}

QString aboutText() {
    const QString homePage = QString::fromUtf8(programHomePage).toHtmlEscaped();
    return QStringLiteral(
               "<p><b>condsim %1</b></p>"
               "<p>Molar conductivity of stepwise ion-pair formation: simulation, "
               "plots, species distribution and the fit of the constants.</p>"
               "<p>Licence: %2</p>"
               "<p>Home page: <a href=\"%3\">%3</a></p>")
        .arg(QString::fromUtf8(programVersion).toHtmlEscaped(),
             QString::fromUtf8(programLicence).toHtmlEscaped(), homePage);
}

}  // namespace condsim::qt
