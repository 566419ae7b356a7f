#include "model/ionic/IonicBalance.h"

#include <cfloat>
#include <cmath>
#include <numbers>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"

namespace condsim {

namespace {

// A Newton step that changes X by no more than this many units of its last place ends
// the balance.
constexpr ext settledSteps = 4 * LDBL_EPSILON;
// Bisection alone needs about 64 + log2(n C0 / X) passes; the limits only guard the loops.
constexpr int balancePassLimit = 20000;
constexpr int strengthPassLimit = 2000;
// I is settled when the species at I give back I to this relative difference, or when
// the bracket of I is this narrow.
constexpr ext strengthTolerance = 1e-16L;

struct BalanceSums {
    ext denominator;  // 1 + sum c_i X^i
    ext first;        // sum i c_i X^i
    ext second;       // sum i^2 c_i X^i
};

BalanceSums balanceSums(int n, const SpeciesArray& constants, ext X) {
    BalanceSums sums{1, 0, 0};
    ext power = 1;
    for (int i = 1; i <= n; ++i) {
        power *= X;
        const ext term = constants[static_cast<size_t>(i)] * power;
        sums.denominator += term;
        sums.first += toExt(i) * term;
        sums.second += toExt(i) * toExt(i) * term;
    }
    return sums;
}

[[noreturn]] void notFinite() {
    throw Error(
        "The ionic-strength model met a value beyond the range of numbers: check the constants and "
        "the "
        "concentration range");
}

// The species at one trial ionic strength.
struct Trial {
    ext X = 0;
    ext log10PerChargeSquared = 0;
    SpeciesArray concentrations{};
    ext strength = 0;  // the ionic strength of these species
    ext meanBound = 0;
};

ext freeAnionFrom(int n, const SpeciesArray& constants, ext C0, ext start) {
    ext below = 0;              // the balance is positive here
    ext above = toExt(n) * C0;  // and zero or negative here
    ext X = start > below && start < above ? start : above / 2;
    for (int pass = 0; pass < balancePassLimit; ++pass) {
        const BalanceSums sums = balanceSums(n, constants, X);
        const ext mean = sums.first / sums.denominator;
        const ext difference = (toExt(n) * C0 - X) / C0 - mean;
        if (!std::isfinite(difference)) notFinite();
        if (difference == 0) return X;
        (difference > 0 ? below : above) = X;
        const ext slope = -1 / C0 - (sums.second / sums.denominator - mean * mean) / X;
        ext next = X - difference / slope;
        if (!(next > below && next < above)) next = below + (above - below) / 2;
        if (std::fabs(next - X) <= settledSteps * X || above - below <= settledSteps * X)
            return next;
        X = next;
    }
    throw Error("The free anion concentration of the ionic-strength model did not settle");
}

Trial trialAt(int n, const SpeciesArray& beta, const ActivityLaw& law, ext C0, ext ionicStrength,
              ext startX) {
    Trial trial;
    trial.log10PerChargeSquared = law.log10PerChargeSquared(ionicStrength);
    // log10 (g_n g_1^i / g_(n-i)) = L (n^2 + i - (n-i)^2) = L i (2n - i + 1).
    SpeciesArray primed{};
    primed[0] = 1;
    for (int i = 1; i <= n; ++i) {
        const ext exponent =
            std::numbers::ln10_v<ext> * trial.log10PerChargeSquared * toExt(i * (2 * n - i + 1));
        primed[static_cast<size_t>(i)] = beta[static_cast<size_t>(i)] * std::exp(exponent);
        if (!std::isfinite(primed[static_cast<size_t>(i)])) notFinite();
    }
    trial.X = freeAnionFrom(n, primed, C0, startX);
    const BalanceSums sums = balanceSums(n, primed, trial.X);
    ext power = 1;
    ext strength = trial.X;
    ext bound = 0;
    for (int i = 0; i <= n; ++i) {
        const ext concentration = C0 * primed[static_cast<size_t>(i)] * power / sums.denominator;
        trial.concentrations[static_cast<size_t>(i)] = concentration;
        const ext charge = toExt(n - i);
        strength += charge * charge * concentration;
        bound += toExt(i) * concentration;
        power *= trial.X;
    }
    trial.strength = strength / 2;
    trial.meanBound = bound / C0;
    if (!std::isfinite(trial.strength) || !std::isfinite(trial.meanBound)) notFinite();
    return trial;
}

}  // namespace

ext freeAnionOfBalance(int n, const SpeciesArray& constants, ext C0) {
    return freeAnionFrom(n, constants, C0, 0);
}

IonicSpeciation speciateAtIonicStrength(int n, const SpeciesArray& beta, const ActivityLaw& law,
                                        ext C0) {
    // A zero concentration makes the mass balance 0/0, as in the designed calculation.
    if (!(C0 > 0)) throwFloatingPointFault(FloatingPointFault::InvalidOperation);
    for (int i = 1; i <= n; ++i) {
        if (beta[static_cast<size_t>(i)] < 0) {
            throw Error("The ionic-strength model needs formation constants of zero or above");
        }
    }
    // G(I) = strength(species at I) - I is positive at I = 0 and not positive at the
    // largest ionic strength the salt can have, all of it dissociated.
    ext below = 0;
    ext above = toExt(n * n + n) * C0 / 2;
    Trial trial = trialAt(n, beta, law, C0, 0, 0);
    ext previousI = 0;
    ext previousG = trial.strength;
    ext I = trial.strength;  // the first step: the ionic strength of the ideal species
    for (int pass = 0; pass < strengthPassLimit; ++pass) {
        trial = trialAt(n, beta, law, C0, I, trial.X);
        const ext G = trial.strength - I;
        if (std::fabs(G) <= strengthTolerance * I || above - below <= strengthTolerance * I) {
            IonicSpeciation result;
            result.X = trial.X;
            result.ionicStrength = I;
            result.log10PerChargeSquared = trial.log10PerChargeSquared;
            result.concentrations.assign(trial.concentrations.begin(),
                                         trial.concentrations.begin() + n + 1);
            result.meanBound = trial.meanBound;
            return result;
        }
        (G > 0 ? below : above) = I;
        ext next = I - G * (I - previousI) / (G - previousG);
        if (!(next > below && next < above)) next = below + (above - below) / 2;
        previousI = I;
        previousG = G;
        I = next;
    }
    throw Error("The ionic strength of the ionic-strength model did not settle");
}

}  // namespace condsim
