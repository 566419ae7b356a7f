#include "desktop/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdlib>

namespace condsim::qt {

namespace {

QString fromLocal(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

std::string toLocal(const QString& text) { return QFile::encodeName(text).toStdString(); }

void showBox(QMessageBox::Icon icon, const QString& title, const std::string& text) {
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // a text is shown as it is, never as markup
    box.exec();
}

std::optional<std::string> runDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
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
    QFileDialog dialog(QApplication::activeWindow(), QString(), fromLocal(initialDirectory));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runDialog(dialog);
}

std::optional<std::string> QtPlatform::chooseSaveFile(const std::string& initialDirectory,
                                                      const std::string& proposedName) {
    QFileDialog dialog(QApplication::activeWindow(), QString(), fromLocal(initialDirectory));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(fromLocal(proposedName));
    return runDialog(dialog);
}

void QtPlatform::exit() { std::quick_exit(0); }

}  // namespace condsim::qt
