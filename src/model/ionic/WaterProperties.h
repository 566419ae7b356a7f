#pragma once
// Liquid water from 0 to 100 C at atmospheric pressure: its relative permittivity, viscosity
// and density from the published correlations named in WaterProperties.cpp.
// Sources and the table values checked against: docs/solution-model.md, "Water at other
// temperatures".

#include "core/Ext.h"

namespace condsim {

// The temperatures the correlations serve, in K: 0 and 100 C.
constexpr ext waterLowestKelvin = 273.15L;
constexpr ext waterHighestKelvin = 373.15L;

struct WaterProperties {
    ext permittivity = 0;  // relative permittivity eps_r
    ext viscosity = 0;     // Pa s
    ext density = 0;       // kg/L
};

// Water at kelvin; throws Error naming the temperatures allowed when kelvin is outside them
// (or not a number).
WaterProperties waterProperties(ext kelvin);

}  // namespace condsim
