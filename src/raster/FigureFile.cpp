#include "raster/FigureFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "files/TextFile.h"
#include "raster/FigureRenderer.h"

namespace condsim {

namespace {

constexpr double pointsPerCentimetre = 72 / 2.54;
// The PDF's drawing resolution: fine enough that no coordinate is visibly rounded.
constexpr int pdfDotsPerInch = 1200;
// The SVG's user units are tenths of a millimetre (254 per inch): the width and height it
// states in millimetres are then the chosen size to the tenth, and coordinates keep their
// fractions.
constexpr int svgUnitsPerInch = 254;
constexpr double svgUnitsPerPoint = svgUnitsPerInch / 72.0;

void paintScaled(QPainter& painter, const Figure& figure, QSizeF points, double devicePerPoint) {
    painter.scale(devicePerPoint, devicePerPoint);
    paintFigure(painter, figure, points);
}

QString escaped(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString number(double value) { return QString::number(value, 'g', 6); }

// One text element of the SVG: the base runs in the element, each raised or lowered run a
// tspan of the smaller size whose dy moves it off the baseline and the next run back onto
// it, so that any viewer flows the runs with its own font and an editor keeps one object.
QString svgText(const PlacedText& text) {
    const QTransform& t = text.transform;
    QString element = QStringLiteral(
                          "<text transform=\"matrix(%1 %2 %3 %4 %5 %6)\" x=\"%7\" y=\"%8\" "
                          "font-family=\"Liberation Sans\" font-size=\"%9\" fill=\"%10\" "
                          "xml:space=\"preserve\">")
                          .arg(number(t.m11()), number(t.m12()), number(t.m21()), number(t.m22()),
                               number(t.dx()), number(t.dy()), number(text.baseline.x()),
                               number(text.baseline.y()), number(text.points))
                          .arg(text.color.name());
    double shift = 0;  // the current baseline's distance below the base line
    for (const TextRun& run : text.runs) {
        const double runShift = run.shift == TextShift::Raised    ? -raisedRunShift * text.points
                                : run.shift == TextShift::Lowered ? loweredRunShift * text.points
                                                                  : 0;
        const bool base = run.shift == TextShift::Base;
        if (base && shift == 0) {
            element += escaped(run.text);
        } else {
            element += QStringLiteral("<tspan dy=\"%1\"%2>")
                           .arg(number(runShift - shift),
                                base ? QString()
                                     : QStringLiteral(" font-size=\"%1\"")
                                           .arg(number(text.points * shiftedRunScale)));
            element += escaped(run.text) + QStringLiteral("</tspan>");
        }
        shift = runShift;
    }
    return element + QStringLiteral("</text>\n");
}

bool writeSvg(QIODevice& device, const Figure& figure, QSizeF points) {
    // The generator draws the lines and markers; the texts are written by svgText.
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&drawing);
    svg.setResolution(svgUnitsPerInch);
    const QSize units(static_cast<int>(std::lround(points.width() * svgUnitsPerPoint)),
                      static_cast<int>(std::lround(points.height() * svgUnitsPerPoint)));
    svg.setSize(units);
    svg.setViewBox(QRect(QPoint(0, 0), units));
    svg.setTitle(QStringLiteral("condsim figure"));
    std::vector<PlacedText> texts;
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.scale(svgUnitsPerPoint, svgUnitsPerPoint);
    paintFigure(painter, figure, points, &texts);
    if (!painter.end()) return false;
    QByteArray bytes = drawing.data();
    const qsizetype end = bytes.lastIndexOf("</svg>");
    if (end < 0) return false;
    QString elements;
    for (const PlacedText& text : texts) elements += svgText(text);
    bytes.insert(end, elements.toUtf8());
    return device.write(bytes) == bytes.size();
}

bool writePdf(QIODevice& device, const Figure& figure, QSizeF points) {
    QPdfWriter pdf(&device);
    pdf.setResolution(pdfDotsPerInch);
    // Defined in millimetres, which keep their fractions (the PDF's box is then whole points).
    pdf.setPageSize(
        QPageSize(points * (25.4 / 72), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setCreator(QStringLiteral("condsim"));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    paintScaled(painter, figure, points, pdfDotsPerInch / 72.0);
    return painter.end();
}

bool writePng(QIODevice& device, const Figure& figure, QSizeF points, int dotsPerInch) {
    const double pixelsPerPoint = dotsPerInch / 72.0;
    QImage image(static_cast<int>(std::lround(points.width() * pixelsPerPoint)),
                 static_cast<int>(std::lround(points.height() * pixelsPerPoint)),
                 QImage::Format_RGB32);
    if (image.isNull()) return false;
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintScaled(painter, figure, points, pixelsPerPoint);
    }
    QImageWriter writer(&device, "png");
    return writer.write(image);
}

}  // namespace

std::string figureFormatOf(const std::string& fileName) { return figureFileFormat(fileName); }

std::string writeFigureFile(const Figure& figure, const std::string& fileName,
                            const FigureSize& size) {
    const std::string format = figureFormatOf(fileName);
    if (format.empty()) return "the file name must end in .svg, .pdf or .png: " + fileName;
    if (!(size.widthCentimetres > 0) || size.heightCentimetres < 0 || size.pngDotsPerInch <= 0)
        return "the figure size must be positive";
    const double height =
        size.heightCentimetres > 0 ? size.heightCentimetres : 0.8 * size.widthCentimetres;
    const QSizeF points(size.widthCentimetres * pointsPerCentimetre, height * pointsPerCentimetre);
    Figure drawn = figure;
    if (!size.caption) drawn.caption.clear();

    // Drawn into memory first: the file is then written by the one channel of every output,
    // whole or not at all, with its I/O error (a full disk, a missing folder) raised.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    if (format == "svg") written = writeSvg(buffer, drawn, points);
    if (format == "pdf") written = writePdf(buffer, drawn, points);
    if (format == "png") written = writePng(buffer, drawn, points, size.pngDotsPerInch);
    buffer.close();
    if (!written || bytes.isEmpty()) return "the figure could not be drawn into " + fileName;
    writeTextFileAtomically(fileName, bytes.toStdString());
    return {};
}

}  // namespace condsim
