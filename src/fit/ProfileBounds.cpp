#include "fit/ProfileBounds.h"

#include <algorithm>
#include <cmath>

#include "core/Error.h"
#include "fit/ConstantScan.h"

namespace condsim {

namespace {

// Beyond the scanned decades by this many decades a formation constant changes nothing.
constexpr ext decadesBeyondEffect = 7;
// The profile of the ion size is followed one decade beyond its scanned range each way.
constexpr int ionSizeDecadesBeyondScan = 1;
// The profile of MCA or MCX is followed from 0 up to this many times its value (or 1).
constexpr ext linearReach = 1e3L;
constexpr ext logarithmPrecision = 1e-7L;
constexpr int refinementLimit = 60;
// The first step on the logarithm: the guess, but no further than a factor e^0.5, so that
// the other parameters can follow the valley from the optimum.
constexpr ext minimumFirstStep = 0.01L;
constexpr ext maximumFirstStep = 0.5L;
// On a linear scale the first step is half the guess, at least this much of the value.
constexpr ext minimumLinearStep = 1e-9L;

const ext ln10 = std::log(10.0L);

// The range of the unknown over which the profile of parameter j is followed.
std::pair<ext, ext> searchedRange(const FitProblem& problem, const ProfileSearch& search,
                                  size_t j) {
    const FitParameterisation& parameterisation = problem.parameterisation();
    if (parameterisation.isFormationConstant(j)) {
        const std::pair<int, int> decades = scannedDecades(problem, j);
        return {(decades.first - decadesBeyondEffect) * ln10,
                (decades.second + decadesBeyondEffect) * ln10};
    }
    if (parameterisation.parameters()[j].kind == FitParameterKind::IonSize) {
        return {(ionSizeDecades.first - ionSizeDecadesBeyondScan) * ln10,
                (ionSizeDecades.second + ionSizeDecadesBeyondScan) * ln10};
    }
    return {0, linearReach * std::max<ext>(1, std::fabs(search.optimum[j]))};
}

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
        const FitParameterisation& parameterisation = problem.parameterisation();
        for (size_t k = 0; k < free_.size(); ++k) {
            if (k == j || !parameterisation.hasBoundAtZero(k)) continue;
            if (search.free[k]) {
                if (k < search.zeroWithin.size() && search.zeroWithin[k]) zeroable_.push_back(k);
                continue;
            }
            // A parameter without effect at the optimum (alfa with K1 at 0) takes part again
            // once the constant moves away from 0.
            if (inside_[k] != 0) free_[k] = true;
            if (inside_[k] == 0) {
                zeroable_.push_back(k);
                heldByOptimum_ = true;
            }
        }
        atZeroFree_ = free_;
        awayFree_ = free_;
        for (const size_t k : zeroable_) {
            atZeroFree_[k] = false;
            awayFree_[k] = true;
        }
    }

    // The distance from the threshold in the measure sqrt(S - S_min): below 0 inside the
    // interval, above 0 outside it, infinite where the calculation fails. The other
    // parameters start from the last point found inside, the nearest one on the optimum's
    // side of the valley.
    ext excess(ext u) {
        std::vector<ext> values = inside_;
        try {
            values[j_] = problem_.parameterisation().valueOf(j_, u);
        } catch (const Error&) {
            return HUGE_VALL;
        }
        LocalFit fit = fitLocally(problem_, zeroable_.empty() ? values : awayFromZero(values),
                                  awayFree_, settings_);
        // Held at 0 the sum of squares can only be lower: that matters where the free fit
        // lies outside the threshold, or runs towards 0, or the optimum holds one at 0.
        if (!zeroable_.empty() &&
            (heldByOptimum_ || runsTowardsZero(fit) || !(fit.sumOfSquares < search_.threshold))) {
            LocalFit zero = fitLocally(problem_, atZero(values), atZeroFree_, settings_);
            if (zero.outcome != LocalFit::Outcome::Failed &&
                (fit.outcome == LocalFit::Outcome::Failed || zero.sumOfSquares < fit.sumOfSquares))
                fit = std::move(zero);
        }
        if (fit.outcome == LocalFit::Outcome::Failed) return HUGE_VALL;
        if (search_.lower != nullptr && fit.sumOfSquares < search_.lower->sumOfSquares)
            *search_.lower = {fit.values, fit.sumOfSquares};
        const ext rise = std::max<ext>(fit.sumOfSquares - search_.optimumSum, 0);
        const ext e = std::sqrt(rise) - std::sqrt(search_.threshold - search_.optimumSum);
        if (e < 0) inside_ = fit.values;
        return e;
    }

  private:
    // Whether a constant that is free at the optimum fell below a tenth of its value there
    // in this fit: on its way to 0, which its logarithm only approaches.
    bool runsTowardsZero(const LocalFit& fit) const {
        if (fit.outcome == LocalFit::Outcome::Failed) return true;
        for (const size_t k : zeroable_) {
            if (search_.optimum[k] > 0 && fit.values[k] < search_.optimum[k] / 10) return true;
        }
        return false;
    }

    // The constants that may be 0, at 0.
    std::vector<ext> atZero(std::vector<ext> values) const {
        for (const size_t k : zeroable_) values[k] = 0;
        return values;
    }
    // The same constants away from 0: where the last point inside left them, or else in
    // the middle of their scanned decades.
    std::vector<ext> awayFromZero(std::vector<ext> values) const {
        for (const size_t k : zeroable_) {
            if (values[k] > 0) continue;
            const std::pair<int, int> decades = scannedDecades(problem_, k);
            values[k] = std::pow(10.0L, static_cast<ext>(decades.first + decades.second) / 2);
        }
        return values;
    }

    const FitProblem& problem_;
    const ProfileSearch& search_;
    size_t j_;
    std::vector<bool> free_;
    // The formation constants that may be 0 here: those the optimum holds at 0, and those
    // whose value 0 lies inside the threshold. Each point is fitted with them at 0 and
    // with them free, and the lower sum of squares counts.
    std::vector<size_t> zeroable_;
    bool heldByOptimum_ = false;    // one of them is held at 0 by the optimum
    std::vector<bool> atZeroFree_;  // free_ with those constants held
    std::vector<bool> awayFree_;    // free_ with those constants free
    LocalFitSettings settings_;
    std::vector<ext> inside_;
};

// The crossing between inside (excess < 0) and outside (excess >= 0) by regula falsi with
// the Illinois modification; the unknown there.
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
    return (inside + outside) / 2;
}

}  // namespace

std::pair<ext, ext> profileSearchedValues(const FitProblem& problem, const ProfileSearch& search,
                                          size_t j) {
    const std::pair<ext, ext> range = searchedRange(problem, search, j);
    return {problem.parameterisation().valueOf(j, range.first),
            problem.parameterisation().valueOf(j, range.second)};
}

namespace {

ProfileBound reached(const FitProblem& problem, size_t j, ext unknown) {
    return {problem.parameterisation().valueOf(j, unknown), true};
}

}  // namespace

ProfileBound profileBound(const FitProblem& problem, const ProfileSearch& search, size_t j,
                          int direction, ext stepGuess, const LocalFitSettings& settings) {
    Profile profile(problem, search, j, settings);
    const FitParameterisation& parameterisation = problem.parameterisation();
    const std::pair<ext, ext> range = searchedRange(problem, search, j);
    const ext limit = direction < 0 ? range.first : range.second;
    const ProfileBound notReached{direction < 0 ? 0 : HUGE_VALL, false};
    ext inside = parameterisation.unknownOf(j, search.optimum[j]);
    ext insideExcess = std::sqrt(std::max<ext>(
                           search.startSum.value_or(search.optimumSum) - search.optimumSum, 0)) -
                       std::sqrt(search.threshold - search.optimumSum);
    ext step = parameterisation.parameters()[j].onLogarithmicScale()
                   ? std::clamp<ext>(std::fabs(stepGuess), minimumFirstStep, maximumFirstStep)
                   : std::max<ext>(std::fabs(stepGuess) / 2,
                                   minimumLinearStep * std::max<ext>(1, std::fabs(inside)));
    for (;;) {
        ext u = inside + direction * step;
        const bool atLimit = direction * (u - limit) >= 0;
        if (atLimit) u = limit;
        const ext e = profile.excess(u);
        // Where the calculation fails the model's range ends: the data set no bound there.
        if (!std::isfinite(e)) return notReached;
        if (e >= 0) return reached(problem, j, refine(profile, inside, insideExcess, u, e));
        if (atLimit) return notReached;
        inside = u;
        insideExcess = e;
        step *= 2;
    }
}

ProfileBound profileBoundFromZero(const FitProblem& problem, const ProfileSearch& search, size_t j,
                                  const LocalFitSettings& settings) {
    Profile profile(problem, search, j, settings);
    const std::pair<int, int> decades = scannedDecades(problem, j);
    const std::pair<ext, ext> range = searchedRange(problem, search, j);
    // Walk up a decade at a time from the lowest scanned decade; when that is already
    // outside, walk down until inside.
    ext u = decades.first * ln10;
    ext e = profile.excess(u);
    if (e >= 0) {
        for (;;) {
            const ext below = u - ln10;
            if (below < range.first) return reached(problem, j, u);
            const ext eBelow = profile.excess(below);
            if (eBelow < 0) return reached(problem, j, refine(profile, below, eBelow, u, e));
            u = below;
            e = eBelow;
        }
    }
    for (;;) {
        const ext above = u + ln10;
        if (above > range.second) return {HUGE_VALL, false};
        const ext eAbove = profile.excess(above);
        if (eAbove >= 0) return reached(problem, j, refine(profile, u, e, above, eAbove));
        u = above;
        e = eAbove;
    }
}

}  // namespace condsim
