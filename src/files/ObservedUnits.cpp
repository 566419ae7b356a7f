#include "files/ObservedUnits.h"

namespace condsim {

namespace {

// cm3 per litre, and S/cm per mS/cm: the exact factor between the litre and the
// cubic centimetre in Lambda = 1000 kappa / c.
constexpr ext thousand = 1000;
// S/cm per S/m times 1000: 1 S/m = 0.01 S/cm, so MC*M = 1000 x 0.01 x kappa.
constexpr ext ten = 10;

}  // namespace

ext concentrationInMolPerLitre(ext value, const ObservedUnits& units) {
    switch (units.concentration) {
        case ConcentrationUnit::MolPerLitre:
            return value;
        case ConcentrationUnit::MillimolPerLitre:
            return value / thousand;
        case ConcentrationUnit::MolPerKilogram:
            return value * units.density;
    }
    return value;
}

ext conductivityTimesConcentration(ext value, ext molPerLitre, const ObservedUnits& units) {
    switch (units.conductivity) {
        case ConductivityUnit::SiemensPerCentimetre:
            return value * thousand;
        case ConductivityUnit::MillisiemensPerCentimetre:
            return value;
        case ConductivityUnit::MicrosiemensPerCentimetre:
            return value / thousand;
        case ConductivityUnit::SiemensPerMetre:
            return value * ten;
        case ConductivityUnit::MolarConductivity:
            return value * molPerLitre;
        case ConductivityUnit::EquivalentConductance:
            return static_cast<ext>(units.equivalentsPerFormulaUnit) * value * molPerLitre;
    }
    return value;
}

bool conductivityIsPerAmount(ConductivityUnit unit) {
    return unit == ConductivityUnit::MolarConductivity ||
           unit == ConductivityUnit::EquivalentConductance;
}

}  // namespace condsim
