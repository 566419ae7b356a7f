#include "files/StepwiseConstantsFile.h"

#include "core/Error.h"
#include "files/NegativeValue.h"
#include "files/NumberText.h"
#include "files/TextFile.h"

namespace condsim {

namespace {

const char* const tooManyConstantsText =
    "The file holds more than 100 stepwise constants; condsim reads at most 100.";

}  // namespace

NumberRecords ReadStepwiseConstantsFile(const std::string& fileName) {
    NumberRecords records =
        ReadNumberRecords(fileName, 1, stepwiseConstantCapacity, tooManyConstantsText);
    for (int i = 0; i < records.count(); ++i) {
        if (records.value(i, 0) < 0) {
            const int line = records.lines[static_cast<size_t>(i)];
            throw Error(
                negativeValueText("K" + integerText(i + 1), records.value(i, 0),
                                  "in line " + integerText(line) + " of " + fullFileName(fileName),
                                  stepwiseConstantRule));
        }
    }
    return records;
}

}  // namespace condsim
