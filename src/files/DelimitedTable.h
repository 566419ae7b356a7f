#pragma once
// A text file read as a table: lines split into fields by a separator, after a number of
// leading lines (a header, comments) that are skipped. Used by the import of measured
// data, which come as CSV, semicolon or tab files, or columns aligned by blanks.
//
// Lines end at CR LF, a lone CR or a lone LF; a character 26 ends the text; a UTF-8
// byte-order mark before the first line is passed over. Fields are
// taken as text: the caller parses them (with the number rule of the data files, or with
// decimal commas).
//
// A field may be quoted as in CSV: "a; b" holds the separator, "a ""b""" is a "b", and
// the quotes are not part of the value, so "0.001" reads as a number. A quoted field
// cannot span lines: its line then ends inside the quotes (quoteLeftOpen).

#include <string>
#include <string_view>
#include <vector>

#include "core/Ext.h"

namespace condsim {

enum class ColumnSeparator {
    Whitespace,  // any run of blanks and tabs; blanks at the ends of a line are ignored
    Comma,
    Semicolon,
    Tab,
};
// "space", "comma", "semicolon" or "tab": the word of the batch tool's --separator and of
// session files.
const char* columnSeparatorName(ColumnSeparator separator);

// The lines of a text, without their line ends. A text ending in a line end has no empty
// last line.
std::vector<std::string_view> textLines(std::string_view content);

// Whether numbers take a decimal comma ("0,001" for 0.001).
enum class DecimalComma {
    Automatic,  // as decimalCommasGuessed says
    Yes,
    No,
};

// The fields of one line. With comma, semicolon or tab every separator divides two fields
// (so ",," holds an empty field), and each field loses its leading and trailing blanks.
// A field that begins with a double quote runs to the closing quote, separators and
// blanks included, with each doubled quote standing for one; what follows the closing
// quote up to the next separator is kept after it. A quote inside an unquoted field is an
// ordinary character.
std::vector<std::string> lineFields(std::string_view line, ColumnSeparator separator);

// True when a quoted field of the line has no closing quote: in the file it goes on over
// the line end, which the import does not follow.
bool quoteLeftOpen(std::string_view line, ColumnSeparator separator);

// True for a line of blanks and separators only: it holds no value and is passed over.
bool isEmptyRow(std::string_view line, ColumnSeparator separator);

struct TableLayout {
    ColumnSeparator separator = ColumnSeparator::Whitespace;
    int skippedLines = 0;  // leading lines that are not data
};

// A field read as a number: by the number rule of the data files, or with decimal commas
// after its one comma became a period, so that "0,001" gives the bits of "0.001". With
// decimal commas a field holding a period or more than one comma is no number: beside a
// decimal comma a period may separate thousands.
bool parseFieldNumber(std::string_view field, bool decimalCommas, ext& value);

// Guesses the layout from the lines. Each separator is tried (tab, semicolon, comma,
// then blanks): the data begin at the first line that splits into two or more numbers
// (decimal commas count too, except under the comma) and no other field with a digit in
// it (empty fields and words, such as a sample's name, may stand beside them), and a
// separator scores the lines from there on that do so. The best score wins, the earlier
// separator on a tie. When no line splits into numbers at all (quoted decimal commas in a
// comma file, say), the last non-empty line decides: a tab, else a semicolon, else a comma
// with no blank beside it, else blanks, counting none inside quotes; and the lines before
// the first one that begins like a number (a digit, sign or point, perhaps after a quote)
// are skipped, so that the import can name the value it cannot read.
TableLayout guessTableLayout(const std::vector<std::string_view>& lines);

// Whether the data lines (those after the skipped ones) take decimal commas: never with
// the comma as separator; otherwise when at least one field is a number with one comma
// and no period, and no field is a number with a period. Whole numbers ("25") read the
// same either way and do not count, nor do fields that are no number (names, dates).
bool decimalCommasGuessed(const std::vector<std::string_view>& lines, const TableLayout& layout);

}  // namespace condsim
