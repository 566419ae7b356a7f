#pragma once
// A canvas that draws nothing: the sweep benchmarks measure the handler's own work, and
// the drawing on a real raster canvas is measured on its own.

#include <memory>

#include "plot/Canvas.h"
#include "ui/Picture.h"

namespace condsim::bench {

class DiscardingCanvas : public Canvas {
  public:
    DiscardingCanvas(int width, int height) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void rectangle(int, int, int, int) override {}
    void ellipse(int, int, int, int) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}

  private:
    int width_;
    int height_;
};

inline CanvasFactory discardingCanvases() {
    return [](int width, int height) { return std::make_unique<DiscardingCanvas>(width, height); };
}

}  // namespace condsim::bench
