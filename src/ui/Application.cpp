#include "ui/Application.h"

#include <filesystem>

#include "plot/RecordingCanvas.h"

namespace condsim {

namespace {

ProcessState startState() {
    ProcessState state;
    std::error_code ignored;
    const auto current = std::filesystem::current_path(ignored);
    state.startupDirectory = current.string();
    if (!current.empty()) std::filesystem::current_path(current, ignored);
    state.range.MarkerRadius = 5;
    return state;  // ScalingFactors start at 1, everything else at zero or empty
}

CanvasFactory recordingCanvases() {
    return [](int width, int height) { return std::make_unique<RecordingCanvas>(width, height); };
}

}  // namespace

Application::Application(Platform& platform, const CanvasFactory& canvasFactory)
    : state(startState()),
      Form1(state, platform, canvasFactory),
      Form2(state, canvasFactory),
      Form3(state, platform),
      SolutionModelForm(state) {
    Form1.connect(Form2, Form3);
    SolutionModelForm.connect(Form1, Form2);
    Form3.connect(Form1);
    Form1.window.show();
}

Application::Application(Platform& platform) : Application(platform, recordingCanvases()) {}

}  // namespace condsim
