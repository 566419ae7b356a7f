// The labelled figures of the main window's data: which states have something to draw,
// the refusal otherwise, and what each figure holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "SweepSession.h"
#include "ui/CalculationData.h"
#include "ui/ExportCommands.h"
#include "ui/FitFigure.h"
#include "ui/FitWindow.h"

namespace condsim {
namespace {

using testing::Session;

enum class Stage { StartUp, Observed, Calculated, OtherDataOpened };

struct FigureCase {
    const char* name;
    Stage stage;
    FigureKind kind;
    // Series drawn (0: refused), then points of the last one (observed), the y-axis title.
    size_t series;
    size_t lastSeriesPoints;
    const char* yTitle;
};

void reach(Session& s, Stage stage) {
    if (stage == Stage::StartUp) return;
    s.platform.answerNextDialog(testing::exampleFile("observed-6to1-salt.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
    if (stage == Stage::Observed) return;
    ASSERT_TRUE(testing::sweep(s, 30));
    if (stage == Stage::OtherDataOpened)
        testing::openObservedFile(s, "other.txt", testing::threePoints);
}

TEST(PaperFigures, DrawWhatTheStateHoldsAndRefuseWhenNothing) {
    const char* const kappa = "\u03ba / mS cm^{\u22121}";
    const char* const lambda = "\u039b / S cm^{2} mol^{\u22121}";
    const std::vector<FigureCase> cases = {
        {"nothing at start-up", Stage::StartUp, FigureKind::Conductivity, 0, 0, ""},
        {"no species before a calculation", Stage::Observed, FigureKind::Distribution, 0, 0, ""},
        {"no residuals before a calculation", Stage::Observed, FigureKind::Residuals, 0, 0, ""},
        {"observed points alone", Stage::Observed, FigureKind::Conductivity, 1, 12, kappa},
        {"observed molar conductivity alone", Stage::Observed, FigureKind::MolarConductivitySqrt, 1,
         12, lambda},
        {"curve and points", Stage::Calculated, FigureKind::Conductivity, 2, 12, kappa},
        {"molar curve and points", Stage::Calculated, FigureKind::MolarConductivity, 2, 12, lambda},
        {"one curve per species, over the observed data", Stage::Calculated,
         FigureKind::Distribution, 7, 0, "abundance / %"},
        {"residuals", Stage::Calculated, FigureKind::Residuals, 1, 12,
         "(\u03ba_{calcd} \u2212 \u03ba_{obsd}) / mS cm^{\u22121}"},
        {"other data: their points without the old curve", Stage::OtherDataOpened,
         FigureKind::Conductivity, 1, 3, kappa},
        {"other data: no residuals of the old calculation", Stage::OtherDataOpened,
         FigureKind::Residuals, 0, 0, ""},
        {"other data: the species stay", Stage::OtherDataOpened, FigureKind::Distribution, 7, 30,
         "abundance / %"},
    };
    for (const FigureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        reach(s, c.stage);
        const BuiltFigure built = mainWindowFigure(c.kind, s.app.state);
        ASSERT_EQ(built.figure.has_value(), c.series > 0) << built.refusal;
        if (!built.figure) {
            EXPECT_NE(built.refusal.find("first"), std::string::npos) << built.refusal;
            // The export shows the refusal and asks for no file.
            const size_t dialogs = s.platform.dialogs.size();
            ASSERT_TRUE(s.act([&] { exportFigure(s.platform, s.app.state, built, "f.svg", {}); }));
            EXPECT_EQ(s.platform.messages.back(), built.refusal);
            EXPECT_EQ(s.platform.dialogs.size(), dialogs);
            continue;
        }
        const Figure& figure = *built.figure;
        ASSERT_EQ(figure.series.size(), c.series);
        if (c.lastSeriesPoints > 0) {
            EXPECT_EQ(figure.series.back().x.size(), c.lastSeriesPoints);
        }
        EXPECT_EQ(figure.y.title, c.yTitle);
        EXPECT_EQ(figure.x.title, c.kind == FigureKind::MolarConductivitySqrt
                                      ? "\u221aC_{0} / (mol L^{\u22121})^{1/2}"
                                      : "C_{0} / mol L^{\u22121}");
        for (const FigureSeries& series : figure.series) {
            // Every point lies on the axes.
            for (size_t i = 0; i < series.x.size(); ++i) {
                EXPECT_GE(series.x[i], figure.x.ticks.minimum);
                EXPECT_LE(series.x[i], figure.x.ticks.maximum);
                EXPECT_GE(series.y[i], figure.y.ticks.minimum);
                EXPECT_LE(series.y[i], figure.y.ticks.maximum);
            }
        }
        // The caption names the calculation (with its model) or says there is none.
        const bool calculated = c.stage != Stage::Observed && !(c.stage == Stage::OtherDataOpened &&
                                                                c.kind == FigureKind::Conductivity);
        EXPECT_EQ(figure.caption,
                  calculated
                      ? "AX6: K_{1} = 10000 L mol^{\u22121}, K_{i+1} = 20 % of K_{i} (Model #1); "
                        "\u03bb(A/z) = 88 S cm^{2} mol^{\u22121}, \u03bb(X^{\u2212}) = 59 S cm^{2} "
                        "mol^{\u22121}; ideal solution."
                      : std::string("Observed data ") +
                            (c.stage == Stage::Observed ? "observed-6to1-salt.txt" : "other.txt") +
                            "; no calculation.");
    }
}

// The calculated curves run from the axis's zero to the last observed point and no
// further, pass through the calculated values at the observed concentrations, and the x
// axis ends at the first tick past the data.
TEST(PaperFigures, CurvesCoverTheObservedDataAndTheAxisEndsPastThem) {
    Session s;
    reach(s, Stage::Calculated);
    const auto& compared = s.app.state.calculation.observed;
    ASSERT_EQ(compared.size(), 12u);
    const double highest = static_cast<double>(compared.back().concentration);  // 0.01 M
    for (const FigureKind kind : {FigureKind::Conductivity, FigureKind::MolarConductivity,
                                  FigureKind::MolarConductivitySqrt, FigureKind::Distribution}) {
        SCOPED_TRACE(figureKindName(kind));
        const Figure figure = *mainWindowFigure(kind, s.app.state).figure;
        const bool sqrtX = kind == FigureKind::MolarConductivitySqrt;
        const FigureSeries& curve = figure.series.front();
        const double last = sqrtX ? std::sqrt(highest) : highest;
        EXPECT_NEAR(curve.x.back(), last, last * 1e-12);
        EXPECT_LE(curve.x.front(), last * 0.0101);
        EXPECT_GE(figure.x.ticks.maximum, last);
        EXPECT_LT(figure.x.ticks.maximum - figure.x.ticks.step, last);
        if (kind != FigureKind::Conductivity) continue;
        for (const ObservedComparison& point : compared) {
            const auto at =
                std::find(curve.x.begin(), curve.x.end(), static_cast<double>(point.concentration));
            ASSERT_NE(at, curve.x.end());
            // Solved again at C0 rounded to a double: the same value to rounding.
            const double calculated = static_cast<double>(point.calculated);
            EXPECT_NEAR(curve.y[static_cast<size_t>(at - curve.x.begin())], calculated,
                        calculated * 1e-12);
        }
    }
}

// --figure-x and the export dialog's axis: a logarithmic axis from the decade below the
// lowest observed concentration, with the curve from that concentration (a log axis has no
// zero); the square root for any kind; species named by formula, or refused when the names
// do not number n + 1.
TEST(PaperFigures, AxisScaleAndSpeciesNamesFollowTheOptions) {
    Session s;
    reach(s, Stage::Calculated);
    const auto& observed = s.app.state.calculation.observed;
    const double lowest = static_cast<double>(observed.front().concentration);  // 1e-4 M
    const double highest = static_cast<double>(observed.back().concentration);  // 0.01 M
    const std::vector<std::string> seven = {"M2+",    "MX+",    "MX2",   "MX3-",
                                            "MX4 2-", "MX5 3-", "MX6 4-"};
    const struct {
        const char* name;
        FigureKind kind;
        FigureOptions options;
        bool logarithmic;
        double first;        // the first x of the first series
        const char* xTitle;  // empty: the refusal's start
    } cases[] = {
        {"molar, log",
         FigureKind::MolarConductivity,
         {FigureScale::Logarithmic, {}, {}},
         true,
         lowest,
         "C_{0} / mol L^{\u22121}"},
        {"distribution, log",
         FigureKind::Distribution,
         {FigureScale::Logarithmic, seven, {}},
         true,
         lowest,
         "C_{0} / mol L^{\u22121}"},
        {"residuals, square root",
         FigureKind::Residuals,
         {FigureScale::SquareRoot, {}, {}},
         false,
         std::sqrt(lowest),
         "\u221aC_{0} / (mol L^{\u22121})^{1/2}"},
        {"molar-sqrt, linear",
         FigureKind::MolarConductivitySqrt,
         {FigureScale::Linear, {}, {}},
         false,
         highest * 1e-4,
         "C_{0} / mol L^{\u22121}"},
        {"three names for seven species",
         FigureKind::Distribution,
         {std::nullopt, {"Ca2+", "CaCl+", "CaCl2"}, {}},
         false,
         0,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BuiltFigure built = mainWindowFigure(c.kind, s.app.state, c.options);
        if (std::string(c.xTitle).empty()) {
            EXPECT_EQ(built.refusal,
                      "The species names name 3 species, but the calculation has 7 (AX0..AX6).");
            continue;
        }
        ASSERT_TRUE(built.figure) << built.refusal;
        const Figure& figure = *built.figure;
        EXPECT_EQ(figure.x.logarithmic, c.logarithmic);
        EXPECT_EQ(figure.x.title, c.xTitle);
        EXPECT_NEAR(figure.series.front().x.front(), c.first, c.first * 1e-12);
        if (c.logarithmic) {
            EXPECT_DOUBLE_EQ(figure.x.ticks.minimum, 1e-4);
            EXPECT_DOUBLE_EQ(figure.x.ticks.maximum, 0.01);  // the highest, 0.01 M
        }
        if (c.kind == FigureKind::Distribution) {
            EXPECT_EQ(figure.series[0].name, "M^{2+}");
            EXPECT_EQ(figure.series[6].name, "MX_{6}^{4\u2212}");
        }
    }
}

TEST(PaperFigures, MolarConductivityIsConductivityOverConcentration) {
    Session s;
    reach(s, Stage::Calculated);
    const Figure kappa = *mainWindowFigure(FigureKind::Conductivity, s.app.state).figure;
    const Figure lambda = *mainWindowFigure(FigureKind::MolarConductivitySqrt, s.app.state).figure;
    // The observed point at 1.0E-04 M with 0.06648 mS/cm: 664.8 S cm2/mol at sqrt(C0) = 0.01.
    EXPECT_DOUBLE_EQ(kappa.series[1].y[0], 0.06648);
    EXPECT_NEAR(lambda.series[1].x[0], 0.01, 1e-15);
    EXPECT_NEAR(lambda.series[1].y[0], 664.8, 1e-10);
    for (size_t i = 0; i < kappa.series[0].x.size(); ++i)
        EXPECT_NEAR(lambda.series[0].y[i], kappa.series[0].y[i] / kappa.series[0].x[i], 1e-9);
}

// One sign for the residuals: calculated minus observed in the fit, the Fit window's
// figure, the main window's figure and the CSV, as the fit's output says.
TEST(PaperFigures, ResidualsAreCalculatedMinusObservedEverywhere) {
    Session s;
    reach(s, Stage::Calculated);
    const ObservedComparison& first = s.app.state.calculation.observed.front();
    const double mainResidual = static_cast<double>(first.calculated - first.observed);
    ASSERT_NE(mainResidual, 0);
    const Figure figure = *mainWindowFigure(FigureKind::Residuals, s.app.state).figure;
    EXPECT_EQ(figure.series[0].y[0], mainResidual);
    EXPECT_NE(figureKindTitle(FigureKind::Residuals).find("calculated - observed"),
              std::string::npos);

    const std::string csv = *calculationCsv(s.app.state.calculation);
    EXPECT_NE(csv.find(",residual kappa - kappa obsd / mS cm-1,"), std::string::npos);
    const size_t row = csv.find("\nobserved,");
    std::vector<std::string> fields;
    std::istringstream line(csv.substr(row + 1, csv.find('\n', row + 1) - row - 1));
    for (std::string field; std::getline(line, field, ',');) fields.push_back(field);
    ASSERT_GT(fields.size(), 7u);
    EXPECT_NEAR(std::stod(fields[7]), mainResidual, std::fabs(mainResidual) * 1e-12);

    FitWindow fit(s.form1, testing::recordingCanvases());
    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    ASSERT_TRUE(fit.lastFit().converged());
    const auto& residuals = fit.residuals();
    const double observed = static_cast<double>(first.observed);
    EXPECT_NEAR(static_cast<double>(residuals[0].residual),
                static_cast<double>(fit.lastFit().calculated[0]) - observed, 1e-15);
    EXPECT_EQ(fitResidualFigure(fit).figure->series[0].y[0],
              static_cast<double>(residuals[0].residual));
}

TEST(PaperFigures, FitResidualsNeedAConvergedFit) {
    Session s;
    reach(s, Stage::Observed);
    FitWindow fit(s.form1, testing::recordingCanvases());
    EXPECT_FALSE(fitResidualFigure(fit).figure.has_value());
    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    const BuiltFigure built = fitResidualFigure(fit);
    ASSERT_TRUE(built.figure.has_value()) << built.refusal;
    ASSERT_EQ(built.figure->series.size(), 1u);
    EXPECT_EQ(built.figure->series[0].y.size(), 12u);
    EXPECT_EQ(
        built.figure->caption.rfind(
            "Fit at n = 6 to 12 points: K_{1} = 10628.7 (s.e. 913), alfa = 19.4627 (s.e. 0.528)",
            0),
        0u)
        << built.figure->caption;
    // The residuals sum of squares is the fit's.
    double sum = 0;
    for (const double r : built.figure->series[0].y) sum += r * r;
    EXPECT_NEAR(std::sqrt(sum / 12), static_cast<double>(fit.lastFit().rmsResidual), 1e-12);
}

}  // namespace
}  // namespace condsim
