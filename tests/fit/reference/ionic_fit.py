#!/usr/bin/env python3
"""An independent least-squares fit of the ionic-strength model (extended Debye-Hueckel
activities, Onsager-Fuoss conductances) to the 28 CaCl2 points of examples/, written from
the equations of docs/solution-model.md with NumPy and SciPy only; it shares no code with
condsim. n = 2, K2 = K1 / 100 (Model #1, alfa = 1), lambda(Cl-) = 76.35, water at 25 C.

Prints, for the fit tests to pin:
  1. K1 and MCA fitted at a = 4.5 A with K1 >= 0 as a bound: the optimum, S(K1)/S(0) at
     K1 = 1e-3 and 1, and the one-sided 95 % upper bound of K1 (profile, m - p = 26).
  2. K1, MCA and a fitted together: the optimum and the 95 % profile interval of a.
Usage: python3 tests/fit/reference/ionic_fit.py"""
import math
import os

import numpy as np
from scipy.linalg import sqrtm
from scipy.optimize import brentq, least_squares, minimize_scalar
from scipy.stats import t as student

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..")
DATA = np.loadtxt(os.path.join(ROOT, "examples", "cacl2-25C-water.txt"))
C0S, OBS = DATA[:, 0], DATA[:, 1]
N, MCX, T, EPS, ETA = 2, 76.35, 298.15, 78.38, 0.8903e-3

E_CHARGE, K_B, N_A, EPS0 = 1.602176634e-19, 1.380649e-23, 6.02214076e23, 8.8541878128e-12
KAPPA1 = math.sqrt(2000 * E_CHARGE**2 * N_A / (EPS0 * EPS * K_B * T))
A = E_CHARGE**2 * KAPPA1 / (8 * math.pi * EPS0 * EPS * K_B * T * math.log(10))
B = KAPPA1 * 1e-10
E = N_A * E_CHARGE * E_CHARGE * KAPPA1 / (6 * math.pi * ETA) * 1e4
R = E_CHARGE**2 * KAPPA1 / (12 * math.pi * EPS0 * EPS * K_B * T)


def species(c0, betas, a):
    """[AX0], [AX1], [AX2], [X-] and I, solving the balance and I together."""
    def at_strength(i_strength):
        big_l = -A * math.sqrt(i_strength) / (1 + B * a * math.sqrt(i_strength))
        primed = [b * 10 ** (big_l * i * (2 * N - i + 1)) for i, b in enumerate(betas, start=1)]

        def balance(x):
            terms = [p * x**i for i, p in enumerate(primed, start=1)]
            return (N * c0 - x) / c0 - sum(i * t for i, t in enumerate(terms, start=1)) / (1 + sum(terms))
        x = brentq(balance, 0, N * c0, xtol=1e-300, rtol=1e-15) if balance(N * c0) < 0 else N * c0
        terms = [p * x**i for i, p in enumerate(primed, start=1)]
        d = 1 + sum(terms)
        conc = [c0 / d] + [c0 * t / d for t in terms]
        strength = 0.5 * (sum((N - i) ** 2 * c for i, c in enumerate(conc)) + x)
        return conc, x, strength
    top = (N * N + N) * c0 / 2
    i_root = brentq(lambda i: at_strength(i)[2] - i, 1e-30, top, xtol=1e-300, rtol=1e-15)
    conc, x, _ = at_strength(i_root)
    return conc, x, i_root


def conductivity(c0, k1, mca, a):
    conc, x, i_strength = species(c0, [k1, k1 * k1 / 100], a)
    charges = [N - i for i in range(N)] + [-1]
    cs = conc[:N] + [x]
    lam0 = [mca] * N + [MCX]
    z = np.array(charges, float)
    c = np.array(cs)
    mu = c * z**2 / (2 * i_strength)
    w = np.array(lam0) / np.abs(z)
    h = mu[None, :] * w[None, :] / (w[:, None] + w[None, :])
    big_h = h + np.diag(h.sum(axis=1))
    r0 = z - (np.sum(z * mu) / np.sum(mu / w)) / w
    f = (np.eye(len(z)) - np.real(sqrtm(big_h))) @ r0
    s = math.sqrt(i_strength) / (1 + B * a * math.sqrt(i_strength))
    lam = (np.array(lam0) - E * np.abs(z) * s) * (1 - R * z * f * s)
    return float(np.sum(np.abs(z) * c * lam))


def residuals(k1, mca, a):
    return np.array([conductivity(c0, k1, mca, a) - o for c0, o in zip(C0S, OBS)])


def ssr(k1, mca, a):
    r = residuals(k1, mca, a)
    return float(r @ r)


def fit(fixed, starts):
    """Least squares over the free ones of (K1, MCA, a), K1 >= 0 and a > 0 as bounds."""
    names = [k for k in ("K1", "MCA", "a") if k not in fixed]
    lower = {"K1": 0, "MCA": 0, "a": 0.1}
    best = None
    for start in starts:
        def resid(v):
            p = dict(fixed, **dict(zip(names, v)))
            return residuals(p["K1"], p["MCA"], p["a"])
        out = least_squares(resid, [start[k] for k in names], bounds=([lower[k] for k in names], np.inf),
                            xtol=1e-15, ftol=1e-15, gtol=1e-15, x_scale="jac")
        if best is None or out.cost < best.cost:
            best = out
    return dict(fixed, **dict(zip(names, best.x))), 2 * best.cost


def crossing(f, lo, hi):
    return brentq(f, lo, hi, xtol=1e-12, rtol=1e-10)


m = len(C0S)
# 1. K1 and MCA at a = 4.5 A.
starts = [{"K1": k, "MCA": 60} for k in (0.0, 1e-3, 1.0, 100.0)]
p1, s1 = fit({"a": 4.5}, starts)
print("1. K1 = %.6g  MCA = %.6f  S = %.8e" % (p1["K1"], p1["MCA"], s1))
s0 = fit({"a": 4.5, "K1": 0.0}, [{"MCA": 60}])[1]
for k in (1e-3, 1.0):
    print("   S(K1 = %g) / S(0) = %.5f" % (k, fit({"a": 4.5, "K1": k}, [{"MCA": 60}])[1] / s0))
t1 = student.ppf(0.95, m - 2)
limit = s0 * (1 + t1 * t1 / (m - 2))
upper = math.exp(crossing(lambda u: fit({"a": 4.5, "K1": math.exp(u)}, [{"MCA": 60}])[1] - limit,
                          math.log(1e-3), math.log(10)))
print("   one-sided 95%% upper bound of K1 = %.6g" % upper)

# 2. K1, MCA and a.
starts = [{"K1": k, "MCA": 58, "a": a} for k in (0.0, 1.0, 10.0) for a in (3.0, 6.0, 12.0)]
p2, s2 = fit({}, starts)
print("2. K1 = %.6g  MCA = %.6f  a = %.6f  S = %.8e" % (p2["K1"], p2["MCA"], p2["a"], s2))
t2 = student.ppf(0.975, m - 3)
limit = s2 * (1 + t2 * t2 / (m - 3))
profile = lambda a: fit({"a": a}, [{"K1": k, "MCA": 58} for k in (0.0, 0.3, 3.0, 30.0)])[1] - limit
print("   95%% profile interval of a: %.5f to %.5f" %
      (crossing(profile, 1.0, p2["a"]), crossing(profile, p2["a"], 40.0)))
