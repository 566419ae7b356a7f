// The pictures and the windows of the desktop program after a sweep of n = 30 and
// N = 1000: the species distribution drawn on the raster canvas, and the refresh of the
// three windows from the headless state (offscreen).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchSession.h"
#include "desktop/DesktopApplication.h"
#include "files/NumberText.h"
#include "raster/RasterCanvas.h"

namespace condsim::bench {
namespace {

constexpr int sweepPoints = 1000;

// One QApplication for the whole process, on the offscreen platform unless one is set.
QApplication& application() {
    static int argc = 1;
    static char name[] = "condsim_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> instance = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *instance;
}

CanvasFactory rasterCanvases() {
    return [](int width, int height) { return std::make_unique<RasterCanvas>(width, height); };
}

void DistributionOnRasterCanvas(benchmark::State& state) {
    application();
    Session session{rasterCanvases()};
    session.openObserved(observedTwelvePairs);
    session.define(thirtySpecies);
    session.sweep(sweepPoints);
    for (auto _ : state) session.app.Form2.drawdistributionClick();
}
BENCHMARK(DistributionOnRasterCanvas)->Unit(benchmark::kMillisecond);

// The sweep runs untimed before each refresh, so that every refresh finds a new table.
void WindowsRefreshAfterSweep(benchmark::State& state) {
    application();
    condsim::qt::DesktopApplication desktop;
    desktop.start();
    Application& app = desktop.application();
    app.Form1.SpinEdit1.setValue(thirtySpecies.n);
    app.Form1.beta1.setText(integerText(thirtySpecies.K1));
    app.Form1.SpinEdit2.setValue(thirtySpecies.alfa);
    app.Form1.InitializeClick();
    app.Form1.SpinEdit3.setValue(sweepPoints);
    app.Form2.window.show();
    app.Form2.tableVisible = true;
    for (auto _ : state) {
        state.PauseTiming();
        app.state.range.DataXMin = 0;
        app.state.range.DataXMax = 0.016L;
        app.Form1.Button3Click();
        state.ResumeTiming();
        desktop.actions().refreshViews();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(WindowsRefreshAfterSweep)->Unit(benchmark::kMillisecond)->Iterations(5);

#ifdef CONDSIM_BATCH_PROGRAM
// Start-up and exit of the batch tool: `condsim-batch --help`, a whole process each time.
void BatchHelp(benchmark::State& state) {
    const std::string command = std::string("\"") + CONDSIM_BATCH_PROGRAM + "\" --help > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("condsim-batch --help failed");
            break;
        }
    }
}
BENCHMARK(BatchHelp)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
}  // namespace condsim::bench
