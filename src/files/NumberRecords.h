#pragma once
// Reads a text file of numbers as records of a fixed number of values (two for observed
// data, one for constant and factor files).
//
// A record is found by its values, not by its lines: while a value is sought, blanks and
// line ends are skipped, so a line with too few values takes the rest from the next line.
// After the last value of a record the rest of its line is skipped (values beyond the
// record's are ignored). A line ends at CR LF, a lone CR or a lone LF. Blanks, empty lines
// and a character 26 after the last value end the file and add no record; a file that
// ends inside a record is refused.

#include <string>
#include <vector>

#include "core/Ext.h"

namespace condsim {

// The refusal of a file that ends before its last record has all its values.
inline constexpr const char* endsInsideRecordText =
    "The file ends inside a pair of values: its last value has no partner";

struct NumberRecords {
    int valuesPerRecord = 1;
    std::vector<ext> values;  // record r (from 0), value j (from 0) at r * valuesPerRecord + j
    std::vector<int> lines;   // the line (from 1) on which record r begins

    int count() const { return static_cast<int>(values.size()) / valuesPerRecord; }
    ext value(int record, int j) const {
        return values[static_cast<size_t>(record) * static_cast<size_t>(valuesPerRecord) +
                      static_cast<size_t>(j)];
    }
};

// Reads every record of the file. Nothing but the returned records is written, so a
// caller commits them only when the whole file was read.
//
// Raises the I/O error of the open or read (file not found, access denied, ...) and the
// refusal of a file beyond maximumReadBytes, each naming the file; the refusal of UTF-16
// text; endsInsideRecordText with the line of the last record; I/O error 106 when a
// value is not a number (after the rest of its line was skipped), with the detail
// "line L of FILE: 'TOKEN'"; and Error(overCapacityText) with the file as its detail as
// soon as a record beyond the first `capacity` begins.
NumberRecords ReadNumberRecords(const std::string& fileName, int valuesPerRecord, int capacity,
                                const std::string& overCapacityText);

}  // namespace condsim
