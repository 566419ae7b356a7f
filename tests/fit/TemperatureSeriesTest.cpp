// The separate fits of a temperature series: the solvent and lambda(X-) at each
// temperature, and a data set that cannot be fitted named without ending the others.

#include <gtest/gtest.h>

#include <cmath>

#include "SyntheticSeries.h"
#include "core/Error.h"
#include "fit/TemperatureSeries.h"

namespace condsim {
namespace {

using namespace condsim::testing;

SeriesSetup seriesSetup() {
    return {
        seriesModel(), {parseFitParameterList("K1,MCA"), {}, FitWeighting::Absolute}, seriesWater};
}

TEST(TemperatureSeries, AnionConductivityFromTheFileOrByWalden) {
    const SeriesSetup setup = seriesSetup();
    SeriesDataSet data{"s, line 1", "a.txt", 318.15L, std::nullopt, {}, {}};
    AnionSource source = AnionSource::SeriesFile;
    const FitSystem walden = seriesSystemAt(data, setup, &source);
    EXPECT_EQ(source, AnionSource::Walden);
    EXPECT_NEAR(static_cast<double>(walden.MCX * walden.solution.solvent.viscosity),
                static_cast<double>(76.35L * seriesWater(298.15L).viscosity), 1e-12);
    EXPECT_EQ(walden.solution.solvent.temperature, 318.15L);
    // Bjerrum's distance, where it is the ion size, at the temperature.
    SeriesSetup bjerrum = setup;
    bjerrum.system.solution.kind = SolutionModelKind::DebyeHuckel;
    bjerrum.system.solution.bjerrumIonSize = true;
    bjerrum.system.solution.ionSize = 7.15L;
    EXPECT_EQ(seriesSystemAt(data, bjerrum).solution.ionSize,
              bjerrumDistance(seriesWater(318.15L), 2));
    EXPECT_NE(bjerrumDistance(seriesWater(318.15L), 2), bjerrumDistance(seriesWater(298.15L), 2));
    data.anionConductivity = 110;
    EXPECT_EQ(seriesSystemAt(data, setup, &source).MCX, 110);
    EXPECT_EQ(source, AnionSource::SeriesFile);
}

// Each failing data set names its line; the rest are fitted as if alone.
TEST(TemperatureSeries, AFailingDataSetIsNamedAndTheOthersStand) {
    std::vector<SeriesDataSet> series = syntheticSeries(seriesDiluteConcentrations, 7);
    series[1].points.resize(2);   // fewer points than the fit needs
    series[2].temperature = 500;  // outside the solvent's range
    series[3].problem = "the data file x does not exist";
    SeriesSetup setup = seriesSetup();
    setup.solventAt = [](ext kelvin) {
        if (kelvin > 400) throw Error("water has no values at 500 K");
        return seriesWater(kelvin);
    };
    const std::vector<SeriesFit> fits = fitSeriesSeparately(series, setup);
    ASSERT_EQ(fits.size(), 5U);
    const struct {
        size_t index;
        std::string failure;
    } failures[] = {
        {1, "series.txt, line 2: T288.txt: the fit cannot run: "},
        {2, "series.txt, line 3: water has no values at 500 K"},
        {3, "series.txt, line 4: the data file x does not exist"},
    };
    for (const auto& failure : failures) {
        EXPECT_EQ(fits[failure.index].failure.substr(0, failure.failure.size()), failure.failure);
    }
    for (const size_t i : {size_t{0}, size_t{4}}) {
        ASSERT_TRUE(fits[i].fitted()) << fits[i].failure;
        EXPECT_EQ(fits[i].anionSource, AnionSource::Walden);
        EXPECT_NEAR(static_cast<double>(fits[i].waldenProduct),
                    static_cast<double>(fits[i].result.MCA * fits[i].solvent.viscosity * 1000),
                    1e-12);
        // The same fit as the data set alone.
        SeriesSetup alone = seriesSetup();
        const FitResult single = fitConstants(seriesSystemAt(series[i], alone), alone.request);
        EXPECT_EQ(fits[i].result.values[0].value, single.values[0].value);
    }
}

}  // namespace
}  // namespace condsim
