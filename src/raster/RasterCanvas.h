#pragma once
// A Canvas that paints into a QImage, with the pixel rules of the classic Windows
// drawing calls the plots were designed for: a rectangle or an ellipse given by the
// box (x1, y1, x2, y2) covers the pixels from x1 to x2 - 1 and from y1 to y2 - 1, is
// filled with the brush and outlined with the pen; lines are drawn without
// anti-aliasing. A new canvas is white.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <memory>
#include <string>

#include "plot/Canvas.h"

namespace condsim {

class RasterCanvas : public Canvas {
  public:
    RasterCanvas(int width, int height);

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;

    // The image as drawn so far.
    const QImage& image() const;
    // Writes the image as a PNG file, whole or not at all (files/TextFile); a file that
    // cannot be written raises its I/O error, such as a full disk, naming the file.
    void savePng(const std::string& path) const;

  private:
    enum class Shape { Rectangle, Ellipse };
    void drawShape(Shape shape, int x1, int y1, int x2, int y2);
    // One painter stays open across a whole drawing (opening one per circle costs more
    // than the circle); it is closed before anyone reads the image.
    QPainter& painter();
    void finishPainting() const;

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    QPoint position_;
};

}  // namespace condsim
