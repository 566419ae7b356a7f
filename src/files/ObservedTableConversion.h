#pragma once
// Measured data in a table of any layout and units, converted to the pairs of the
// observed-data file: total concentration (mol/L) and molar conductivity times
// concentration ("MC*M"). The pairs are those that the designed file written from them
// holds: each converted value is rounded once, to its 15-digit text, and read back as
// File/Open reads it, so an import and a File/Open of the saved file load the same bits.

#include <string>
#include <string_view>
#include <vector>

#include "core/Ext.h"
#include "files/DelimitedTable.h"
#include "files/ObservedUnits.h"

namespace condsim {

struct ObservedImportSettings {
    TableLayout layout;
    DecimalComma decimalComma = DecimalComma::Automatic;
    int concentrationColumn = 1;  // columns are numbered from 1
    int conductivityColumn = 2;
    ObservedUnits units;
};

struct ObservedPair {
    ext concentration = 0;  // mol/L
    ext conductivity = 0;   // MC*M
};

// Converts every data line: the lines after the skipped ones, passing over empty rows;
// values in the columns that are not chosen are not read. fileName only names the file
// in messages.
//
// Numbers take decimal commas as decimalCommasInEffect says; each is read as its period
// form would be, to the same bits.
//
// Throws Error, and gives nothing, when:
// - a chosen value is not a number: the not-a-number text of the data files, then
//   "line L of FILE: 'TOKEN'", and for a decimal comma that is not read, or a period beside
//   decimal commas, a line saying why and what to do;
// - a line has no such column, or the chosen field is empty, or a quoted field of a data
//   line goes on over the line end;
// - decimal commas are chosen for a comma-separated table;
// - a converted value lies beyond the range of numbers, or ObservedValueCheck refuses it;
// - the text is UTF-16;
// - the table holds more than `capacity` pairs (the text of File/Open's refusal), or none;
// - the columns are not 1 or more, or the same; the density for mol/kg is not above 0.
std::vector<ObservedPair> convertObservedTable(std::string_view content,
                                               const std::string& fileName,
                                               const ObservedImportSettings& settings,
                                               int capacity);

// Whether the conversion reads decimal commas: yes or no as chosen; when automatic, as
// decimalCommasGuessed finds them in the data lines of the chosen layout.
bool decimalCommasInEffect(std::string_view content, const ObservedImportSettings& settings);

// The text of an observed-data file holding the pairs: the concentration, a tab and the
// conductivity on each line, in the 15-digit number text with a period, CR LF ends.
std::string observedDataFileText(const std::vector<ObservedPair>& pairs);

}  // namespace condsim
