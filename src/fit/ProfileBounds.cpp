#include "fit/ProfileBounds.h"

#include <algorithm>
#include <cmath>

#include "fit/ConstantScan.h"

namespace condsim {

namespace {

// Beyond the scanned decades by this many decades the constant changes nothing.
constexpr ext decadesBeyondEffect = 7;
constexpr ext logarithmPrecision = 1e-7L;
constexpr int refinementLimit = 60;
// The first step on the logarithm: the guess, but no further than a factor e^0.5, so that
// the other parameters can follow the valley from the optimum.
constexpr ext minimumFirstStep = 0.01L;
constexpr ext maximumFirstStep = 0.5L;

const ext ln10 = std::log(10.0L);

// The least sum of squares with constant j held at exp(u), the other free parameters
// fitted from where the last point of the profile left them.
class Profile {
  public:
    Profile(const FitProblem& problem, const ProfileSearch& search, size_t j,
            const LocalFitSettings& settings)
        : problem_(problem),
          search_(search),
          j_(j),
          free_(search.free),
          settings_(settings),
          inside_(search.optimum) {
        free_[j] = false;
        // A parameter without effect at the optimum (alfa with K1 at 0) takes part again
        // once the constant moves away from 0.
        for (size_t k = 0; k < free_.size(); ++k) {
            if (k != j && problem.parameterisation().isFormationConstant(k) && !search.free[k] &&
                inside_[k] != 0) {
                free_[k] = true;
            }
        }
    }

    // The distance from the threshold in the measure sqrt(S - S_min): below 0 inside the
    // interval, above 0 outside it. The other parameters start from the last point found
    // inside, the nearest one on the optimum's side of the valley.
    ext excess(ext u) {
        std::vector<ext> values = inside_;
        values[j_] = std::exp(u);
        const LocalFit fit = fitLocally(problem_, values, free_, settings_);
        if (fit.outcome == LocalFit::Outcome::Failed) return HUGE_VALL;
        const ext rise = std::max<ext>(fit.sumOfSquares - search_.optimumSum, 0);
        const ext e = std::sqrt(rise) - std::sqrt(search_.threshold - search_.optimumSum);
        if (e < 0) inside_ = fit.values;
        return e;
    }

  private:
    const FitProblem& problem_;
    const ProfileSearch& search_;
    size_t j_;
    std::vector<bool> free_;
    LocalFitSettings settings_;
    std::vector<ext> inside_;
};

// The crossing between inside (excess < 0) and outside (excess >= 0) by regula falsi with
// the Illinois modification.
ext refine(Profile& profile, ext inside, ext insideExcess, ext outside, ext outsideExcess) {
    int lastMoved = 0;
    for (int pass = 0; pass < refinementLimit; ++pass) {
        if (std::fabs(outside - inside) <= logarithmPrecision * std::max<ext>(1, std::fabs(inside)))
            break;
        ext u = std::isfinite(outsideExcess)
                    ? inside - insideExcess * (outside - inside) / (outsideExcess - insideExcess)
                    : (inside + outside) / 2;
        if (!(u > std::min(inside, outside) && u < std::max(inside, outside)))
            u = (inside + outside) / 2;
        const ext e = profile.excess(u);
        if (e < 0) {
            inside = u;
            insideExcess = e;
            if (lastMoved == -1) outsideExcess /= 2;
            lastMoved = -1;
        } else {
            outside = u;
            outsideExcess = e;
            if (lastMoved == 1) insideExcess /= 2;
            lastMoved = 1;
        }
    }
    return std::exp((inside + outside) / 2);
}

}  // namespace

ext profileBound(const FitProblem& problem, const ProfileSearch& search, size_t j, int direction,
                 ext stepGuess, const LocalFitSettings& settings) {
    Profile profile(problem, search, j, settings);
    const std::pair<int, int> decades = scannedDecades(problem, j);
    const ext limit = direction < 0 ? (decades.first - decadesBeyondEffect) * ln10
                                    : (decades.second + decadesBeyondEffect) * ln10;
    ext inside = std::log(search.optimum[j]);
    ext insideExcess = -std::sqrt(search.threshold - search.optimumSum);
    ext step = std::clamp<ext>(std::fabs(stepGuess), minimumFirstStep, maximumFirstStep);
    for (;;) {
        const ext u = inside + direction * step;
        if (direction * (u - limit) > 0) return direction < 0 ? 0 : HUGE_VALL;
        const ext e = profile.excess(u);
        if (e >= 0) return refine(profile, inside, insideExcess, u, e);
        inside = u;
        insideExcess = e;
        step *= 2;
    }
}

ext profileBoundFromZero(const FitProblem& problem, const ProfileSearch& search, size_t j,
                         const LocalFitSettings& settings) {
    Profile profile(problem, search, j, settings);
    const std::pair<int, int> decades = scannedDecades(problem, j);
    const ext lowest = (decades.first - decadesBeyondEffect) * ln10;
    const ext highest = (decades.second + decadesBeyondEffect) * ln10;
    // Walk up a decade at a time from the lowest scanned decade; when that is already
    // outside, walk down until inside.
    ext u = decades.first * ln10;
    ext e = profile.excess(u);
    if (e >= 0) {
        for (;;) {
            const ext below = u - ln10;
            if (below < lowest) return std::exp(u);
            const ext eBelow = profile.excess(below);
            if (eBelow < 0) return refine(profile, below, eBelow, u, e);
            u = below;
            e = eBelow;
        }
    }
    for (;;) {
        const ext above = u + ln10;
        if (above > highest) return HUGE_VALL;
        const ext eAbove = profile.excess(above);
        if (eAbove >= 0) return refine(profile, u, e, above, eAbove);
        u = above;
        e = eAbove;
    }
}

}  // namespace condsim
