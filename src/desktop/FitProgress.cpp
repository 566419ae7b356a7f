#include "desktop/FitProgress.h"

#include <QApplication>
#include <climits>
#include <utility>

namespace condsim::qt {

namespace {

// How often the screen is let to follow while the fit works: often enough for the busy
// bar and a prompt Cancel, rarely enough to cost the fit nothing to speak of.
constexpr qint64 eventMilliseconds = 40;

}  // namespace

FitProgress::FitProgress(QWidget& window, FitWindow& form, QString what, int delayMilliseconds)
    : FitProgress(window, std::move(what), delayMilliseconds) {
    form.progress = [this](int n, int evaluations) {
        report(QStringLiteral("%1: n = %2, %3 evaluations of the residuals")
                   .arg(what_)
                   .arg(n)
                   .arg(evaluations));
    };
    unhook_ = [&form] { form.progress = nullptr; };
}

FitProgress::FitProgress(QWidget& window, SeriesWindow& form, QString what, int delayMilliseconds)
    : FitProgress(window, std::move(what), delayMilliseconds) {
    form.progress = [this](const std::string& stage, int evaluations) {
        report(QStringLiteral("%1, %2: %3 evaluations of the residuals")
                   .arg(what_, QString::fromStdString(stage))
                   .arg(evaluations));
    };
    unhook_ = [&form] { form.progress = nullptr; };
}

FitProgress::FitProgress(QWidget& window, QString what, int delayMilliseconds)
    : what_(std::move(what)), delayMilliseconds_(delayMilliseconds), dialog_(&window) {
    dialog_.setWindowTitle(what_);
    dialog_.setCancelButtonText(QStringLiteral("Cancel"));
    dialog_.setRange(0, 0);  // a busy bar: the number of evaluations is not known ahead
    dialog_.setWindowModality(Qt::ApplicationModal);
    // Shown by report() only: Qt's own timer would open it whether the fit works or not.
    dialog_.setMinimumDuration(INT_MAX);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    // Escape and the close box reject the dialog, which would only hide it: they cancel.
    QObject::connect(&dialog_, &QDialog::rejected, &dialog_, &QProgressDialog::cancel);
    dialog_.hide();
    started_.start();
    sinceEvents_.start();
}

FitProgress::~FitProgress() {
    if (unhook_) unhook_();
    dialog_.hide();
    cursor_.reset();
}

void FitProgress::report(const QString& label) {
    if (!dialog_.isVisible()) {
        if (started_.elapsed() < delayMilliseconds_) return;
        // The arrow with the busy sign: the program works, and Cancel can be pressed.
        if (!cursor_) cursor_.emplace(Qt::BusyCursor);
        dialog_.show();
    } else if (sinceEvents_.elapsed() < eventMilliseconds) {
        return;
    }
    dialog_.setLabelText(label);
    QApplication::processEvents();
    sinceEvents_.restart();
    if (dialog_.wasCanceled()) throw FitCancelled{};
}

}  // namespace condsim::qt
