#pragma once
// The icons and type names of the file dialogs, taken from a file's name and kind alone.
// Qt's own provider reads a file's first bytes to guess its type; in /proc or /dev such a
// read can block for ever (/proc/kmsg when the program may read it), and the dialog and
// the whole program with it. This one only asks the file system what kind of entry it is.

#include <QFileIconProvider>

namespace condsim::qt {

class NameOnlyIconProvider : public QFileIconProvider {
  public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

}  // namespace condsim::qt
