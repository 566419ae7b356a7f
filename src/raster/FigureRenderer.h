#pragma once
// Lays out a labelled figure with real fonts at a physical size and paints it with a
// QPainter whose units are typographic points (1/72 inch): the frame with ticks on all
// four sides (labels at the bottom and left), the axis titles, the series clipped to the
// frame, the legend and the caption. Text is Liberation Sans (metric-compatible with
// Arial, shipped by Debian's fonts-liberation).

#include <QSizeF>

#include "plot/Figure.h"

class QPainter;

namespace condsim {

// Paints the figure into the rectangle (0, 0, size) of the painter's coordinates, in points.
// The painter's device must be able to say its resolution (fonts are sized for it).
void paintFigure(QPainter& painter, const Figure& figure, QSizeF sizeInPoints);

}  // namespace condsim
