#include "model/ionic/WaterProperties.h"

#include <array>
#include <cmath>
#include <numbers>

#include "core/Error.h"
#include "model/ValueText.h"

namespace condsim {

namespace {

constexpr ext celsiusZero = 273.15L;  // K

// Density at 101.325 kPa from G. S. Kell, J. Chem. Eng. Data 20, 97 (1975), equation 16:
// rho = (a0 + a1 t + ... + a5 t^5) / (1 + b t) in kg/m3 with t in C (IPTS-68); within
// 0.02 % of the tables from 0 to 100 C. The shift from IPTS-68 to ITS-90 (below 0.03 K
// here) moves the density by less than 2e-5 of itself and is left out.
ext kellDensity(ext kelvin) {
    static constexpr std::array<ext, 6> a = {999.83952L,     16.945176L,    -7.9870401e-3L,
                                             -46.170461e-6L, 105.56302e-9L, -280.54253e-12L};
    constexpr ext b = 16.879850e-3L;
    const ext t = kelvin - celsiusZero;
    // Horner's rule from the highest power, in this order.
    ext numerator = a[5];
    for (size_t i = a.size() - 1; i-- > 0;) numerator = numerator * t + a[i];
    return numerator / (1 + b * t);
}

// Reduced temperature and density of the IAPWS formulations: the critical point.
constexpr ext criticalKelvin = 647.096L;
constexpr ext criticalDensity = 322;  // kg/m3

// Viscosity from the IAPWS Formulation 2008 for the viscosity of ordinary water substance
// (IAPWS R12-08; M. L. Huber et al., J. Phys. Chem. Ref. Data 38, 101 (2009)): mu = mu0(T)
// mu1(T, rho) mu2 in uPa s. The critical enhancement mu2 differs from 1 only within a few
// kelvin of the critical point; it is 1 here, far below it.
ext iapwsViscosity(ext kelvin, ext density) {
    const ext tBar = kelvin / criticalKelvin;
    const ext rhoBar = density / criticalDensity;
    // mu0: the dilute-gas part, Table 1 of the release.
    static constexpr std::array<ext, 4> h0 = {1.67752L, 2.20462L, 0.6366564L, -0.241605L};
    ext sum0 = 0;
    for (size_t i = 0; i < h0.size(); ++i) sum0 += h0[i] / std::pow(tBar, static_cast<ext>(i));
    const ext mu0 = 100 * std::sqrt(tBar) / sum0;
    // mu1: the finite-density part, Table 2 of the release (H[i][j] of (1/T - 1)^i and
    // (rho - 1)^j; the 21 terms that are not zero).
    struct Term {
        int i;
        int j;
        ext h;
    };
    static constexpr std::array<Term, 21> h1 = {{
        {0, 0, 0.520094L},     {1, 0, 0.0850895L}, {2, 0, -1.08374L},   {3, 0, -0.289555L},
        {0, 1, 0.222531L},     {1, 1, 0.999115L},  {2, 1, 1.88797L},    {3, 1, 1.26613L},
        {5, 1, 0.120573L},     {0, 2, -0.281378L}, {1, 2, -0.906851L},  {2, 2, -0.772479L},
        {3, 2, -0.489837L},    {4, 2, -0.257040L}, {0, 3, 0.161913L},   {1, 3, 0.257399L},
        {0, 4, -0.0325372L},   {3, 4, 0.0698452L}, {4, 5, 0.00872102L}, {3, 6, -0.00435673L},
        {5, 6, -0.000593264L},
    }};
    const ext x = 1 / tBar - 1;
    const ext y = rhoBar - 1;
    ext sum1 = 0;
    for (const Term& term : h1) {
        sum1 +=
            term.h * std::pow(x, static_cast<ext>(term.i)) * std::pow(y, static_cast<ext>(term.j));
    }
    const ext mu1 = std::exp(rhoBar * sum1);
    constexpr ext pascalSecondsPerMicro = 1e-6L;
    return mu0 * mu1 * pascalSecondsPerMicro;
}

// Relative permittivity from the IAPWS release on the static dielectric constant of ordinary
// water substance (IAPWS R8-97; D. P. Fernandez et al., J. Phys. Chem. Ref. Data 26, 1125
// (1997)): the Harris-Alder form with Kirkwood's g(T, rho) fitted to the measurements; within
// 0.1 % of the tables from 0 to 100 C. The constants are those of the release (k and N_A of
// CODATA 1986), so that the values are the release's own.
ext iapwsPermittivity(ext kelvin, ext density) {
    struct Term {
        ext i;
        ext j;
        ext n;
    };
    static constexpr std::array<Term, 11> g1 = {{
        {1, 0.25L, 0.978224486826L},
        {1, 1, -0.957771379375L},
        {1, 2.5L, 0.237511794148L},
        {2, 1.5L, 0.714692244396L},
        {3, 1.5L, -0.298217036956L},
        {3, 2.5L, -0.108863472196L},
        {4, 2, 0.949327488264e-1L},
        {5, 2, -0.980469816509e-2L},
        {6, 5, 0.165167634970e-4L},
        {7, 0.5L, 0.937359795772e-4L},
        {10, 10, -0.12317921872e-9L},
    }};
    constexpr ext n12 = 0.196096504426e-2L;
    constexpr ext gKelvin = 228;                // K, the temperature of the g term's pole
    constexpr ext boltzmann = 1.380658e-23L;    // J/K
    constexpr ext avogadro = 6.0221367e23L;     // 1/mol
    constexpr ext dipoleMoment = 6.138e-30L;    // C m
    constexpr ext polarizability = 1.636e-40L;  // C2 J-1 m2
    constexpr ext molarMass = 0.018015268L;     // kg/mol
    constexpr ext speedOfLight = 299792458;     // m/s
    const ext vacuumPermittivity =
        1 / (4e-7L * std::numbers::pi_v<ext> * speedOfLight * speedOfLight);  // F/m
    const ext delta = density / criticalDensity;
    const ext tau = criticalKelvin / kelvin;
    ext g = 1;
    for (const Term& term : g1) g += term.n * std::pow(delta, term.i) * std::pow(tau, term.j);
    g += n12 * delta * std::pow(kelvin / gKelvin - 1, -1.2L);
    const ext molarDensity = density / molarMass;  // mol/m3
    const ext A = avogadro * dipoleMoment * dipoleMoment * molarDensity * g /
                  (vacuumPermittivity * boltzmann * kelvin);
    const ext B = avogadro * polarizability * molarDensity / (3 * vacuumPermittivity);
    return (1 + A + 5 * B + std::sqrt(9 + 2 * A + 18 * B + A * A + 10 * A * B + 9 * B * B)) /
           (4 * (1 - B));
}

}  // namespace

WaterProperties waterProperties(ext kelvin) {
    if (!(kelvin >= waterLowestKelvin && kelvin <= waterHighestKelvin)) {
        throw Error("Water is known from " + valueText(waterLowestKelvin, 15) + " to " +
                    valueText(waterHighestKelvin, 15) + " K (0 to 100 C), not at " +
                    valueText(kelvin, 15) + " K");
    }
    constexpr ext kilogramsPerCubicMetrePerKilogramsPerLitre = 1000;
    const ext density = kellDensity(kelvin);  // kg/m3
    WaterProperties water;
    water.permittivity = iapwsPermittivity(kelvin, density);
    water.viscosity = iapwsViscosity(kelvin, density);
    water.density = density / kilogramsPerCubicMetrePerKilogramsPerLitre;
    return water;
}

}  // namespace condsim
