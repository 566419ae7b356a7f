#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestSupport.h"
#include "files/NumberText.h"
#include "files/ObservedDataFile.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "fit/FitSystem.h"

// Fits at the edges of what measured data determine: a constant at its bound 0, an ion
// size the data do not fix, data beyond the activity law's range. The figures come from
// tests/fit/reference/ionic_fit.py (NumPy and SciPy on the equations alone, with K1 >= 0 as
// a bound), not from condsim's own output.

namespace condsim {
namespace {

// Aqueous CaCl2 at 25 C from an example file, n = 2, MCX = 76.35, Model #1 on with
// alfa = 1 (K2 = K1 / 100), started at K1 = beta1 and MCA = 60 in the given model.
FitSystem caCl2(const std::string& file, SolutionModelKind kind, const std::string& beta1) {
    FitSystem system;
    system.n = 2;
    system.sf.fill(1);
    system.model1 = true;
    system.alfa = 1;
    system.K[1] = number(beta1);
    system.K[2] = system.K[1] / 100;
    system.MCA = 60;
    system.MCX = number("76.35");
    system.solution.kind = kind;
    const NumberRecords records = ReadObservedDataFile(testing::exampleFile(file));
    for (int j = 0; j < records.count(); ++j)
        system.points.push_back({records.value(j, 0), records.value(j, 1)});
    return system;
}

FitResult fit(const FitSystem& system, const std::string& list) {
    return fitConstants(system, {parseFitParameterList(list), {}, FitWeighting::Absolute});
}

void expectRelative(ext actual, ext expected, ext tolerance, const std::string& what) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
        << what << ": " << NumberText(actual) << " vs " << NumberText(expected);
}

// On the 28 points in the Debye-Hueckel model (a = 4.5 A) the sum of squares rises with K1
// from K1 = 0: every start finds K1 = 0 with MCA fitted there, and the one-sided bound of
// the profile with t(0.95) and m - p = 26 degrees of freedom.
TEST(FitEdges, AConstantAtItsBoundIsFoundFromEveryStart) {
    for (const char* start : {"1e-3", "1", "100", "1e4", "1e6"}) {
        SCOPED_TRACE(std::string("from K1 = ") + start);
        const FitResult result =
            fit(caCl2("cacl2-25C-water.txt", SolutionModelKind::DebyeHuckel, start), "K1,MCA");
        ASSERT_TRUE(result.converged()) << result.reason;
        const FittedValue& K1 = result.values[0];
        EXPECT_EQ(K1.state, FittedState::AtZero);
        EXPECT_EQ(K1.value, 0);
        expectRelative(K1.profileUpper, 0.135763L, 2e-5L, "upper bound of K1");
        expectRelative(result.values[1].value, 60.256981L, 2e-7L, "MCA");
        expectRelative(result.sumOfSquares, 5.78447614e-2L, 1e-7L, "sum of squares");
    }
}

// Every fitted parameter has a profile interval; the ion size's interval from the
// Jacobian is that of its logarithm, so it stays positive; where a profile is unbounded
// on a side there is no standard error and no Jacobian interval, and where it is unbounded
// on both the parameter is not determined. The optimum does not depend on the start.
TEST(FitEdges, TheIonSizeHasAProfileIntervalAndTheDataSayWhatTheyDoNotDetermine) {
    struct Case {
        const char* file;
        SolutionModelKind kind;
        const char* start;
        ext a;           // the optimum, 0 where not compared
        ext aFrom, aTo;  // its profile interval (infinity: unbounded)
        bool aDetermined;
        bool aJacobian;  // standard error and Jacobian interval given
    };
    const ext unbounded = HUGE_VALL;
    const Case cases[] = {
        // SciPy: K1 0.944045, MCA 57.527184, a 6.062807, profile of a 5.21810 to 8.63602.
        {"cacl2-25C-water.txt", SolutionModelKind::DebyeHuckel, "1", 6.062807L, 5.21810L, 8.63602L,
         true, true},
        {"cacl2-25C-water.txt", SolutionModelKind::DebyeHuckel, "1e5", 6.062807L, 5.21810L,
         8.63602L, true, true},
        // Twelve dilute points with Davies: the profile of a has no upper bound; both starts
        // reach the same lowest sum of squares (the one from beta1 = 1 through a point its
        // profile met below the first optimum).
        {"cacl2-25C-water-dilute.txt", SolutionModelKind::Davies, "1", 126.51L, 2.529L, unbounded,
         true, false},
        {"cacl2-25C-water-dilute.txt", SolutionModelKind::Davies, "100", 126.51L, 2.529L, unbounded,
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " from K1 = " + c.start);
        const FitResult result = fit(caCl2(c.file, c.kind, c.start), "K1,MCA,a");
        ASSERT_TRUE(result.converged()) << result.reason;
        const FittedValue& a = result.values[2];
        ASSERT_TRUE(a.hasProfile);
        EXPECT_EQ(a.state == FittedState::NotDetermined, !c.aDetermined);
        EXPECT_EQ(a.hasJacobianInterval, c.aJacobian);
        expectRelative(a.value, c.a, 1e-4L, "a");
        expectRelative(a.profileLower, c.aFrom, 1e-4L, "profile of a from");
        if (std::isinf(c.aTo)) {
            EXPECT_TRUE(std::isinf(a.profileUpper));
        } else {
            expectRelative(a.profileUpper, c.aTo, 1e-5L, "profile of a to");
        }
        if (a.hasJacobianInterval) {
            EXPECT_GT(a.lower, 0);
            EXPECT_LT(a.lower, a.value);
            EXPECT_GT(a.upper, a.value);
        }
        for (const FittedValue& value : result.values) {
            EXPECT_TRUE(value.hasProfile) << fitParameterName(value.parameter);
            if (!value.hasJacobianInterval) {
                EXPECT_NE(fitResultTable(result).find("\n" + fitParameterName(value.parameter) +
                                                      "\t" + NumberText(value.value) + "\t\t\t\t"),
                          std::string::npos)
                    << fitResultTable(result);
            }
        }
    }
    // Four points do not determine three parameters: a is said not determined, with no
    // standard error, and no interval reaches below 0 or prints a number beyond reason.
    FitSystem four = caCl2("cacl2-25C-water.txt", SolutionModelKind::DebyeHuckel, "1");
    four.points.resize(4);
    const FitResult result = fit(four, "K1,MCA,a");
    ASSERT_TRUE(result.converged()) << result.reason;
    EXPECT_EQ(result.values[2].state, FittedState::NotDetermined);
    const std::string table = fitResultTable(result);
    EXPECT_NE(table.find("\na is not determined by these data: the profile of the sum of squares "
                         "stays below its 95% threshold from a = 0.1 to 10000 A"),
              std::string::npos)
        << table;
    const std::string values = table.substr(0, table.find("\ncorrelation"));
    EXPECT_EQ(values.find("E-"), std::string::npos) << table;
    EXPECT_EQ(values.find("\t-"), std::string::npos) << table;
}

// A fit over data beyond the activity law's range says so, with the points that are.
TEST(FitEdges, AFitOverDataBeyondTheLawsRangeSaysSo) {
    struct Case {
        const char* file;
        bool beyond;
    };
    for (const Case& c :
         {Case{"cacl2-25C-water.txt", true}, Case{"cacl2-25C-water-dilute.txt", false}}) {
        SCOPED_TRACE(c.file);
        const FitResult result = fit(caCl2(c.file, SolutionModelKind::DebyeHuckel, "1"), "K1,MCA");
        ASSERT_TRUE(result.converged()) << result.reason;
        const std::string table = fitResultTable(result);
        const size_t note = table.find(
            "\nthe fitted values come from data outside the model's range. The ionic strength is "
            "above the range of Debye-Hueckel + Onsager-Fuoss (I up to 0.1 mol/L) at 11 of 28 "
            "observed points, from C0 = 0.0383464 mol/L");
        EXPECT_EQ(note != std::string::npos, c.beyond) << table;
    }
}

}  // namespace
}  // namespace condsim
