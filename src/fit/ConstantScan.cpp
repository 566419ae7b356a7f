#include "fit/ConstantScan.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace condsim {

namespace {

// Decades of alfa, in percent.
constexpr std::pair<int, int> alfaDecades{-1, 3};
// How far below and above any point a formation constant stays visible.
constexpr ext barelyFormed = 1e-3L;
constexpr ext almostComplete = 1e3L;

// 0, then 10^(lowest + k / perDecade) up to 10^highest.
std::vector<ext> gridOf(std::pair<int, int> decades, int perDecade) {
    std::vector<ext> grid{0};
    for (int k = decades.first * perDecade; k <= decades.second * perDecade; ++k) {
        grid.push_back(std::pow(10.0L, static_cast<ext>(k) / perDecade));
    }
    return grid;
}

class Scan {
  public:
    Scan(const FitProblem& problem, const LocalFitSettings& inner)
        : problem_(problem), inner_(inner) {
        for (size_t j = 0; j < problem.parameterCount(); ++j) {
            if (problem.parameterisation().isFormationConstant(j)) constants_.push_back(j);
            free_.push_back(!problem.parameterisation().isFormationConstant(j));
        }
    }

    const std::vector<size_t>& constants() const { return constants_; }

    // The sum of squares at these constants with the other parameters fitted; the point is
    // remembered under its constants (a parameter without effect counts as 0).
    ext visit(std::vector<ext> values) {
        for (const size_t j : constants_) {
            if (values[j] != 0 && problem_.parameterisation().hasNoEffect(j, values)) values[j] = 0;
        }
        std::vector<ext> key;
        for (const size_t j : constants_) key.push_back(values[j]);
        if (const auto known = visited_.find(key); known != visited_.end())
            return known->second.sumOfSquares;
        // The other parameters always start from the start of the fit, so that no point
        // depends on the order of the scan.
        for (size_t j = 0; j < values.size(); ++j) {
            if (free_[j]) values[j] = problem_.parameterisation().start()[j];
        }
        const LocalFit fit = fitLocally(problem_, values, free_, inner_);
        const ext sumOfSquares =
            fit.outcome == LocalFit::Outcome::Failed ? HUGE_VALL : fit.sumOfSquares;
        visited_[key] = {fit.outcome == LocalFit::Outcome::Failed ? values : fit.values,
                         sumOfSquares};
        return sumOfSquares;
    }

    std::vector<ScanPoint> best(size_t count) const {
        std::vector<ScanPoint> points;
        for (const auto& [key, point] : visited_) {
            if (std::isfinite(point.sumOfSquares)) points.push_back(point);
        }
        std::stable_sort(points.begin(), points.end(), [](const ScanPoint& a, const ScanPoint& b) {
            return a.sumOfSquares < b.sumOfSquares;
        });
        if (points.size() > count) points.resize(count);
        return points;
    }

  private:
    const FitProblem& problem_;
    LocalFitSettings inner_;
    std::vector<size_t> constants_;
    std::vector<bool> free_;
    std::map<std::vector<ext>, ScanPoint> visited_;
};

void scanFullGrid(Scan& scan, const FitProblem& problem, int perDecade) {
    const std::vector<size_t>& constants = scan.constants();
    std::vector<std::vector<ext>> grids;
    grids.reserve(constants.size());
    for (const size_t j : constants) grids.push_back(gridOf(scannedDecades(problem, j), perDecade));
    std::vector<size_t> place(constants.size(), 0);
    for (;;) {
        std::vector<ext> values = problem.parameterisation().start();
        for (size_t c = 0; c < constants.size(); ++c) values[constants[c]] = grids[c][place[c]];
        scan.visit(values);
        size_t c = 0;
        while (c < constants.size() && ++place[c] == grids[c].size()) place[c++] = 0;
        if (c == constants.size()) break;
    }
}

void scanOneAfterAnother(Scan& scan, const FitProblem& problem) {
    std::vector<ext> best = problem.parameterisation().start();
    ext bestSum = scan.visit(best);
    for (int round = 0; round < 2; ++round) {
        for (const size_t j : scan.constants()) {
            for (const ext value : gridOf(scannedDecades(problem, j), 1)) {
                std::vector<ext> values = best;
                values[j] = value;
                const ext sum = scan.visit(values);
                if (sum < bestSum) {
                    bestSum = sum;
                    best = values;
                }
            }
        }
    }
}

}  // namespace

std::pair<int, int> scannedDecades(const FitProblem& problem, size_t j) {
    if (problem.parameterisation().parameters()[j].kind == FitParameterKind::Alfa)
        return alfaDecades;
    const FitSystem& system = problem.system();
    ext smallest = system.points.front().concentration;
    ext largest = smallest;
    for (const ObservedPoint& point : system.points) {
        smallest = std::min(smallest, point.concentration);
        largest = std::max(largest, point.concentration);
    }
    const ext low = barelyFormed / (static_cast<ext>(system.n) * largest);
    const ext high = almostComplete / smallest;
    return {static_cast<int>(std::floor(std::log10(low))),
            static_cast<int>(std::ceil(std::log10(high)))};
}

std::vector<ScanPoint> scanConstants(const FitProblem& problem, size_t count,
                                     const LocalFitSettings& inner) {
    Scan scan(problem, inner);
    switch (scan.constants().size()) {
        case 0:
            break;
        case 1:
            scanFullGrid(scan, problem, 2);
            break;
        case 2:
            scanFullGrid(scan, problem, 1);
            break;
        default:
            scanOneAfterAnother(scan, problem);
            break;
    }
    return scan.best(count);
}

}  // namespace condsim
