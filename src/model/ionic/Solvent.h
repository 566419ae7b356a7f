#pragma once
// The solvent of the ionic-strength model and the coefficients of the Debye-Hueckel and
// Onsager-Fuoss laws that follow from it.
// Equations: docs/solution-model.md, "The ionic-strength solution model".

#include <string>
#include <vector>

#include "core/Ext.h"

namespace condsim {

struct Solvent {
    std::string name;      // "water", "acetonitrile", "methanol" or "other"
    ext temperature = 0;   // K
    ext permittivity = 0;  // relative permittivity eps_r
    ext viscosity = 0;     // Pa s
};

// The presets at 25 C (their sources are given beside the table in Solvent.cpp).
const std::vector<Solvent>& solventPresets();
// The preset of that name; throws Error naming it when there is none.
Solvent solventPreset(const std::string& name);
// The preset solvent of that name at the temperature kelvin, its permittivity and viscosity
// taken there. Each preset holds only over the temperatures of its sources; another
// temperature throws Error naming the solvent and the temperatures it allows. Water is
// known from 0 to 100 C (WaterProperties.h); at 298.15 K it is the preset, so that water
// at 25 C gives the values of water chosen without a temperature. Acetonitrile and
// methanol are known at 298.15 K only.
Solvent solventAtTemperature(const std::string& name, ext kelvin);
// The temperatures a preset allows, in K (low == high: that temperature only); throws
// Error naming the solvent when there is no preset of that name.
struct SolventTemperatures {
    ext low;
    ext high;
};
SolventTemperatures solventTemperatures(const std::string& name);
// The same in words: "273.15 to 373.15 K" or "298.15 K only".
std::string solventTemperaturesText(const std::string& name);
// The values a solvent of one's own may take: those of liquids used as solvents of
// electrolytes, from liquid ammonia to molten salts in temperature, from hydrocarbons to
// N-methylformamide in permittivity, from the thinnest liquids to syrups in viscosity.
// Outside them the laws of the model do not hold (and T = 1e400 K would give A = 1e-596).
enum class SolventValue { Temperature, Permittivity, Viscosity };
struct SolventRange {
    ext low;
    ext high;
};
SolventRange solventRange(SolventValue which);  // viscosity in Pa s
// Throws Error naming the value when it is not a positive finite number, or outside its
// range.
void checkSolventValue(SolventValue which, ext value);
// A solvent given by its three values; throws Error naming the first that is not a
// positive finite number or is outside its range.
Solvent otherSolvent(ext temperature, ext permittivity, ext viscosity);

// With kappa_1 = sqrt(2000 e^2 N_A / (eps0 eps_r k T)), the Debye kappa per sqrt(I) in 1/m:
struct SolventCoefficients {
    ext A = 0;  // e^2 kappa_1 / (8 pi eps0 eps_r k T ln 10): log10 activity slope, (L/mol)^1/2
    ext B = 0;  // kappa_1 x 1e-10: per Angstrom of ion size, (L/mol)^1/2
    ext E = 0;  // F e kappa_1 / (6 pi eta) x 1e4: electrophoretic, S cm2 mol-1 (L/mol)^1/2 per |z|
    ext R = 0;  // e^2 kappa_1 / (12 pi eps0 eps_r k T): relaxation, (L/mol)^1/2
};

// From the CODATA 2018 exact constants and eps0 of CODATA 2018.
SolventCoefficients solventCoefficients(const Solvent& solvent);

// Bjerrum's distance q = |z1 z2| e^2 / (8 pi eps0 eps_r k T) in Angstrom for ions whose
// charges multiply to chargeProduct: the distance at which their electrostatic energy is
// 2 kT, the usual ion size of conductance studies (7.15 A for a 2:1 pair in water at 25 C).
ext bjerrumDistance(const Solvent& solvent, int chargeProduct);

}  // namespace condsim
