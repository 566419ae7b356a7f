// The free-anion solver over a few hundred random systems: n from 2 to 30, stepwise
// constants from 1e-6 to 1e12, total concentrations from 1e-7 to 1 M. Every solve must end,
// close the mass balance to what the stop test allows, and give abundances that sum to
// 100 %. The systems come from a fixed seed, so a failure names a system that repeats.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include "TestSession.h"
#include "files/NumberText.h"

namespace condsim {
namespace {

using testing::Session;

// Ends the test program loudly when a solve does not end in time: a hang would otherwise
// stop the whole test run without saying which system caused it.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "solve did not end within %lld s: %s\n",
                               static_cast<long long>(limit.count()), current_.c_str());
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    void describe(std::string what) {
        std::lock_guard lock(mutex_);
        current_ = std::move(what);
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::string current_;
    std::thread thread_;
};

// 10 to a power drawn uniformly between the two exponents.
ext logUniform(std::mt19937_64& random, ext lowExponent, ext highExponent) {
    const ext unit = static_cast<ext>(random() >> 11) / static_cast<ext>(1ULL << 53);
    return std::pow(10.0L, lowExponent + unit * (highExponent - lowExponent));
}

TEST(SolverProperty, RandomSystemsEndCloseTheMassBalanceAndSumToOneHundredPercent) {
    std::mt19937_64 random(20240611);
    Session s;
    TForm1& form = s.form1;
    Watchdog watchdog(std::chrono::seconds(60));
    constexpr int systems = 300;
    // The search stops when two successive differences differ by less than 1e-14 and the
    // last steps straddle the balance, so the difference left is a few times that.
    constexpr ext balanceTolerance = 1e-13L;

    for (int system = 0; system < systems; ++system) {
        const int n = 2 + static_cast<int>(random() % 29);
        std::vector<ext> K(static_cast<size_t>(n));
        for (ext& k : K) k = logUniform(random, -6, 12);
        const ext C0 = logUniform(random, -7, 0);

        std::ostringstream description;
        description << "system " << system << ": n = " << n << ", C0 = " << NumberText(C0)
                    << ", K =";
        for (const ext k : K) description << ' ' << NumberText(k);
        watchdog.describe(description.str());
        SCOPED_TRACE(description.str());

        form.SetStepwiseConstants(K);
        form.c0.setText(NumberText(C0));
        ASSERT_TRUE(s.act([&] { form.RefineXClick(); })) << s.errors().back();

        const auto& model = form.state().model;
        const ext d = form.LeftSide(model.C0, model.X) - form.RightSide(model.X);
        EXPECT_LE(std::fabs(d), balanceTolerance) << "X = " << NumberText(model.X);
        EXPECT_GT(model.X, 0);
        EXPECT_LE(model.X, n * model.C0);
        ext sum = 0;
        for (int i = 0; i <= n; ++i) sum += model.abundance[static_cast<size_t>(i)];
        EXPECT_NEAR(static_cast<double>(sum), 100.0, 1e-12);
    }
}

}  // namespace
}  // namespace condsim
