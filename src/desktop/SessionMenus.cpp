#include "desktop/SessionMenus.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <memory>

#include "desktop/DesktopApplication.h"
#include "ui/BatchCommand.h"
#include "ui/SessionDocument.h"

namespace condsim::qt {

namespace {

const QString recentFilesKey = QStringLiteral("recentFiles");

QSettings userSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("condsim"),
                     QStringLiteral("condsim"));
}

std::vector<std::string> storedRecentFiles() {
    std::vector<std::string> files;
    for (const QString& name : userSettings().value(recentFilesKey).toStringList())
        files.push_back(QFile::encodeName(name).toStdString());
    return files;
}

void storeRecentFiles(const std::vector<std::string>& files) {
    QStringList names;
    for (const std::string& name : files)
        names << QFile::decodeName(QByteArray::fromStdString(name));
    userSettings().setValue(recentFilesKey, names);
}

// The submenu again from the list: one item per file, numbered for the keyboard; each
// item's accessible name is the full file name, which the item's text may shorten.
void fillRecentFiles(DesktopApplication& desktop) {
    QMenu& menu = *desktop.mainWindow().RecentFiles1;
    menu.clear();
    const auto& files = desktop.session().recentFiles();
    menu.menuAction()->setEnabled(!files.empty());
    int number = 1;
    for (const std::string& file : files) {
        const QString name = QFile::decodeName(QByteArray::fromStdString(file));
        QAction* item = menu.addAction(QStringLiteral("&%1 %2").arg(number++).arg(name));
        item->setData(name);
        QObject::connect(
            item, &QAction::triggered, &menu,
            [&desktop, file] {
                desktop.actions().run([&desktop, file] { desktop.session().openRecentFile(file); });
            },
            Qt::QueuedConnection);
    }
}

}  // namespace

void showSessionTitle(DesktopApplication& desktop) {
    MainWindowView& main = desktop.mainWindow();
    const SessionDocument& session = desktop.session();
    const bool modified = session.modified();
    const QString name = QFile::decodeName(QByteArray::fromStdString(session.displayName()));
    QString title = MainWindowView::caption;
    if (!name.isEmpty()) {
        title = name + (modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + title;
    } else if (modified) {
        title = QStringLiteral("* ") + title;
    }
    if (main.windowTitle() != title) main.setWindowTitle(title);
}

void connectSessionMenus(DesktopApplication& desktop) {
    MainWindowView& main = desktop.mainWindow();
    SessionDocument& session = desktop.session();
    session.setRecentFiles(storedRecentFiles());
    fillRecentFiles(desktop);

    // After every action: a data file opened joins the recent files, and the title follows.
    auto shown = std::make_shared<std::vector<std::string>>(session.recentFiles());
    const auto follow = [&desktop, shown] {
        SessionDocument& document = desktop.session();
        document.noteDataFile();
        if (document.recentFiles() != *shown) {
            *shown = document.recentFiles();
            storeRecentFiles(*shown);
            fillRecentFiles(desktop);
        }
        showSessionTitle(desktop);
    };
    desktop.setAfterRefresh(follow);

    // The file dialogs run after the menu's trigger returned, as File/Open's do.
    QObject::connect(
        main.SaveSession1, &QAction::triggered, &main,
        [&desktop] { desktop.actions().run([&desktop] { desktop.session().SaveSessionClick(); }); },
        Qt::QueuedConnection);
    QObject::connect(
        main.OpenSession1, &QAction::triggered, &main,
        [&desktop] { desktop.actions().run([&desktop] { desktop.session().OpenSessionClick(); }); },
        Qt::QueuedConnection);
    QObject::connect(main.CopyAsCommand1, &QAction::triggered, &main, [&desktop] {
        desktop.actions().run([&desktop] {
            desktop.platform().copyToClipboard(copyAsCommand(desktop.application()));
        });
    });

    main.confirmClose = [&desktop] {
        SessionDocument& document = desktop.session();
        if (!document.modified()) return true;
        const std::string name =
            document.displayName().empty() ? std::string("this session") : document.displayName();
        switch (desktop.platform().askToSaveChanges("Save the changes to " + name +
                                                    " before closing?")) {
            case QtPlatform::UnsavedChanges::Discard:
                return true;
            case QtPlatform::UnsavedChanges::Cancel:
                return false;
            case QtPlatform::UnsavedChanges::Save:
                break;
        }
        bool saved = false;
        desktop.actions().run([&] { saved = document.SaveSessionClick(); });
        return saved;  // a cancelled dialog or a failed save keeps the window open
    };
}

}  // namespace condsim::qt
