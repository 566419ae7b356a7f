#include "files/NumberRecords.h"

#include <string>

#include "core/Error.h"
#include "files/FileValueReader.h"
#include "files/TextFile.h"
#include "files/Utf16Text.h"

namespace condsim {

NumberRecords ReadNumberRecords(const std::string& fileName, int valuesPerRecord, int capacity,
                                const std::string& overCapacityText) {
    const std::string content = readTextFile(fileName);
    refuseUtf16Text(content, fileName);
    FileValueReader reader(content);
    NumberRecords records;
    records.valuesPerRecord = valuesPerRecord;
    // Blanks after the last value are not a record: a trailing empty line would
    // otherwise add a record of zeros to the data.
    while (!reader.onlyBlanksRemain()) {
        if (records.count() == capacity) throw Error(overCapacityText, fullFileName(fileName));
        for (int j = 0; j < valuesPerRecord; ++j) {
            // A line of fewer values takes the rest from the next line, but a file that
            // ends before the record is whole is cut short: the missing value is not 0.
            // A value that was not a number is the first thing to report.
            if (j > 0 && reader.onlyBlanksRemain() && !reader.invalidInputPending()) {
                throw Error(endsInsideRecordText, "line " + std::to_string(records.lines.back()) +
                                                      " of " + fullFileName(fileName) + ": '" +
                                                      shownToken(reader.valueToken()) +
                                                      "' is its last value");
            }
            records.values.push_back(reader.readValue());
            if (j == 0) records.lines.push_back(reader.valueLine());
        }
        reader.skipToNextLine();
        if (reader.invalidInputPending()) {
            throw ioError(io_code::InvalidNumericInput)
                .withDetail("line " + std::to_string(reader.invalidTokenLine()) + " of " +
                            fullFileName(fileName) + ": '" + shownToken(reader.invalidToken()) +
                            "'");
        }
    }
    return records;
}

}  // namespace condsim
