#include "files/ObservedDataFile.h"

#include "core/Error.h"
#include "files/ObservedData.h"
#include "files/ObservedValueCheck.h"
#include "files/TextFile.h"

namespace condsim {

NumberRecords ReadObservedDataFile(const std::string& fileName) {
    NumberRecords records =
        ReadNumberRecords(fileName, 2, observedCapacity, tooManyObservedPairsText);
    if (records.count() == 0)
        throw Error(fullFileName(fileName) + " holds no pairs of observed data");
    ObservedValueCheck check(fullFileName(fileName));
    for (int r = 0; r < records.count(); ++r)
        check.add(records.value(r, 0), records.value(r, 1), records.lines[static_cast<size_t>(r)]);
    check.finish();
    return records;
}

}  // namespace condsim
