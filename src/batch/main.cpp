// condsim-batch: the steps of the desktop program without a display.

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
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

// Qt's complaints about the session's runtime directory (unset, or not the user's, as
// under ssh, cron or su) concern no output of the tool; they are dropped, every other
// message of Qt is passed on.
QtMessageHandler qtMessages = nullptr;
void withoutSessionWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    if (qtMessages != nullptr) qtMessages(type, context, message);
}

// Text in figures needs Qt's font database, which lives in a QGuiApplication. It is made
// only when figures are asked for, on the offscreen platform unless another is set, and
// the C library keeps the "C" numeric rules that Qt's start-up replaces. Without a desktop
// session, Qt gets a private runtime directory for the life of the run instead of making
// one of its own in /tmp.
struct FigureFonts {
    QTemporaryDir runtimeDirectory;
    std::unique_ptr<QGuiApplication> application;
};

std::unique_ptr<FigureFonts> fontsForFigures(char* programName) {
    static int argc = 1;
    static char* argv[] = {programName, nullptr};
    qtMessages = qInstallMessageHandler(withoutSessionWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto fonts = std::make_unique<FigureFonts>();
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && fonts->runtimeDirectory.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(fonts->runtimeDirectory.path()));
    fonts->application = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return fonts;
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
        if (raster == nullptr) return false;
        raster->savePng(fileName);
        return true;
    };
    const auto figureFonts = options.figures.empty() && options.seriesFigures.empty()
                                 ? nullptr
                                 : fontsForFigures(argv[0]);
    FigureSize figureSize;
    if (options.figureWidth) figureSize.widthCentimetres = *options.figureWidth;
    if (options.figureDotsPerInch) figureSize.pngDotsPerInch = *options.figureDotsPerInch;
    if (options.figureCaption) figureSize.caption = *options.figureCaption;
    const FigureWriter writeFigure = [figureSize](const Figure& figure,
                                                  const std::string& fileName) {
        return writeFigureFile(figure, fileName, figureSize);
    };
    return runBatch(options, std::cerr, rasterCanvases, writePng, writeFigure);
}
