#pragma once
// The choice between the designed calculation (an ideal solution) and the ionic-strength
// model: activity coefficients in the mass action and the Onsager-Fuoss conductances of
// the mixture. The designed calculation is the default.

#include <string>

#include "core/Ext.h"
#include "model/ionic/Solvent.h"

namespace condsim {

enum class SolutionModelKind {
    Ideal,        // the designed calculation
    DebyeHuckel,  // extended Debye-Hueckel activities, Onsager-Fuoss conductances
    Davies,       // Davies activities, Onsager-Fuoss conductances
};

// The ion size used when none is given (Angstrom).
inline constexpr ext defaultIonSize = 4.5L;

struct SolutionModel {
    SolutionModelKind kind = SolutionModelKind::Ideal;
    Solvent solvent = solventPreset("water");
    // One ion-size parameter a for all ions (Angstrom). The Debye-Hueckel activities and,
    // under either activity law, the conductances use it.
    ext ionSize = defaultIonSize;
    // Whether a is Bjerrum's distance for the first association step, A(n+) with X-
    // (withBjerrumIonSize sets it for n).
    bool bjerrumIonSize = false;
};

// The model with a set to Bjerrum's distance for n where that is its choice; as it is
// otherwise.
SolutionModel withBjerrumIonSize(SolutionModel model, int n);

// "ideal", or for example "Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A"; another
// solvent is given by its three values. The description of the model's road
// (CalculationRoad.h).
std::string solutionModelDescription(const SolutionModel& model);
// "Ideal (as designed)", "Debye-Hueckel + Onsager-Fuoss" or "Davies + Onsager-Fuoss".
std::string solutionModelKindName(SolutionModelKind kind);

// Refuses an ion size that is not a positive finite number (Error naming the value's role).
void checkIonSize(ext ionSize);

}  // namespace condsim
