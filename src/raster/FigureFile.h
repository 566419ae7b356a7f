#pragma once
// Writes a labelled figure as SVG, PDF or PNG, the format chosen by the file name's
// extension (.svg, .pdf, .png, in any case). The figure is drawn in memory, then written
// as every file of condsim is (files/TextFile): to a temporary file in the target folder
// that takes the target's name only when complete, so that a failure keeps an old file.

#include <string>

#include "plot/Figure.h"
#include "plot/FigureFormat.h"

namespace condsim {

struct FigureSize {
    double widthCentimetres = 8.5;  // a journal's single column
    double heightCentimetres = 0;   // 0: 0.8 x the width
    int pngDotsPerInch = 300;       // the resolution of PNG files
    // The caption line under the plot; off for a journal that sets captions in the text
    // (the plot then takes the height).
    bool caption = true;
};

// The format's name ("svg", "pdf", "png") of a file name, or empty when its extension is
// none of them.
std::string figureFormatOf(const std::string& fileName);

// Writes the figure (without its caption unless size.caption); returns an empty text on success,
// otherwise why it was not drawn (a name without a known extension, a size that is not positive). A
// file that cannot be written raises its I/O error (files/TextFile), such as a full disk, naming
// the file.
std::string writeFigureFile(const Figure& figure, const std::string& fileName,
                            const FigureSize& size = {});

}  // namespace condsim
