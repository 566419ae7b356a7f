// condsim-batch: the steps of the desktop program without a display.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "batch/BatchOptions.h"
#include "batch/BatchSession.h"
#include "core/ReleaseInfo.h"
#include "files/DecimalSeparator.h"
#include "raster/RasterCanvas.h"

int main(int argc, char** argv) {
    using namespace condsim;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    BatchOptions options;
    try {
        options = parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        std::cerr << "condsim-batch: " << error.reason << "\n\n" << batchUsage();
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
    return runBatch(options, std::cerr, rasterCanvases, writePng);
}
