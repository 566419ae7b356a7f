#include "desktop/NameOnlyIconProvider.h"

#include <QFileInfo>

namespace condsim::qt {

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isRoot()) return icon(QAbstractFileIconProvider::Drive);
    if (info.isDir()) return icon(QAbstractFileIconProvider::Folder);
    return icon(QAbstractFileIconProvider::File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (info.isRoot()) return QStringLiteral("Drive");
    if (info.isDir()) return QStringLiteral("Folder");
    if (!info.isFile() && info.exists())
        return QStringLiteral("Special File");  // device, FIFO, socket
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
}

}  // namespace condsim::qt
