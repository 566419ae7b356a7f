#include "files/ObservedValueCheck.h"

#include "core/Error.h"
#include "files/NumberText.h"

namespace condsim {

void ObservedValueCheck::add(ext concentration, ext conductivity, int line) {
    if (!(concentration > 0)) {
        // The fault the plot or the sweep would have met: the molar conductivity divides by
        // the concentration (0/0 is an invalid operation), the sweep takes its logarithm.
        const FloatingPointFault fault = concentration == 0 && conductivity != 0
                                             ? FloatingPointFault::DivisionByZero
                                             : FloatingPointFault::InvalidOperation;
        throw floatingPointError(fault).withDetail(
            "line " + std::to_string(line) + " of " + fileName_ + ": the concentration " +
            trimmed(NumberText(concentration, '.')) +
            " mol/L is not above 0; every concentration must be.");
    }
    if (conductivity > 0) conductivityAboveZero_ = true;
}

void ObservedValueCheck::finish() const {
    if (conductivityAboveZero_) return;
    throw floatingPointError(FloatingPointFault::InvalidOperation)
        .withDetail(fileName_ +
                    ": no conductivity is above 0, so the plot has no height to scale; "
                    "at least one must be.");
}

}  // namespace condsim
