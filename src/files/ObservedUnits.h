#pragma once
// The units in which measured data come, and their conversion to the units of the
// observed-data file: the total concentration in mol/L, and the conductivity as the
// product of the molar conductivity (S cm2 mol-1) and that concentration ("MC*M").
//
// Every factor is applied as one multiplication or division by an exact number (1000,
// 10, n) or by the density, so that each converted value is rounded once per operation
// and never through text.

#include "core/Ext.h"

namespace condsim {

enum class ConcentrationUnit {
    MolPerLitre,
    MillimolPerLitre,
    MolPerKilogram,  // molality: mol per kg of solvent
};

enum class ConductivityUnit {
    SiemensPerCentimetre,  // specific conductance kappa
    MillisiemensPerCentimetre,
    MicrosiemensPerCentimetre,
    SiemensPerMetre,
    MolarConductivity,      // Lambda in S cm2 mol-1
    EquivalentConductance,  // Lambda per equivalent, S cm2 equiv-1
};

// Pure water at 25 C, kg/L: the density that turns molality into molarity in dilute
// aqueous solution (the solute's own volume is neglected).
inline constexpr ext waterDensityAt25C = 0.997047L;

struct ObservedUnits {
    ConcentrationUnit concentration = ConcentrationUnit::MolPerLitre;
    ext density = waterDensityAt25C;  // kg/L; used for mol/kg only
    ConductivityUnit conductivity = ConductivityUnit::MolarConductivity;
    int equivalentsPerFormulaUnit = 1;  // n, the cation's charge; used for equivalents only
};

// The concentration in mol/L: c, c / 1000, or m x density.
ext concentrationInMolPerLitre(ext value, const ObservedUnits& units);

// The conductivity as molar conductivity times concentration, given the concentration
// in mol/L of the same solution: 1000 kappa (S/cm), kappa (mS/cm), kappa / 1000 (uS/cm),
// 10 kappa (S/m), Lambda x c, or n x Lambda_eq x c.
ext conductivityTimesConcentration(ext value, ext molPerLitre, const ObservedUnits& units);

// True when the unit needs the concentration to convert (molar and equivalent values).
bool conductivityIsPerAmount(ConductivityUnit unit);

}  // namespace condsim
