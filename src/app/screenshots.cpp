// condsim-screenshots: pictures of the windows for the documentation. Opens an
// observed-data file, initialises, runs the calculation, shows the other two windows
// and saves each window as a PNG into the given folder; then runs a fit and a comparison
// of n in the fit window and saves that window too, and the fit window and the main
// window after a fit and its Apply at n = 30; last the Temperature Series window with the
// example series (series-cacl2/ beside the observed-data file) run. Run it on the offscreen
// platform (scripts/screenshots does). Dialog answers and messages are scripted: the
// open dialog returns the given file (or the next answer set), messages and errors are
// printed instead of shown.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <optional>

#include "desktop/DesktopApplication.h"

namespace {

class ScriptedDialogs : public condsim::qt::QtPlatform {
  public:
    explicit ScriptedDialogs(std::string observedFile)
        : QtPlatform(condsim::qt::DesktopApplication::title),
          observedFile_(std::move(observedFile)) {}

    void message(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    void error(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
        ++errors;
    }
    std::optional<std::string> chooseOpenFile(const std::string&) override {
        std::optional<std::string> answer = nextOpen ? nextOpen : observedFile_;
        nextOpen.reset();
        return answer;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }

    int errors = 0;
    std::optional<std::string> nextOpen;  // the next open dialog's answer, once

  private:
    std::string observedFile_;
};

bool save(QWidget& window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    const bool saved = window.grab().save(path, "PNG");
    std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: condsim-screenshots <observed-data file> <output folder>\n");
        return 2;
    }
    const std::string observedFile = QDir(arguments[1]).absolutePath().toStdString();
    const QDir folder(arguments[2]);
    if (!QDir().mkpath(folder.path())) return 1;

    auto dialogs = std::make_unique<ScriptedDialogs>(observedFile);
    ScriptedDialogs& platform = *dialogs;
    condsim::qt::DesktopApplication desktop(std::move(dialogs));
    desktop.start();
    auto& form1 = desktop.application().Form1;
    desktop.actions().run([&] { form1.Open1Click(); });
    desktop.actions().run([&] { form1.InitializeClick(); });
    desktop.actions().run([&] { form1.Button3Click(); });
    desktop.actions().run([&] { form1.Abundance1Click(); });
    desktop.actions().run([&] { form1.Option1Click(); });
    QApplication::processEvents();

    bool saved = save(desktop.mainWindow(), folder, QStringLiteral("main-window.png"));
    saved =
        save(desktop.abundanceWindow(), folder, QStringLiteral("abundance-window.png")) && saved;
    saved =
        save(desktop.scalingFactorWindow(), folder, QStringLiteral("scaling-factor-window.png")) &&
        saved;
    auto& form2 = desktop.application().Form2;
    desktop.actions().run([&] { form2.ShowHideData1Click(); });
    QApplication::processEvents();
    saved = save(desktop.abundanceWindow(), folder, QStringLiteral("abundance-window-data.png")) &&
            saved;

    // The fit window with its default choice (K1 and alfa) run and n compared over 2..8.
    auto& fit = desktop.fitForm();
    desktop.actions().run([&] { fit.OpenClick(); });
    desktop.actions().run([&] { fit.RunClick(); });
    desktop.actions().run([&] { fit.CompareClick(); });
    QApplication::processEvents();
    saved = save(desktop.fitWindow(), folder, QStringLiteral("fit-window.png")) && saved;

    // The Solution Model window with the Debye-Hueckel model chosen for water.
    auto& solution = desktop.application().SolutionModelForm;
    desktop.actions().run([&] { solution.Show(); });
    desktop.actions().run([&] { solution.Model = condsim::SolutionModelKind::DebyeHuckel; });
    QApplication::processEvents();
    saved =
        save(desktop.solutionModelWindow(), folder, QStringLiteral("solution-model-window.png")) &&
        saved;
    desktop.actions().run([&] { solution.CancelClick(); });

    // The fit window at n = 30 (K1, alfa, K2..K30, MCA and MCX to choose from) after a fit
    // of K1 and alfa there, and the main window after Apply: its tables with the fitted
    // constants of 15 digits up to beta(30).
    desktop.actions().run([&] {
        form1.SpinEdit1.setValue(30);
        form1.InitializeClick();
    });
    desktop.actions().run([&] { fit.RunClick(); });
    QApplication::processEvents();
    saved = save(desktop.fitWindow(), folder, QStringLiteral("fit-window-n30.png")) && saved;
    desktop.actions().run([&] { fit.ApplyClick(); });
    QApplication::processEvents();
    saved = save(desktop.mainWindow(), folder, QStringLiteral("main-window-n30.png")) && saved;

    // The Temperature Series window: the example series in the model it was made with
    // (n = 2, Model #1 with alfa = 1, Debye-Hueckel), K1 and MCA fitted, lambda free.
    const QString series =
        QFileInfo(QString::fromStdString(observedFile)).dir().filePath("series-cacl2/series.txt");
    if (QFileInfo::exists(series)) {
        desktop.actions().run([&] {
            form1.SpinEdit1.setValue(2);
            form1.MCX.setText("76.35");
            form1.beta1.setText("10");
            form1.SpinEdit2.setValue(1);
            form1.CheckBox1.setChecked(true);
            form1.MCA.setText("60");
            form1.InitializeClick();
            desktop.application().state.solution.kind = condsim::SolutionModelKind::DebyeHuckel;
            fit.choose(condsim::FitParameter::alfa(), false);
            fit.choose(condsim::FitParameter::mca(), true);
        });
        auto& seriesForm = desktop.seriesForm();
        platform.nextOpen = series.toStdString();
        desktop.actions().run([&] { seriesForm.OpenClick(); });
        desktop.actions().run([&] { seriesForm.ImportClick(); });
        desktop.actions().run([&] { seriesForm.RunClick(); });
        QApplication::processEvents();
        saved = save(desktop.seriesWindow(), folder, QStringLiteral("series-window.png")) && saved;
    }
    return saved && platform.errors == 0 ? 0 : 1;
}
