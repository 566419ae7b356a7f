// The fit bound to the main window: its conductivity is the window's to the last bit; it
// fits the window's state on data the window's own solver made, refuses with the window's
// reasons, changes nothing of the window until applied, and is applied to the model, the
// table and the fields.

#include <gtest/gtest.h>

#include <cmath>

#include "SyntheticData.h"
#include "TestSession.h"
#include "WindowSnapshot.h"
#include "files/NumberText.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "fit/FitSystem.h"
#include "model/designed/FreeAnionNewton.h"
#include "ui/FitApplication.h"
#include "ui/MainWindowFit.h"

namespace condsim {
namespace {

using testing::Session;
using testing::WindowSnapshot;

FitRequest requestOf(const std::string& list) { return {parseFitParameterList(list), {}}; }

void expectRelative(ext actual, ext expected, ext tolerance) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
        << NumberText(actual) << " vs " << NumberText(expected);
}

TEST(ConstantsFit, NoiseFreeDataGiveBackKOneAlfaAndMcaAndChangeNothingUntilApplied) {
    Session s;
    testing::makeObservedData(s, {}, testing::twelveConcentrations());
    testing::startFrom(s, "3000", 45, "70");
    const WindowSnapshot before(s.form1);

    const FitResult result = fitConstants(s.form1, requestOf("K1,alfa,MCA"));

    ASSERT_EQ(result.status, FitStatus::Converged) << result.reason;
    EXPECT_TRUE(WindowSnapshot(s.form1) == before);
    EXPECT_EQ(result.n, 6);
    EXPECT_EQ(result.pointCount, 12);
    ASSERT_EQ(result.values.size(), 3u);
    expectRelative(result.values[0].value, 10000, 1e-6L);
    expectRelative(result.values[1].value, 20, 1e-6L);
    expectRelative(result.values[2].value, 88, 1e-6L);
    // The data are the calculation's 15-digit texts: the optimum reproduces them.
    EXPECT_LT(result.rmsResidual, 1e-12L);
    ASSERT_EQ(result.calculated.size(), 12u);
    ASSERT_EQ(result.stepwiseConstants.size(), 6u);
    expectRelative(result.stepwiseConstants[5], 3.2L, 1e-5L);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(static_cast<double>(result.correlation[i][i]), 1.0, 1e-15);
        for (size_t j = 0; j < 3; ++j) {
            EXPECT_EQ(result.correlation[i][j], result.correlation[j][i]);
            EXPECT_LE(std::fabs(result.correlation[i][j]), 1 + 1e-15L);
        }
    }
}

TEST(ConstantsFit, AppliedFitGoesIntoTheModelTheTableAndTheFieldsAndReproducesTheData) {
    Session s;
    testing::makeObservedData(s, {}, testing::twelveConcentrations());
    testing::startFrom(s, "3000", 45, "70");
    const FitResult result = fitConstants(s.form1, requestOf("K1,alfa,MCA"));
    ASSERT_TRUE(result.converged()) << result.reason;

    applyFit(s.form1, result);

    const auto& model = s.form1.state().model;
    EXPECT_FALSE(s.form1.CheckBox1.checked());
    EXPECT_EQ(s.form1.n(), 6);
    EXPECT_EQ(s.form1.StringGrid2.rowCount(), 7);
    // Update ran after the constants were written: K1 is that of the beta1 field, its
    // 15-digit text, and K2..K6 are the fitted ones, with Initialize's caution and why
    // Model #1 went off.
    EXPECT_EQ(s.platform.messages.back(),
              std::string(cautionText) +
                  "\nApply turned Model #1 off: the fitted K2..K6 do not follow K1 by Model #1 "
                  "with the whole percentage the alfa field holds, so the constants table keeps "
                  "them as fitted.");
    ext beta = 1;
    for (int r = 1; r <= 6; ++r) {
        const ext fitted = result.stepwiseConstants[static_cast<size_t>(r - 1)];
        EXPECT_EQ(model.K[static_cast<size_t>(r)], r == 1 ? number(NumberText(fitted)) : fitted);
        beta *= model.K[static_cast<size_t>(r)];
        EXPECT_EQ(model.beta[static_cast<size_t>(r)], beta);
        EXPECT_EQ(s.form1.StringGrid2.cell(1, r), NumberText(model.K[static_cast<size_t>(r)]));
    }
    EXPECT_EQ(s.form1.beta1.text(), NumberText(result.values[0].value));
    EXPECT_EQ(s.form1.MCA.text(), NumberText(result.MCA));
    EXPECT_EQ(s.form1.MCX.text(), "59");
    EXPECT_EQ(s.form1.SpinEdit2.value(), 45);  // alfa lives on in the constants only

    // The window's own solver now reproduces an observed point.
    const auto& observed = s.form1.state().observed;
    s.form1.c0.setText(NumberText(observed.conc[8]));
    s.form1.RefineXClick();
    expectRelative(number(s.form1.conductivity.text()), observed.cond[8], 1e-12L);
    expectRelative(result.calculated[7], observed.cond[8], 1e-12L);
}

// Apply keeps Model #1 on where the fit's K2..K6 followed K1 by Model #1 with the window's
// alfa (K1 alone fitted), with no caution; where alfa was fitted too it turns Model #1 off
// and the table takes the fitted constants, with Initialize's caution.
TEST(ConstantsFit, ApplyKeepsModelOneWhereTheFitFollowedIt) {
    struct Case {
        const char* fit;
        bool model1After;
    };
    for (const Case& c : {Case{"K1,MCA", true}, Case{"K1,alfa,MCA", false}}) {
        SCOPED_TRACE(c.fit);
        Session s;
        testing::makeObservedData(s, {}, testing::twelveConcentrations());
        testing::startFrom(s, "3000", 45, "70");
        const FitResult result = fitConstants(s.form1, requestOf(c.fit));
        ASSERT_TRUE(result.converged()) << result.reason;
        EXPECT_EQ(result.followsModel1, c.model1After);
        const size_t messagesBefore = s.platform.messages.size();

        applyFit(s.form1, result);

        EXPECT_EQ(s.form1.CheckBox1.checked(), c.model1After);
        EXPECT_EQ(s.platform.messages.size() > messagesBefore, !c.model1After);
        const auto& K = s.form1.state().model.K;
        EXPECT_EQ(K[1], number(NumberText(result.stepwiseConstants[0])));
        if (c.model1After) {
            for (int r = 2; r <= 6; ++r) {
                EXPECT_EQ(K[static_cast<size_t>(r)], 45 * K[static_cast<size_t>(r - 1)] / 100);
            }
        }
    }
}

// MCA held at its known value: with it free as well, the least-squares optimum of these
// noisy data lies at K1 = 8e6, alfa = 6.4, MCA = 186 (an independent solver agrees), far
// from the values the data were made with, since the three pull against each other.
TEST(ConstantsFit, WithHalfAPercentNoiseTheTrueValuesLieWithinThreeStandardErrors) {
    Session s;
    testing::makeObservedData(s, {}, testing::twelveConcentrations(), 0.005);
    testing::startFrom(s, "3000", 45, "88");
    const FitResult result = fitConstants(s.form1, requestOf("K1,alfa"));
    ASSERT_TRUE(result.converged()) << result.reason;
    const ext truth[] = {10000, 20};
    for (size_t j = 0; j < 2; ++j) {
        const FittedValue& fitted = result.values[j];
        EXPECT_GT(fitted.standardError, 0);
        EXPECT_LE(std::fabs(fitted.value - truth[j]), 3 * fitted.standardError)
            << fitParameterName(fitted.parameter) << " " << NumberText(fitted.value) << " +- "
            << NumberText(fitted.standardError);
        EXPECT_LT(fitted.lower, fitted.value);
        EXPECT_GT(fitted.upper, fitted.value);
        // The profile interval holds the optimum and lies near the Jacobian's.
        EXPECT_LT(fitted.profileLower, fitted.value);
        EXPECT_GT(fitted.profileUpper, fitted.value);
        EXPECT_LT(std::fabs(std::log(fitted.profileLower / fitted.lower)), 0.2L);
        EXPECT_LT(std::fabs(std::log(fitted.profileUpper / fitted.upper)), 0.2L);
    }
    // A constant's interval is taken back from its logarithm: positive, wider above.
    EXPECT_GT(result.values[0].lower, 0);
    EXPECT_GT(result.values[0].upper - result.values[0].value,
              result.values[0].value - result.values[0].lower);
    // The RMS residual is about the noise put in (0.5 % of conductivities up to ~0.5).
    EXPECT_GT(result.rmsResidual, 0.0001L);
    EXPECT_LT(result.rmsResidual, 0.005L);
}

TEST(ConstantsFit, StepwiseConstantsOfTheTableAndMcxAreFittedWithTheOthersHeld) {
    Session s;
    testing::makeObservedData(s, {}, testing::twelveConcentrations());
    // The table of the true constants with K1 and K2 moved away, as a file import sets it.
    s.form1.SetStepwiseConstants({4000, 5000, 400, 80, 16, 3.2L});
    s.form1.MCX.setText("50");
    const FitResult result = fitConstants(s.form1, requestOf("K1,K2,MCX"));
    ASSERT_TRUE(result.converged()) << result.reason;
    expectRelative(result.values[0].value, 10000, 1e-6L);
    expectRelative(result.values[1].value, 2000, 1e-6L);
    expectRelative(result.values[2].value, 59, 1e-6L);
    EXPECT_EQ(result.stepwiseConstants[2], s.form1.state().model.K[3]);  // held, not refitted
    EXPECT_EQ(result.MCA, 88);
}

struct Refusal {
    const char* title;
    std::function<void(Session&)> arrange;
    std::string parameters;
    std::string reason;
};

TEST(ConstantsFit, EachRefusalGivesItsReasonAndChangesNothing) {
    const std::vector<Refusal> refusals = {
        {"no observed data", [](Session& s) { s.form1.InitializeClick(); }, "K1,alfa",
         "There are no observed data to fit.\nNo observed data are loaded: open a data file first "
         "(File/Open)."},
        {"no parameter", [](Session&) {}, "", "Choose at least one parameter to fit."},
        {"as many points as parameters", [](Session& s) { s.form1.state().observed.count = 3; },
         "K1,alfa,MCA",
         "Fitting 3 parameters needs more observed points than parameters; there are 3."},
        {"a point at concentration 0", [](Session& s) { s.form1.state().observed.conc[4] = 0; },
         "K1,alfa",
         "Observed point 4 has the concentration 0; the calculation needs a positive "
         "concentration."},
        {"a constant beyond n", [](Session&) {}, "K7", "K7 is not a constant of n = 6."},
        {"alfa with K2", [](Session&) {}, "alfa,K2",
         "K2 cannot be fitted with alfa, which generates K2..Kn."},
        {"a constant of zero",
         [](Session& s) {
             s.form1.SetStepwiseConstants({1e4L, 0, 400, 80, 16, 3.2L});
         },
         "K2", "K2 must be positive to be fitted on the logarithmic scale; it is 0."},
        {"a negative held constant",
         [](Session& s) {
             s.form1.SetStepwiseConstants({1e4L, 2000, -400, 80, 16, 3.2L});
         },
         "K1", "K3 is negative (-400); the fit needs constants of zero or above."},
        {"alfa without K2",
         [](Session& s) {
             s.form1.SetStepwiseConstants({1e4L, 0, 400, 80, 16, 3.2L});
         },
         "alfa",
         "alfa starts from 100 x K2 / K1, which needs K1 and K2 positive; they are 10000 and 0."},
        {"MCA not a number", [](Session& s) { s.form1.MCA.setText("8 8"); }, "MCA",
         "'8 8' は浮動小数点数ではありません"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.title);
        Session s;
        testing::makeObservedData(s, {}, testing::twelveConcentrations());
        if (refusal.title == std::string("no observed data")) s.form1.state().observed.count = 0;
        refusal.arrange(s);
        const WindowSnapshot before(s.form1);
        FitRequest request;
        if (!refusal.parameters.empty()) request = requestOf(refusal.parameters);
        const FitResult result = fitConstants(s.form1, request);
        EXPECT_EQ(result.status, FitStatus::Refused);
        EXPECT_EQ(result.reason, refusal.reason);
        EXPECT_EQ(fitFailureMessage(result), "The fit cannot run: " + refusal.reason);
        EXPECT_TRUE(result.values.empty());
        EXPECT_EQ(testing::errorText([&] { applyFit(s.form1, result); }),
                  "Only a converged fit can be applied.");
        EXPECT_TRUE(WindowSnapshot(s.form1) == before);
    }
}

TEST(ConstantsFit, AFitThatRunsOutOfEvaluationsSaysSoAndCannotBeApplied) {
    Session s;
    testing::makeObservedData(s, {}, testing::twelveConcentrations());
    testing::startFrom(s, "3000", 45, "70");
    const WindowSnapshot before(s.form1);
    FitRequest request = requestOf("K1,alfa,MCA");
    request.options.maxEvaluations = 6;
    const FitResult result = fitConstants(s.form1, request);
    EXPECT_EQ(result.status, FitStatus::NotConverged);
    EXPECT_EQ(fitFailureMessage(result),
              "The fit did not converge: no optimum within 6 evaluations of the residuals");
    EXPECT_TRUE(result.values.empty());
    EXPECT_TRUE(result.stepwiseConstants.empty());
    EXPECT_GT(result.evaluations, 0);
    EXPECT_EQ(testing::errorText([&] { applyFit(s.form1, result); }),
              "Only a converged fit can be applied.");
    EXPECT_TRUE(WindowSnapshot(s.form1) == before);
}

// The fit's conductivity is the window's ConductivityAt to the last bit.
TEST(FitConductivity, EqualsTheWindowsConductivityBitForBit) {
    testing::Session s;
    TForm1& form = s.form1;
    form.InitializeClick();
    form.MCA.setText("88.5");
    form.MCX.setText("61.25");
    for (int i = 0; i < 6; ++i) form.state().factors.sf[static_cast<size_t>(i)] = 1 - 0.07L * i;
    const FitSystem system = fitSystemOf(form);
    CalculationConstants constants;
    constants.beta = form.state().model.beta;
    constants.MCA = system.MCA;
    constants.MCX = system.MCX;
    constants.solution = system.solution;
    for (const ext C0 : {1e-4L, 3.3e-3L, 0.01L}) {
        form.state().model.C0 = C0;
        const ext X = freeAnionByNewton(6, constants.beta, C0);
        EXPECT_EQ(calculatedConductivity(system, constants, C0), form.ConductivityAt(X))
            << NumberText(C0);
    }
}

}  // namespace
}  // namespace condsim
