#!/usr/bin/env python3
"""Recomputes the README's fit table (K1 and alfa of examples/observed-6to1-salt.txt, MCA 88,
MCX 59, n = 6) from the data alone, with mpmath at 40 digits: the mass balance solved
exactly, the Jacobian by numerical differentiation, Student's t from the incomplete beta
function, the profile limits by minimising over the other parameter. It shares no code with
condsim. Prints the figures to 6 significant digits; BatchFit pins the same figures.
Usage: python3 tests/fit/check-readme-fit.py"""
import os
import mpmath as mp

mp.mp.dps = 40
N, MCA, MCX = 6, mp.mpf(88), mp.mpf(59)
HERE = os.path.dirname(os.path.abspath(__file__))
DATA = [tuple(mp.mpf(v) for v in line.split())
        for line in open(os.path.join(HERE, "..", "..", "examples", "observed-6to1-salt.txt")) if line.strip()]


def betas(k1, alfa):
    # Model #1: each stepwise constant is alfa percent of the one before it.
    k, beta, b = k1, [], mp.mpf(1)
    for _ in range(N):
        b *= k
        beta.append(b)
        k = k * alfa / 100
    return beta


def conductivity(c0, beta):
    # Free anion X from n c0 - X = c0 (sum i beta_i X^i) / (1 + sum beta_i X^i), then the
    # charged species (n - i) [AXi] at MCA per charge, and the free anion at MCX.
    def balance(x):
        d = 1 + sum(b * x ** (i + 1) for i, b in enumerate(beta))
        bound = sum((i + 1) * b * x ** (i + 1) for i, b in enumerate(beta)) / d
        return N * c0 - x - c0 * bound
    x = mp.findroot(balance, (mp.mpf(0), N * c0), solver="anderson")
    d = 1 + sum(b * x ** (i + 1) for i, b in enumerate(beta))
    charged = N + sum((N - i - 1) * b * x ** (i + 1) for i, b in enumerate(beta[:N - 1]))
    return MCA * c0 * charged / d + MCX * x


def residuals(log_k1, log_alfa):
    beta = betas(mp.exp(log_k1), mp.exp(log_alfa))
    return [conductivity(c0, beta) - kappa for c0, kappa in DATA]


def sum_of_squares(log_k1, log_alfa):
    return sum(r * r for r in residuals(log_k1, log_alfa))


def t_quantile(p, nu):
    # P(T > t) = I_x(nu/2, 1/2) / 2 with x = nu / (nu + t^2).
    return mp.findroot(lambda t: mp.betainc(nu / 2, mp.mpf(1) / 2, 0, nu / (nu + t * t), regularized=True) / 2
                       - (1 - p), mp.mpf(2))


def profile_minimum(j, fixed, start):
    # The least sum of squares with parameter j held at `fixed`.
    point = lambda w: (fixed, w) if j == 0 else (w, fixed)
    w = mp.findroot(lambda w: mp.diff(lambda v: sum_of_squares(*point(v)), w), start)
    return sum_of_squares(*point(w))


def main():
    # The optimum, started from the README's values and settled by Newton on the gradient.
    optimum = mp.findroot([lambda a, b: mp.diff(sum_of_squares, (a, b), (1, 0)),
                           lambda a, b: mp.diff(sum_of_squares, (a, b), (0, 1))],
                          (mp.log(10628.7), mp.log(19.46)))
    theta = [optimum[0], optimum[1]]
    m, p = len(DATA), 2
    s_min = sum_of_squares(*theta)
    jacobian = mp.matrix(m, p)
    for j in range(p):
        columns = [mp.diff(lambda v: residuals(*(theta[:j] + [v] + theta[j + 1:]))[i], theta[j]) for i in range(m)]
        for i in range(m):
            jacobian[i, j] = columns[i]
    covariance = (jacobian.T * jacobian) ** -1 * (s_min / (m - p))
    t = t_quantile(mp.mpf("0.975"), m - p)
    threshold = s_min * (1 + t * t / (m - p))
    g = lambda v: mp.nstr(v, 6)
    print("t(0.975, %d) = %s" % (m - p, mp.nstr(t, 12)))
    for j, name in enumerate(["K1", "alfa"]):
        value, spread = mp.exp(theta[j]), mp.sqrt(covariance[j, j])
        profile = [mp.exp(mp.findroot(lambda v: profile_minimum(j, v, theta[1 - j]) - threshold,
                                      theta[j] + side * t * spread)) for side in (-1, 1)]
        print(name, g(value), g(value * spread), g(value * mp.exp(-t * spread)), g(value * mp.exp(t * spread)),
              g(profile[0]), g(profile[1]), sep="\t")
    print("correlation", g(covariance[0, 1] / mp.sqrt(covariance[0, 0] * covariance[1, 1])), sep="\t")
    print("RMS residual", g(mp.sqrt(s_min / m)), sep="\t")


main()
