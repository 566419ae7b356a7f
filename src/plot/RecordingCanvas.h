#pragma once
// A canvas that records every drawing operation with the pen and brush it used.

#include <vector>

#include "plot/Canvas.h"

namespace condsim {

struct CanvasOperation {
    enum class Kind { Rectangle, Ellipse, MoveTo, LineTo };
    Kind kind;
    int x1, y1, x2, y2;  // MoveTo and LineTo use x1, y1
    Color penColor;
    int penWidth;
    Color brushColor;
};

class RecordingCanvas : public Canvas {
  public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void rectangle(int x1, int y1, int x2, int y2) override {
        record(CanvasOperation::Kind::Rectangle, x1, y1, x2, y2);
    }
    void ellipse(int x1, int y1, int x2, int y2) override {
        record(CanvasOperation::Kind::Ellipse, x1, y1, x2, y2);
    }
    void moveTo(int x, int y) override { record(CanvasOperation::Kind::MoveTo, x, y, 0, 0); }
    void lineTo(int x, int y) override { record(CanvasOperation::Kind::LineTo, x, y, 0, 0); }

    const std::vector<CanvasOperation>& operations() const { return operations_; }
    void clear() { operations_.clear(); }

  private:
    void record(CanvasOperation::Kind kind, int x1, int y1, int x2, int y2) {
        operations_.push_back({kind, x1, y1, x2, y2, penColor(), penWidth(), brushColor()});
    }

    int width_;
    int height_;
    std::vector<CanvasOperation> operations_;
};

}  // namespace condsim
