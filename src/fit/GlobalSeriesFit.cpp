#include "fit/GlobalSeriesFit.h"

#include <Eigen/Dense>
#include <cmath>
#include <functional>
#include <memory>

#include "core/Error.h"
#include "core/IndexOrderedWork.h"
#include "files/NumberText.h"
#include "fit/FitParameterisation.h"
#include "fit/FitProblem.h"
#include "fit/LocalFit.h"
#include "fit/StudentT.h"

namespace condsim {

namespace {

using Vector = Eigen::Matrix<ext, Eigen::Dynamic, 1>;
using Matrix = Eigen::Matrix<ext, Eigen::Dynamic, Eigen::Dynamic>;

// One data set as the global fit sees it: the problem of K1 and MCA at its temperature.
struct SetProblem {
    ext temperature = 0;
    ext viscosity = 0;
    std::unique_ptr<FitSystem> system;
    std::unique_ptr<FitParameterisation> parameterisation;
    std::unique_ptr<FitProblem> problem;
};

// Copies of the data sets' problems, which count their evaluations: one set for each thread.
std::vector<SetProblem> copiesOf(const std::vector<SetProblem>& sets, FitWeighting weighting) {
    std::vector<SetProblem> copies;
    for (const SetProblem& set : sets) {
        SetProblem copy;
        copy.temperature = set.temperature;
        copy.viscosity = set.viscosity;
        copy.system = std::make_unique<FitSystem>(*set.system);
        copy.parameterisation =
            std::make_unique<FitParameterisation>(*copy.system, set.parameterisation->parameters());
        copy.problem = std::make_unique<FitProblem>(*copy.parameterisation, weighting);
        copies.push_back(std::move(copy));
    }
    return copies;
}

// The stacked residuals of every data set as a function of the global parameters:
// dH (kJ/mol), dS (J/(mol K)), dCp when fitted, then the lambda of the cation at each
// temperature or at 25 C when MCA is fitted.
class GlobalProblem {
  public:
    // progress, when given, is told after every evaluation of all residuals with n and the
    // evaluations of this problem's data sets so far (FitOptions::progress); a FitCancelled
    // it throws ends the fit.
    GlobalProblem(std::vector<SetProblem>& sets, bool heatCapacity, bool cationFitted,
                  bool waldenTie, ext referenceViscosity, ext heldCation,
                  std::function<void(int n, int evaluations)> progress = {}, int n = 0)
        : sets_(&sets),
          heatCapacity_(heatCapacity),
          cationFitted_(cationFitted),
          waldenTie_(waldenTie),
          referenceViscosity_(referenceViscosity),
          heldCation_(heldCation),
          progress_(std::move(progress)),
          n_(n) {
        for (const SetProblem& set : sets) pointCount_ += set.problem->pointCount();
    }

    size_t thermodynamicCount() const { return heatCapacity_ ? 3 : 2; }
    size_t parameterCount() const {
        return thermodynamicCount() + (!cationFitted_ ? 0 : waldenTie_ ? 1 : sets_->size());
    }
    int pointCount() const { return pointCount_; }

    ext K1(const std::vector<ext>& theta, size_t i) const {
        return std::exp(
            vantHoffLnK((*sets_)[i].temperature, theta[0], theta[1], heatCapacity_ ? theta[2] : 0));
    }
    // MCA at data set i: fitted at its temperature, or Walden's from the one at 25 C
    // (fitted, or held at the system's), or held at the system's.
    ext cation(const std::vector<ext>& theta, size_t i) const {
        if (cationFitted_ && !waldenTie_) return theta[thermodynamicCount() + i];
        const ext at25 = cationFitted_ ? theta[thermodynamicCount()] : heldCation_;
        return waldenTie_ ? at25 * referenceViscosity_ / (*sets_)[i].viscosity : at25;
    }

    // Throws Error when the calculation fails.
    std::vector<ext> residuals(const std::vector<ext>& theta) const {
        std::vector<ext> all;
        all.reserve(static_cast<size_t>(pointCount_));
        for (size_t i = 0; i < sets_->size(); ++i) {
            const std::vector<ext> r =
                (*sets_)[i].problem->residuals({K1(theta, i), cation(theta, i)});
            all.insert(all.end(), r.begin(), r.end());
        }
        if (progress_) progress_(n_, evaluations());
        return all;
    }
    // The same problem over other copies of the data sets (for another thread).
    GlobalProblem over(std::vector<SetProblem>& sets) const {
        GlobalProblem copy = *this;
        copy.sets_ = &sets;
        return copy;
    }
    ext sumOfSquares(const std::vector<ext>& theta) const {
        return FitProblem::sumOfSquaresOf(residuals(theta));
    }
    int evaluations() const {
        int count = 0;
        for (const SetProblem& set : *sets_) count += set.problem->evaluations();
        return count;
    }

  private:
    std::vector<SetProblem>* sets_;
    bool heatCapacity_;
    bool cationFitted_;
    bool waldenTie_;
    ext referenceViscosity_;
    ext heldCation_;
    std::function<void(int n, int evaluations)> progress_;
    int n_ = 0;
    int pointCount_ = 0;
};

struct Minimum {
    std::vector<ext> theta;
    ext sumOfSquares = HUGE_VALL;
    std::string failure;  // empty when it stopped at a minimum
};

// Levenberg-Marquardt over every parameter but held (none when held is past the end),
// restarted from where it stopped while that still lowers the sum of squares.
Minimum minimise(const GlobalProblem& problem, std::vector<ext> theta, size_t held) {
    const LeastSquaresProblem squares{
        problem.pointCount(),
        [&](const std::vector<ext>& at) { return problem.residuals(at); },
        {},
        {}};
    std::vector<bool> free(theta.size(), true);
    if (held < free.size()) free[held] = false;
    constexpr int maxEvaluations = 4000;
    Minimum best;
    for (int run = 0; run < 3; ++run) {
        const LocalFit fit = minimiseLocally(squares, theta, free, {maxEvaluations, 1e-14L, 0.1L});
        if (fit.outcome == LocalFit::Outcome::Failed) {
            best.failure = "the calculation failed: " + fit.failure;
            return best;
        }
        theta = fit.values;
        const bool lower = fit.sumOfSquares < best.sumOfSquares * (1 - 1e-12L);
        if (fit.sumOfSquares <= best.sumOfSquares) {
            best.theta = theta;
            best.sumOfSquares = fit.sumOfSquares;
            best.failure = fit.outcome == LocalFit::Outcome::OutOfEvaluations
                               ? "the optimiser stopped after " + std::to_string(maxEvaluations) +
                                     " evaluations"
                               : "";
        }
        if (!lower) break;
    }
    return best;
}

// The least sum of squares with parameter j held at value, the others fitted from start;
// start becomes where that fit ended.
ext profileAt(const GlobalProblem& problem, std::vector<ext>& start, size_t j, ext value) {
    start[j] = value;
    const Minimum minimum = minimise(problem, start, j);
    if (!minimum.failure.empty() && minimum.theta.empty()) return HUGE_VALL;
    start = minimum.theta;
    return minimum.sumOfSquares;
}

// The bound of the profile of parameter j on one side: steps that double from the optimum
// until the profile crosses the threshold, then regula falsi (Illinois) on
// sqrt(S - S_min), to 1e-7 of the first step. Infinite where it does not cross within 30
// doublings.
ext profileBound(const GlobalProblem& problem, const std::vector<ext>& optimum, ext optimumSum,
                 ext threshold, size_t j, int direction, ext step) {
    const auto g = [&](ext sum) {
        return std::sqrt(std::max<ext>(sum - optimumSum, 0)) - std::sqrt(threshold - optimumSum);
    };
    ext inside = optimum[j];
    ext gInside = g(optimumSum);
    std::vector<ext> insideStart = optimum;
    ext outside = 0;
    ext gOutside = 0;
    bool crossed = false;
    for (int k = 0; k < 30 && !crossed; ++k) {
        const ext value = optimum[j] + direction * step * std::ldexp(ext{1}, k);
        std::vector<ext> trial = insideStart;
        const ext sum = profileAt(problem, trial, j, value);
        // Where the calculation fails, the data set no bound on this side.
        if (sum == HUGE_VALL) return direction * HUGE_VALL;
        if (sum >= threshold) {
            outside = value;
            gOutside = g(sum);
            crossed = true;
        } else {
            inside = value;
            gInside = g(sum);
            insideStart = trial;
        }
    }
    if (!crossed) return direction * HUGE_VALL;
    int lastSide = 0;
    for (int iteration = 0; iteration < 60 && std::fabs(outside - inside) > 1e-7L * step;
         ++iteration) {
        const ext value = inside - gInside * (outside - inside) / (gOutside - gInside);
        std::vector<ext> trial = insideStart;
        const ext gValue = g(profileAt(problem, trial, j, value));
        if (gValue < 0) {
            inside = value;
            gInside = gValue;
            insideStart = trial;
            if (lastSide == -1) gOutside /= 2;
            lastSide = -1;
        } else {
            outside = value;
            gOutside = gValue;
            if (lastSide == 1) gInside /= 2;
            lastSide = 1;
        }
    }
    return (inside + outside) / 2;
}

// The covariance s^2 (J^T J)^-1 at theta, J by central differences.
Matrix covarianceAt(const GlobalProblem& problem, const std::vector<ext>& theta, ext sum) {
    const auto p = static_cast<Eigen::Index>(theta.size());
    Matrix J(problem.pointCount(), p);
    for (Eigen::Index j = 0; j < p; ++j) {
        const auto col = static_cast<size_t>(j);
        const ext h = 1e-6L * std::max<ext>(std::fabs(theta[col]), 1);
        std::vector<ext> up = theta;
        std::vector<ext> down = theta;
        up[col] += h;
        down[col] -= h;
        const std::vector<ext> rUp = problem.residuals(up);
        const std::vector<ext> rDown = problem.residuals(down);
        for (Eigen::Index i = 0; i < J.rows(); ++i) {
            const auto row = static_cast<size_t>(i);
            J(i, j) = (rUp[row] - rDown[row]) / (2 * h);
        }
    }
    const ext variance = sum / static_cast<ext>(problem.pointCount() - p);
    return (J.transpose() * J).inverse() * variance;
}

}  // namespace

namespace {

GlobalSeriesFit fitGlobally(const std::vector<SeriesDataSet>& data, const SeriesSetup& setup,
                            const std::vector<SeriesFit>& fits, const VantHoffResult& vantHoff,
                            const GlobalFitOptions& options) {
    GlobalSeriesFit fit;
    fit.options = options;
    const FitParameter K1 = FitParameter::stepwiseConstant(1);
    bool hasK1 = false;
    bool cationFitted = false;
    std::vector<FitParameter> others;
    for (const FitParameter& parameter : setup.request.parameters) {
        if (parameter == K1) {
            hasK1 = true;
        } else if (parameter == FitParameter::mca()) {
            cationFitted = true;
        } else {
            others.push_back(parameter);
        }
    }
    if (!hasK1) {
        fit.failure = "it fits dH and dS in place of K1, and K1 is not among the fitted parameters";
        return fit;
    }
    if (!others.empty()) {
        fit.failure =
            "it adjusts K1 (through dH and dS) and MCA only, not " + fitParameterNameList(others);
        return fit;
    }
    // The data sets with a separate fit, each the problem of K1 and MCA at its temperature.
    std::vector<SetProblem> sets;
    std::vector<const SeriesFit*> separate;
    for (size_t i = 0; i < data.size() && i < fits.size(); ++i) {
        if (!fits[i].fitted()) {
            fit.leftOut.push_back(fits[i].where + ": no separate fit");
            continue;
        }
        SetProblem set;
        set.temperature = data[i].temperature;
        set.system = std::make_unique<FitSystem>(seriesSystemAt(data[i], setup));
        set.viscosity = set.system->solution.solvent.viscosity;
        const std::vector<FitParameter> parameters{K1, FitParameter::mca()};
        const std::string refusal = FitParameterisation::refusal(*set.system, parameters);
        if (!refusal.empty()) {
            fit.leftOut.push_back(fits[i].where + ": " + refusal);
            continue;
        }
        set.parameterisation = std::make_unique<FitParameterisation>(*set.system, parameters);
        set.problem = std::make_unique<FitProblem>(*set.parameterisation, setup.request.weighting);
        sets.push_back(std::move(set));
        separate.push_back(&fits[i]);
    }
    if (sets.size() < 2) {
        fit.failure = "it needs two or more temperatures with a separate fit; " +
                      std::to_string(sets.size()) + " here";
        return fit;
    }
    bool heatCapacity = options.heatCapacity;
    if (heatCapacity && sets.size() < 5) {
        fit.note = "dCp needs five or more temperatures (" + std::to_string(sets.size()) +
                   " here): fitted without it";
        heatCapacity = false;
    }
    fit.options.heatCapacity = heatCapacity;
    const ext referenceViscosity = setup.solventAt(seriesReferenceTemperature).viscosity;
    const GlobalProblem problem(sets, heatCapacity, cationFitted, options.waldenTie,
                                referenceViscosity, setup.system.MCA,
                                setup.request.options.progress, setup.system.n);

    // The start: the van 't Hoff line of the separate fits, or the mean of their ln K1 at
    // dH = 0; their lambda of the cation.
    std::vector<ext> theta{0, 0};
    if (vantHoff.fitted()) {
        theta = {vantHoff.enthalpy.value, vantHoff.entropy.value};
    } else {
        ext sumLnK = 0;
        int count = 0;
        for (const SeriesFit* one : separate) {
            const FittedValue* value = fittedValueOf(one->result, K1);
            if (value != nullptr && value->value > 0) {
                sumLnK += std::log(value->value);
                ++count;
            }
        }
        theta[1] = count > 0 ? gasConstant * sumLnK / count : 0;
    }
    if (heatCapacity) theta.push_back(vantHoff.withHeatCapacity ? vantHoff.heatCapacity.value : 0);
    if (cationFitted && options.waldenTie) {
        ext sum = 0;
        for (size_t i = 0; i < sets.size(); ++i)
            sum += separate[i]->cationConductivity * sets[i].viscosity / referenceViscosity;
        theta.push_back(sum / static_cast<ext>(sets.size()));
    } else if (cationFitted) {
        for (const SeriesFit* one : separate) theta.push_back(one->cationConductivity);
    }

    const Minimum optimum = minimise(problem, theta, theta.size());
    fit.evaluations = problem.evaluations();
    if (!optimum.failure.empty()) {
        fit.failure = "it did not converge: " + optimum.failure;
        return fit;
    }
    const auto p = static_cast<int>(theta.size());
    fit.pointCount = problem.pointCount();
    fit.parameterCount = p;
    if (fit.pointCount <= p) {
        fit.failure = "it has no more points than parameters";
        return fit;
    }
    fit.sumOfSquares = optimum.sumOfSquares;
    fit.rmsResidual = std::sqrt(optimum.sumOfSquares / fit.pointCount);
    for (size_t i = 0; i < sets.size(); ++i) {
        fit.where.push_back(separate[i]->where);
        fit.temperatures.push_back(sets[i].temperature);
        fit.K1.push_back(problem.K1(optimum.theta, i));
        fit.cationConductivity.push_back(problem.cation(optimum.theta, i));
        fit.separateSumOfSquares += separate[i]->result.sumOfSquares;
        fit.separateParameterCount += static_cast<int>(separate[i]->result.values.size());
    }

    const int extra = fit.separateParameterCount - p;
    const int separateFreedom = fit.pointCount - fit.separateParameterCount;
    if (extra > 0 && separateFreedom > 0 && fit.separateSumOfSquares > 0) {
        fit.fStatistic = std::max<ext>(fit.sumOfSquares - fit.separateSumOfSquares, 0) / extra /
                         (fit.separateSumOfSquares / separateFreedom);
        fit.fProbability =
            fDistributionUpperTail(static_cast<double>(fit.fStatistic), extra, separateFreedom);
    }
    const Matrix covariance = covarianceAt(problem, optimum.theta, optimum.sumOfSquares);
    const int freedom = fit.pointCount - p;
    const ext t = studentTQuantile(0.975, freedom);
    const ext threshold = optimum.sumOfSquares * (1 + t * t / freedom);
    std::vector<std::string> names{"dH (kJ/mol)", "dS (J/(mol K))"};
    if (heatCapacity) names.emplace_back("dCp (J/(mol K))");
    if (cationFitted && options.waldenTie) {
        names.emplace_back("MCA 298.15 K (Walden)");
    } else if (cationFitted) {
        for (const SetProblem& set : sets)
            names.push_back("MCA " + NumberText(set.temperature, '.') + " K");
    }
    for (size_t j = 0; j < names.size(); ++j) {
        GlobalEstimate estimate;
        estimate.name = names[j];
        estimate.value = optimum.theta[j];
        const auto k = static_cast<Eigen::Index>(j);
        estimate.standardError = std::sqrt(covariance(k, k));
        estimate.lower = estimate.value - t * estimate.standardError;
        estimate.upper = estimate.value + t * estimate.standardError;
        estimate.hasProfile = j < problem.thermodynamicCount();
        fit.estimates.push_back(estimate);
    }
    // The bounds of the profiles of dH, dS (and dCp), below and above: independent searches
    // shared among the threads, each over copies of the data sets' problems.
    struct ProfileSide {
        ext bound = 0;
        int evaluations = 0;
    };
    int profileEvaluations = 0;
    runInIndexOrder<ProfileSide>(
        static_cast<int>(2 * problem.thermodynamicCount()), setup.request.options.threads,
        [&](int task) {
            std::vector<SetProblem> own = copiesOf(sets, setup.request.weighting);
            const GlobalProblem mine = problem.over(own);
            const auto j = static_cast<size_t>(task / 2);
            ext step = t * fit.estimates[j].standardError;
            // A singular covariance gives no step: start from a tenth of the value.
            if (!std::isfinite(step) || !(step > 0))
                step = std::max<ext>(std::fabs(optimum.theta[j]) / 10, 1);
            const ext bound = profileBound(mine, optimum.theta, optimum.sumOfSquares, threshold, j,
                                           task % 2 == 0 ? -1 : 1, step);
            return ProfileSide{bound, mine.evaluations()};
        },
        [&](int task, ProfileSide&& side) {
            GlobalEstimate& estimate = fit.estimates[static_cast<size_t>(task / 2)];
            (task % 2 == 0 ? estimate.profileLower : estimate.profileUpper) = side.bound;
            profileEvaluations += side.evaluations;
        },
        [](int, const std::exception_ptr& error) { std::rethrow_exception(error); });
    fit.evaluations = problem.evaluations() + profileEvaluations;
    return fit;
}

}  // namespace

GlobalSeriesFit fitSeriesGlobally(const std::vector<SeriesDataSet>& data, const SeriesSetup& setup,
                                  const std::vector<SeriesFit>& fits,
                                  const VantHoffResult& vantHoff, const GlobalFitOptions& options) {
    try {
        return fitGlobally(data, setup, fits, vantHoff, options);
    } catch (const Error& error) {
        // The calculation failed where the optimiser does not see it: the sum of squares
        // after a run, the Jacobian of the covariance, a profile.
        GlobalSeriesFit fit;
        fit.options = options;
        fit.failure = "the calculation failed: " + error.text();
        return fit;
    }
}

}  // namespace condsim
