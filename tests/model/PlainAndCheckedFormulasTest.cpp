// The balance and conductivity sums are evaluated plainly and trusted only when their
// aggregates are finite; a fault makes them evaluate again with checked operations. Both
// evaluations must give the same bits, and every fault the same text as the checked one.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "TestSupport.h"
#include "model/designed/EquilibriumFormulas.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"

namespace condsim {
namespace {

using testing::errorText;

const char* const invalidOperation = "不正な浮動小数点数演算命令";
const char* const divisionByZero = "0 による浮動小数点数除算";
const char* const overflow = "浮動小数点数のオーバーフロー";

ext checkedFormationSide(int n, const SpeciesArray& beta, ext X) {
    const Quotient sums = formationSumsWith<CheckedArithmetic>(n, beta, X);
    return div(sums.numerator, sums.denominator);
}

// Equal bits, also for the sign of zero.
bool sameBits(ext a, ext b) { return a == b && std::signbit(a) == std::signbit(b); }

TEST(PlainAndCheckedFormulas, GiveTheSameBitsOnRandomSystems) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> speciesCount(2, 30);
    std::uniform_real_distribution<double> logConstant(-3, 6);
    std::uniform_real_distribution<double> logConcentration(-7, -1);
    std::uniform_real_distribution<double> factor(0.5, 2);
    for (int k = 0; k < 2000; ++k) {
        const int n = speciesCount(random);
        SpeciesArray beta{};
        SpeciesArray sf{};
        beta[0] = 1;
        for (int i = 1; i <= n; ++i) {
            beta[i] = beta[i - 1] * std::pow(10.0L, static_cast<ext>(logConstant(random)));
            if (k % 7 == 0 && i == n) beta[i] = -beta[i];  // negative constants as well
        }
        for (int i = 0; i <= n; ++i) sf[i] = factor(random);
        const ext C0 = std::pow(10.0L, static_cast<ext>(logConcentration(random)));
        const ext X = C0 * factor(random);
        ASSERT_TRUE(sameBits(formationSide(n, beta, X), checkedFormationSide(n, beta, X))) << k;
        ASSERT_TRUE(
            sameBits(massBalanceSide(n, C0, X), massBalanceSideWith<CheckedArithmetic>(n, C0, X)))
            << k;
        ASSERT_TRUE(sameBits(speciesDenominator(n, beta, X),
                             speciesDenominatorWith<CheckedArithmetic>(n, beta, X)))
            << k;
        ASSERT_TRUE(sameBits(chargeWeightedSum(n, beta, sf, X),
                             chargeWeightedSumWith<CheckedArithmetic>(n, beta, sf, X)))
            << k;
        ASSERT_TRUE(
            sameBits(timesPower(beta[n], X, n), timesPowerWith<CheckedArithmetic>(beta[n], X, n)))
            << k;
    }
}

TEST(PlainAndCheckedFormulas, FaultsRaiseTheTextOfTheFirstFaultingOperation) {
    // High powers that overflow: X^29 and X^30 with X = 1e171 (the sums are infinite or
    // NaN when evaluated plainly).
    SpeciesArray huge{};
    for (int i = 1; i <= 30; ++i) huge[i] = 1;
    const ext bigX = 1e171L;
    // D = (beta(1) X) + 1 + beta(2) X^2 = -1 + 1 + 0 = 0 with a negative constant at X = 1.
    SpeciesArray cancelling{};
    cancelling[1] = -1;
    // The numerator's first term overflows; the later terms are finite.
    SpeciesArray overflowThenZero{};
    overflowThenZero[1] = LDBL_MAX;
    overflowThenZero[2] = 0;

    const struct {
        const char* name;
        std::function<void()> fast;
        std::function<void()> checked;
        const char* text;
    } cases[] = {
        {"overflow in a high power", [&] { formationSide(30, huge, bigX); },
         [&] { checkedFormationSide(30, huge, bigX); }, overflow},
        {"overflow in the denominator's high power", [&] { speciesDenominator(30, huge, bigX); },
         [&] { speciesDenominatorWith<CheckedArithmetic>(30, huge, bigX); }, overflow},
        {"overflow in the charged sum", [&] { chargeWeightedSum(30, huge, huge, bigX); },
         [&] { chargeWeightedSumWith<CheckedArithmetic>(30, huge, huge, bigX); }, overflow},
        {"overflow of one power", [&] { timesPower(1, bigX, 30); },
         [&] { timesPowerWith<CheckedArithmetic>(1, bigX, 30); }, overflow},
        {"C0 = 0 in the mass balance", [&] { massBalanceSide(6, 0, 0); },
         [&] { massBalanceSideWith<CheckedArithmetic>(6, 0, 0); }, invalidOperation},
        {"D = 0 with a negative constant", [&] { formationSide(2, cancelling, 1); },
         [&] { checkedFormationSide(2, cancelling, 1); }, divisionByZero},
        {"overflow before a zero term", [&] { formationSide(2, overflowThenZero, 4); },
         [&] { checkedFormationSide(2, overflowThenZero, 4); }, overflow},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorText(c.fast), c.text) << c.name;
        EXPECT_EQ(errorText(c.checked), c.text) << c.name;
    }
}

}  // namespace
}  // namespace condsim
