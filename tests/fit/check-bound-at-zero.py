#!/usr/bin/env python3
"""Recomputes, from the equations alone, the one-sided 95 % upper bound of a formation
constant that the data put at zero (TrustworthyFit's six synthetic CaCl2 points, n = 2,
K2 = K1 / 100, MCX = 76.35, ideal solution, MCA fitted), with mpmath at 40 digits. MCA
enters the conductivity linearly, so the profile S(K1) takes it by linear least squares;
the bound is where S(K1) = S(0) (1 + t^2 / (m - p)), t the one-sided 95 % quantile of
Student's t with m - p degrees of freedom (m = 6 points, p = 2 fitted parameters).
Shares no code with condsim. Usage: python3 tests/fit/check-bound-at-zero.py"""
import mpmath as mp

mp.mp.dps = 40
MCX = mp.mpf("76.35")
C = [mp.mpf(x) for x in ("1e-4", "3e-4", "1e-3", "3e-3", "1e-2", "3e-2")]
DEV = [mp.mpf(x) for x in ("-0.002", "0.0005", "-0.001", "0.001", "0.0015", "0.002")]
OBS = [2 * c * (60 + MCX) * (1 + d) for c, d in zip(C, DEV)]


def free_anion(c0, b1, b2):
    # (2 c0 - X) / c0 = (b1 X + 2 b2 X^2) / (1 + b1 X + b2 X^2), root in [0, 2 c0]
    f = lambda x: (2 * c0 - x) / c0 - (b1 * x + 2 * b2 * x**2) / (1 + b1 * x + b2 * x**2)
    return mp.findroot(f, (mp.mpf(0), 2 * c0), solver="anderson")


def profile(k1):
    b1, b2 = k1, k1 * k1 / 100
    rows = []
    for c0 in C:
        x = free_anion(c0, b1, b2)
        d = 1 + b1 * x + b2 * x**2
        rows.append((c0 * (2 + b1 * x) / d, MCX * x))  # kappa = MCA * first + second
    mca = sum(a * (o - b) for (a, b), o in zip(rows, OBS)) / sum(a * a for a, _ in rows)
    return sum((mca * a + b - o) ** 2 for (a, b), o in zip(rows, OBS)), mca


def t_quantile(p, nu):
    cdf = lambda t: 1 - mp.betainc(nu / 2, mp.mpf(1) / 2, 0, nu / (nu + t * t), regularized=True) / 2
    return mp.findroot(lambda t: cdf(t) - p, 2)


s0, mca0 = profile(mp.mpf(0))
nu = len(C) - 2
t = t_quantile(mp.mpf("0.95"), nu)
threshold = s0 * (1 + t * t / nu)
bound = mp.exp(mp.findroot(lambda u: profile(mp.exp(u))[0] - threshold, (mp.log("1e-3"), mp.log("1")),
                           solver="anderson"))
print("S(0) =", mp.nstr(s0, 10), " MCA =", mp.nstr(mca0, 10))
print("t(0.95, %d) = %s" % (nu, mp.nstr(t, 10)))
print("one-sided 95%% upper bound of K1 = %s" % mp.nstr(bound, 8))
