#include "core/CheckedArithmetic.h"

namespace condsim {

void throwFloatingPointFault(FloatingPointFault fault) { throw floatingPointError(fault); }

}  // namespace condsim
