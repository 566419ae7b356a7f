// The raster canvas: which pixels a rectangle, an ellipse and a line cover, the pen
// widths, the white disc of a marker over a line, and the PNG export.

#include <QTemporaryDir>
#include <QtTest>

#include "core/Error.h"
#include "raster/RasterCanvas.h"

using condsim::Error;
using condsim::RasterCanvas;
namespace colors = condsim::colors;

namespace {

QRgb rgb(condsim::Color color) { return qRgb(color.red, color.green, color.blue); }

QRgb pixel(const RasterCanvas& canvas, int x, int y) {
    return canvas.image().pixel(x, y) & 0xFFFFFF;
}

// Pixels of the column x between the rows, that have the colour.
int countInColumn(const RasterCanvas& canvas, int x, int fromY, int toY, condsim::Color color) {
    int count = 0;
    for (int y = fromY; y <= toY; ++y)
        count += pixel(canvas, x, y) == (rgb(color) & 0xFFFFFF) ? 1 : 0;
    return count;
}

}  // namespace

class RasterCanvasTest : public QObject {
    Q_OBJECT

  private slots:
    void newCanvasIsWhiteAtItsSize();
    void rectangleCoversTheBoxWithoutItsRightAndBottomEdge_data();
    void rectangleCoversTheBoxWithoutItsRightAndBottomEdge();
    void markerIsAWhiteDiscThatCoversTheLineBelow();
    void penWidthSetsTheLineThickness_data();
    void penWidthSetsTheLineThickness();
    void savePngWritesTheImage();
};

void RasterCanvasTest::newCanvasIsWhiteAtItsSize() {
    const RasterCanvas canvas(30, 20);
    QCOMPARE(canvas.width(), 30);
    QCOMPARE(canvas.height(), 20);
    QCOMPARE(pixel(canvas, 0, 0), rgb(colors::white) & 0xFFFFFF);
    QCOMPARE(pixel(canvas, 29, 19), rgb(colors::white) & 0xFFFFFF);
}

void RasterCanvasTest::rectangleCoversTheBoxWithoutItsRightAndBottomEdge_data() {
    QTest::addColumn<QRect>("corners");  // x1, y1 as the top left, x2, y2 as width and height
    QTest::newRow("top left first") << QRect(2, 3, 10, 8);
    QTest::newRow("bottom right first") << QRect(10, 8, 2, 3);
    QTest::newRow("top right first") << QRect(10, 3, 2, 8);
}

void RasterCanvasTest::rectangleCoversTheBoxWithoutItsRightAndBottomEdge() {
    QFETCH(QRect, corners);
    RasterCanvas canvas(20, 20);
    canvas.setPenColor(colors::red);
    canvas.setBrushColor(colors::yellow);
    canvas.rectangle(corners.x(), corners.y(), corners.width(), corners.height());
    const QRgb red = rgb(colors::red) & 0xFFFFFF;
    const QRgb yellow = rgb(colors::yellow) & 0xFFFFFF;
    const QRgb white = rgb(colors::white) & 0xFFFFFF;
    // The box (2, 3) .. (10, 8): outline on 2..9 and 3..7, filled inside.
    QCOMPARE(pixel(canvas, 2, 3), red);
    QCOMPARE(pixel(canvas, 9, 7), red);
    QCOMPARE(pixel(canvas, 9, 5), red);
    QCOMPARE(pixel(canvas, 5, 5), yellow);
    QCOMPARE(pixel(canvas, 10, 5), white);
    QCOMPARE(pixel(canvas, 5, 8), white);
    QCOMPARE(pixel(canvas, 1, 3), white);
}

void RasterCanvasTest::markerIsAWhiteDiscThatCoversTheLineBelow() {
    RasterCanvas canvas(40, 40);
    canvas.setPenColor(colors::blue);
    canvas.moveTo(0, 20);
    canvas.lineTo(39, 20);
    QCOMPARE(pixel(canvas, 20, 20), rgb(colors::blue) & 0xFFFFFF);
    canvas.setPenColor(colors::red);
    canvas.setPenWidth(2);
    canvas.setBrushColor(colors::white);
    canvas.ellipse(15, 15, 25, 25);  // a marker of radius 5 around (20, 20)
    QCOMPARE(pixel(canvas, 20, 20), rgb(colors::white) & 0xFFFFFF);
    QVERIFY(countInColumn(canvas, 20, 13, 27, colors::red) >= 2);  // top and bottom outline
    QCOMPARE(pixel(canvas, 5, 20), rgb(colors::blue) & 0xFFFFFF);  // the line outside stays
}

void RasterCanvasTest::penWidthSetsTheLineThickness_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("thickness");
    QTest::newRow("one pixel") << 1 << 1;
    QTest::newRow("two pixels") << 2 << 2;
    QTest::newRow("zero draws one pixel") << 0 << 1;
}

void RasterCanvasTest::penWidthSetsTheLineThickness() {
    QFETCH(int, width);
    QFETCH(int, thickness);
    RasterCanvas canvas(20, 20);
    canvas.setPenColor(colors::green);
    canvas.setPenWidth(width);
    canvas.moveTo(2, 10);
    canvas.lineTo(17, 10);
    QCOMPARE(countInColumn(canvas, 10, 0, 19, colors::green), thickness);
    QCOMPARE(canvas.penWidth(), width);  // the canvas keeps the pen as it was set
}

void RasterCanvasTest::savePngWritesTheImage() {
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    RasterCanvas canvas(12, 9);
    canvas.setPenColor(colors::purple);
    canvas.rectangle(1, 1, 8, 6);
    const QString path = directory.filePath(QStringLiteral("plot.png"));
    canvas.savePng(path.toStdString());
    const QImage read(path);
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32), canvas.image());
    // A file that cannot be written raises its I/O error: a missing folder, a full disk.
    QVERIFY_THROWS_EXCEPTION(
        Error,
        canvas.savePng(directory.filePath(QStringLiteral("missing/plot.png")).toStdString()));
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        try {
            canvas.savePng("/dev/full");
            QFAIL("written to /dev/full");
        } catch (const Error& error) {
            QCOMPARE(QString::fromStdString(error.text()),
                     QStringLiteral("ディスクがいっぱいです"));
        }
    }
}

QTEST_MAIN(RasterCanvasTest)
#include "RasterCanvasTest.moc"
