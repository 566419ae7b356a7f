#include "BenchSession.h"

#include "core/Error.h"
#include "files/NumberText.h"

namespace condsim::bench {

const char* const observedTwelvePairs =
    "1.0E-04  0.06648\r\n2.0E-04  0.1228\r\n3.0E-04  0.1744\r\n5.0E-04  0.2703\r\n"
    "7.0E-04  0.3568\r\n0.001  0.4861\r\n0.002  0.8633\r\n0.003  1.214\r\n"
    "0.004  1.533\r\n0.005  1.859\r\n0.007  2.449\r\n0.01  3.301\r\n";

std::string observedPairs(int count) {
    std::string content;
    for (int i = 1; i <= count; ++i) {
        content += NumberText(static_cast<ext>(i) * 1e-4L) + " " +
                   NumberText(static_cast<ext>(i) * 0.05L) + "\r\n";
    }
    return content;
}

Session::Session() : app(platform) {}

Session::Session(CanvasFactory canvasFactory) : app(platform, std::move(canvasFactory)) {}

void Session::openObserved(const std::string& content) {
    const std::string file = directory.write("observed.txt", content);
    platform.answerNextDialog(file);
    app.Form1.Open1Click();
}

void Session::define(const SweepSystem& system) {
    app.Form1.SpinEdit1.setValue(system.n);
    app.Form1.beta1.setText(integerText(system.K1));
    app.Form1.SpinEdit2.setValue(system.alfa);
    app.Form1.InitializeClick();
}

void Session::sweep(int points) {
    app.Form1.SpinEdit3.setValue(points);
    app.Form1.Button3Click();
}

}  // namespace condsim::bench
