#pragma once
// File/Export Figure... and File/Export Data... of the windows: a refusal when there is
// nothing to export (a message, nothing written), otherwise the save dialog in the last
// data directory with a proposed name, then the file. A file that cannot be written raises
// the error with its reason.

#include <functional>
#include <string>

#include "ui/PaperFigures.h"
#include "ui/Platform.h"
#include "ui/ProcessState.h"

namespace condsim {

// Writes a figure to a file in the format of its extension; returns why it could not draw
// it, or an empty text when it was written. A file that cannot be written raises its I/O
// error (Error), as every file of condsim does.
using FigureWriter = std::function<std::string(const Figure& figure, const std::string& fileName)>;

// The name proposed for an export: the observed data file's name without its extension,
// "_" and the suffix ("run1.txt" and "conductivity.svg" give "run1_conductivity.svg"), or
// the suffix alone when no data were loaded.
std::string proposedExportName(const std::string& dataFileName, const std::string& suffix);

void exportFigure(Platform& platform, ProcessState& state, const BuiltFigure& built,
                  const std::string& suffix, const FigureWriter& writeFigure);

void exportData(Platform& platform, ProcessState& state);

}  // namespace condsim
