#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/Error.h"
#include "model/ionic/Solvent.h"
#include "model/ionic/WaterProperties.h"

namespace condsim {
namespace {

ext relative(ext value, ext expected) { return std::fabs(value / expected - 1); }

// Liquid water at atmospheric pressure as published tables give it (at 100 C: the liquid
// at its boiling point). Permittivity: CRC Handbook of Chemistry and Physics, "Permittivity
// (dielectric constant) of water at various temperatures". Viscosity: M. Chaplin, Water
// structure and science, table "Water data" (0, 10, 50 C); P. Walstra, Physical Chemistry of
// Foods (Dekker, 2003), appendix H (25 and 100 C); CRC Handbook, "Viscosity of water at
// various temperatures" (75 C). Density: CRC Handbook, "Properties of water in the range
// 0-100 C" (0, 10, 25 C), Chaplin (50, 100 C), and the table of calculla.com at 1013.25 hPa
// (75 C). Tolerances: 0.1 % for the permittivity and density, 0.5 % for the viscosity,
// about the spread between the tables themselves.
TEST(WaterProperties, EachPropertyAgreesWithThePublishedTables) {
    const struct {
        ext celsius;
        ext permittivity;
        ext viscosity;  // mPa s
        ext density;    // kg/L
    } table[] = {
        {0, 87.90L, 1.792L, 0.9998395L},  {10, 83.96L, 1.307L, 0.9997026L},
        {25, 78.36L, 0.890L, 0.9970479L}, {50, 69.88L, 0.547L, 0.9880L},
        {75, 62.27L, 0.378L, 0.97468L},   {100, 55.51L, 0.282L, 0.9584L},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(static_cast<double>(row.celsius));
        const WaterProperties water = waterProperties(273.15L + row.celsius);
        EXPECT_LT(relative(water.permittivity, row.permittivity), 1e-3L);
        EXPECT_LT(relative(water.viscosity * 1000, row.viscosity), 5e-3L);
        EXPECT_LT(relative(water.density, row.density), 1e-3L);
    }
}

// Water follows the temperature over 0 to 100 C, and is the preset at 25 C; outside that,
// and for the solvents known at 25 C only at any other temperature, the message names the
// solvent and the temperatures it allows.
TEST(WaterProperties, ASolventIsTakenAtTheTemperaturesItAllowsOnly) {
    const Solvent preset = solventPreset("water");
    EXPECT_EQ(solventAtTemperature("water", 298.15L).permittivity, preset.permittivity);
    EXPECT_EQ(solventAtTemperature("water", 298.15L).viscosity, preset.viscosity);
    const Solvent cold = solventAtTemperature("water", 273.15L);
    EXPECT_EQ(cold.name, "water");
    EXPECT_EQ(cold.temperature, 273.15L);
    EXPECT_EQ(cold.permittivity, waterProperties(273.15L).permittivity);
    EXPECT_EQ(cold.viscosity, waterProperties(273.15L).viscosity);
    EXPECT_NO_THROW(solventAtTemperature("water", 373.15L));
    EXPECT_EQ(solventAtTemperature("methanol", 298.15L).permittivity, 32.66L);

    const struct {
        const char* name;
        ext kelvin;
        std::string message;
    } refused[] = {
        {"water", 273.14L, "The solvent water is known from 273.15 to 373.15 K, not at 273.14 K"},
        {"water", 373.16L, "The solvent water is known from 273.15 to 373.15 K, not at 373.16 K"},
        {"water", NAN, "The solvent water is known from 273.15 to 373.15 K, not at nan K"},
        {"methanol", 308.15L, "The solvent methanol is known at 298.15 K only, not at 308.15 K"},
        {"acetonitrile", 293.15L,
         "The solvent acetonitrile is known at 298.15 K only, not at 293.15 K"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        try {
            solventAtTemperature(c.name, c.kelvin);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.text(), c.message);
        }
    }
    EXPECT_EQ(solventTemperaturesText("water"), "273.15 to 373.15 K");
    EXPECT_EQ(solventTemperaturesText("methanol"), "298.15 K only");
    EXPECT_THROW(waterProperties(400), Error);
}

}  // namespace
}  // namespace condsim
