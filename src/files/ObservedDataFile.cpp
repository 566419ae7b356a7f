#include "files/ObservedDataFile.h"

#include "core/Error.h"
#include "files/ObservedData.h"
#include "files/TextFile.h"

namespace condsim {

namespace {

const char* const tooManyPairsText =
    "The file holds more than 100 pairs of observed data; condsim reads at most 100.";

}  // namespace

NumberRecords ReadObservedDataFile(const std::string& fileName) {
    NumberRecords records = ReadNumberRecords(fileName, 2, observedCapacity, tooManyPairsText);
    if (records.count() == 0) throw Error(fullFileName(fileName) + " holds no pairs of observed data");
    return records;
}

}  // namespace condsim
