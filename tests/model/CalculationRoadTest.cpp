#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Error.h"
#include "model/CalculationRoad.h"
#include "model/CumulativeConstants.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"
#include "model/ionic/IonicPoint.h"

namespace condsim {
namespace {

// Records the stages in the order the road tells them, and when it asks for the limiting
// conductivities.
class RecordingStages final : public PointStages {
  public:
    LimitingConductivities limitingConductivities() override {
        told.push_back("conductivities");
        return {88, 59};
    }
    void searchStarted(ext) override { told.push_back("search started"); }
    ext freeAnionFound(ext X) override {
        told.push_back("free anion");
        return X;
    }
    void boundAnionsFound(ext meanBound) override {
        told.push_back("bound anions");
        bound = meanBound;
    }
    std::vector<std::string> told;
    ext bound = 0;
};

SpeciesArray model1Constants(int n) {
    SpeciesArray K{};
    SpeciesArray beta{};
    K[1] = 1e4L;
    generateByModel1(n, 20, K);
    formCumulativeConstants(n, K, beta);
    return beta;
}

// Each road is chosen by the solution model alone, names itself, tells its stages in its
// own order and gives the figures of the calculation it stands for.
TEST(CalculationRoad, EachRoadCalculatesAsItsOwnPiecesDoAndTellsItsStagesInOrder) {
    const int n = 6;
    const ext C0 = 2e-3L;
    const SpeciesArray beta = model1Constants(n);
    SpeciesArray sf{};
    sf.fill(1);
    struct Case {
        SolutionModelKind kind;
        std::string description;
        std::vector<std::string> columns;
        std::vector<std::string> stages;
    };
    const Case cases[] = {
        {SolutionModelKind::Ideal,
         "ideal",
         {},
         {"search started", "free anion", "bound anions", "conductivities"}},
        {SolutionModelKind::DebyeHuckel,
         "Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A",
         {"I / mol L-1", "gamma(X-)"},
         {"conductivities", "free anion", "bound anions"}},
        {SolutionModelKind::Davies,
         "Davies + Onsager-Fuoss, water 25 C, a = 4.5 A",
         {"I / mol L-1", "gamma(X-)"},
         {"conductivities", "free anion", "bound anions"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        SolutionModel model;
        model.kind = c.kind;
        const CalculationRoad road = calculationRoad(model);
        EXPECT_EQ(roadDescription(road), c.description);
        EXPECT_EQ(solutionModelDescription(model), c.description);
        EXPECT_EQ(ownQuantityColumns(road), c.columns);
        EXPECT_EQ(hasIonSize(road), !c.columns.empty());

        RecordingStages stages;
        ext X = 0;
        const PointResult result = solvePoint(road, {n, beta, sf}, C0, stages, X);
        EXPECT_EQ(stages.told, c.stages);
        EXPECT_EQ(result.X, X);
        EXPECT_EQ(result.ownValues.size(), c.columns.size());
        ext total = 0;
        for (int i = 0; i <= n; ++i) total += result.abundance[static_cast<size_t>(i)];
        EXPECT_NEAR(static_cast<double>(total), 100, 1e-12);

        if (c.kind == SolutionModelKind::Ideal) {
            // The step search and the formation function of the designed calculation.
            ext searched = freeAnionStart(n, C0);
            searchFreeAnion(n, beta, C0, searched);
            EXPECT_EQ(X, searched);
            EXPECT_EQ(stages.bound, formationSide(n, beta, X));
            // The fast route finds the same root far below the search's resolution.
            const PointResult fast =
                solvePoint(road, {n, beta, sf, FreeAnionRoute::Fast}, C0, {88, 59});
            EXPECT_NEAR(static_cast<double>(fast.X / X - 1), 0, 1e-13);
        } else {
            const IonicPointInput input{n, &beta, &sf, 88, 59};
            const IonicPoint point = solveIonicPoint(model, input, C0);
            EXPECT_EQ(X, point.X);
            EXPECT_EQ(result.conductivity, point.conductivity);
            EXPECT_EQ(stages.bound, point.meanBound);
            EXPECT_EQ(result.ownValues,
                      (std::vector<ext>{point.ionicStrength, point.anionActivityCoefficient}));
        }
    }
}

// The ionic-strength road refuses a charged species without a positive limiting
// conductivity before it solves; the designed road takes any.
TEST(CalculationRoad, OnlyTheIonicRoadRefusesNonPositiveLimitingConductivities) {
    const SpeciesArray beta = model1Constants(2);
    SpeciesArray sf{};
    sf.fill(1);
    struct Case {
        SolutionModelKind kind;
        bool refused;
    };
    for (const Case c :
         {Case{SolutionModelKind::Ideal, false}, Case{SolutionModelKind::Davies, true}}) {
        SolutionModel model;
        model.kind = c.kind;
        const bool refused = c.refused;
        QuietStages stages({88, 0});
        const CalculationRoad road = calculationRoad(model);
        const std::string refusal = inputRefusal(road, {2, beta, sf}, stages);
        EXPECT_EQ(refusal.empty(), !refused) << refusal;
        if (refused) {
            EXPECT_NE(refusal.find("X- has 0"), std::string::npos) << refusal;
            EXPECT_THROW(solvePoint(road, {2, beta, sf}, 1e-3L, {88, 0}), Error);
        } else {
            EXPECT_NO_THROW(solvePoint(road, {2, beta, sf}, 1e-3L, {88, 0}));
        }
    }
}

}  // namespace
}  // namespace condsim
