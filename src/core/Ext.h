#pragma once
// The one real type of condsim: the x87 80-bit extended real with a 64-bit mantissa.
// Every result of the model depends on the rounding of this type, so the build refuses
// to compile where long double is anything else.

#include <cfloat>

namespace condsim {

using ext = long double;
static_assert(LDBL_MANT_DIG == 64, "condsim needs long double to be the 80-bit extended real");

}  // namespace condsim
