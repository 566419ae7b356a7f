#pragma once
// The file formats of figures and pictures, told by the extension of the file name, so
// that a name can be checked before anything is drawn.

#include <string>

namespace condsim {

// The extension of a file name in lower case, without its dot; empty when it has none.
std::string fileExtension(const std::string& fileName);

// "svg", "pdf" or "png" for a file name ending in that extension (in any case), otherwise
// an empty text.
std::string figureFileFormat(const std::string& fileName);

}  // namespace condsim
