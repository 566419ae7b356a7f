#include "raster/FigureRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace condsim {

namespace {

// Sizes in points.
constexpr double tickFontSize = 7;
constexpr double titleFontSize = 8;
constexpr double captionFontSize = 6.5;
constexpr double tickLength = 3;
constexpr double gap = 2.5;  // between a tick and its label, a label and a title
constexpr double outerMargin = 3;
constexpr double frameWidth = 0.6;
constexpr double lineWidth = 0.9;
constexpr double markerDiameter = 4.2;
constexpr double legendSample = 14;  // length of a legend's sample line

QColor qColor(Color c) { return {c.red, c.green, c.blue}; }

// A font of `points` points drawn by a painter that already scales points to device pixels:
// the device's own dots-per-point must not scale it a second time.
QFont fontOf(const QPainter& painter, double points) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    // Unhinted outlines: the same glyph shapes and advances at every resolution, so that a
    // PNG and a vector file of one figure are laid out alike.
    font.setHintingPreference(QFont::PreferNoHinting);
    const int dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 72;
    font.setPointSizeF(points * 72.0 / dpi);
    return font;
}

Qt::PenStyle penStyleOf(LineStyle style) {
    switch (style) {
        case LineStyle::Solid:
            return Qt::SolidLine;
        case LineStyle::Dashed:
            return Qt::DashLine;
        case LineStyle::Dotted:
            return Qt::DotLine;
        case LineStyle::DashDotted:
            return Qt::DashDotLine;
        case LineStyle::None:
            break;
    }
    return Qt::NoPen;
}

QPen linePen(const FigureSeries& series) {
    QPen pen(qColor(series.color), lineWidth, penStyleOf(series.line), Qt::FlatCap, Qt::RoundJoin);
    return pen;
}

void drawMarker(QPainter& painter, MarkerShape shape, Color color, QPointF at) {
    if (shape == MarkerShape::None) return;
    const double r = markerDiameter / 2;
    painter.setPen(QPen(qColor(color), lineWidth * 0.8));
    // Open markers are white inside, so a curve through them does not hide them.
    painter.setBrush(shape == MarkerShape::FilledCircle ? QBrush(qColor(color))
                                                        : QBrush(Qt::white));
    switch (shape) {
        case MarkerShape::OpenCircle:
        case MarkerShape::FilledCircle:
            painter.drawEllipse(at, r, r);
            break;
        case MarkerShape::OpenSquare:
            painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
            break;
        case MarkerShape::OpenTriangle: {
            const QPointF corners[3] = {{at.x(), at.y() - r * 1.15},
                                        {at.x() - r, at.y() + r * 0.85},
                                        {at.x() + r, at.y() + r * 0.85}};
            painter.drawPolygon(corners, 3);
            break;
        }
        case MarkerShape::None:
            break;
    }
}

// The data-to-point mapping of the frame.
struct Frame {
    QRectF area;
    AxisTicks x, y;
    QPointF map(double vx, double vy) const {
        return {area.left() + (vx - x.minimum) / (x.maximum - x.minimum) * area.width(),
                area.bottom() - (vy - y.minimum) / (y.maximum - y.minimum) * area.height()};
    }
};

double widestLabel(const QFontMetricsF& metrics, const std::vector<std::string>& labels) {
    double widest = 0;
    for (const auto& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(label)));
    return widest;
}

void drawAxes(QPainter& painter, const Figure& figure, const Frame& frame, const QFont& tickFont) {
    const QFontMetricsF metrics(tickFont, painter.device());
    painter.setFont(tickFont);
    painter.setPen(QPen(Qt::black, frameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.area);
    for (size_t i = 0; i < figure.x.ticks.values.size(); ++i) {
        const double px = frame.map(figure.x.ticks.values[i], frame.y.minimum).x();
        painter.drawLine(QPointF(px, frame.area.bottom()),
                         QPointF(px, frame.area.bottom() - tickLength));
        painter.drawLine(QPointF(px, frame.area.top()), QPointF(px, frame.area.top() + tickLength));
        const QString label = QString::fromStdString(figure.x.ticks.labels[i]);
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(QPointF(px - width / 2, frame.area.bottom() + gap + metrics.ascent()),
                         label);
    }
    for (size_t i = 0; i < figure.y.ticks.values.size(); ++i) {
        const double py = frame.map(frame.x.minimum, figure.y.ticks.values[i]).y();
        painter.drawLine(QPointF(frame.area.left(), py),
                         QPointF(frame.area.left() + tickLength, py));
        painter.drawLine(QPointF(frame.area.right(), py),
                         QPointF(frame.area.right() - tickLength, py));
        const QString label = QString::fromStdString(figure.y.ticks.labels[i]);
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(QPointF(frame.area.left() - gap - width,
                                 py + (metrics.ascent() - metrics.descent()) / 2),
                         label);
    }
}

void drawSeries(QPainter& painter, const Figure& figure, const Frame& frame) {
    painter.save();
    painter.setClipRect(
        frame.area.adjusted(-markerDiameter, -markerDiameter, markerDiameter, markerDiameter));
    if (figure.zeroLine && frame.y.minimum < 0 && frame.y.maximum > 0) {
        painter.setPen(QPen(Qt::black, frameWidth, Qt::DashLine));
        painter.drawLine(frame.map(frame.x.minimum, 0), frame.map(frame.x.maximum, 0));
    }
    for (const FigureSeries& series : figure.series) {
        if (series.line != LineStyle::None && series.x.size() > 1) {
            // One path per curve, so that a vector file holds each curve as one object.
            QPainterPath path(frame.map(series.x[0], series.y[0]));
            for (size_t i = 1; i < series.x.size(); ++i)
                path.lineTo(frame.map(series.x[i], series.y[i]));
            painter.setPen(linePen(series));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        }
        for (size_t i = 0; i < series.x.size(); ++i)
            drawMarker(painter, series.marker, series.color, frame.map(series.x[i], series.y[i]));
    }
    painter.restore();
}

// Each series that asks for it has its name written just above its highest point, kept
// inside the frame.
void drawPeakLabels(QPainter& painter, const Figure& figure, const Frame& frame,
                    const QFont& font) {
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    for (const FigureSeries& series : figure.series) {
        if (!series.labelAtPeak || series.y.empty()) continue;
        const auto peak = std::max_element(series.y.begin(), series.y.end()) - series.y.begin();
        const QPointF at =
            frame.map(series.x[static_cast<size_t>(peak)], series.y[static_cast<size_t>(peak)]);
        const QString text = QString::fromStdString(series.name);
        const double width = metrics.horizontalAdvance(text);
        const double x = std::clamp(at.x() - width / 2, frame.area.left() + gap,
                                    frame.area.right() - gap - width);
        const double baseline = std::clamp(at.y() - gap, frame.area.top() + gap + metrics.ascent(),
                                           frame.area.bottom() - gap);
        painter.setPen(qColor(series.color));
        painter.drawText(QPointF(x, baseline), text);
    }
}

void drawLegend(QPainter& painter, const Figure& figure, const Frame& frame, const QFont& font) {
    std::vector<const FigureSeries*> entries;
    for (const FigureSeries& series : figure.series)
        if (!series.labelAtPeak && !series.name.empty()) entries.push_back(&series);
    if (figure.legend == LegendPlace::None || entries.empty()) return;
    const QFontMetricsF metrics(font, painter.device());
    const double rowHeight = metrics.height();
    double textWidth = 0;
    for (const auto* series : entries)
        textWidth =
            std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(series->name)));
    const QSizeF box(gap + legendSample + gap + textWidth + gap,
                     gap + rowHeight * static_cast<double>(entries.size()));
    const double inset = tickLength + gap;
    const double left = figure.legend == LegendPlace::TopLeft
                            ? frame.area.left() + inset
                            : frame.area.right() - inset - box.width();
    const QRectF area(QPointF(left, frame.area.top() + inset), box);
    painter.setPen(QPen(Qt::black, frameWidth * 0.7));
    painter.setBrush(Qt::white);
    painter.drawRect(area);
    painter.setFont(font);
    double y = area.top() + gap / 2 + rowHeight / 2;
    for (const auto* series : entries) {
        const QPointF from(area.left() + gap, y);
        const QPointF to(from.x() + legendSample, y);
        if (series->line != LineStyle::None) {
            painter.setPen(linePen(*series));
            painter.drawLine(from, to);
        }
        drawMarker(painter, series->marker, series->color, (from + to) / 2);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(to.x() + gap, y + (metrics.ascent() - metrics.descent()) / 2),
                         QString::fromStdString(series->name));
        y += rowHeight;
    }
}

}  // namespace

void paintFigure(QPainter& painter, const Figure& figure, QSizeF size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);

    const QFont tickFont = fontOf(painter, tickFontSize);
    const QFont titleFont = fontOf(painter, titleFontSize);
    const QFont captionFont = fontOf(painter, captionFontSize);
    // Measured for the device the text is drawn on, whose resolution sized the fonts.
    const QFontMetricsF tickMetrics(tickFont, painter.device());
    const QFontMetricsF titleMetrics(titleFont, painter.device());
    const QFontMetricsF captionMetrics(captionFont, painter.device());

    // The caption's height for the whole width, wrapped at words.
    const QString caption = QString::fromStdString(figure.caption);
    const QRectF captionWidth(outerMargin, 0, size.width() - 2 * outerMargin, 1000);
    const double captionHeight =
        caption.isEmpty()
            ? 0
            : captionMetrics.boundingRect(captionWidth, Qt::TextWordWrap, caption).height();

    const double left = outerMargin + titleMetrics.height() + gap +
                        widestLabel(tickMetrics, figure.y.ticks.labels) + gap;
    // Half of the last x label may stand beyond the frame.
    const double right =
        size.width() - outerMargin -
        std::max(gap, tickMetrics.horizontalAdvance(QString::fromStdString(
                          figure.x.ticks.labels.empty() ? std::string()
                                                        : figure.x.ticks.labels.back())) /
                          2);
    const double top = outerMargin + tickMetrics.ascent() / 2;
    const double bottom = size.height() - outerMargin - captionHeight -
                          (captionHeight > 0 ? gap : 0) - titleMetrics.height() - gap -
                          tickMetrics.height() - gap;
    Frame frame{QRectF(QPointF(left, top), QPointF(right, bottom)), figure.x.ticks, figure.y.ticks};
    if (frame.x.maximum <= frame.x.minimum) frame.x.maximum = frame.x.minimum + 1;
    if (frame.y.maximum <= frame.y.minimum) frame.y.maximum = frame.y.minimum + 1;

    drawSeries(painter, figure, frame);
    drawAxes(painter, figure, frame, tickFont);
    drawPeakLabels(painter, figure, frame, tickFont);
    drawLegend(painter, figure, frame, tickFont);

    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    const QString xTitle = QString::fromStdString(figure.x.title);
    painter.drawText(QPointF(frame.area.center().x() - titleMetrics.horizontalAdvance(xTitle) / 2,
                             bottom + gap + tickMetrics.height() + gap + titleMetrics.ascent()),
                     xTitle);
    const QString yTitle = QString::fromStdString(figure.y.title);
    painter.save();
    painter.translate(outerMargin + titleMetrics.ascent(),
                      frame.area.center().y() + titleMetrics.horizontalAdvance(yTitle) / 2);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), yTitle);
    painter.restore();

    if (!caption.isEmpty()) {
        painter.setFont(captionFont);
        painter.drawText(QRectF(outerMargin, size.height() - outerMargin - captionHeight,
                                captionWidth.width(), captionHeight),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, caption);
    }
    painter.restore();
}

}  // namespace condsim
