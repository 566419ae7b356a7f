#pragma once
// The series file of a temperature series: one data set per line, the observed-data file
// (relative to the series file's folder, or absolute), its temperature in kelvin and
// optionally the anion's limiting conductivity at that temperature, separated by tabs or
// blanks. A file name with blanks is written in double quotes. '#' begins a comment to the
// end of its line; blank lines are skipped.
//
// A line that is wrong does not end the series: it comes back with its problem, naming
// the series file and the line, and the other data sets stand.

#include <optional>
#include <string>
#include <vector>

#include "core/Ext.h"
#include "files/NumberRecords.h"

namespace condsim {

struct SeriesFileLine {
    int line = 0;          // from 1
    std::string where;     // "series.txt, line 3": for every message of this data set
    std::string dataFile;  // the full name of the observed-data file
    ext temperature = 0;   // K
    std::optional<ext> anionConductivity;  // lambda(X-) at that temperature, when given
    // The observed pairs, when the file was read; empty when problem is set.
    NumberRecords observed;
    // Why the line gives no data set: a bad number, a duplicate temperature, a data file
    // that is missing or refused. Empty when it is usable.
    std::string problem;
};

// Reads the series file and every observed-data file it names. Raises the I/O error of
// the series file itself (it is missing, unreadable); every problem of a line stays with
// its line.
std::vector<SeriesFileLine> readSeriesFile(const std::string& fileName);

// The same from the text of a series file, with data files found against folder; name is
// the series file's name for the messages.
std::vector<SeriesFileLine> parseSeriesText(const std::string& text, const std::string& name,
                                            const std::string& folder);

// A data set as a list of them names it: its data file, and its temperature (K) and the
// anion's limiting conductivity as texts with the period (the conductivity may be empty).
struct SeriesEntry {
    std::string dataFile;
    std::string temperature;
    std::string anion;
    bool operator==(const SeriesEntry&) const = default;
};

// The text of a series file that names these data sets, a line each, the file in quotes.
std::string seriesFileText(const std::vector<SeriesEntry>& entries);
// The data sets of a series file's lines, with the full names of their data files; a line
// whose temperature could not be read gives an empty one.
std::vector<SeriesEntry> seriesEntriesOf(const std::vector<SeriesFileLine>& lines);

}  // namespace condsim
