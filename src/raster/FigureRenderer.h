#pragma once
// Lays out a labelled figure with real fonts at a physical size and paints it with a
// QPainter whose units are typographic points (1/72 inch): the frame with ticks on all
// four sides (labels at the bottom and left), the axis titles, the series clipped to the
// frame, the legend and the caption. Text is Liberation Sans (metric-compatible with
// Arial, shipped by Debian's fonts-liberation).

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QTransform>
#include <vector>

#include "plot/Figure.h"
#include "plot/FigureText.h"

class QPainter;

namespace condsim {

// One text of the figure as the renderer placed it: its baseline's start in points, the
// painter's transform from points to the device, and its runs (raised and lowered runs
// are drawn smaller, above or below the baseline).
struct PlacedText {
    QTransform transform;
    QPointF baseline;
    std::vector<TextRun> runs;
    double points = 0;  // the size of the base runs
    QColor color;
};

// The size and the shift of the baseline of raised and lowered runs, as fractions of the
// base size.
inline constexpr double shiftedRunScale = 0.7;
inline constexpr double raisedRunShift = 0.36;
inline constexpr double loweredRunShift = 0.18;

// Paints the figure into the rectangle (0, 0, size) of the painter's coordinates, in points.
// The painter's device must be able to say its resolution (fonts are sized for it). With
// `texts`, the texts are handed there instead of being drawn (an SVG writes them as text
// elements with tspans of its own).
void paintFigure(QPainter& painter, const Figure& figure, QSizeF sizeInPoints,
                 std::vector<PlacedText>* texts = nullptr);

}  // namespace condsim
