#include "fit/ConstantScan.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace condsim {

namespace {

// Decades of alfa, in percent.
constexpr std::pair<int, int> alfaDecades{-1, 3};
// How far below and above any point a formation constant stays visible.
constexpr ext barelyFormed = 1e-3L;
constexpr ext almostComplete = 1e3L;

// The ion size is scanned more finely than the constants: its effect changes within a
// decade.
constexpr int ionSizePointsPerConstantPoint = 2;

// 10^(lowest + k / perDecade) up to 10^highest.
std::vector<ext> decadeGrid(std::pair<int, int> decades, int perDecade) {
    std::vector<ext> grid;
    for (int k = decades.first * perDecade; k <= decades.second * perDecade; ++k) {
        grid.push_back(std::pow(10.0L, static_cast<ext>(k) / perDecade));
    }
    return grid;
}

// The values scanned for parameter j: 0 and the decades of a formation constant, the
// physical range of the ion size.
std::vector<ext> gridOf(const FitProblem& problem, size_t j, int perDecade) {
    if (problem.parameterisation().parameters()[j].kind == FitParameterKind::IonSize)
        return decadeGrid(ionSizeDecades, perDecade * ionSizePointsPerConstantPoint);
    std::vector<ext> grid = decadeGrid(scannedDecades(problem, j), perDecade);
    grid.insert(grid.begin(), 0);
    return grid;
}

bool isScanned(const FitProblem& problem, size_t j) {
    return problem.parameterisation().isFormationConstant(j) ||
           problem.parameterisation().parameters()[j].kind == FitParameterKind::IonSize;
}

class Scan {
  public:
    Scan(const FitProblem& problem, const LocalFitSettings& inner)
        : problem_(problem), inner_(inner) {
        for (size_t j = 0; j < problem.parameterCount(); ++j) {
            if (isScanned(problem, j)) scanned_.push_back(j);
            free_.push_back(!isScanned(problem, j));
        }
    }

    const std::vector<size_t>& scanned() const { return scanned_; }

    // The sum of squares at these scanned values with the other parameters fitted; the
    // point is remembered under its scanned values (a constant without effect counts as 0).
    ext visit(std::vector<ext> values) {
        const std::vector<ext> key = keyOf(values);
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

    // The point remembered for these scanned values (the values as visit() was given them).
    std::optional<ScanPoint> pointAt(std::vector<ext> values) const {
        const auto known = visited_.find(keyOf(values));
        if (known == visited_.end()) return std::nullopt;
        return known->second;
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
    // The scanned values under which a point is remembered, a constant without effect
    // counted as 0 (and set to 0 in values).
    std::vector<ext> keyOf(std::vector<ext>& values) const {
        for (const size_t j : scanned_) {
            if (problem_.parameterisation().isFormationConstant(j) && values[j] != 0 &&
                problem_.parameterisation().hasNoEffect(j, values))
                values[j] = 0;
        }
        std::vector<ext> key;
        key.reserve(scanned_.size());
        for (const size_t j : scanned_) key.push_back(values[j]);
        return key;
    }

    const FitProblem& problem_;
    LocalFitSettings inner_;
    std::vector<size_t> scanned_;
    std::vector<bool> free_;
    std::map<std::vector<ext>, ScanPoint> visited_;
};

// Scans every point of the grid and returns the values of the grid's local minima: the
// points lower than every neighbour one step away along any scanned parameter, each at the
// bottom of a valley of its own.
std::vector<std::vector<ext>> scanFullGrid(Scan& scan, const FitProblem& problem, int perDecade) {
    const std::vector<size_t>& scanned = scan.scanned();
    std::vector<std::vector<ext>> grids;
    grids.reserve(scanned.size());
    for (const size_t j : scanned) grids.push_back(gridOf(problem, j, perDecade));
    const auto valuesAt = [&](const std::vector<size_t>& place) {
        std::vector<ext> values = problem.parameterisation().start();
        for (size_t c = 0; c < scanned.size(); ++c) values[scanned[c]] = grids[c][place[c]];
        return values;
    };
    std::map<std::vector<size_t>, ext> sums;
    std::vector<size_t> place(scanned.size(), 0);
    for (;;) {
        sums[place] = scan.visit(valuesAt(place));
        size_t c = 0;
        while (c < scanned.size() && ++place[c] == grids[c].size()) place[c++] = 0;
        if (c == scanned.size()) break;
    }
    std::vector<std::vector<ext>> minima;
    for (const auto& [at, sum] : sums) {
        bool lowest = std::isfinite(sum);
        for (size_t c = 0; c < scanned.size() && lowest; ++c) {
            for (const int step : {-1, 1}) {
                std::vector<size_t> neighbour = at;
                if ((step < 0 && at[c] == 0) || (step > 0 && at[c] + 1 == grids[c].size()))
                    continue;
                neighbour[c] = at[c] + static_cast<size_t>(step);
                if (!(sum < sums[neighbour])) lowest = false;
            }
        }
        if (lowest) minima.push_back(valuesAt(at));
    }
    return minima;
}

void scanOneAfterAnother(Scan& scan, const FitProblem& problem) {
    std::vector<ext> best = problem.parameterisation().start();
    ext bestSum = scan.visit(best);
    for (int round = 0; round < 2; ++round) {
        for (const size_t j : scan.scanned()) {
            for (const ext value : gridOf(problem, j, 1)) {
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
    const FitParameterKind kind = problem.parameterisation().parameters()[j].kind;
    if (kind == FitParameterKind::Alfa) return alfaDecades;
    if (kind == FitParameterKind::IonSize) return ionSizeDecades;
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
    std::vector<std::vector<ext>> minima;
    switch (scan.scanned().size()) {
        case 0:
            break;
        case 1:
            minima = scanFullGrid(scan, problem, 2);
            break;
        case 2:
            minima = scanFullGrid(scan, problem, 1);
            break;
        default:
            scanOneAfterAnother(scan, problem);
            break;
    }
    std::vector<ScanPoint> starts = scan.best(count);
    // The bottoms of the other valleys of the grid too, so that a valley whose floor lies
    // between the grid's points is searched even when its grid points are not the lowest.
    std::vector<ScanPoint> others;
    for (const std::vector<ext>& values : minima) {
        const std::optional<ScanPoint> point = scan.pointAt(values);
        if (!point) continue;
        const bool known = std::any_of(starts.begin(), starts.end(), [&](const ScanPoint& start) {
            return start.values == point->values;
        });
        if (!known) others.push_back(*point);
    }
    std::stable_sort(others.begin(), others.end(), [](const ScanPoint& a, const ScanPoint& b) {
        return a.sumOfSquares < b.sumOfSquares;
    });
    starts.insert(starts.end(), others.begin(), others.end());
    return starts;
}

}  // namespace condsim
