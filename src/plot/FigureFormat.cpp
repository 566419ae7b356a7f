#include "plot/FigureFormat.h"

#include <cctype>

namespace condsim {

std::string fileExtension(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const auto dot = base.find_last_of('.');
    if (dot == std::string::npos) return {};
    std::string extension = base.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::string figureFileFormat(const std::string& fileName) {
    std::string extension = fileExtension(fileName);  // not const: returned by moving
    if (extension == "svg" || extension == "pdf" || extension == "png") return extension;
    return {};
}

}  // namespace condsim
