#pragma once
// The Platform of the desktop program: modal message boxes with the application's
// title, the error box with the stop icon, the common file dialogs and the immediate
// end of the process.

#include <QString>
#include <functional>

#include "desktop/NameOnlyIconProvider.h"
#include "ui/Platform.h"

namespace condsim::qt {

class QtPlatform : public Platform {
  public:
    explicit QtPlatform(QString title) : title_(std::move(title)) {}

    void message(const std::string& text) override;
    // Runs the hook first, so that the windows show what the failed action left behind
    // while the box is up.
    void error(const std::string& text) override;
    void setBeforeError(std::function<void()> hook) { beforeError_ = std::move(hook); }
    // No filter, no default extension, no title of its own; a typed name that does
    // not exist is returned as well (the handler reports it when it opens the file).
    // The file dialogs never read a file's contents to show it (NameOnlyIconProvider).
    std::optional<std::string> chooseOpenFile(const std::string& initialDirectory) override;
    // Proposes the name in the initial directory; replacing a file asks nothing.
    std::optional<std::string> chooseSaveFile(const std::string& initialDirectory,
                                              const std::string& proposedName) override;
    // Ends the process at once: nothing is asked, saved or flushed.
    [[noreturn]] void exit() override;

    const QString& title() const { return title_; }

    // Closing with unsaved changes: the question box with Save, Discard and Cancel.
    enum class UnsavedChanges { Save, Discard, Cancel };
    virtual UnsavedChanges askToSaveChanges(const std::string& text);
    // The clipboard's text (Edit/Copy as Command).
    virtual void copyToClipboard(const std::string& text);

  private:
    QString title_;
    std::function<void()> beforeError_;
    // The dialogs' icons; it outlives every dialog, whose file model may still ask it
    // from its own thread until the dialog is gone.
    NameOnlyIconProvider icons_;
};

}  // namespace condsim::qt
