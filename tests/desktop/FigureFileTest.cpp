// The labelled figure files: SVG that parses as XML with the axis titles as text and one
// path per curve, a caption broken between items or left out, tick labels and species
// names that touch nothing, the export dialog's choices, a one-page PDF, a PNG at the
// chosen resolution, and refusals that write nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <cmath>
#include <map>
#include <vector>

#include "core/Error.h"
#include "desktop/ExportFigureDialog.h"
#include "raster/FigureFile.h"

using namespace condsim;

namespace {

// Two curves through 50 points and one series of 12 open circles, as a conductivity
// figure has them.
Figure sampleFigure() {
    Figure figure;
    FigureSeries first{"calculated", {}, {}, colors::black, LineStyle::Solid, MarkerShape::None,
                       false,        {}, {}};
    FigureSeries second{"second model", {}, {}, colors::blue, LineStyle::Dashed, MarkerShape::None,
                        false,          {}, {}};
    for (int i = 1; i <= 50; ++i) {
        const double c = 0.0002 * i;
        first.x.push_back(c);
        first.y.push_back(800 * c - 5000 * c * c);
        second.x.push_back(c);
        second.y.push_back(780 * c - 4000 * c * c);
    }
    FigureSeries observed{
        "observed", {}, {}, colors::black, LineStyle::None, MarkerShape::OpenCircle, false, {}, {}};
    for (int i = 1; i <= 12; ++i) {
        observed.x.push_back(0.0008 * i);
        observed.y.push_back(800 * 0.0008 * i * 0.99);
    }
    figure.series = {first, second, observed};
    figure.x = figureAxis("C0 / mol L-1", {first.x}, true);
    figure.y = figureAxis("\u03ba / mS cm-1", {first.y, observed.y}, true);
    figure.caption = "AX6: K1 = 10000 L mol-1; ideal solution.";
    return figure;
}

QByteArray contentOf(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class FigureFileTest : public QObject {
    Q_OBJECT

  private slots:
    void svgParsesAndHoldsTitlesAndOnePathPerCurve();
    void captionBreaksOnlyBetweenItemsOrIsLeftOut_data();
    void captionBreaksOnlyBetweenItemsOrIsLeftOut();
    void xLabelsNeverTouch_data();
    void xLabelsNeverTouch();
    void curveLabelsTouchNothing_data();
    void curveLabelsTouchNothing();
    void exportDialogChoosesCaptionAndAxis_data();
    void exportDialogChoosesCaptionAndAxis();
    void pdfHasOnePageOfTheChosenSize();
    void pngHasTheChosenResolution_data();
    void pngHasTheChosenResolution();
    void refusedNamesWriteNothing_data();
    void refusedNamesWriteNothing();
    void aFileThatCannotBeWrittenRaisesItsError_data();
    void aFileThatCannotBeWrittenRaisesItsError();
};

void FigureFileTest::svgParsesAndHoldsTitlesAndOnePathPerCurve() {
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("figure.svg"));
    QCOMPARE(QString::fromStdString(writeFigureFile(sampleFigure(), name.toStdString())),
             QString());

    QXmlStreamReader xml(contentOf(name));
    QStringList texts;
    QString allText;
    int unfilledPaths = 0;
    QString width;
    QStringList groupFills;  // the fill of each enclosing group, innermost last
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("g"))
            groupFills.removeLast();
        if (token != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("g"))
            groupFills << xml.attributes().value(QLatin1String("fill")).toString();
        if (xml.name() == QLatin1String("svg"))
            width = xml.attributes().value(QLatin1String("width")).toString();
        if (xml.name() == QLatin1String("text")) {
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            texts << text.trimmed();
            allText += text;
        }
        // A curve is a path that is stroked and not filled (its own fill or its group's);
        // frames, ticks and circles are not paths of that kind.
        if (xml.name() == QLatin1String("path")) {
            const QString fill = xml.attributes().hasAttribute(QLatin1String("fill"))
                                     ? xml.attributes().value(QLatin1String("fill")).toString()
                                     : groupFills.value(groupFills.size() - 1);
            if (fill == QLatin1String("none")) ++unfilledPaths;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(texts.contains(QStringLiteral("C0 / mol L-1")));
    // The renderer may draw a title in runs (the Greek letter apart from the rest).
    QVERIFY(allText.contains(QStringLiteral("\u03ba / mS cm-1")));
    QVERIFY(texts.contains(QStringLiteral("observed")));
    QVERIFY(texts.contains(QStringLiteral("0.010")));
    QCOMPARE(unfilledPaths, 2);
    QCOMPARE(width, QStringLiteral("85mm"));
}

void FigureFileTest::captionBreaksOnlyBetweenItemsOrIsLeftOut_data() {
    QTest::addColumn<double>("widthCentimetres");
    QTest::addColumn<bool>("caption");
    QTest::addColumn<int>("lines");
    QTest::newRow("one column") << 8.5 << true << 3;
    QTest::newRow("narrow") << 5.0 << true << 6;
    QTest::newRow("two columns") << 17.0 << true << 2;
    QTest::newRow("left out for the journal's text") << 8.5 << false << 0;
}

// The caption's lines (its texts are the only ones of 6.5 pt) end at the end of an item,
// so that no value is parted from its name, and together they are the whole caption.
void FigureFileTest::captionBreaksOnlyBetweenItemsOrIsLeftOut() {
    QFETCH(double, widthCentimetres);
    QFETCH(bool, caption);
    QFETCH(int, lines);
    Figure figure = sampleFigure();
    figure.caption =
        "AX2: K_{1} = 0.220253 L mol^{\u22121}, K_{2} = 0.00220253 L mol^{\u22121}; "
        "\u03bb(A/z) = 59.1788 S cm^{2} mol^{\u22121}, \u03bb(X^{\u2212}) = 76.35 S cm^{2} "
        "mol^{\u22121}; Debye\u2013H\u00fcckel + Onsager\u2013Fuoss, water 25 \u00b0C, "
        "a = 4.5 \u00c5.";
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("figure.svg"));
    QCOMPARE(QString::fromStdString(
                 writeFigureFile(figure, name.toStdString(), {widthCentimetres, 0, 300, caption})),
             QString());
    QXmlStreamReader xml(contentOf(name));
    QStringList captionLines;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("text"))
            continue;
        const bool small =
            xml.attributes().value(QLatin1String("font-size")) == QLatin1String("6.5");
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (small) captionLines << text;
    }
    QCOMPARE(captionLines.size(), lines);
    if (!caption) return;
    for (int i = 0; i + 1 < captionLines.size(); ++i)
        QVERIFY2(captionLines[i].endsWith(QLatin1Char(',')) ||
                     captionLines[i].endsWith(QLatin1Char(';')),
                 qPrintable(captionLines[i]));
    QCOMPARE(captionLines.join(QLatin1Char(' ')),
             QStringLiteral("AX2: K1 = 0.220253 L mol\u22121, K2 = 0.00220253 L mol\u22121; "
                            "\u03bb(A/z) = 59.1788 S cm2 mol\u22121, \u03bb(X\u2212) = 76.35 S "
                            "cm2 mol\u22121; Debye\u2013H\u00fcckel + Onsager\u2013Fuoss, water "
                            "25 \u00b0C, a = 4.5 \u00c5."));
}

void FigureFileTest::xLabelsNeverTouch_data() {
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("widthCentimetres");
    QTest::newRow("near 1e-7 M, one column") << 1.1e-6 << 8.5;
    QTest::newRow("near 1e-7 M, narrow") << 1.1e-6 << 4.0;
    QTest::newRow("near 1e300, narrow") << 2.3e300 << 4.0;
    QTest::newRow("ordinary, narrow") << 0.0101 << 3.0;
}

// The x labels (the texts of 7 pt on the lowest baseline of the labels) keep apart: each
// measured at full size, its raised exponent included, ends before the next begins.
void FigureFileTest::xLabelsNeverTouch() {
    QFETCH(double, highest);
    QFETCH(double, widthCentimetres);
    Figure figure = sampleFigure();
    for (FigureSeries& series : figure.series)
        for (double& x : series.x) x *= highest / 0.01;
    figure.x = figureAxis("C_{0} / mol L^{\u22121}", {figure.series[0].x}, true);
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("figure.svg"));
    QCOMPARE(QString::fromStdString(
                 writeFigureFile(figure, name.toStdString(), {widthCentimetres, 0, 300, false})),
             QString());
    QXmlStreamReader xml(contentOf(name));
    std::map<double, std::vector<std::pair<double, QString>>> rows;  // baseline: x, text
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("text"))
            continue;
        const auto attributes = xml.attributes();
        if (attributes.value(QLatin1String("font-size")) != QLatin1String("7")) continue;
        const double x = attributes.value(QLatin1String("x")).toDouble();
        const double y = attributes.value(QLatin1String("y")).toDouble();
        rows[y].emplace_back(x, xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    QVERIFY(!rows.empty());
    const auto& labels = rows.rbegin()->second;  // the lowest row of 7 pt texts
    QVERIFY2(labels.size() >= 2, qPrintable(QString::number(labels.size())));
    QImage points(1, 1, QImage::Format_RGB32);  // 72 dpi: widths in points
    points.setDotsPerMeterX(2835);
    points.setDotsPerMeterY(2835);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7);
    const QFontMetricsF metrics(font, &points);
    for (size_t i = 1; i < labels.size(); ++i) {
        const double end = labels[i - 1].first + metrics.horizontalAdvance(labels[i - 1].second);
        QVERIFY2(end < labels[i].first,
                 qPrintable(labels[i - 1].second + QStringLiteral(" touches ") + labels[i].second));
    }
}

void FigureFileTest::curveLabelsTouchNothing_data() {
    QTest::addColumn<double>("K1");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("widthCentimetres");
    QTest::addColumn<bool>("clearOfCurves");
    QTest::newRow("6:1, crowded at zero") << 10000.0 << 6 << 8.5 << true;
    QTest::newRow("2:1, weak binding: AX0 near 100 %, AX2 near 0 %") << 12.0 << 2 << 8.5 << true;
    // Where AX5 and AX6 run together near 0 % on a narrow figure no place is clear of both
    // curves: the names still keep off each other and the frame.
    QTest::newRow("6:1, narrow") << 10000.0 << 6 << 6.0 << false;
}

// Species curves of stepwise binding (K(i+1) = K(i) / 5) carry their names; each name's box,
// measured at 72 dpi and placed by the SVG's coordinates, lies inside the frame (found from
// the first and last tick labels), overlaps no other name and no other species' curve.
void FigureFileTest::curveLabelsTouchNothing() {
    QFETCH(double, K1);
    QFETCH(int, n);
    QFETCH(double, widthCentimetres);
    QFETCH(bool, clearOfCurves);
    Figure figure;
    std::vector<double> x;
    for (int i = 0; i <= 300; ++i) x.push_back(0.01 * i / 300);
    for (int species = 0; species <= n; ++species) {
        FigureSeries series{"AX" + std::to_string(species),
                            x,
                            {},
                            colors::black,
                            LineStyle::Solid,
                            MarkerShape::None,
                            true,
                            {},
                            {}};
        for (const double c : x) {
            double beta = 1, sum = 0, term = 0;
            for (int i = 0; i <= n; ++i) {
                if (i > 0) beta *= K1 / std::pow(5.0, i - 1) * c;
                sum += beta;
                if (i == species) term = beta;
            }
            series.y.push_back(100 * term / sum);
        }
        figure.series.push_back(series);
    }
    figure.x = figureAxis("C", {x}, true);
    figure.y = figureAxis("%", {{0.0, 100.0}}, true);
    figure.legend = LegendPlace::None;
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("figure.svg"));
    QCOMPARE(QString::fromStdString(
                 writeFigureFile(figure, name.toStdString(), {widthCentimetres, 0, 300, false})),
             QString());

    QImage points(1, 1, QImage::Format_RGB32);  // 72 dpi: lengths in points
    points.setDotsPerMeterX(2835);
    points.setDotsPerMeterY(2835);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7);
    const QFontMetricsF metrics(font, &points);
    std::map<std::string, QRectF> boxes;
    std::map<QString, QPointF> ticks;  // tick label text: its centre on the baseline
    QXmlStreamReader xml(contentOf(name));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("text"))
            continue;
        const double left = xml.attributes().value(QLatin1String("x")).toDouble();
        const double baseline = xml.attributes().value(QLatin1String("y")).toDouble();
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        const double width = metrics.horizontalAdvance(text);
        if (text.startsWith(QLatin1String("AX")))
            boxes[text.toStdString()] = QRectF(left, baseline - metrics.ascent(), width,
                                               metrics.ascent() + metrics.descent());
        else
            ticks[text] = QPointF(left + width / 2, baseline);
    }
    QCOMPARE(boxes.size(), static_cast<size_t>(n + 1));
    // x ticks 0.000 and 0.010 centred under the frame's ends; y ticks 0 and 100 right of it.
    const double right = ticks.at(QStringLiteral("0.010")).x();
    const double frameTop =
        ticks.at(QStringLiteral("100")).y() - (metrics.ascent() - metrics.descent()) / 2;
    const double frameBottom =
        ticks.at(QStringLiteral("0")).y() - (metrics.ascent() - metrics.descent()) / 2;
    const double frameLeft = ticks.at(QStringLiteral("0.000")).x();
    const QRectF frame(QPointF(frameLeft, frameTop), QPointF(right, frameBottom));
    const auto map = [&](double vx, double vy) {
        return QPointF(frame.left() + vx / 0.01 * frame.width(),
                       frame.bottom() - vy / 100 * frame.height());
    };
    for (const auto& [label, box] : boxes) {
        QVERIFY2(frame.contains(box), label.c_str());
        for (const auto& [other, otherBox] : boxes)
            QVERIFY2(other == label || !box.intersects(otherBox), (label + " on " + other).c_str());
        for (const FigureSeries& series : figure.series) {
            if (series.name == label || !clearOfCurves) continue;
            for (size_t i = 1; i < series.x.size(); ++i) {
                const QPointF from = map(series.x[i - 1], series.y[i - 1]);
                const QPointF to = map(series.x[i], series.y[i]);
                for (int k = 0; k <= 8; ++k)
                    QVERIFY2(!box.contains(from + (to - from) * k / 8),
                             (label + " on the curve of " + series.name).c_str());
            }
        }
    }
}

void FigureFileTest::exportDialogChoosesCaptionAndAxis_data() {
    QTest::addColumn<bool>("caption");
    QTest::addColumn<QString>("axis");  // the item's text, empty: as it opens
    QTest::addColumn<int>("scale");     // -1: the figure's own axis
    QTest::newRow("as it opens") << true << QString() << -1;
    QTest::newRow("no caption, logarithmic")
        << false << QStringLiteral("Logarithmic") << static_cast<int>(FigureScale::Logarithmic);
    QTest::newRow("square root") << true << QStringLiteral("Square root")
                                 << static_cast<int>(FigureScale::SquareRoot);
    QTest::newRow("linear") << true << QStringLiteral("Linear")
                            << static_cast<int>(FigureScale::Linear);
}

// File/Export Figure...'s check box and concentration axis reach the writer's size and the
// builder's options; it opens with the caption on and the figure's own axis.
void FigureFileTest::exportDialogChoosesCaptionAndAxis() {
    QFETCH(bool, caption);
    QFETCH(QString, axis);
    QFETCH(int, scale);
    qt::ExportFigureDialog dialog(nullptr, {FigureKind::Distribution});
    auto* box = dialog.findChild<QCheckBox*>();
    QVERIFY(box != nullptr);
    QVERIFY(box->isChecked());
    if (!caption) box->setChecked(false);
    if (!axis.isEmpty()) {
        bool found = false;
        for (auto* combo : dialog.findChildren<QComboBox*>()) {
            const int index = combo->findText(axis);
            if (index < 0) continue;
            combo->setCurrentIndex(index);
            found = true;
        }
        QVERIFY(found);
    }
    const qt::FigureExportChoice choice = dialog.choice();
    QCOMPARE(choice.size.caption, caption);
    QCOMPARE(choice.options.x.has_value(), scale >= 0);
    if (scale >= 0) QCOMPARE(static_cast<int>(*choice.options.x), scale);
}

void FigureFileTest::pdfHasOnePageOfTheChosenSize() {
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("figure.PDF"));
    QCOMPARE(
        QString::fromStdString(writeFigureFile(sampleFigure(), name.toStdString(), {12, 9, 300})),
        QString());
    const QByteArray pdf = contentOf(name);
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
             1);
    // 12 cm x 9 cm in points (340.16 x 255.12); the PDF's page box is in whole points.
    const QByteArray mediaBox = pdf.mid(pdf.indexOf("/MediaBox"), 40);
    QVERIFY2(mediaBox.contains(" 340.") && mediaBox.contains(" 255."), mediaBox.constData());
}

void FigureFileTest::pngHasTheChosenResolution_data() {
    QTest::addColumn<int>("dotsPerInch");
    QTest::addColumn<double>("widthCentimetres");
    QTest::addColumn<int>("pixelWidth");
    QTest::addColumn<int>("pixelHeight");
    QTest::newRow("journal column at 300 dpi") << 300 << 8.5 << 1004 << 803;
    QTest::newRow("two columns at 600 dpi") << 600 << 17.0 << 4016 << 3213;
    QTest::newRow("screen at 96 dpi") << 96 << 8.5 << 321 << 257;
}

void FigureFileTest::pngHasTheChosenResolution() {
    QFETCH(int, dotsPerInch);
    QFETCH(double, widthCentimetres);
    QFETCH(int, pixelWidth);
    QFETCH(int, pixelHeight);
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("figure.png"));
    QCOMPARE(QString::fromStdString(writeFigureFile(sampleFigure(), name.toStdString(),
                                                    {widthCentimetres, 0, dotsPerInch})),
             QString());
    const QImage image(name);
    QCOMPARE(image.width(), pixelWidth);
    QCOMPARE(image.height(), pixelHeight);
    QCOMPARE(image.dotsPerMeterX(), static_cast<int>(std::lround(dotsPerInch / 0.0254)));
    // Dark lines and text on white: the corner is white and some 1 % of the pixels are dark.
    QCOMPARE(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    qsizetype dark = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* row = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) dark += row[x] < 128 ? 1 : 0;
    }
    const qsizetype pixels = qsizetype(gray.width()) * gray.height();
    QVERIFY2(dark > pixels / 400 && dark < pixels / 10,
             qPrintable(QString::number(dark) + " dark"));
}

void FigureFileTest::refusedNamesWriteNothing_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown extension")
        << QStringLiteral("figure.eps")
        << QStringLiteral("the file name must end in .svg, .pdf or .png: ");
    QTest::newRow("no extension") << QStringLiteral("figure")
                                  << QStringLiteral(
                                         "the file name must end in .svg, .pdf or .png: ");
}

void FigureFileTest::refusedNamesWriteNothing() {
    QFETCH(QString, fileName);
    QFETCH(QString, reason);
    QTemporaryDir directory;
    const QString name = directory.filePath(fileName);
    const QString failure =
        QString::fromStdString(writeFigureFile(sampleFigure(), name.toStdString()));
    QVERIFY2(failure.startsWith(reason + name), qPrintable(failure));
    QCOMPARE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

// Every format goes through the file channel: a full disk (a name that leads to /dev/full)
// or a missing folder raises the I/O error naming the file, and an old file stays.
void FigureFileTest::aFileThatCannotBeWrittenRaisesItsError_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("error");
    for (const char* format : {"svg", "pdf", "png"}) {
        const QString name = QStringLiteral("figure.") + QLatin1String(format);
        QTest::newRow((std::string("full disk, ") + format).c_str())
            << name << true << QStringLiteral("ディスクがいっぱいです");
        QTest::newRow((std::string("missing folder, ") + format).c_str())
            << QStringLiteral("missing/") + name << false
            << QStringLiteral("ファイルが見つかりません");
    }
}

void FigureFileTest::aFileThatCannotBeWrittenRaisesItsError() {
    QFETCH(QString, fileName);
    QFETCH(bool, fullDisk);
    QFETCH(QString, error);
    if (fullDisk && !QFileInfo::exists(QStringLiteral("/dev/full"))) QSKIP("no /dev/full");
    QTemporaryDir directory;
    const QString name = directory.filePath(fileName);
    if (fullDisk) QVERIFY(QFile::link(QStringLiteral("/dev/full"), name));
    try {
        writeFigureFile(sampleFigure(), name.toStdString());
        QFAIL("written");
    } catch (const Error& raised) {
        QCOMPARE(QString::fromStdString(raised.text()), error);
        // The file channel names the file it wrote: the one a link leads to.
        QCOMPARE(QString::fromStdString(raised.detail()),
                 fullDisk ? QStringLiteral("/dev/full") : name);
    }
    QStringList left = QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.removeAll(fileName);
    QCOMPARE(left, QStringList());  // no temporary file left behind
}

QTEST_MAIN(FigureFileTest)
#include "FigureFileTest.moc"
