#include "files/DelimitedTable.h"

#include <algorithm>
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
// field such as "001;0" (a semicolon line split at its decimal commas) may not. Numbers
// with a decimal comma count under every separator but the comma.
bool isNumberRow(std::string_view line, ColumnSeparator separator) {
    const bool commasMayBeDecimal = separator != ColumnSeparator::Comma;
    int numbers = 0;
    for (const auto& field : lineFields(line, separator)) {
        ext value = 0;
        if (field.empty()) continue;
        if (parseFieldNumber(field, false, value) ||
            (commasMayBeDecimal && parseFieldNumber(field, true, value))) {
            ++numbers;
        } else if (holdsADigit(field)) {
            return false;
        }
    }
    return numbers >= 2;
}

bool beginsLikeANumber(std::string_view line) {
    std::string_view text = withoutBlankEnds(line);
    if (text.starts_with('"')) text.remove_prefix(1);
    if (text.empty()) return false;
    const char c = text.front();
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The line without its quoted parts, so that a separator inside quotes is not taken for
// one between fields.
std::string outsideQuotes(std::string_view line) {
    std::string outside;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            outside += c;
        }
    }
    return outside;
}

struct SplitLine {
    std::vector<std::string> fields;
    bool quoteLeftOpen = false;
};

// The quoted field that begins at line[i], the opening quote: its value goes to field and
// i moves past the closing quote. False when the line ends before the closing quote.
bool readQuoted(std::string_view line, size_t& i, std::string& field) {
    ++i;
    while (i < line.size()) {
        if (line[i] != '"') {
            field += line[i++];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
        } else {
            ++i;
            return true;
        }
    }
    return false;
}

SplitLine splitLine(std::string_view line, ColumnSeparator separator) {
    SplitLine split;
    auto& fields = split.fields;
    if (separator == ColumnSeparator::Whitespace) {
        size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && isBlank(line[i])) ++i;
            if (i == line.size()) break;
            std::string field;
            if (line[i] == '"' && !readQuoted(line, i, field)) {
                fields.push_back(std::move(field));
                split.quoteLeftOpen = true;
                return split;
            }
            while (i < line.size() && !isBlank(line[i])) field += line[i++];
            fields.push_back(std::move(field));
        }
        return split;
    }
    const char divider = separatorCharacter(separator);
    size_t i = 0;
    while (true) {
        while (i < line.size() && line[i] != divider && isBlank(line[i])) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"' && !readQuoted(line, i, field)) {
            fields.push_back(std::move(field));
            split.quoteLeftOpen = true;
            return split;
        }
        const size_t end = std::min(line.find(divider, i), line.size());
        field += withoutBlankEnds(line.substr(i, end - i));
        fields.push_back(std::move(field));
        if (end == line.size()) break;
        i = end + 1;
    }
    return split;
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

std::vector<std::string> lineFields(std::string_view line, ColumnSeparator separator) {
    return splitLine(line, separator).fields;
}

bool quoteLeftOpen(std::string_view line, ColumnSeparator separator) {
    return splitLine(line, separator).quoteLeftOpen;
}

bool isEmptyRow(std::string_view line, ColumnSeparator separator) {
    for (const auto& field : lineFields(line, separator)) {
        if (!field.empty()) return false;
    }
    return true;
}

bool parseFieldNumber(std::string_view field, bool decimalCommas, ext& value) {
    if (!decimalCommas) return parseFileToken(field, value);
    const auto comma = field.find(',');
    if (field.find('.') != std::string_view::npos ||
        (comma != std::string_view::npos && field.find(',', comma + 1) != std::string_view::npos))
        return false;
    std::string withPoint(field);
    if (comma != std::string_view::npos) withPoint[comma] = '.';
    return parseFileToken(withPoint, value);
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
    std::string_view lastLine;
    for (const auto line : lines) {
        if (!withoutBlankEnds(line).empty()) lastLine = line;
    }
    const std::string last = outsideQuotes(withoutBlankEnds(lastLine));
    if (last.find('\t') != std::string::npos) {
        best.separator = ColumnSeparator::Tab;
    } else if (last.find(';') != std::string::npos) {
        best.separator = ColumnSeparator::Semicolon;
    } else if (last.find(',') != std::string::npos && last.find(' ') == std::string::npos) {
        best.separator = ColumnSeparator::Comma;  // with blanks between, commas are decimal commas
    }
    while (static_cast<size_t>(best.skippedLines) < lines.size() &&
           !beginsLikeANumber(lines[static_cast<size_t>(best.skippedLines)])) {
        ++best.skippedLines;
    }
    if (static_cast<size_t>(best.skippedLines) == lines.size()) best.skippedLines = 0;
    return best;
}

bool decimalCommasGuessed(const std::vector<std::string_view>& lines, const TableLayout& layout) {
    if (layout.separator == ColumnSeparator::Comma) return false;
    bool commaNumbers = false;
    for (size_t i = static_cast<size_t>(std::max(layout.skippedLines, 0)); i < lines.size(); ++i) {
        for (const auto& field : lineFields(lines[i], layout.separator)) {
            if (field.find_first_of(",.") == std::string::npos) continue;
            ext value = 0;
            if (parseFieldNumber(field, true, value)) {
                commaNumbers = true;
            } else if (parseFieldNumber(field, false, value)) {
                return false;
            }
        }
    }
    return commaNumbers;
}

const char* columnSeparatorName(ColumnSeparator separator) {
    switch (separator) {
        case ColumnSeparator::Comma:
            return "comma";
        case ColumnSeparator::Semicolon:
            return "semicolon";
        case ColumnSeparator::Tab:
            return "tab";
        case ColumnSeparator::Whitespace:
            break;
    }
    return "space";
}

}  // namespace condsim
