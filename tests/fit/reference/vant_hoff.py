#!/usr/bin/env python3
"""An independent van 't Hoff fit, with NumPy and SciPy only: ln K against 1/T by weighted
least squares (statsmodels' WLS arithmetic written out), for the enthalpy and entropy of
association and optionally a constant heat capacity, at T0 = 298.15 K:
  ln K = -dH/(R T) + dS/R + (dCp/R)(T0/T - 1 + ln(T/T0)).
The weights are 1/sigma^2; with more points than coefficients the covariance is scaled by
chi^2/(N - q) and the 95 % intervals take Student's t with N - q degrees of freedom (as
scipy.optimize.curve_fit with absolute_sigma=False); with as many, the normal 1.96.
Cross-checked by scipy.optimize.curve_fit on the same points.

Prints, for tests/fit/VantHoffTest.cpp to pin, per case: dH, its standard error, the 95 %
interval, dS with the same, dCp when fitted, dG(298.15 K) with its standard error.
Usage: python3 tests/fit/reference/vant_hoff.py"""
import numpy as np
from scipy.optimize import curve_fit
from scipy.stats import norm, t as student

R = 8.314462618
T0 = 298.15

CASES = {
    "two temperatures": ([288.15, 308.15], [2.3, 2.7], [0.05, 0.08], False),
    "five temperatures": ([278.15, 288.15, 298.15, 308.15, 318.15],
                          [2.31, 2.43, 2.55, 2.64, 2.79], [0.06, 0.05, 0.04, 0.05, 0.09], False),
    "five with dCp": ([278.15, 288.15, 298.15, 308.15, 318.15],
                      [2.31, 2.43, 2.55, 2.64, 2.79], [0.06, 0.05, 0.04, 0.05, 0.09], True),
    "seven with dCp": ([273.15, 283.15, 293.15, 303.15, 313.15, 323.15, 333.15],
                       [1.80, 2.10, 2.32, 2.49, 2.60, 2.66, 2.69],
                       [0.03, 0.02, 0.02, 0.03, 0.02, 0.04, 0.05], True),
}


def design(T, cp):
    columns = [-1000.0 / (R * T), np.full_like(T, 1.0 / R)]
    if cp:
        columns.append((T0 / T - 1 + np.log(T / T0)) / R)
    return np.column_stack(columns)


def fit(T, lnk, sigma, cp):
    T, lnk, sigma = map(np.asarray, (T, lnk, sigma))
    X = design(T, cp) / sigma[:, None]
    y = lnk / sigma
    beta, *_ = np.linalg.lstsq(X, y, rcond=None)
    chi2 = float(np.sum((X @ beta - y) ** 2))
    dof = len(T) - X.shape[1]
    cov = np.linalg.inv(X.T @ X)
    if dof > 0:
        cov *= chi2 / dof
        q = student.ppf(0.975, dof)
    else:
        q = norm.ppf(0.975)
    # curve_fit on the same model, as a check of the linear algebra.
    if dof > 0:
        model = (lambda x, h, s, c: design(x, True) @ [h, s, c]) if cp else \
            (lambda x, h, s: design(x, False) @ [h, s])
        popt, pcov = curve_fit(model, T, lnk, p0=beta, sigma=sigma, absolute_sigma=False)
        assert np.allclose(popt, beta, rtol=1e-6, atol=1e-8), (popt, beta)
        assert np.allclose(pcov, cov, rtol=1e-4, atol=0), (pcov, cov)
    se = np.sqrt(np.diag(cov))
    g = beta[0] - T0 / 1000 * beta[1]
    gse = np.sqrt(cov[0, 0] + (T0 / 1000) ** 2 * cov[1, 1] - 2 * T0 / 1000 * cov[0, 1])
    return beta, se, q, chi2, g, gse


for name, (T, lnk, sigma, cp) in CASES.items():
    beta, se, q, chi2, g, gse = fit(T, lnk, sigma, cp)
    print(name)
    for label, b, s in zip(["dH", "dS", "dCp"], beta, se):
        print(f"  {label} {b:.12g} se {s:.12g} from {b - q * s:.12g} to {b + q * s:.12g}")
    print(f"  dG {g:.12g} se {gse:.12g} chi2 {chi2:.12g}")
