#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/Error.h"
#include "model/SolutionModel.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"
#include "model/ionic/ActivityCoefficients.h"
#include "model/ionic/IonicBalance.h"
#include "model/ionic/IonicPoint.h"
#include "model/ionic/OnsagerFuoss.h"
#include "model/ionic/Solvent.h"

namespace condsim {
namespace {

ext relative(ext value, ext expected) { return std::fabs(value / expected - 1); }

// Cumulative constants of Model #1: K(i+1) = alfa x K(i) / 100.
SpeciesArray model1Constants(int n, ext K1, ext alfa) {
    SpeciesArray beta{};
    ext K = K1;
    beta[1] = K1;
    for (int i = 2; i <= n; ++i) {
        K = alfa * K / 100;
        beta[static_cast<size_t>(i)] = beta[static_cast<size_t>(i) - 1] * K;
    }
    return beta;
}

SpeciesArray ones() {
    SpeciesArray sf{};
    sf.fill(1);
    return sf;
}

// Water at 25 C gives the textbook coefficients (Robinson and Stokes, Electrolyte
// Solutions); each scales with eps_r, T and eta as kappa_1 ~ (eps_r T)^-1/2 makes it.
TEST(SolventCoefficients, WaterGivesTheTextbookValuesAndEachScalesWithTheSolvent) {
    const SolventCoefficients water = solventCoefficients(solventPreset("water"));
    EXPECT_NEAR(water.A, 0.5108L, 0.00005L);
    EXPECT_NEAR(water.B, 0.3290L, 0.00005L);
    EXPECT_NEAR(water.E, 30.30L, 0.005L);
    EXPECT_NEAR(water.R, 0.7841L, 0.00005L);

    struct Case {
        const char* change;
        ext temperature, permittivity, viscosity;
        ext ratioA, ratioB, ratioE, ratioR;
    };
    const ext root2 = std::sqrt(2.0L);
    const Solvent w = solventPreset("water");
    const std::vector<Case> cases = {
        {"eps_r halved", w.temperature, w.permittivity / 2, w.viscosity, 2 * root2, root2, root2,
         2 * root2},
        {"T doubled", 2 * w.temperature, w.permittivity, w.viscosity, 1 / (2 * root2), 1 / root2,
         1 / root2, 1 / (2 * root2)},
        {"eta halved", w.temperature, w.permittivity, w.viscosity / 2, 1, 1, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        const SolventCoefficients other =
            solventCoefficients(otherSolvent(c.temperature, c.permittivity, c.viscosity));
        EXPECT_LT(relative(other.A / water.A, c.ratioA), 1e-15L);
        EXPECT_LT(relative(other.B / water.B, c.ratioB), 1e-15L);
        EXPECT_LT(relative(other.E / water.E, c.ratioE), 1e-15L);
        EXPECT_LT(relative(other.R / water.R, c.ratioR), 1e-15L);
    }
    EXPECT_THROW(otherSolvent(298.15L, 0, 1e-3L), Error);
    EXPECT_THROW(solventPreset("benzene"), Error);
}

// For two ions the relaxation field has a closed form: z1 F1 = z2 F2 =
// |z1 z2| q / (1 + sqrt q), q = |z1 z2| (l1 + l2) / ((|z1| + |z2|)(|z2| l1 + |z1| l2)).
// Bjerrum's distance q = |z1 z2| e^2 / (8 pi eps0 eps_r k T), by hand with mpmath at 30
// digits from the CODATA 2018 constants; the model's choice sets a to it for n.
TEST(SolventCoefficients, BjerrumsDistanceIsTheChoiceOfTheIonSize) {
    struct Case {
        const char* solvent;
        int chargeProduct;
        ext q;  // Angstrom
    };
    for (const Case& c : {Case{"water", 1, 3.57526998053L}, Case{"water", 2, 7.15053996106L},
                          Case{"methanol", 3, 25.7406302272L}}) {
        SCOPED_TRACE(std::string(c.solvent) + " " + std::to_string(c.chargeProduct));
        EXPECT_LT(relative(bjerrumDistance(solventPreset(c.solvent), c.chargeProduct), c.q),
                  1e-11L);
        SolutionModel model;
        model.kind = SolutionModelKind::DebyeHuckel;
        model.solvent = solventPreset(c.solvent);
        EXPECT_EQ(withBjerrumIonSize(model, c.chargeProduct).ionSize, defaultIonSize);
        model.bjerrumIonSize = true;
        EXPECT_LT(relative(withBjerrumIonSize(model, c.chargeProduct).ionSize, c.q), 1e-11L);
    }
}

TEST(OnsagerFuoss, TheMatrixRootMeetsTheClosedFormForBinarySalts) {
    struct Case {
        int z1;
        ext lambda1;
    };
    const ext lambda2 = 76.35L;
    for (const Case& c : std::vector<Case>{{1, 50.1L}, {2, 59.5L}, {3, 69.7L}, {2, 5.0L}}) {
        SCOPED_TRACE(c.z1);
        const ext c1 = 0.001L;
        const std::vector<Ion> ions = {{c1, c.z1, c.lambda1}, {c1 * c.z1, -1, lambda2}};
        const std::vector<ext> F = relaxationFields(ions);
        const ext z = c.z1;
        const ext q = z * (c.lambda1 + lambda2) / ((z + 1) * (c.lambda1 + z * lambda2));
        const ext expected = z * q / (1 + std::sqrt(q));
        EXPECT_LT(relative(z * F[0], expected), 1e-15L);
        EXPECT_LT(relative(-F[1], expected), 1e-15L);
    }
}

// A 1:1 salt far below 1e-6 mol/L falls with the Onsager limiting slope
// 0.2297 Lambda0 + 60.61 in water at 25 C.
TEST(OnsagerFuoss, AOneToOneSaltFallsWithTheLimitingSlope) {
    const SolventCoefficients water = solventCoefficients(solventPreset("water"));
    for (const ext lambda0 : {50.1L + 76.35L, 73.5L + 76.35L, 349.8L + 76.35L}) {
        const ext c = 1e-12L;
        const std::vector<Ion> ions = {{c, 1, lambda0 - 76.35L}, {c, -1, 76.35L}};
        const std::vector<ext> lambdas = ionConductances(ions, water, defaultIonSize, c);
        const ext molar = lambdas[0] + lambdas[1];
        const ext slope = (lambda0 - molar) / std::sqrt(c);
        EXPECT_NEAR(slope, 0.2297L * lambda0 + 60.61L, 0.0002L * lambda0 + 0.01L) << lambda0;
    }
}

// The species of the model close the mass and charge balances, obey the mass action with
// activities, and carry the ionic strength that gave their activities.
TEST(IonicSpeciation, BalancesCloseAndTheMassActionHoldsWithActivities) {
    struct Case {
        int n;
        ext K1, alfa, C0;
        SolutionModelKind kind;
    };
    const std::vector<Case> cases = {
        {2, 0.3L, 100, 0.01L, SolutionModelKind::DebyeHuckel},
        {2, 1e4L, 20, 1e-4L, SolutionModelKind::Davies},
        {6, 1e4L, 20, 1e-3L, SolutionModelKind::DebyeHuckel},
        {6, 10, 50, 1e-4L, SolutionModelKind::Davies},
        {30, 100, 90, 1e-4L, SolutionModelKind::DebyeHuckel},
        {30, 1e3L, 20, 1e-5L, SolutionModelKind::Davies},
    };
    const SolventCoefficients water = solventCoefficients(solventPreset("water"));
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "n = " << c.n << ", C0 = " << static_cast<double>(c.C0));
        const SpeciesArray beta = model1Constants(c.n, c.K1, c.alfa);
        const ActivityLaw law{c.kind, water, defaultIonSize};
        const IonicSpeciation s = speciateAtIonicStrength(c.n, beta, law, c.C0);
        ASSERT_EQ(s.concentrations.size(), static_cast<size_t>(c.n) + 1);
        ext total = 0;
        ext bound = 0;
        ext positive = 0;
        ext strength = s.X;
        for (int i = 0; i <= c.n; ++i) {
            const ext ci = s.concentrations[static_cast<size_t>(i)];
            total += ci;
            bound += i * ci;
            positive += (c.n - i) * ci;
            strength += (c.n - i) * (c.n - i) * ci;
        }
        EXPECT_LT(relative(total, c.C0), 1e-14L);
        EXPECT_LT(relative(bound + s.X, c.n * c.C0), 1e-14L);
        EXPECT_LT(relative(positive, s.X), 1e-14L);
        EXPECT_LT(relative(strength / 2, s.ionicStrength), 1e-15L);
        EXPECT_LT(relative(s.log10PerChargeSquared, law.log10PerChargeSquared(s.ionicStrength)),
                  1e-15L);

        // [AX_i] g_(n-i) = beta_i [A] g_n ([X-] g_1)^i, for every i whose species is present.
        const auto gamma = [&](int z) { return std::pow(10.0L, z * z * s.log10PerChargeSquared); };
        const ext freeCation = s.concentrations[0];
        for (int i = 1; i <= c.n; ++i) {
            const ext ci = s.concentrations[static_cast<size_t>(i)];
            if (!(ci > 1e-200L)) continue;
            const ext expected = beta[static_cast<size_t>(i)] * freeCation * gamma(c.n) *
                                 std::pow(s.X * gamma(1), i) / gamma(c.n - i);
            EXPECT_LT(relative(ci, expected), 1e-13L) << "i = " << i;
        }
    }
}

// With I -> 0 the conductivity meets the designed calculation's; at ordinary
// concentrations the model departs from it.
TEST(IonicPoint, VanishingIonicStrengthMeetsTheDesignedConductivity) {
    const SpeciesArray sf = ones();
    for (const int n : {2, 6}) {
        const SpeciesArray beta = model1Constants(n, 1e4L, 20);
        const IonicPointInput input{n, &beta, &sf, 88, 59};
        SolutionModel model;
        model.kind = SolutionModelKind::DebyeHuckel;
        const auto deviation = [&](ext C0) {
            ext X = freeAnionStart(n, C0);
            searchFreeAnion(n, beta, C0, X);
            const ext designed = designedConductivity(n, beta, sf, {88, 59}, C0, X).value;
            return relative(solveIonicPoint(model, input, C0).conductivity, designed);
        };
        EXPECT_LT(deviation(1e-12L), 5e-5L) << n;
        EXPECT_GT(deviation(1e-3L), 1e-2L) << n;
    }
}

// Points evaluated by an independent script (double precision, bisection for X, plain
// fixed-point iteration for I, the Denman-Beavers iteration for the square root of H).
TEST(IonicPoint, AgreesWithAnIndependentEvaluation) {
    struct Case {
        int n;
        std::vector<ext> beta;  // beta(1..n)
        std::vector<ext> sf;    // sf(0..n-1)
        ext MCA, MCX, C0;
        SolutionModelKind kind;
        ext X, I, conductivity;
    };
    const std::vector<Case> cases = {
        {2,
         {0.27L, 0.27L * 0.0027L},
         {1, 1},
         59,
         76.35L,
         0.005L,
         SolutionModelKind::DebyeHuckel,
         0.00999172940273466L,
         0.0149834589803148L,
         1.20555611072103L},
        {2,
         {0.27L, 0.27L * 0.0027L},
         {1, 1},
         59,
         76.35L,
         0.05L,
         SolutionModelKind::Davies,
         0.0995565229405049L,
         0.149113114630702L,
         10.1379684832968L},
        {6,
         {1e4L, 2e7L, 8e9L, 6.4e11L, 1.024e13L, 3.2768e13L},
         {1, 1.2L, 1.4L, 1.6L, 1.8L, 2},
         88,
         59,
         1e-3L,
         SolutionModelKind::DebyeHuckel,
         0.00377178959562102L,
         0.00935208988609266L,
         0.599426308776828L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.C0));
        SpeciesArray beta{};
        SpeciesArray sf{};
        for (int i = 1; i <= c.n; ++i)
            beta[static_cast<size_t>(i)] = c.beta[static_cast<size_t>(i - 1)];
        for (int i = 0; i < c.n; ++i) sf[static_cast<size_t>(i)] = c.sf[static_cast<size_t>(i)];
        SolutionModel model;
        model.kind = c.kind;
        const IonicPoint point = solveIonicPoint(model, {c.n, &beta, &sf, c.MCA, c.MCX}, c.C0);
        EXPECT_LT(relative(point.X, c.X), 1e-11L);
        EXPECT_LT(relative(point.ionicStrength, c.I), 1e-11L);
        EXPECT_LT(relative(point.conductivity, c.conductivity), 1e-11L);
    }
}

TEST(IonicPoint, RefusesNonPositiveMobilitiesNamingTheSpecies) {
    const SpeciesArray beta = model1Constants(3, 100, 20);
    SpeciesArray sf = ones();
    EXPECT_EQ(nonPositiveMobilityRefusal({3, &beta, &sf, 88, 59}), "");
    sf[2] = 0;
    EXPECT_EQ(nonPositiveMobilityRefusal({3, &beta, &sf, 88, 59}),
              "The ionic-strength model needs a positive limiting conductivity for every charged "
              "species: AX2 has 0 "
              "(scaling factor 0 x lambda(A/z) 88)");
    sf[3] = -1;  // AX3 is neutral at n = 3: its factor takes no part
    sf[2] = 1;
    EXPECT_EQ(nonPositiveMobilityRefusal({3, &beta, &sf, 88, 59}), "");
    EXPECT_EQ(nonPositiveMobilityRefusal({3, &beta, &sf, 88, -1}),
              "The ionic-strength model needs a positive limiting conductivity for every charged "
              "species: X- has -1");
}

// Every self-consistent ionic strength is found, and the lowest is taken. The roots come
// from an independent 40-digit bracketing (tests/model/reference/ionic_strength_roots.py);
// the settings of one root give that root alone.
TEST(IonicSpeciation, FindsEveryIonicStrengthAndTakesTheLowest) {
    struct Case {
        int n;
        ext K1, alfa, ionSize, temperature, permittivity, C0;
        std::vector<ext> roots;
    };
    const std::vector<Case> cases = {
        {5,
         3946.09L,
         76,
         3.392L,
         339.39L,
         33.34L,
         0.01277L,
         {0.0111828444466624L, 0.0985587964408553L, 0.1355600897101L}},
        // Below and above the range of three roots: the lowest branch, then the highest.
        {5, 3946.09L, 76, 3.392L, 339.39L, 33.34L, 0.001L, {}},
        {5, 3946.09L, 76, 3.392L, 339.39L, 33.34L, 0.1L, {}},
        {2, 0.3L, 100, defaultIonSize, 298.15L, 78.38L, 0.01L, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.C0));
        const SpeciesArray beta = model1Constants(c.n, c.K1, c.alfa);
        const Solvent solvent = otherSolvent(c.temperature, c.permittivity, 1.26e-3L);
        const ActivityLaw law{SolutionModelKind::DebyeHuckel, solventCoefficients(solvent),
                              c.ionSize};
        const IonicSpeciation s = speciateAtIonicStrength(c.n, beta, law, c.C0);
        if (c.roots.empty()) {
            ASSERT_EQ(s.ionicStrengths.size(), 1U);
            EXPECT_EQ(s.ionicStrengths[0], s.ionicStrength);
            continue;
        }
        ASSERT_EQ(s.ionicStrengths.size(), c.roots.size());
        for (size_t k = 0; k < c.roots.size(); ++k)
            EXPECT_LT(relative(s.ionicStrengths[k], c.roots[k]), 1e-12L) << k;
        EXPECT_EQ(s.ionicStrength, s.ionicStrengths.front());
    }
}

}  // namespace
}  // namespace condsim
