#pragma once
// A picture control: a pixel canvas of its own size. The canvas is made on the first
// drawing and keeps what was drawn (and its pen and brush) until it is drawn over.

#include <functional>
#include <memory>

#include "plot/Canvas.h"

namespace condsim {

using CanvasFactory = std::function<std::unique_ptr<Canvas>(int width, int height)>;

class Picture {
  public:
    Picture(int width, int height, CanvasFactory factory)
        : width_(width), height_(height), factory_(std::move(factory)) {}

    // The size of the control in pixels; a window may scale it before the first drawing.
    int width() const { return width_; }
    int height() const { return height_; }
    void setSize(int width, int height) {
        width_ = width;
        height_ = height;
    }

    // The canvas to draw on; made at the control's size on first use.
    Canvas& canvasForDrawing() {
        if (!canvas_) canvas_ = factory_(width_, height_);
        ++revision_;
        return *canvas_;
    }
    // The canvas as drawn so far, or nullptr while the picture is blank.
    const Canvas* canvas() const { return canvas_.get(); }

    unsigned long long revision() const { return revision_; }

  private:
    int width_;
    int height_;
    CanvasFactory factory_;
    std::unique_ptr<Canvas> canvas_;
    unsigned long long revision_ = 0;
};

}  // namespace condsim
