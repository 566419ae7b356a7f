#pragma once
// A user's session for the benchmarks: a fresh temporary directory made current (the
// solver writes "record.txt" there), a scripted platform and the three headless windows,
// with helpers that set the system up the way a user would.

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/Ext.h"
#include "ui/Application.h"
#include "ui/ScriptedPlatform.h"

namespace condsim::bench {

// A system of the sweep benchmarks: n species, K1 and the alfa of Model #1.
struct SweepSystem {
    int n;
    int K1;
    int alfa;
};

inline constexpr SweepSystem sixSpecies{6, 10000, 20};
inline constexpr SweepSystem thirtySpecies{30, 10000, 100};

// The observed data the benchmarks open: the twelve pairs of the 6:1 example, 1e-4 to
// 0.01 M, so that a sweep spans 0 to 0.016 M.
extern const char* const observedTwelvePairs;
// `count` observed pairs, 1e-4 M apart.
std::string observedPairs(int count);

struct Session {
    testing::TemporaryDirectory directory;  // made current: the solver writes there
    ScriptedPlatform platform;
    Application app;

    Session();
    explicit Session(CanvasFactory canvasFactory);

    // File/Open of a file with the content given; throws when the file was refused.
    void openObserved(const std::string& content);
    // n, K1 and alfa typed in, then Initialize.
    void define(const SweepSystem& system);
    // "Conduct Calculations" with N points; throws when the sweep failed.
    void sweep(int points);
};

}  // namespace condsim::bench
