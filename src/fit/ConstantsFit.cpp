#include "fit/ConstantsFit.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NumberText.h"
#include "fit/ConstantScan.h"
#include "fit/FitProblem.h"
#include "fit/LocalFit.h"
#include "fit/OptimumCheck.h"
#include "fit/ProfileBounds.h"
#include "fit/StudentT.h"
#include "model/CalculationRoad.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/ionic/ActivityLawRange.h"

namespace condsim {

namespace {

// The confidence level of the intervals.
constexpr double confidence = 0.95;
// The starts of the optimiser taken from the scan, besides the start of the fit.
constexpr size_t scannedStarts = 3;
// How often the optimiser starts again where it stopped short of an optimum.
constexpr int optimiserRestarts = 3;
// How often the fit goes on from a point below the optimum that a profile met.
constexpr int lowerPointRestarts = 2;
// The least squares of MCA and MCX at a point of the scan need not be exact.
constexpr ext scanTolerance = 1e-6L;

std::string namesOf(const std::vector<FitParameter>& parameters,
                    const std::vector<size_t>& indices) {
    std::vector<FitParameter> named;
    named.reserve(indices.size());
    for (const size_t j : indices) named.push_back(parameters[j]);
    return fitParameterNameList(named);
}

FitResult notConverged(FitResult result, std::string reason) {
    result.status = FitStatus::NotConverged;
    result.reason = std::move(reason);
    result.values.clear();
    result.correlation.clear();
    result.calculated.clear();
    result.stepwiseConstants.clear();
    return result;
}

std::string relativeWeightsRefusal(const FitSystem& system) {
    for (size_t j = 0; j < system.points.size(); ++j) {
        const ext conductivity = system.points[j].conductivity;
        if (!(conductivity > 0)) {
            return "Relative weights divide by the observed conductivity, which must be positive; "
                   "point " +
                   integerText(static_cast<int>(j + 1)) + " has " + NumberText(conductivity) + ".";
        }
    }
    return {};
}

// The calculated conductivities at the optimum by the calculation's own step search, and
// the solution model's notes on the observed points there: several ionic strengths at a
// point, points above the activity law's range.
std::vector<ext> calculatedByStepSearch(const FitSystem& system,
                                        const CalculationConstants& constants,
                                        std::vector<std::string>& notes) {
    std::vector<ext> calculated;
    ActivityLawRangeTally range(constants.solution);
    for (const ObservedPoint& point : system.points) {
        const PointResult result =
            calculatedPoint(system, constants, point.concentration, FreeAnionRoute::StepSearch);
        calculated.push_back(result.conductivity);
        notes.insert(notes.end(), result.notes.begin(), result.notes.end());
        range.add(point.concentration, result.ionicStrength);
    }
    if (range.beyond() > 0)
        notes.push_back("the fitted values come from data outside the model's range. " +
                        range.note("observed points"));
    return calculated;
}

// A local optimum reached from one start, with the parameters it adjusted.
struct Candidate {
    LocalFit fit;
    std::vector<bool> free;
};

// The parameters a start adjusts: all but the formation constants at 0 and those that have
// no effect there. A parameter without effect gets its start value back, so that it can
// take part again when the constant that silenced it moves.
std::vector<bool> freeAt(const FitProblem& problem, std::vector<ext>& values) {
    const FitParameterisation& parameterisation = problem.parameterisation();
    std::vector<bool> free(values.size(), true);
    for (size_t j = 0; j < values.size(); ++j) {
        if (!parameterisation.hasBoundAtZero(j)) continue;
        if (parameterisation.hasNoEffect(j, values)) {
            values[j] = parameterisation.start()[j];
            free[j] = false;
        } else if (values[j] == 0) {
            free[j] = false;
        }
    }
    return free;
}

Candidate fitFrom(const FitProblem& problem, std::vector<ext> values,
                  const LocalFitSettings& settings) {
    std::vector<bool> free = freeAt(problem, values);
    return {fitLocally(problem, std::move(values), free, settings), free};
}

bool better(const Candidate& a, const Candidate* b) {
    return a.fit.outcome != LocalFit::Outcome::Failed &&
           (b == nullptr || b->fit.outcome == LocalFit::Outcome::Failed ||
            a.fit.sumOfSquares < b->fit.sumOfSquares);
}

// Two sums of squares this close are the same to the precision of the calculation: a
// formation constant so small that it changes the residuals only by rounding is the
// constant at 0.
constexpr ext sameSumTolerance = 1e-10L;

bool noWorseThan(ext sum, ext reference) { return sum <= reference * (1 + sameSumTolerance); }

// Whether the best point is no optimum because formation constant j runs towards its bound
// 0: the sum of squares falls as it shrinks, it lies far below its scanned decades, or it
// no longer changes the residuals at all.
bool runsTowardsZero(const FitProblem& problem, const Candidate& best, const OptimumCheck& check,
                     size_t j) {
    const bool fallsTowardsZero = check.verdict == OptimumCheck::Verdict::GradientNotZero &&
                                  check.steepest == j && check.gradient > 0;
    const bool farBelow =
        best.fit.values[j] < std::pow(10.0L, scannedDecades(problem, j).first - 3);
    const bool withoutEffect = std::find(check.withoutEffect.begin(), check.withoutEffect.end(),
                                         j) != check.withoutEffect.end();
    return fallsTowardsZero || farBelow || withoutEffect;
}

// When the best point is no optimum because a formation constant runs towards 0, the
// optimum is at that bound: the same fit with the constant held at 0, the other parameters
// fitted there, taken when its sum of squares is no worse.
std::optional<Candidate> heldAtZero(const FitProblem& problem, const Candidate& best,
                                    const OptimumCheck& check, const LocalFitSettings& settings) {
    const FitParameterisation& parameterisation = problem.parameterisation();
    for (size_t j = 0; j < best.free.size(); ++j) {
        if (!best.free[j] || !parameterisation.hasBoundAtZero(j)) continue;
        if (!runsTowardsZero(problem, best, check, j)) continue;
        std::vector<ext> values = best.fit.values;
        values[j] = 0;
        Candidate zero = fitFrom(problem, values, settings);
        if (zero.fit.outcome == LocalFit::Outcome::Stopped &&
            noWorseThan(zero.fit.sumOfSquares, best.fit.sumOfSquares)) {
            return zero;
        }
    }
    return std::nullopt;
}

std::string notAnOptimumReason(const FitProblem& problem, const Candidate& best,
                               const OptimumCheck& check) {
    const std::vector<FitParameter>& parameters = problem.parameterisation().parameters();
    switch (check.verdict) {
        case OptimumCheck::Verdict::CalculationFailed:
            return "the calculation failed at the optimum: " + check.failure;
        case OptimumCheck::Verdict::RankLost:
            if (!check.withoutEffect.empty()) {
                const size_t j = check.withoutEffect.front();
                const std::string name = fitParameterName(parameters[j]);
                return "the optimiser stopped at " + name + " = " + NumberText(best.fit.values[j]) +
                       ", where " + name + " no longer changes the calculated conductivities";
            }
            return "the observed data do not determine " + namesOf(parameters, check.free) +
                   " separately (the Jacobian at the end has rank " + integerText(check.rank) +
                   " of " + integerText(static_cast<int>(check.free.size())) + ")";
        case OptimumCheck::Verdict::GradientNotZero: {
            const std::string name = fitParameterName(parameters[check.steepest]);
            return "the optimiser stopped at " + name + " = " +
                   NumberText(best.fit.values[check.steepest]) +
                   ", where the sum of squares still falls as " + name +
                   (check.gradient < 0 ? " grows" : " shrinks") + " (its gradient is not zero)";
        }
        case OptimumCheck::Verdict::Optimum:
            break;
    }
    return {};
}

// The optimiser from the start of the fit and from the best points of the scan; the
// lowest sum of squares wins. None when every start failed: firstFailure then says why.
std::optional<Candidate> bestOfTheStarts(const FitProblem& problem, const FitOptions& options,
                                         const LocalFitSettings& settings,
                                         std::string& firstFailure,
                                         std::vector<Candidate>& others) {
    const LocalFitSettings scanSettings{options.maxEvaluations, scanTolerance,
                                        options.initialStepBound};
    std::vector<std::vector<ext>> starts{problem.parameterisation().start()};
    if (options.scan) {
        for (const ScanPoint& point : scanConstants(problem, scannedStarts, scanSettings))
            starts.push_back(point.values);
    }
    std::optional<Candidate> best;
    std::vector<Candidate> stopped;
    for (const std::vector<ext>& start : starts) {
        Candidate candidate = fitFrom(problem, start, settings);
        if (candidate.fit.outcome == LocalFit::Outcome::Failed && firstFailure.empty())
            firstFailure = candidate.fit.failure;
        if (candidate.fit.outcome == LocalFit::Outcome::Stopped) stopped.push_back(candidate);
        if (better(candidate, best ? &*best : nullptr)) best = std::move(candidate);
    }
    for (Candidate& candidate : stopped) {
        if (best && candidate.fit.values != best->fit.values)
            others.push_back(std::move(candidate));
    }
    return best;
}

// Takes the best point on to the optimum where it is not one yet, and checks it: in a long
// narrow valley the optimiser may stop short of the optimum, and a fresh start from there,
// with its trust region and scaling renewed, goes on while it still gains; a formation
// constant that runs towards 0 is held there, and the iterations and evaluations of the
// result are then those of that fit.
OptimumCheck settleOptimum(const FitProblem& problem, Candidate& best,
                           const LocalFitSettings& settings, FitResult& result) {
    OptimumCheck check = checkOptimum(problem, best.fit.values, best.free);
    for (int restart = 0;
         restart < optimiserRestarts && check.verdict == OptimumCheck::Verdict::GradientNotZero;
         ++restart) {
        Candidate further{fitLocally(problem, best.fit.values, best.free, settings), best.free};
        if (further.fit.outcome != LocalFit::Outcome::Stopped ||
            !(further.fit.sumOfSquares <= best.fit.sumOfSquares))
            break;
        further.fit.iterations += best.fit.iterations;
        further.fit.evaluations += best.fit.evaluations;
        best = std::move(further);
        check = checkOptimum(problem, best.fit.values, best.free);
    }
    if (!check.isOptimum()) {
        if (std::optional<Candidate> zero = heldAtZero(problem, best, check, settings)) {
            best = std::move(*zero);
            result.iterations = best.fit.iterations;
            result.evaluations = best.fit.evaluations;
            check = checkOptimum(problem, best.fit.values, best.free);
        }
    }
    return check;
}

// The conductivities at the optimum by the step search, the weighted sum of squares and
// the RMS residual. Throws Error when the calculation fails there.
void measureAtOptimum(const FitSystem& system, FitWeighting weighting,
                      const CalculationConstants& constants, FitResult& result) {
    result.modelNotes.clear();
    result.calculated = calculatedByStepSearch(system, constants, result.modelNotes);
    ext sumOfSquares = 0;
    for (size_t j = 0; j < system.points.size(); ++j) {
        const ext observed = system.points[j].conductivity;
        const ext residual =
            mul(residualWeight(weighting, observed), sub(result.calculated[j], observed));
        sumOfSquares = add(sumOfSquares, mul(residual, residual));
    }
    result.sumOfSquares = sumOfSquares;
    result.rmsResidual = squareRoot(div(sumOfSquares, toExt(result.pointCount)));
}

// Where the optimum was found and what is known about it there.
struct Optimum {
    const Candidate& best;
    const OptimumCheck& check;
    // The row of each estimated parameter in (J^T J)^-1; -1 for one held at 0 or silenced.
    std::vector<int> place;
};

// The first step of a profile walked on from another valley for a parameter at 0, on its
// logarithm.
constexpr ext firstStepFromZero = 0.1L;

// How far the profile may differ from the interval from the Jacobian, on either side and on
// the scale of the fit, before the profile leads.
constexpr ext intervalAgreement = 0.2L;

// Whether the interval from the Jacobian and the profile's differ by more than
// intervalAgreement of the profile's reach on either side, on the scale of the fit.
bool intervalsDisagree(const FitParameterisation& parameterisation, size_t j,
                       const FittedValue& fitted) {
    const ext centre = parameterisation.unknownOf(j, fitted.value);
    const auto reach = [&](ext bound) {
        if (std::isinf(bound) ||
            (bound <= 0 && parameterisation.parameters()[j].onLogarithmicScale()))
            return HUGE_VALL;
        return std::fabs(parameterisation.unknownOf(j, bound) - centre);
    };
    const auto differ = [&](ext jacobian, ext profile) {
        const ext a = reach(jacobian);
        const ext b = reach(profile);
        if (std::isinf(a) || std::isinf(b)) return !(std::isinf(a) && std::isinf(b));
        return std::fabs(a - b) > intervalAgreement * b;
    };
    return differ(fitted.lower, fitted.profileLower) || differ(fitted.upper, fitted.profileUpper);
}

// A profile follows the valley of the optimum. Where another start ended in a valley of its
// own below the threshold, that valley lies inside the interval too: a bound that stops
// short of it is followed on from there, and a parameter that valley holds at 0 reaches 0.
void reachOtherValleys(const FitProblem& problem, const ProfileSearch& search,
                       const std::vector<Candidate>& others, size_t j, ext stepGuess,
                       const LocalFitSettings& settings, ProfileBound& below, ProfileBound& above) {
    for (const Candidate& other : others) {
        if (!(other.fit.sumOfSquares < search.threshold)) continue;
        const ext value = other.fit.values[j];
        if (!other.free[j]) {
            if (value == 0) below = {0, false};
            continue;
        }
        ProfileSearch from = search;
        from.optimum = other.fit.values;
        from.free = other.free;
        from.startSum = other.fit.sumOfSquares;
        if (below.reached && value < below.value)
            below = profileBound(problem, from, j, -1, stepGuess, settings);
        if (above.reached && value > above.value)
            above = profileBound(problem, from, j, 1, stepGuess, settings);
    }
}

// Which free formation constants may be 0: with the constant held there and the other
// parameters fitted, the sum of squares stays below the threshold.
std::vector<bool> zeroWithin(const FitProblem& problem, const Candidate& best, ext threshold,
                             const LocalFitSettings& settings) {
    std::vector<bool> within(best.free.size(), false);
    for (size_t k = 0; k < best.free.size(); ++k) {
        if (!best.free[k] || !problem.parameterisation().hasBoundAtZero(k)) continue;
        std::vector<ext> values = best.fit.values;
        values[k] = 0;
        const Candidate zero = fitFrom(problem, values, settings);
        within[k] =
            zero.fit.outcome != LocalFit::Outcome::Failed && zero.fit.sumOfSquares < threshold;
    }
    return within;
}

// Each parameter's value with its standard error, its 95 % interval from the Jacobian and
// from the profile of the sum of squares; a constant at 0 with its one-sided upper bound; a
// parameter whose profile never reaches the threshold as not determined. The degrees of
// freedom are m - p with p the parameters of the request, those at 0 included.
std::vector<FittedValue> fittedValues(const FitProblem& problem, const FitRequest& request,
                                      const Optimum& at, const std::vector<Candidate>& others,
                                      const FitResult& result, const LocalFitSettings& settings,
                                      LowerPoint* lower) {
    const FitParameterisation& parameterisation = problem.parameterisation();
    const std::vector<ext>& optimum = at.best.fit.values;
    const int degreesOfFreedom = result.pointCount - static_cast<int>(request.parameters.size());
    const ext variance = result.sumOfSquares / toExt(degreesOfFreedom);
    const ext t = studentTQuantile(0.5 + confidence / 2, degreesOfFreedom);
    const ext oneSidedT = studentTQuantile(confidence, degreesOfFreedom);
    ProfileSearch search{optimum, at.best.free, at.best.fit.sumOfSquares, 0, lower, std::nullopt,
                         {}};
    const ext twoSidedThreshold = search.optimumSum * (1 + t * t / degreesOfFreedom);
    search.zeroWithin = zeroWithin(problem, at.best, twoSidedThreshold, settings);
    std::vector<FittedValue> values;
    for (size_t j = 0; j < request.parameters.size(); ++j) {
        FittedValue fitted{request.parameters[j], optimum[j], 0, 0, 0};
        if (at.place[j] < 0) {
            const bool silenced = parameterisation.hasNoEffect(j, optimum);
            fitted.state = silenced ? FittedState::NoEffect : FittedState::AtZero;
            if (!silenced) {
                fitted.value = 0;
                search.threshold =
                    search.optimumSum * (1 + oneSidedT * oneSidedT / degreesOfFreedom);
                fitted.hasProfile = true;
                ProfileBound zero{0, false};
                ProfileBound above = profileBoundFromZero(problem, search, j, settings);
                reachOtherValleys(problem, search, others, j, firstStepFromZero, settings, zero,
                                  above);
                fitted.profileUpper = above.value;
            }
            values.push_back(fitted);
            continue;
        }
        const auto k = static_cast<size_t>(at.place[j]);
        const ext spread =
            std::sqrt(variance * at.check.inverseNormal[k][k]);  // standard error of the unknown
        const ext unknown = parameterisation.unknownOf(j, optimum[j]);
        if (parameterisation.parameters()[j].onLogarithmicScale()) {
            fitted.standardError = fitted.value * spread;
            fitted.lower = std::exp(unknown - t * spread);
            fitted.upper = std::exp(unknown + t * spread);
        } else {
            fitted.standardError = spread;
            fitted.lower = fitted.value - t * spread;
            fitted.upper = fitted.value + t * spread;
        }
        search.threshold = twoSidedThreshold;
        fitted.hasProfile = true;
        ProfileBound below = profileBound(problem, search, j, -1, t * spread, settings);
        ProfileBound above = profileBound(problem, search, j, 1, t * spread, settings);
        reachOtherValleys(problem, search, others, j, t * spread, settings, below, above);
        fitted.profileLower = below.value;
        fitted.profileUpper = above.value;
        fitted.hasJacobianInterval = below.reached && above.reached;
        if (!below.reached && !above.reached) {
            fitted.state = FittedState::NotDetermined;
            std::tie(fitted.searchedFrom, fitted.searchedTo) =
                profileSearchedValues(problem, search, j);
        } else if (fitted.hasJacobianInterval) {
            fitted.profileLeads = intervalsDisagree(parameterisation, j, fitted);
        }
        values.push_back(fitted);
    }
    return values;
}

// The correlations of the estimated parameters, from the unscaled matrix so that they are
// defined also for a sum of squares of 0; NaN where a parameter is not estimated.
std::vector<std::vector<ext>> correlationsAt(const Optimum& at) {
    const size_t p = at.place.size();
    std::vector<std::vector<ext>> correlation(p, std::vector<ext>(p, std::nanl("")));
    for (size_t i = 0; i < p; ++i) {
        for (size_t j = 0; j < p; ++j) {
            if (at.place[i] < 0 || at.place[j] < 0) continue;
            const auto a = static_cast<size_t>(at.place[i]);
            const auto b = static_cast<size_t>(at.place[j]);
            const OptimumCheck& check = at.check;
            correlation[i][j] = check.inverseNormal[a][b] /
                                std::sqrt(check.inverseNormal[a][a] * check.inverseNormal[b][b]);
        }
    }
    return correlation;
}

}  // namespace

FitResult fitConstants(const FitSystem& system, const FitRequest& request) {
    FitResult result;
    result.n = system.n;
    result.pointCount = static_cast<int>(system.points.size());
    result.weighting = request.weighting;
    result.reason = FitParameterisation::refusal(system, request.parameters);
    if (result.reason.empty() && request.weighting == FitWeighting::Relative)
        result.reason = relativeWeightsRefusal(system);
    if (!result.reason.empty()) return result;

    const FitParameterisation parameterisation(system, request.parameters);
    const FitProblem problem(parameterisation, request.weighting, request.options.progress);
    result.otherConstants = parameterisation.otherConstantsNote();
    result.followsModel1 = parameterisation.generatesByModel1() &&
                           std::find(request.parameters.begin(), request.parameters.end(),
                                     FitParameter::alfa()) == request.parameters.end();
    const LocalFitSettings settings{request.options.maxEvaluations, request.options.tolerance,
                                    request.options.initialStepBound};

    std::string firstFailure;
    std::vector<Candidate> others;  // where the other starts ended
    std::optional<Candidate> best =
        bestOfTheStarts(problem, request.options, settings, firstFailure, others);
    result.totalEvaluations = problem.evaluations();
    if (!best) return notConverged(result, "the calculation failed: " + firstFailure);
    result.iterations = best->fit.iterations;
    result.evaluations = best->fit.evaluations;
    if (best->fit.outcome == LocalFit::Outcome::OutOfEvaluations) {
        return notConverged(result, "no optimum within " +
                                        integerText(request.options.maxEvaluations) +
                                        " evaluations of the residuals");
    }
    // A profile may meet a point below the optimum (a valley the starts missed): the fit
    // goes on from there, and the optimum and its intervals are found again.
    OptimumCheck check;
    CalculationConstants constants;
    Optimum at{*best, check, {}};
    for (int pass = 0;; ++pass) {
        check = settleOptimum(problem, *best, settings, result);
        result.totalEvaluations = problem.evaluations();
        if (!check.isOptimum())
            return notConverged(result, notAnOptimumReason(problem, *best, check));
        try {
            constants = parameterisation.constantsAt(best->fit.values);
            measureAtOptimum(system, request.weighting, constants, result);
        } catch (const Error& error) {
            return notConverged(result, "the calculation failed at the optimum: " + error.text());
        }
        at.place.assign(request.parameters.size(), -1);
        for (size_t k = 0; k < check.free.size(); ++k)
            at.place[check.free[k]] = static_cast<int>(k);
        LowerPoint lower;
        result.values = fittedValues(problem, request, at, others, result, settings, &lower);
        if (pass == lowerPointRestarts ||
            !(lower.sumOfSquares < best->fit.sumOfSquares * (1 - sameSumTolerance)))
            break;
        Candidate further = fitFrom(problem, lower.values, settings);
        if (!better(further, &*best)) break;
        best = std::move(further);
        result.iterations = best->fit.iterations;
        result.evaluations = best->fit.evaluations;
    }
    result.correlation = correlationsAt(at);
    result.totalEvaluations = problem.evaluations();
    for (const FittedValue& fitted : result.values) {
        if (fitted.state != FittedState::Estimated) continue;
        if (!isFiniteExt(fitted.value) || !isFiniteExt(fitted.standardError) ||
            !isFiniteExt(fitted.lower) || !isFiniteExt(fitted.upper)) {
            return notConverged(result, "the optimum of " + fitParameterName(fitted.parameter) +
                                            " is not a finite number");
        }
    }
    result.stepwiseConstants.assign(constants.K.begin() + 1, constants.K.begin() + 1 + system.n);
    result.MCA = constants.MCA;
    result.MCX = constants.MCX;
    result.ionSize = constants.solution.ionSize;
    // The fitted model named where it has parameters of its own to report.
    const CalculationRoad road = calculationRoad(constants.solution);
    if (hasIonSize(road)) result.solutionModel = roadDescription(road);
    result.status = FitStatus::Converged;
    return result;
}

}  // namespace condsim
