#include "fit/FitSystem.h"

#include "core/CheckedArithmetic.h"
#include "files/NumberText.h"
#include "model/MassBalance.h"
#include "model/SolutionConductivity.h"
#include "ui/TForm1.h"

namespace condsim {

FitSystem fitSystemOf(const TForm1& form) {
    const ProcessState& state = form.state();
    FitSystem system;
    system.n = form.n();
    system.K = state.model.K;
    system.sf = state.factors.sf;
    system.MCA = number(form.MCA.text());
    system.MCX = number(form.MCX.text());
    const ObservedData& observed = state.observed;
    for (int j = 1; j <= observed.count && j <= observedCapacity; ++j) {
        system.points.push_back({observed.conc[static_cast<size_t>(j)], observed.cond[static_cast<size_t>(j)]});
    }
    return system;
}

ext conductivityAt(int n, const CalculationConstants& constants, const SpeciesArray& sf, ext C0, ext X) {
    const ext anionPart = mul(constants.MCX, X);
    const ext denominator = speciesDenominator(n, constants.beta, X);
    const ext charged = chargeWeightedSum(n, constants.beta, sf, X);
    return solutionConductivity(constants.MCA, C0, charged, denominator, anionPart);
}

}  // namespace condsim
