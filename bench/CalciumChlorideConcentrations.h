#pragma once
// The 28 concentrations (mol/L) of the measured aqueous CaCl2 set at 25 C
// (examples/cacl2-25C-water.txt), at which the benchmarks make synthetic data.

#include "core/Ext.h"

namespace condsim {

inline constexpr ext calciumChlorideConcentrations[] = {
    7.577557e-05L, 2.499597e-04L, 5.000191e-04L, 7.527705e-04L, 1.000038e-03L, 1.500556e-03L,
    2.500594e-03L, 3.500632e-03L, 4.019096e-03L, 5.000191e-03L, 7.527705e-03L, 1.000038e-02L,
    1.435748e-02L, 2.094796e-02L, 2.501591e-02L, 2.627219e-02L, 3.205506e-02L, 3.834643e-02L,
    3.979215e-02L, 4.334163e-02L, 4.827702e-02L, 4.860604e-02L, 4.954327e-02L, 4.985235e-02L,
    5.005176e-02L, 5.433906e-02L, 7.527705e-02L, 9.970470e-02L,
};

}  // namespace condsim
