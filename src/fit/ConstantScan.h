#pragma once
// The scan that finds where to start the optimiser, whatever the start of the fit: each
// fitted formation constant takes 0 and the values of a grid over the decades its data
// can see, the ion size a grid over its physical range, the other fitted parameters (MCA,
// MCX) are fitted by least squares at every grid point, and the points with the lowest
// sums of squares are the starts.
//
// The decades of a K(i): from 1e-3 / (n x largest C0), where its species barely forms at
// any point, to 1e3 / smallest C0, where it forms almost completely at every point, both
// rounded outward to whole decades; of alfa: 0.1 to 1000 percent. The ion size a: 1 to
// 100 Angstrom, from below the contact distance of the smallest ions to beyond the Bjerrum
// distance of highly charged ions in solvents of low permittivity, at four times the
// points a decade of a constant. One parameter is scanned at two points a decade, two on
// the full grid at one point a decade; three or more one after another from the start of
// the fit, each over its range with the others at the best values found so far, twice
// round.

#include <utility>
#include <vector>

#include "fit/FitProblem.h"
#include "fit/LocalFit.h"

namespace condsim {

struct ScanPoint {
    std::vector<ext> values;  // every fitted parameter
    ext sumOfSquares = 0;
};

// The lowest and highest power of ten of the ion size scanned, in Angstrom.
inline constexpr std::pair<int, int> ionSizeDecades{0, 3};

// The lowest and highest power of ten scanned for formation constant j of the problem, or
// for the ion size.
std::pair<int, int> scannedDecades(const FitProblem& problem, size_t j);

// The best `count` distinct points of the scan, the lowest sum of squares first, then the
// bottoms of the grid's other valleys (its local minima), the lowest first. Points where
// the calculation fails are left out.
std::vector<ScanPoint> scanConstants(const FitProblem& problem, size_t count,
                                     const LocalFitSettings& inner);

}  // namespace condsim
