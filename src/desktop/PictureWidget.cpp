#include "desktop/PictureWidget.h"

#include <QPainter>

#include "raster/RasterCanvas.h"

namespace condsim::qt {

PictureWidget::PictureWidget(const Picture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture), shownRevision_(picture.revision()) {}

void PictureWidget::refreshFromState() {
    if (picture_.revision() == shownRevision_) return;
    shownRevision_ = picture_.revision();
    update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    const auto* canvas = dynamic_cast<const RasterCanvas*>(picture_.canvas());
    if (canvas == nullptr) return;
    QPainter painter(this);
    painter.drawImage(0, 0, canvas->image());
}

}  // namespace condsim::qt
