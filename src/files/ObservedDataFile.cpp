#include "files/ObservedDataFile.h"

#include "core/Error.h"
#include "files/ObservedData.h"
#include "files/TextFile.h"

namespace condsim {

NumberRecords ReadObservedDataFile(const std::string& fileName) {
    NumberRecords records =
        ReadNumberRecords(fileName, 2, observedCapacity, tooManyObservedPairsText);
    if (records.count() == 0)
        throw Error(fullFileName(fileName) + " holds no pairs of observed data");
    return records;
}

}  // namespace condsim
