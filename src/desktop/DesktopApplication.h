#pragma once
// The desktop program: the headless Application with raster canvases, the Qt platform,
// and the three window views bound to it. Needs a QApplication. start() reads the
// decimal separator of the user's locale and shows the main window; the separator is
// read again whenever the system announces a change of the regional settings. Key
// repeats that queue up while a handler runs are dropped (HeldInput.h).

#include <QObject>
#include <functional>
#include <memory>

#include "desktop/AbundanceWindowView.h"
#include "desktop/DesignScale.h"
#include "desktop/FitWindowView.h"
#include "desktop/HeldInput.h"
#include "desktop/MainWindowView.h"
#include "desktop/QtPlatform.h"
#include "desktop/ScalingFactorWindowView.h"
#include "desktop/SeriesWindowView.h"
#include "desktop/SolutionModelWindowView.h"
#include "desktop/UserActions.h"
#include "ui/Application.h"
#include "ui/FitWindow.h"
#include "ui/SeriesWindow.h"
#include "ui/SessionDocument.h"

namespace condsim::qt {

class DesktopApplication : public QObject {
    Q_OBJECT
  public:
    static const QString title;  // the caption of message and error boxes

    // A platform of the caller's (one that answers the file dialogs, say) may replace
    // the message boxes and dialogs of QtPlatform.
    explicit DesktopApplication(std::unique_ptr<QtPlatform> platform = nullptr,
                                const DesignScale& scale = DesignScale::ofPrimaryScreen());
    ~DesktopApplication() override;

    void start();

    Application& application() { return application_; }
    UserActions& actions() { return actions_; }
    QtPlatform& platform() { return *platform_; }
    MainWindowView& mainWindow() { return *mainWindow_; }
    AbundanceWindowView& abundanceWindow() { return *abundanceWindow_; }
    ScalingFactorWindowView& scalingFactorWindow() { return *scalingFactorWindow_; }
    FitWindow& fitForm() { return *fitForm_; }
    FitWindowView& fitWindow() { return *fitWindow_; }
    SolutionModelWindowView& solutionModelWindow() { return *solutionModelWindow_; }
    SeriesWindow& seriesForm() { return *seriesForm_; }
    SeriesWindowView& seriesWindow() { return *seriesWindow_; }
    // The session worked in: its file, unsaved changes and the recent files.
    SessionDocument& session() { return *session_; }
    // What else follows every refresh of the views (the title, the recent files).
    void setAfterRefresh(std::function<void()> follow) { afterRefresh_ = std::move(follow); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<QtPlatform> platform_;
    Application application_;
    UserActions actions_;
    std::unique_ptr<MainWindowView> mainWindow_;
    std::unique_ptr<AbundanceWindowView> abundanceWindow_;
    std::unique_ptr<ScalingFactorWindowView> scalingFactorWindow_;
    std::unique_ptr<FitWindow> fitForm_;  // the fit window's state, beside the three windows
    std::unique_ptr<FitWindowView> fitWindow_;
    std::unique_ptr<SolutionModelWindowView> solutionModelWindow_;
    std::unique_ptr<SeriesWindow> seriesForm_;  // the Temperature Series window's state
    std::unique_ptr<SeriesWindowView> seriesWindow_;
    std::unique_ptr<SessionDocument> session_;
    std::function<void()> afterRefresh_;
    StaleKeyRepeatFilter heldKeys_;  // drops key repeats that queued up while an action ran
};

}  // namespace condsim::qt
