#include "desktop/DesktopApplication.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>

#include "desktop/ExportMenus.h"
#include "desktop/SessionMenus.h"
#include "files/DecimalSeparator.h"
#include "raster/FigureFile.h"
#include "raster/RasterCanvas.h"

namespace condsim::qt {

namespace {

CanvasFactory rasterCanvases() {
    return [](int width, int height) { return std::make_unique<RasterCanvas>(width, height); };
}

}  // namespace

const QString DesktopApplication::title = QStringLiteral("condsim");

DesktopApplication::DesktopApplication(std::unique_ptr<QtPlatform> platform,
                                       const DesignScale& scale)
    : platform_(platform != nullptr ? std::move(platform) : std::make_unique<QtPlatform>(title)),
      application_(*platform_, rasterCanvases()),
      actions_(*platform_) {
    mainWindow_ = std::make_unique<MainWindowView>(application_.Form1, actions_, scale);
    abundanceWindow_ = std::make_unique<AbundanceWindowView>(application_.Form2, actions_, scale);
    scalingFactorWindow_ =
        std::make_unique<ScalingFactorWindowView>(application_.Form3, actions_, scale);
    fitForm_ = std::make_unique<FitWindow>(application_.Form1, rasterCanvases());
    fitWindow_ = std::make_unique<FitWindowView>(*fitForm_, actions_, scale);
    connect(mainWindow_->Fit1, &QAction::triggered, this,
            [this] { actions_.run([this] { fitForm_->OpenClick(); }); });
    solutionModelWindow_ =
        std::make_unique<SolutionModelWindowView>(application_.SolutionModelForm, actions_, scale);
    connect(mainWindow_->SolutionModel1, &QAction::triggered, this,
            [this] { actions_.run([this] { application_.SolutionModelForm.Show(); }); });
    seriesForm_ = std::make_unique<SeriesWindow>(application_.Form1, *fitForm_);
    seriesWindow_ = std::make_unique<SeriesWindowView>(
        *seriesForm_, actions_, scale, [](const Figure& figure, const std::string& fileName) {
            return writeFigureFile(figure, fileName);
        });
    connect(mainWindow_->TemperatureSeries1, &QAction::triggered, this,
            [this] { actions_.run([this] { seriesForm_->OpenClick(); }); });
    // The windows show the state a failed action left before its error box appears.
    platform_->setBeforeError([this] { actions_.refreshViews(); });
    connectExportMenus(*this);
    session_ = std::make_unique<SessionDocument>(application_,
                                                 SessionWindows{fitForm_.get(), seriesForm_.get()});
    connectSessionMenus(*this);
    actions_.setRefresh([this] {
        // Results of the fit window that no longer belong to the main window go first.
        fitForm_->followMainWindow();
        mainWindow_->refreshFromState();
        abundanceWindow_->refreshFromState();
        scalingFactorWindow_->refreshFromState();
        fitWindow_->refreshFromState();
        solutionModelWindow_->refreshFromState();
        seriesWindow_->refreshFromState();
        if (afterRefresh_) afterRefresh_();
    });
    actions_.setAfterAction([this] { heldKeys_.actionEnded(); });
}

DesktopApplication::~DesktopApplication() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(&heldKeys_);
        QCoreApplication::instance()->removeEventFilter(this);
    }
    actions_.setRefresh({});
    afterRefresh_ = {};
    mainWindow_->confirmClose = {};
    platform_->setBeforeError({});
    actions_.setAfterAction({});
}

void DesktopApplication::start() {
    setDecimalSeparator(decimalSeparatorOfUserLocale());
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::instance()->installEventFilter(&heldKeys_);
    actions_.refreshViews();  // shows the main window, as the state at start-up says
}

bool DesktopApplication::eventFilter(QObject* watched, QEvent* event) {
    // Reading the separator is cheap and idempotent; whichever object the change is
    // announced to, the whole process follows it.
    if (event->type() == QEvent::LocaleChange) setDecimalSeparator(decimalSeparatorOfUserLocale());
    return QObject::eventFilter(watched, event);
}

}  // namespace condsim::qt
