#pragma once
// A text file read as a table: lines split into fields by a separator, after a number of
// leading lines (a header, comments) that are skipped. Used by the import of measured
// data, which come as CSV, semicolon or tab files, or columns aligned by blanks.
//
// Lines end at CR LF, a lone CR or a lone LF; a character 26 ends the text; a UTF-8
// byte-order mark before the first line is passed over. Fields are
// taken as text: the caller parses them (with the number rule of the data files).

#include <string_view>
#include <vector>

namespace condsim {

enum class ColumnSeparator {
    Whitespace,  // any run of blanks and tabs; blanks at the ends of a line are ignored
    Comma,
    Semicolon,
    Tab,
};

// The lines of a text, without their line ends. A text ending in a line end has no empty
// last line.
std::vector<std::string_view> textLines(std::string_view content);

// The fields of one line. With comma, semicolon or tab every separator divides two fields
// (so ",," holds an empty field), and each field loses its leading and trailing blanks.
std::vector<std::string_view> lineFields(std::string_view line, ColumnSeparator separator);

// True for a line of blanks and separators only: it holds no value and is passed over.
bool isEmptyRow(std::string_view line, ColumnSeparator separator);

struct TableLayout {
    ColumnSeparator separator = ColumnSeparator::Whitespace;
    int skippedLines = 0;  // leading lines that are not data
};

// Guesses the layout from the lines. Each separator is tried (tab, semicolon, comma,
// then blanks): the data begin at the first line that splits into two or more numbers
// and no other field with a digit in it (empty fields and words, such as a sample's name,
// may stand beside them), and a separator scores the lines from there on that do so. The best score
// wins, the earlier separator on a tie. When no line splits into numbers at all (decimal commas,
// say), the last non-empty line decides: a tab, else a semicolon, else a comma with no blank beside
// it, else blanks; and the lines before the first one that begins like a number (a digit, sign or
// point) are skipped, so that the import can name the value it cannot read.
TableLayout guessTableLayout(const std::vector<std::string_view>& lines);

}  // namespace condsim
