#include "raster/RasterCanvas.h"

#include <QBuffer>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QString>
#include <algorithm>

#include "core/Error.h"
#include "files/TextFile.h"

namespace condsim {

namespace {

QColor qtColor(Color color) { return QColor(color.red, color.green, color.blue); }

QPen qtPen(const Canvas& canvas) {
    QPen pen(qtColor(canvas.penColor()));
    // Width 0 draws one pixel wide, as a width of 1 does.
    pen.setWidth(std::max(canvas.penWidth(), 1));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    image_.fill(Qt::white);
}

QPainter& RasterCanvas::painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void RasterCanvas::finishPainting() const { painter_.reset(); }

const QImage& RasterCanvas::image() const {
    finishPainting();
    return image_;
}

void RasterCanvas::drawShape(Shape shape, int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int right = std::max(x1, x2);
    const int bottom = std::max(y1, y2);
    if (right - left < 1 || bottom - top < 1) return;  // an empty box covers no pixel
    // A one-pixel outline of QRect(left, top, w, h) covers left .. left + w, so the box
    // left .. right - 1 is QRect(left, top, right - left - 1, bottom - top - 1).
    const QRect box(left, top, right - left - 1, bottom - top - 1);
    QPainter& shapePainter = painter();
    shapePainter.setPen(qtPen(*this));
    shapePainter.setBrush(qtColor(brushColor()));
    if (shape == Shape::Rectangle) {
        shapePainter.drawRect(box);
    } else {
        shapePainter.drawEllipse(box);
    }
}

void RasterCanvas::rectangle(int x1, int y1, int x2, int y2) {
    drawShape(Shape::Rectangle, x1, y1, x2, y2);
}

void RasterCanvas::ellipse(int x1, int y1, int x2, int y2) {
    drawShape(Shape::Ellipse, x1, y1, x2, y2);
}

void RasterCanvas::moveTo(int x, int y) { position_ = QPoint(x, y); }

void RasterCanvas::lineTo(int x, int y) {
    const QPoint target(x, y);
    QPainter& linePainter = painter();
    linePainter.setPen(qtPen(*this));
    linePainter.setBrush(Qt::NoBrush);
    linePainter.drawLine(position_, target);
    position_ = target;
}

void RasterCanvas::savePng(const std::string& path) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image().save(&buffer, "PNG")) throw Error("The picture could not be encoded as PNG", path);
    buffer.close();
    writeTextFileAtomically(path, bytes.toStdString());
}

}  // namespace condsim
