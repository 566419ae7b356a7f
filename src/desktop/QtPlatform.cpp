#include "desktop/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdlib>

#include "desktop/BusyCursor.h"
#include "desktop/HeldInput.h"

namespace condsim::qt {

namespace {

QString fromLocal(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string toLocal(const QString& text) { return QFile::encodeName(text).toStdString(); }

void showBox(QMessageBox::Icon icon, const QString& title, const std::string& text) {
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // a text is shown as it is, never as markup
    releaseHeldButtons();
    const ArrowCursorWhileOpen arrow;
    box.exec();
}

// Where a dialog opens: the given directory, or the current one when none is given or
// the given one does not exist (the platform's default place).
QString startDirectory(const std::string& initialDirectory) {
    QString given = fromLocal(initialDirectory);
    if (!given.isEmpty() && QFileInfo(given).isDir()) return given;
    return QDir::currentPath();
}

std::optional<std::string> runDialog(QFileDialog::AcceptMode mode,
                                     const std::string& initialDirectory,
                                     const std::string& proposedName,
                                     QAbstractFileIconProvider& icons) {
    // Made in the root folder, so that nothing but the root has been listed before the
    // dialog has its icons; Qt's own dialog, whose icons come from names only.
    QFileDialog dialog(QApplication::activeWindow(), QString(), QDir::rootPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setIconProvider(&icons);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(startDirectory(initialDirectory));
    if (!proposedName.empty()) dialog.selectFile(fromLocal(proposedName));
    releaseHeldButtons();
    const ArrowCursorWhileOpen arrow;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return toLocal(QDir::toNativeSeparators(chosen.first()));
}

}  // namespace

void QtPlatform::message(const std::string& text) { showBox(QMessageBox::NoIcon, title_, text); }

void QtPlatform::error(const std::string& text) {
    if (beforeError_) beforeError_();
    showBox(QMessageBox::Critical, title_, text);
}

std::optional<std::string> QtPlatform::chooseOpenFile(const std::string& initialDirectory) {
    return runDialog(QFileDialog::AcceptOpen, initialDirectory, {}, icons_);
}

std::optional<std::string> QtPlatform::chooseSaveFile(const std::string& initialDirectory,
                                                      const std::string& proposedName) {
    return runDialog(QFileDialog::AcceptSave, initialDirectory, proposedName, icons_);
}

void QtPlatform::exit() { std::quick_exit(0); }

QtPlatform::UnsavedChanges QtPlatform::askToSaveChanges(const std::string& text) {
    QMessageBox box(QMessageBox::Question, title_, QString::fromStdString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    releaseHeldButtons();
    const ArrowCursorWhileOpen arrow;
    const int answer = box.exec();
    if (answer == QMessageBox::Save) return UnsavedChanges::Save;
    if (answer == QMessageBox::Discard) return UnsavedChanges::Discard;
    return UnsavedChanges::Cancel;
}

void QtPlatform::copyToClipboard(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace condsim::qt
