#pragma once
// The progress of a fit, a comparison of n or a temperature series while it runs inside a
// user action. After
// a short delay a dialog opens with what is being fitted (the n and the evaluations of
// the residuals so far), a busy bar and Cancel; Cancel ends the run, and the Fit window
// keeps what it showed before. Other windows take no input meanwhile (the dialog is
// application-modal, and any other action would be refused while this one runs).

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QString>
#include <functional>
#include <optional>

#include "desktop/BusyCursor.h"
#include "ui/FitWindow.h"
#include "ui/SeriesWindow.h"

namespace condsim::qt {

class FitProgress {
  public:
    // Hooks itself into the form's progress for its lifetime.
    FitProgress(QWidget& window, FitWindow& form, QString what, int delayMilliseconds);
    // The same for the fits of a temperature series: the label names their stage.
    FitProgress(QWidget& window, SeriesWindow& form, QString what, int delayMilliseconds);
    ~FitProgress();
    FitProgress(const FitProgress&) = delete;
    FitProgress& operator=(const FitProgress&) = delete;

  private:
    FitProgress(QWidget& window, QString what, int delayMilliseconds);
    // Shows the dialog once the delay has passed, lets the screen follow, and throws
    // FitCancelled when the user pressed Cancel.
    void report(const QString& label);

    std::function<void()> unhook_;
    QString what_;
    int delayMilliseconds_;
    QProgressDialog dialog_;
    QElapsedTimer started_;
    QElapsedTimer sinceEvents_;
    std::optional<OverrideCursor> cursor_;
};

}  // namespace condsim::qt
