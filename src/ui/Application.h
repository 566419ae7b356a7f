#pragma once
// The process: its state and the three windows, created in the start-up order.

#include "ui/Platform.h"
#include "ui/ProcessState.h"
#include "ui/SolutionModelWindow.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"

namespace condsim {

class Application {
  public:
    // Start-up: the start-up directory := the current directory (made current
    // explicitly), MarkerRadius := 5, every scaling factor 1, then TForm1, TForm2, TForm3 and the
    // Solution Model window.
    // No handler runs during creation. The canvas factory makes the pictures' canvases.
    Application(Platform& platform, const CanvasFactory& canvasFactory);
    // Headless start-up with recording canvases.
    explicit Application(Platform& platform);

    ProcessState state;
    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    SolutionModelWindow SolutionModelForm;
};

}  // namespace condsim
