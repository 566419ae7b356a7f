#include "desktop/DesignGroupBox.h"

#include <qdrawutil.h>

#include <QStylePainter>

namespace condsim::qt {

void DesignGroupBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QFontMetrics metrics(font());
    const int titleHeight = metrics.height();

    // An etched line, as the windows were designed with. (The styles' own group-box frame
    // leaves room for the title above itself.)
    qDrawShadeRect(&painter, rect().adjusted(0, titleHeight / 2, 0, 0), palette(), true, 1, 0);

    if (title().isEmpty()) return;
    // The title over a patch of the background, interrupting the frame's top line.
    const int gap = metrics.averageCharWidth() / 2 + 1;
    const QRect titleArea(metrics.averageCharWidth(), 0,
                          metrics.horizontalAdvance(title()) + 2 * gap, titleHeight);
    painter.fillRect(titleArea, palette().brush(backgroundRole()));
    painter.drawItemText(titleArea, Qt::AlignCenter | Qt::TextSingleLine, palette(), isEnabled(),
                         title(), QPalette::WindowText);
}

}  // namespace condsim::qt
