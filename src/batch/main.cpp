// condsim-batch: the steps of the desktop program without a display.

#include <QGuiApplication>
#include <clocale>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "batch/BatchOptions.h"
#include "batch/BatchSession.h"
#include "core/ReleaseInfo.h"
#include "files/DecimalSeparator.h"
#include "raster/FigureFile.h"
#include "raster/RasterCanvas.h"

namespace {

// Text in figures needs Qt's font database, which lives in a QGuiApplication. It is made
// only when figures are asked for, on the offscreen platform unless another is set, and
// the C library keeps the "C" numeric rules that Qt's start-up replaces.
std::unique_ptr<QGuiApplication> fontsForFigures(char* programName) {
    static int argc = 1;
    static char* argv[] = {programName, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return application;
}

constexpr const char* usageHint = "Try 'condsim-batch --help' for the options and their values.";

}  // namespace

int main(int argc, char** argv) {
    using namespace condsim;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    BatchOptions options;
    try {
        options = parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        // The reason and where to read more: the whole usage would scroll the reason away.
        std::cerr << "condsim-batch: " << error.reason << '\n' << usageHint << '\n';
        return 2;
    }
    if (options.help) {
        std::cout << batchUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "condsim-batch " << programVersion << '\n';
        return 0;
    }
    setDecimalSeparator(options.decimalSeparator ? *options.decimalSeparator
                                                 : decimalSeparatorOfUserLocale());
    const CanvasFactory rasterCanvases = [](int width, int height) {
        return std::make_unique<RasterCanvas>(width, height);
    };
    const PictureWriter writePng = [](const Canvas& canvas, const std::string& fileName) {
        const auto* raster = dynamic_cast<const RasterCanvas*>(&canvas);
        return raster != nullptr && raster->savePng(fileName);
    };
    const auto guiApplication = options.figures.empty() ? nullptr : fontsForFigures(argv[0]);
    FigureSize figureSize;
    if (options.figureWidth) figureSize.widthCentimetres = *options.figureWidth;
    if (options.figureDotsPerInch) figureSize.pngDotsPerInch = *options.figureDotsPerInch;
    const FigureWriter writeFigure = [figureSize](const Figure& figure,
                                                  const std::string& fileName) {
        return writeFigureFile(figure, fileName, figureSize);
    };
    return runBatch(options, std::cerr, rasterCanvases, writePng, writeFigure);
}
