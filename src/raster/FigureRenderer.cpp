#include "raster/FigureRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
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

double runPoints(const TextRun& run, double points) {
    return run.shift == TextShift::Base ? points : points * shiftedRunScale;
}

double runShift(const TextRun& run, double points) {
    switch (run.shift) {
        case TextShift::Raised:
            return -raisedRunShift * points;
        case TextShift::Lowered:
            return loweredRunShift * points;
        case TextShift::Base:
            break;
    }
    return 0;
}

// Measures and draws the figure's marked texts (plot/FigureText): runs of their own size
// on shifted baselines, drawn by the painter or handed to the caller.
class TextPainter {
  public:
    TextPainter(QPainter& painter, std::vector<PlacedText>* texts)
        : painter_(painter), texts_(texts) {}

    double width(const std::string& marked, double points) const {
        double total = 0;
        for (const TextRun& run : textRuns(marked))
            total +=
                metrics(runPoints(run, points)).horizontalAdvance(QString::fromStdString(run.text));
        return total;
    }
    // How far the text reaches above and below its baseline, raised and lowered runs
    // included.
    std::pair<double, double> extent(const std::string& marked, double points) const {
        const QFontMetricsF base = metrics(points);
        double above = base.ascent();
        double below = base.descent();
        for (const TextRun& run : textRuns(marked)) {
            const QFontMetricsF small = metrics(runPoints(run, points));
            above = std::max(above, small.ascent() - runShift(run, points));
            below = std::max(below, small.descent() + runShift(run, points));
        }
        return {above, below};
    }
    QFontMetricsF metrics(double points) const {
        return {fontOf(painter_, points), painter_.device()};
    }

    void draw(const std::string& marked, QPointF baseline, double points, const QColor& color) {
        std::vector<TextRun> runs = textRuns(marked);
        if (texts_ != nullptr) {
            texts_->push_back(
                {painter_.worldTransform(), baseline, std::move(runs), points, color});
            return;
        }
        painter_.setPen(color);
        double x = baseline.x();
        for (const TextRun& run : runs) {
            const QFont font = fontOf(painter_, runPoints(run, points));
            const QString text = QString::fromStdString(run.text);
            painter_.setFont(font);
            painter_.drawText(QPointF(x, baseline.y() + runShift(run, points)), text);
            x += QFontMetricsF(font, painter_.device()).horizontalAdvance(text);
        }
    }

  private:
    QPainter& painter_;
    std::vector<PlacedText>* texts_;
};

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
    bool xLogarithmic = false;
    QPointF map(double vx, double vy) const {
        const double across = xLogarithmic
                                  ? std::log10(vx / x.minimum) / std::log10(x.maximum / x.minimum)
                                  : (vx - x.minimum) / (x.maximum - x.minimum);
        return {area.left() + across * area.width(),
                area.bottom() - (vy - y.minimum) / (y.maximum - y.minimum) * area.height()};
    }
};

double widestLabel(const TextPainter& text, const std::vector<std::string>& labels) {
    double widest = 0;
    for (const auto& label : labels) widest = std::max(widest, text.width(label, tickFontSize));
    return widest;
}

// Whether neighbouring x labels, centred on their ticks, keep at least a gap apart.
bool xLabelsApart(const TextPainter& text, const AxisTicks& ticks, double frameWidth) {
    const double span = ticks.maximum - ticks.minimum;
    if (ticks.values.size() < 2 || !(span > 0)) return true;
    const double spacing = frameWidth * ticks.step / span;
    for (size_t i = 1; i < ticks.labels.size(); ++i) {
        const double halves = (text.width(ticks.labels[i - 1], tickFontSize) +
                               text.width(ticks.labels[i], tickFontSize)) /
                              2;
        if (halves + 2 * gap > spacing) return false;
    }
    return true;
}

// Ticks that need fewer labels over the same ends: the labels of long numbers on a narrow
// figure must not touch.
AxisTicks fewerTicks(const AxisTicks& ticks) {
    return axisTicks(ticks.minimum, ticks.maximum, static_cast<int>(ticks.values.size()) - 1);
}

void drawAxes(QPainter& painter, TextPainter& text, const Frame& frame) {
    const QFontMetricsF metrics = text.metrics(tickFontSize);
    painter.setPen(QPen(Qt::black, frameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.area);
    for (size_t i = 0; i < frame.x.values.size(); ++i) {
        const double px = frame.map(frame.x.values[i], frame.y.minimum).x();
        painter.drawLine(QPointF(px, frame.area.bottom()),
                         QPointF(px, frame.area.bottom() - tickLength));
        painter.drawLine(QPointF(px, frame.area.top()), QPointF(px, frame.area.top() + tickLength));
    }
    for (const double value : frame.x.minorValues) {
        const double px = frame.map(value, frame.y.minimum).x();
        painter.drawLine(QPointF(px, frame.area.bottom()),
                         QPointF(px, frame.area.bottom() - tickLength / 2));
        painter.drawLine(QPointF(px, frame.area.top()),
                         QPointF(px, frame.area.top() + tickLength / 2));
    }
    for (size_t i = 0; i < frame.y.values.size(); ++i) {
        const double py = frame.map(frame.x.minimum, frame.y.values[i]).y();
        painter.drawLine(QPointF(frame.area.left(), py),
                         QPointF(frame.area.left() + tickLength, py));
        painter.drawLine(QPointF(frame.area.right(), py),
                         QPointF(frame.area.right() - tickLength, py));
    }
    for (size_t i = 0; i < frame.x.values.size(); ++i) {
        const double px = frame.map(frame.x.values[i], frame.y.minimum).x();
        const std::string& label = frame.x.labels[i];
        text.draw(label,
                  QPointF(px - text.width(label, tickFontSize) / 2,
                          frame.area.bottom() + gap + metrics.ascent()),
                  tickFontSize, Qt::black);
    }
    for (size_t i = 0; i < frame.y.values.size(); ++i) {
        const double py = frame.map(frame.x.minimum, frame.y.values[i]).y();
        const std::string& label = frame.y.labels[i];
        text.draw(label,
                  QPointF(frame.area.left() - gap - text.width(label, tickFontSize),
                          py + (metrics.ascent() - metrics.descent()) / 2),
                  tickFontSize, Qt::black);
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
        if (series.yLow.size() == series.x.size() && series.yHigh.size() == series.x.size()) {
            painter.setPen(QPen(qColor(series.color), lineWidth * 0.8));
            const double cap = markerDiameter / 2;
            for (size_t i = 0; i < series.x.size(); ++i) {
                const QPointF low = frame.map(series.x[i], series.yLow[i]);
                const QPointF high = frame.map(series.x[i], series.yHigh[i]);
                painter.drawLine(low, high);
                painter.drawLine(low - QPointF(cap, 0), low + QPointF(cap, 0));
                painter.drawLine(high - QPointF(cap, 0), high + QPointF(cap, 0));
            }
        }
        for (size_t i = 0; i < series.x.size(); ++i)
            drawMarker(painter, series.marker, series.color, frame.map(series.x[i], series.y[i]));
    }
    painter.restore();
}

// The points of a curve in the frame's coordinates, no more than a point apart, so that a
// label's box can be tested against the curve by the points inside it.
std::vector<QPointF> densePath(const FigureSeries& series, const Frame& frame) {
    std::vector<QPointF> points;
    for (size_t i = 0; i < series.x.size(); ++i) {
        const QPointF to = frame.map(series.x[i], series.y[i]);
        if (!points.empty()) {
            const QPointF from = points.back();
            const int steps = static_cast<int>(std::ceil(QLineF(from, to).length()));
            for (int k = 1; k < steps; ++k) points.push_back(from + (to - from) * k / steps);
        }
        points.push_back(to);
    }
    return points;
}

int pointsInside(const std::vector<QPointF>& points, const QRectF& box) {
    return static_cast<int>(std::count_if(points.begin(), points.end(),
                                          [&](const QPointF& p) { return box.contains(p); }));
}

// Each series that asks for it has its name written beside its curve where the name
// touches neither the frame, nor another name, nor another curve, and preferably not its
// own: candidates above and below points along the curve are scored by the curves'
// points under them and by their distance from the curve's highest point, where a name
// is most plainly its curve's. Where every candidate fails, the name stands above the
// highest point, kept inside the frame.
void drawCurveLabels(TextPainter& text, const Figure& figure, const Frame& frame) {
    constexpr int candidatesAlong = 80;
    std::vector<std::vector<QPointF>> paths;
    for (const FigureSeries& series : figure.series) paths.push_back(densePath(series, frame));
    const QRectF inside = frame.area.adjusted(gap, gap, -gap, -gap);
    std::vector<QRectF> placed;
    for (size_t s = 0; s < figure.series.size(); ++s) {
        const FigureSeries& series = figure.series[s];
        if (!series.labelAtPeak || series.y.empty()) continue;
        const double width = text.width(series.name, tickFontSize);
        const auto [above, below] = text.extent(series.name, tickFontSize);
        const double height = above + below;
        const auto peak = static_cast<size_t>(std::max_element(series.y.begin(), series.y.end()) -
                                              series.y.begin());
        const QPointF peakAt = frame.map(series.x[peak], series.y[peak]);
        const std::vector<QPointF>& own = paths[s];
        double bestCost = std::numeric_limits<double>::infinity();
        QRectF best;
        for (int k = 0; k <= candidatesAlong && !own.empty(); ++k) {
            const QPointF at = own[own.size() * static_cast<size_t>(k) / (candidatesAlong + 1)];
            // Above, below, right and left of the point (beside a steep part of a curve).
            const QRectF boxes[] = {{at.x() - width / 2, at.y() - gap - height, width, height},
                                    {at.x() - width / 2, at.y() + gap, width, height},
                                    {at.x() + gap, at.y() - height / 2, width, height},
                                    {at.x() - gap - width, at.y() - height / 2, width, height}};
            for (size_t side = 0; side < std::size(boxes); ++side) {
                const QRectF& box = boxes[side];
                if (!inside.contains(box)) continue;
                const QRectF margin = box.adjusted(-1, -1, 1, 1);
                if (std::any_of(placed.begin(), placed.end(),
                                [&](const QRectF& other) { return other.intersects(margin); }))
                    continue;
                int others = 0;
                for (size_t o = 0; o < paths.size(); ++o)
                    if (o != s) others += pointsInside(paths[o], margin);
                const double cost = 100.0 * others + 20.0 * pointsInside(own, margin) +
                                    QLineF(at, peakAt).length() / frame.area.width() +
                                    0.05 * static_cast<double>(side);
                if (cost < bestCost) {
                    bestCost = cost;
                    best = box;
                }
            }
        }
        if (!std::isfinite(bestCost)) {
            const double x =
                std::clamp(peakAt.x() - width / 2, inside.left(), inside.right() - width);
            const double top =
                std::clamp(peakAt.y() - gap - height, inside.top(), inside.bottom() - height);
            best = QRectF(x, top, width, height);
        }
        placed.push_back(best);
        text.draw(series.name, QPointF(best.left(), best.top() + above), tickFontSize,
                  qColor(series.color));
    }
}

void drawLegend(QPainter& painter, TextPainter& text, const Figure& figure, const Frame& frame) {
    std::vector<const FigureSeries*> entries;
    for (const FigureSeries& series : figure.series)
        if (!series.labelAtPeak && !series.name.empty()) entries.push_back(&series);
    if (figure.legend == LegendPlace::None || entries.empty()) return;
    const QFontMetricsF metrics = text.metrics(tickFontSize);
    const double rowHeight = metrics.height();
    double textWidth = 0;
    for (const auto* series : entries)
        textWidth = std::max(textWidth, text.width(series->name, tickFontSize));
    const QSizeF box(gap + legendSample + gap + textWidth + gap,
                     gap + rowHeight * static_cast<double>(entries.size()));
    // The corner the data leave free: the figure's own corner first, then the other top
    // corner, then the bottom ones, the first whose box covers the fewest points of the
    // series (a logarithmic axis moves the data to other corners than a linear one).
    const double inset = tickLength + gap;
    const bool leftFirst = figure.legend == LegendPlace::TopLeft;
    const QRectF inside = frame.area.adjusted(inset, inset, -inset, -inset);
    const QRectF corners[] = {
        {QPointF(leftFirst ? inside.left() : inside.right() - box.width(), inside.top()), box},
        {QPointF(leftFirst ? inside.right() - box.width() : inside.left(), inside.top()), box},
        {QPointF(leftFirst ? inside.left() : inside.right() - box.width(),
                 inside.bottom() - box.height()),
         box},
        {QPointF(leftFirst ? inside.right() - box.width() : inside.left(),
                 inside.bottom() - box.height()),
         box}};
    std::vector<QPointF> drawn;
    for (const FigureSeries& series : figure.series) {
        if (series.line == LineStyle::None) {
            for (size_t i = 0; i < series.x.size(); ++i)
                drawn.push_back(frame.map(series.x[i], series.y[i]));
            continue;
        }
        const std::vector<QPointF> path = densePath(series, frame);
        drawn.insert(drawn.end(), path.begin(), path.end());
    }
    QRectF area = corners[0];
    int fewest = std::numeric_limits<int>::max();
    for (const QRectF& corner : corners) {
        const int covered = pointsInside(drawn, corner.adjusted(-markerDiameter, -markerDiameter,
                                                                markerDiameter, markerDiameter));
        if (covered < fewest) {
            fewest = covered;
            area = corner;
        }
    }
    painter.setPen(QPen(Qt::black, frameWidth * 0.7));
    painter.setBrush(Qt::white);
    painter.drawRect(area);
    double y = area.top() + gap / 2 + rowHeight / 2;
    for (const auto* series : entries) {
        const QPointF from(area.left() + gap, y);
        const QPointF to(from.x() + legendSample, y);
        if (series->line != LineStyle::None) {
            painter.setPen(linePen(*series));
            painter.drawLine(from, to);
        }
        drawMarker(painter, series->marker, series->color, (from + to) / 2);
        text.draw(series->name,
                  QPointF(to.x() + gap, y + (metrics.ascent() - metrics.descent()) / 2),
                  tickFontSize, Qt::black);
        y += rowHeight;
    }
}

// The caption in lines no wider than `width`, broken only after the ", " or "; " that end
// an item (a value is never parted from its name); an item wider than a line is broken
// at its spaces.
std::vector<std::string> captionLines(const TextPainter& text, const std::string& caption,
                                      double width) {
    std::vector<std::string> items;
    size_t from = 0;
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if ((caption[i] == ',' || caption[i] == ';') && caption[i + 1] == ' ') {
            items.push_back(caption.substr(from, i + 2 - from));
            from = i + 2;
        }
    }
    items.push_back(caption.substr(from));
    std::vector<std::string> lines;
    std::string line;
    const auto fits = [&](const std::string& candidate) {
        return text.width(candidate, captionFontSize) <= width;
    };
    const auto add = [&](const std::string& piece) {
        std::string candidate = line + piece;
        while (!candidate.empty() && candidate.back() == ' ') candidate.pop_back();
        if (line.empty() || fits(candidate)) {
            line += piece;
        } else {
            lines.push_back(line);
            line = piece;
        }
    };
    for (const std::string& item : items) {
        std::string trimmed = item;
        while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
        if (fits(trimmed) || trimmed.find(' ') == std::string::npos) {
            add(item);
            continue;
        }
        size_t start = 0;
        for (size_t space = item.find(' '); start < item.size(); space = item.find(' ', start)) {
            const size_t end = space == std::string::npos ? item.size() : space + 1;
            add(item.substr(start, end - start));
            start = end;
        }
    }
    if (!line.empty()) lines.push_back(line);
    for (std::string& each : lines)
        while (!each.empty() && each.back() == ' ') each.pop_back();
    return lines;
}

}  // namespace

void paintFigure(QPainter& painter, const Figure& figure, QSizeF size,
                 std::vector<PlacedText>* texts) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);

    TextPainter text(painter, texts);
    // Measured for the device the text is drawn on, whose resolution sized the fonts.
    const QFontMetricsF tickMetrics = text.metrics(tickFontSize);
    const QFontMetricsF titleMetrics = text.metrics(titleFontSize);
    const QFontMetricsF captionMetrics = text.metrics(captionFontSize);

    const double captionWidth = size.width() - 2 * outerMargin;
    const std::vector<std::string> caption = figure.caption.empty()
                                                 ? std::vector<std::string>()
                                                 : captionLines(text, figure.caption, captionWidth);
    const double captionHeight = captionMetrics.height() * static_cast<double>(caption.size());

    AxisTicks xTicks = figure.x.ticks;
    const AxisTicks& yTicks = figure.y.ticks;
    const double left =
        outerMargin + titleMetrics.height() + gap + widestLabel(text, yTicks.labels) + gap;
    // Half of the last x label may stand beyond the frame.
    const auto rightOf = [&](const AxisTicks& ticks) {
        return size.width() - outerMargin -
               std::max(gap, text.width(ticks.labels.empty() ? std::string() : ticks.labels.back(),
                                        tickFontSize) /
                                 2);
    };
    for (int attempt = 0; attempt < 4 && !figure.x.logarithmic &&
                          !xLabelsApart(text, xTicks, rightOf(xTicks) - left);
         ++attempt)
        xTicks = fewerTicks(xTicks);
    const double right = rightOf(xTicks);
    const double top = outerMargin + tickMetrics.ascent() / 2;
    const double bottom = size.height() - outerMargin - captionHeight -
                          (captionHeight > 0 ? gap : 0) - titleMetrics.height() - gap -
                          tickMetrics.height() - gap;
    Frame frame{QRectF(QPointF(left, top), QPointF(right, bottom)), xTicks, yTicks,
                figure.x.logarithmic};
    if (frame.x.maximum <= frame.x.minimum) frame.x.maximum = frame.x.minimum + 1;
    if (frame.y.maximum <= frame.y.minimum) frame.y.maximum = frame.y.minimum + 1;

    drawSeries(painter, figure, frame);
    drawAxes(painter, text, frame);
    drawCurveLabels(text, figure, frame);
    drawLegend(painter, text, figure, frame);

    text.draw(figure.x.title,
              QPointF(frame.area.center().x() - text.width(figure.x.title, titleFontSize) / 2,
                      bottom + gap + tickMetrics.height() + gap + titleMetrics.ascent()),
              titleFontSize, Qt::black);
    painter.save();
    painter.translate(outerMargin + titleMetrics.ascent(),
                      frame.area.center().y() + text.width(figure.y.title, titleFontSize) / 2);
    painter.rotate(-90);
    text.draw(figure.y.title, QPointF(0, 0), titleFontSize, Qt::black);
    painter.restore();

    double baseline = size.height() - outerMargin - captionHeight + captionMetrics.ascent();
    for (const std::string& line : caption) {
        text.draw(line, QPointF(outerMargin, baseline), captionFontSize, Qt::black);
        baseline += captionMetrics.height();
    }
    painter.restore();
}

}  // namespace condsim
