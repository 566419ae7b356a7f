#include "model/ionic/IonicBalance.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <vector>

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

namespace {

IonicSpeciation speciationOf(int n, const Trial& trial, ext I) {
    IonicSpeciation result;
    result.X = trial.X;
    result.ionicStrength = I;
    result.log10PerChargeSquared = trial.log10PerChargeSquared;
    result.concentrations.assign(trial.concentrations.begin(),
                                 trial.concentrations.begin() + n + 1);
    result.meanBound = trial.meanBound;
    result.ionicStrengths = {I};
    return result;
}

// A root of G(I) = strength(species at I) - I inside [low, high], where G has the sign of
// gLow at low and the other sign at high, by bracketed secant steps from (previousI,
// previousG) and I.
IonicSpeciation settleStrength(int n, const SpeciesArray& beta, const ActivityLaw& law, ext C0,
                               ext low, ext high, bool positiveAtLow, ext previousI, ext previousG,
                               ext I, ext startX) {
    Trial trial;
    trial.X = startX;
    for (int pass = 0; pass < strengthPassLimit; ++pass) {
        trial = trialAt(n, beta, law, C0, I, trial.X);
        const ext G = trial.strength - I;
        if (std::fabs(G) <= strengthTolerance * I || high - low <= strengthTolerance * I)
            return speciationOf(n, trial, I);
        ((G > 0) == positiveAtLow ? low : high) = I;
        ext next = I - G * (I - previousI) / (G - previousG);
        if (!(next > low && next < high)) next = low + (high - low) / 2;
        previousI = I;
        previousG = G;
        I = next;
    }
    throw Error("The ionic strength of the ionic-strength model did not settle");
}

// The largest ratio of neighbouring ionic strengths at which G is sampled for its sign
// changes. Two roots closer than this (near a fold, where they merge) may be seen as none.
constexpr ext censusRatio = 1.15L;
// The sampling starts at this fraction of the ionic strength of the ideal species.
constexpr ext censusStart = 0.5L;
// Davies's L(I) falls up to this ionic strength, where sqrt(I) (1 + sqrt(I))^2 = 1 / 0.6,
// and rises beyond it.
constexpr ext daviesTurningStrength = 0.39497L;

struct Sample {
    ext I;
    ext G;
    ext X;
};

// Whether L(I) does not rise on [low, high]: then the activity coefficients do not rise,
// and the species' ionic strength S(I) = G(I) + I does not fall, so that G > 0 at p leaves
// no root in [p, S(p)) and G < 0 at p none in (S(p), p].
bool strengthNeverFalls(const ActivityLaw& law, ext high) {
    return law.kind != SolutionModelKind::Davies || high <= daviesTurningStrength;
}

// The intervals over which G changes sign, from samples over the whole range, ordered.
// Where S does not fall, a sample's own value bounds where the next root can be, and the
// next sample goes that far; elsewhere samples are at most censusRatio apart. The walk goes
// up from censusStart x the ideal species' strength while G stays positive, and down from
// the top while G stays negative, then up through what lies between.
std::vector<Sample> censusSamples(int n, const SpeciesArray& beta, const ActivityLaw& law, ext C0,
                                  const Trial& ideal, ext top) {
    std::vector<Sample> samples{{0, ideal.strength, ideal.X}};
    const auto sampleAt = [&](ext I, ext startX) {
        const Trial trial = trialAt(n, beta, law, C0, I, startX);
        samples.push_back({I, trial.strength - I, trial.X});
        return samples.back();
    };
    // Upwards while G > 0.
    Sample low = sampleAt(std::min(censusStart * ideal.strength, top), ideal.X);
    while (low.G > 0 && low.I < top) {
        ext next = low.I * censusRatio;
        const ext reach = low.I + low.G;
        if (reach > next && strengthNeverFalls(law, reach)) next = reach;
        low = sampleAt(std::min(next, top), low.X);
    }
    // Downwards from the top while G < 0, not below the last sample of the way up.
    if (low.I < top) {
        Sample high = sampleAt(top, low.X);
        bool met = false;
        while (high.G <= 0 && !met) {
            ext next = high.I / censusRatio;
            const ext reach = high.I + high.G;
            if (reach < next && strengthNeverFalls(law, high.I)) next = reach;
            met = next <= low.I;
            if (!met) high = sampleAt(next, high.X);
        }
        // Between them (G changed sign on the way down), at most censusRatio apart.
        if (!met) {
            for (ext I = low.I * censusRatio; I < high.I; I *= censusRatio) sampleAt(I, low.X);
        }
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample& a, const Sample& b) { return a.I < b.I; });
    return samples;
}

}  // namespace

IonicSpeciation speciateAtIonicStrength(int n, const SpeciesArray& beta, const ActivityLaw& law,
                                        ext C0, IonicRoots which) {
    // A zero concentration makes the mass balance 0/0, as in the designed calculation.
    if (!(C0 > 0)) throwFloatingPointFault(FloatingPointFault::InvalidOperation);
    for (int i = 1; i <= n; ++i) {
        if (beta[static_cast<size_t>(i)] < 0) {
            throw Error("The ionic-strength model needs formation constants of zero or above");
        }
    }
    // G(I) = strength(species at I) - I is positive at I = 0 and not positive at the
    // largest ionic strength the salt can have, all of it dissociated.
    const ext top = toExt(n * n + n) * C0 / 2;
    const Trial ideal = trialAt(n, beta, law, C0, 0, 0);
    // The first step: the ionic strength of the ideal species.
    IonicSpeciation first =
        settleStrength(n, beta, law, C0, 0, top, true, 0, ideal.strength, ideal.strength, ideal.X);
    // Every other root: the sign changes of G over the whole range. One change, around the
    // root found, is the usual case; otherwise each bracket is settled and the lowest root,
    // the one continuous from infinite dilution, is taken.
    if (which == IonicRoots::First) return first;
    const std::vector<Sample> samples = censusSamples(n, beta, law, C0, ideal, top);
    std::vector<IonicSpeciation> roots;
    for (size_t k = 1; k < samples.size(); ++k) {
        const Sample& below = samples[k - 1];
        const Sample& above = samples[k];
        if ((below.G > 0) == (above.G > 0)) continue;
        if (first.ionicStrength >= below.I && first.ionicStrength <= above.I) {
            roots.push_back(first);
            continue;
        }
        const ext start = below.I - below.G * (above.I - below.I) / (above.G - below.G);
        roots.push_back(settleStrength(n, beta, law, C0, below.I, above.I, below.G > 0, below.I,
                                       below.G, start, below.X));
    }
    if (roots.size() <= 1) return first;
    IonicSpeciation lowest = roots.front();
    lowest.ionicStrengths.clear();
    for (const IonicSpeciation& root : roots) lowest.ionicStrengths.push_back(root.ionicStrength);
    return lowest;
}

}  // namespace condsim
