#include "files/DelimitedTable.h"

#include <array>

#include "core/Ext.h"
#include "files/FileValueReader.h"

namespace condsim {

namespace {

constexpr char endOfFileMark = 26;
constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view withoutBlankEnds(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char separatorCharacter(ColumnSeparator separator) {
    switch (separator) {
        case ColumnSeparator::Comma:
            return ',';
        case ColumnSeparator::Semicolon:
            return ';';
        case ColumnSeparator::Tab:
            return '\t';
        case ColumnSeparator::Whitespace:
            break;
    }
    return ' ';
}

bool holdsADigit(std::string_view text) {
    for (const char c : text) {
        if (c >= '0' && c <= '9') return true;
    }
    return false;
}

// A line of data: two or more numbers, and no other field that holds a digit. Empty
// fields (",,", a trailing comma) and words (a sample's name) may stand between them; a
// field such as "001;0" (a semicolon line split at its decimal commas) may not.
bool isNumberRow(std::string_view line, ColumnSeparator separator) {
    int numbers = 0;
    for (const auto field : lineFields(line, separator)) {
        ext value = 0;
        if (field.empty()) continue;
        if (parseFileToken(field, value)) {
            ++numbers;
        } else if (holdsADigit(field)) {
            return false;
        }
    }
    return numbers >= 2;
}

bool beginsLikeANumber(std::string_view line) {
    const std::string_view text = withoutBlankEnds(line);
    if (text.empty()) return false;
    const char c = text.front();
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Tab first: a tab file is also a blank-separated one, and its empty fields only show
// with the tab. Semicolon before comma: a semicolon file may hold decimal commas.
constexpr std::array<ColumnSeparator, 4> separatorsInOrder = {
    ColumnSeparator::Tab, ColumnSeparator::Semicolon, ColumnSeparator::Comma,
    ColumnSeparator::Whitespace};

}  // namespace

std::vector<std::string_view> textLines(std::string_view content) {
    // Spreadsheets write a UTF-8 byte-order mark before CSV text; it is not part of the
    // first field.
    if (content.starts_with(utf8ByteOrderMark)) content.remove_prefix(utf8ByteOrderMark.size());
    if (const auto mark = content.find(endOfFileMark); mark != std::string_view::npos) {
        content = content.substr(0, mark);
    }
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
        lines.push_back(content.substr(start, end - start));
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
            content[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> lineFields(std::string_view line, ColumnSeparator separator) {
    std::vector<std::string_view> fields;
    if (separator == ColumnSeparator::Whitespace) {
        size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && isBlank(line[i])) ++i;
            const size_t start = i;
            while (i < line.size() && !isBlank(line[i])) ++i;
            if (i > start) fields.push_back(line.substr(start, i - start));
        }
        return fields;
    }
    const char divider = separatorCharacter(separator);
    size_t start = 0;
    while (true) {
        const size_t end = line.find(divider, start);
        fields.push_back(withoutBlankEnds(
            line.substr(start, end == std::string_view::npos ? line.npos : end - start)));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

bool isEmptyRow(std::string_view line, ColumnSeparator separator) {
    for (const auto field : lineFields(line, separator)) {
        if (!field.empty()) return false;
    }
    return true;
}

TableLayout guessTableLayout(const std::vector<std::string_view>& lines) {
    TableLayout best;
    int bestScore = 0;
    for (const ColumnSeparator separator : separatorsInOrder) {
        size_t first = 0;
        while (first < lines.size() && !isNumberRow(lines[first], separator)) ++first;
        int score = 0;
        for (size_t i = first; i < lines.size(); ++i)
            score += isNumberRow(lines[i], separator) ? 1 : 0;
        if (score > bestScore) {
            bestScore = score;
            best = {separator, static_cast<int>(first)};
        }
    }
    if (bestScore > 0) return best;

    // Nothing reads as numbers: guess the columns from the characters alone, so that the
    // preview shows them and the import can name the value it cannot read.
    std::string_view last;
    for (const auto line : lines) {
        if (!withoutBlankEnds(line).empty()) last = line;
    }
    last = withoutBlankEnds(last);
    if (last.find('\t') != std::string_view::npos) {
        best.separator = ColumnSeparator::Tab;
    } else if (last.find(';') != std::string_view::npos) {
        best.separator = ColumnSeparator::Semicolon;
    } else if (last.find(',') != std::string_view::npos &&
               last.find(' ') == std::string_view::npos) {
        best.separator = ColumnSeparator::Comma;  // with blanks between, commas are decimal commas
    }
    while (static_cast<size_t>(best.skippedLines) < lines.size() &&
           !beginsLikeANumber(lines[static_cast<size_t>(best.skippedLines)])) {
        ++best.skippedLines;
    }
    if (static_cast<size_t>(best.skippedLines) == lines.size()) best.skippedLines = 0;
    return best;
}

}  // namespace condsim
