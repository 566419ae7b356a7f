#include "model/ionic/Solvent.h"

#include <cmath>
#include <numbers>
#include <string>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "model/ValueText.h"
#include "model/ionic/WaterProperties.h"

namespace condsim {

namespace {

// CODATA 2018: e, k and N_A are exact by definition of the SI; eps0 is measured.
constexpr ext elementaryCharge = 1.602176634e-19L;     // C
constexpr ext boltzmann = 1.380649e-23L;               // J/K
constexpr ext avogadro = 6.02214076e23L;               // 1/mol
constexpr ext vacuumPermittivity = 8.8541878128e-12L;  // F/m
constexpr ext faraday = elementaryCharge * avogadro;   // C/mol
constexpr ext pi = std::numbers::pi_v<ext>;

// mol/L to mol/m3 in the ionic strength of kappa^2 = 2000 e^2 N_A I / (eps0 eps_r k T).
constexpr ext litresPerCubicMetre = 1000;
// kappa_1 in 1/m, B per Angstrom.
constexpr ext metresPerAngstrom = 1e-10L;
// E comes out in S m2 mol-1 per (mol/L)^1/2; the tables use S cm2 mol-1.
constexpr ext squareCentimetresPerSquareMetre = 1e4L;

constexpr ext roomTemperature = 298.15L;  // 25 C

// Relative permittivity and viscosity at 25 C, from J. A. Riddick, W. B. Bunger and
// T. K. Sakano, Organic Solvents (4th ed., Wiley, 1986), the compilation conductance work
// in non-aqueous solvents usually quotes. Compared with the CRC Handbook of Chemistry and
// Physics (tables "Permittivity (dielectric constant) of liquids" and "Viscosity of
// liquids"): water 78.36 and 0.890 mPa s, methanol 32.6 and 0.544 mPa s agree to within
// 0.1 %; for acetonitrile the handbook's viscosity at 25 C, 0.369 mPa s, is 8 % above the
// value here, which is the one of the conductance literature (35.94, 0.341 mPa s).
// (A function's static, so that a model made during another file's static
// initialisation finds the table built.)
const std::vector<Solvent>& presetTable() {
    static const std::vector<Solvent> presets = {
        {"water", roomTemperature, 78.38L, 0.8903e-3L},
        {"acetonitrile", roomTemperature, 35.94L, 0.341e-3L},
        {"methanol", roomTemperature, 32.66L, 0.5445e-3L},
    };
    return presets;
}

bool positiveFinite(ext value) { return value > 0 && std::isfinite(value); }

}  // namespace

const std::vector<Solvent>& solventPresets() { return presetTable(); }

Solvent solventPreset(const std::string& name) {
    for (const Solvent& solvent : presetTable()) {
        if (solvent.name == name) return solvent;
    }
    throw Error("There is no solvent preset named '" + name +
                "' (use water, acetonitrile or methanol)");
}

SolventTemperatures solventTemperatures(const std::string& name) {
    const Solvent preset = solventPreset(name);
    if (name == "water") return {waterLowestKelvin, waterHighestKelvin};
    return {preset.temperature, preset.temperature};
}

std::string solventTemperaturesText(const std::string& name) {
    const SolventTemperatures allowed = solventTemperatures(name);
    if (allowed.low == allowed.high) return valueText(allowed.low, 15) + " K only";
    return valueText(allowed.low, 15) + " to " + valueText(allowed.high, 15) + " K";
}

Solvent solventAtTemperature(const std::string& name, ext kelvin) {
    Solvent preset = solventPreset(name);
    if (kelvin == preset.temperature) return preset;
    const SolventTemperatures allowed = solventTemperatures(name);
    if (!(kelvin >= allowed.low && kelvin <= allowed.high)) {
        const std::string text = solventTemperaturesText(name);
        throw Error("The solvent " + name + " is known " +
                    (allowed.low == allowed.high ? "at " : "from ") + text + ", not at " +
                    valueText(kelvin, 15) + " K");
    }
    // Only water has a range: its correlations.
    const WaterProperties water = waterProperties(kelvin);
    return {name, kelvin, water.permittivity, water.viscosity};
}

SolventRange solventRange(SolventValue which) {
    switch (which) {
        case SolventValue::Temperature:
            return {150, 700};  // K
        case SolventValue::Permittivity:
            return {1, 200};
        case SolventValue::Viscosity:
            break;
    }
    return {1e-5L, 10};  // Pa s: 0.01 to 10000 mPa s
}

void checkSolventValue(SolventValue which, ext value) {
    const SolventRange range = solventRange(which);
    // The range is spoken in the units of the window: viscosity in mPa s.
    const auto between = [&range](ext shownPerModel, const std::string& unit) {
        return " must be from " + valueText(range.low * shownPerModel, 6) + " to " +
               valueText(range.high * shownPerModel, 6) + unit;
    };
    std::string quantity;
    std::string positive;
    std::string inRange;
    switch (which) {
        case SolventValue::Temperature:
            quantity = "The temperature of the solvent";
            positive = " must be a positive number of kelvin";
            inRange = between(1, " K");
            break;
        case SolventValue::Permittivity:
            quantity = "The relative permittivity of the solvent";
            positive = " must be a positive number";
            inRange = between(1, "");
            break;
        case SolventValue::Viscosity:
            quantity = "The viscosity of the solvent";
            positive = " must be a positive number";
            inRange = between(1000, " mPa s");
            break;
    }
    if (!positiveFinite(value)) throw Error(quantity + positive);
    if (value < range.low || value > range.high) throw Error(quantity + inRange);
}

Solvent otherSolvent(ext temperature, ext permittivity, ext viscosity) {
    checkSolventValue(SolventValue::Temperature, temperature);
    checkSolventValue(SolventValue::Permittivity, permittivity);
    checkSolventValue(SolventValue::Viscosity, viscosity);
    return {"other", temperature, permittivity, viscosity};
}

SolventCoefficients solventCoefficients(const Solvent& solvent) {
    const ext thermal = vacuumPermittivity * solvent.permittivity * boltzmann * solvent.temperature;
    const ext chargeSquared = elementaryCharge * elementaryCharge;
    const ext kappa1 = std::sqrt(2 * litresPerCubicMetre * chargeSquared * avogadro / thermal);
    SolventCoefficients c;
    c.A = chargeSquared * kappa1 / (8 * pi * thermal * std::numbers::ln10_v<ext>);
    c.B = kappa1 * metresPerAngstrom;
    c.E = faraday * elementaryCharge * kappa1 / (6 * pi * solvent.viscosity) *
          squareCentimetresPerSquareMetre;
    c.R = chargeSquared * kappa1 / (12 * pi * thermal);
    return c;
}

ext bjerrumDistance(const Solvent& solvent, int chargeProduct) {
    return toExt(chargeProduct) * elementaryCharge * elementaryCharge /
           (8 * pi * vacuumPermittivity * solvent.permittivity * boltzmann * solvent.temperature) /
           metresPerAngstrom;
}

}  // namespace condsim
