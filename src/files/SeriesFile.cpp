#include "files/SeriesFile.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "core/Error.h"
#include "files/NumberText.h"
#include "files/ObservedDataFile.h"
#include "files/TextFile.h"

namespace condsim {

namespace {

// The fields of a line: blank- or tab-separated tokens, a double-quoted token taken whole;
// '#' outside quotes ends the line. Returns false on a quote that is not closed.
bool splitFields(const std::string& line, std::vector<std::string>& fields) {
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos) return false;
            fields.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' &&
                   line[end] != '\r' && line[end] != '#') {
                ++end;
            }
            fields.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

// A positive finite number written with a period, the whole token.
std::optional<ext> positiveNumber(const std::string& token) {
    ext value = 0;
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

// The problem of a line's fields, or empty; fills the line's values.
std::string readFields(const std::vector<std::string>& fields, const std::string& folder,
                       SeriesFileLine& entry) {
    if (fields.size() < 2 || fields.size() > 3) {
        return "expected a data file, its temperature in K and optionally the anion's limiting "
               "conductivity, found " +
               std::to_string(fields.size()) + " fields";
    }
    const std::filesystem::path data(fields[0]);
    entry.dataFile = (data.is_absolute() ? data : std::filesystem::path(folder) / data)
                         .lexically_normal()
                         .string();
    const auto temperature = positiveNumber(fields[1]);
    if (!temperature) return "the temperature '" + fields[1] + "' is not a positive number (K)";
    entry.temperature = *temperature;
    if (fields.size() == 3) {
        entry.anionConductivity = positiveNumber(fields[2]);
        if (!entry.anionConductivity) {
            return "the anion's limiting conductivity '" + fields[2] + "' is not a positive number";
        }
    }
    return {};
}

// The observed pairs of the line's data file, or its problem.
void readObserved(SeriesFileLine& entry) {
    if (!fileExists(entry.dataFile)) {
        entry.problem = "the data file " + entry.dataFile + " does not exist";
        return;
    }
    try {
        entry.observed = ReadObservedDataFile(entry.dataFile);
    } catch (const Error& error) {
        entry.problem = "the data file " + entry.dataFile + " was refused: " + error.text();
        if (!error.detail().empty()) entry.problem += " (" + error.detail() + ")";
    }
}

}  // namespace

std::vector<SeriesFileLine> parseSeriesText(const std::string& text, const std::string& name,
                                            const std::string& folder) {
    std::vector<SeriesFileLine> lines;
    // A byte-order mark, as some editors write at the start of UTF-8 text, is no field.
    const std::string_view bom = "\xEF\xBB\xBF";
    std::istringstream stream(text.rfind(bom, 0) == 0 ? text.substr(bom.size()) : text);
    std::string line;
    int number = 0;
    while (std::getline(stream, line)) {
        ++number;
        std::vector<std::string> fields;
        SeriesFileLine entry;
        entry.line = number;
        entry.where = name + ", line " + std::to_string(number);
        if (!splitFields(line, fields)) {
            entry.problem = "a double quote is not closed";
            lines.push_back(std::move(entry));
            continue;
        }
        if (fields.empty()) continue;
        entry.problem = readFields(fields, folder, entry);
        if (entry.problem.empty()) {
            for (const SeriesFileLine& earlier : lines) {
                if (earlier.temperature == entry.temperature) {
                    entry.problem = "the temperature " + NumberText(entry.temperature, '.') +
                                    " K is already that of line " + std::to_string(earlier.line);
                    break;
                }
            }
        }
        if (entry.problem.empty()) readObserved(entry);
        lines.push_back(std::move(entry));
    }
    return lines;
}

std::string seriesFileText(const std::vector<SeriesEntry>& entries) {
    std::string text;
    for (const SeriesEntry& entry : entries) {
        text += "\"" + entry.dataFile + "\" " + entry.temperature;
        if (!entry.anion.empty()) text += " " + entry.anion;
        text += "\n";
    }
    return text;
}

std::vector<SeriesEntry> seriesEntriesOf(const std::vector<SeriesFileLine>& lines) {
    std::vector<SeriesEntry> entries;
    entries.reserve(lines.size());
    for (const SeriesFileLine& line : lines) {
        entries.push_back({line.dataFile,
                           line.temperature > 0 ? NumberText(line.temperature, '.') : "",
                           line.anionConductivity ? NumberText(*line.anionConductivity, '.') : ""});
    }
    return entries;
}

std::vector<SeriesFileLine> readSeriesFile(const std::string& fileName) {
    const std::string text = readTextFile(fileName);
    const std::filesystem::path path(fullFileName(fileName));
    return parseSeriesText(text, path.filename().string(), path.parent_path().string());
}

}  // namespace condsim
