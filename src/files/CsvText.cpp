#include "files/CsvText.h"

#include <charconv>

namespace condsim {

std::string csvNumber(ext value) {
    char text[64];
    return {text,
            std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr};
}

std::string csvRecord(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + "\r\n";
}

}  // namespace condsim
