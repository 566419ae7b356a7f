// The file value reader and ReadNumberRecords over arbitrary file content. The first
// byte picks the values per record (1 or 2) and a capacity of 1..8 records; the rest is
// the file.
//
// Invariants: every value read advances the reader or reaches the end; a read of the file
// ends with its records, I/O error 106, or the over-capacity text, never with more records
// than the capacity; and the reader and the file reading agree on the values.

#include <string>
#include <string_view>

#include "FuzzSession.h"
#include "core/Error.h"
#include "files/FileValueReader.h"
#include "files/NumberRecords.h"

using condsim::fuzzing::require;

namespace {

const char* const overCapacityText = "over capacity";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int valuesPerRecord = (data[0] & 1) + 1;
    const int capacity = ((data[0] >> 1) & 7) + 1;
    const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);

    // The reader alone: each value consumes at least one character or meets the end.
    condsim::FileValueReader reader(content);
    size_t reads = 0;
    while (!reader.atEnd()) {
        reader.readValue();
        reader.clearPendingError();
        require(++reads <= content.size() + 1, "the value reader stopped advancing");
    }

    const std::string name = condsim::fuzzing::inputFile(data + 1, size - 1);
    try {
        const auto records =
            condsim::ReadNumberRecords(name, valuesPerRecord, capacity, overCapacityText);
        require(records.count() <= capacity, "more records than the capacity");
        require(records.values.size() == static_cast<size_t>(records.count() * valuesPerRecord),
                "a record was stored incomplete");
    } catch (const condsim::Error& error) {
        require(error.text() == condsim::ioErrorText(condsim::io_code::InvalidNumericInput) ||
                    error.text() == overCapacityText,
                "reading a readable file raised an unexpected error");
    }
    return 0;
}
