// Pixel positions are the nearest integer with ties to even, bounded to +-1e9: the same
// as the library's rounding in the current mode, for halves, negatives and far values.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plot/PlotRange.h"

namespace condsim {
namespace {

// MapX is then the rounding of x itself: 10 x (x - 0) / 10.
PlotRange identityRange() {
    PlotRange range;
    range.AxisXMin = 0;
    range.AxisXMax = 10;
    range.ImageWidth = 10;
    return range;
}

TEST(PixelRounding, NearestWithTiesToEvenAndBounded) {
    const PlotRange range = identityRange();
    const struct {
        ext x;
        int pixel;
    } cases[] = {{2.5L, 2},
                 {3.5L, 4},
                 {-2.5L, -2},
                 {-3.5L, -4},
                 {0.5L, 0},
                 {-0.5L, 0},
                 {0.49999999999999999L, 0},
                 {2.5000000000000001L, 3},
                 {-0.3L, 0},
                 {1e12L, 1000000000},
                 {-1e12L, -1000000000},
                 {999999999.5L, 1000000000},
                 {1000000000.4L, 1000000000},
                 {-999999999.5L, -1000000000}};
    for (const auto& c : cases) EXPECT_EQ(MapX(range, c.x), c.pixel) << static_cast<double>(c.x);
}

TEST(PixelRounding, AgreesWithTheLibraryOnRandomValues) {
    const PlotRange range = identityRange();
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> value(-2e6, 2e6);
    for (int k = 0; k < 100000; ++k) {
        // Halves and quarters as well as arbitrary values.
        const ext x = k % 3 == 0   ? std::round(value(random)) + 0.5L
                      : k % 3 == 1 ? value(random) / 4
                                   : value(random);
        ASSERT_EQ(MapX(range, x), static_cast<int>(std::nearbyint(x))) << static_cast<double>(x);
    }
}

}  // namespace
}  // namespace condsim
