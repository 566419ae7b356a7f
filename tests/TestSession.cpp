#include "TestSession.h"

#include "plot/RecordingCanvas.h"

namespace condsim::testing {

CanvasFactory recordingCanvases() {
    return [](int width, int height) { return std::make_unique<RecordingCanvas>(width, height); };
}

}  // namespace condsim::testing
