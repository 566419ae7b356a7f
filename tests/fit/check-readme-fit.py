#!/usr/bin/env python3
"""Recomputes the README's fit table (K1 and alfa of examples/observed-6to1-salt.txt, MCA 88,
MCX 59, n = 6) from the data alone, with mpmath at 40 digits: the mass balance solved
exactly, the Jacobian by numerical differentiation, Student's t from the incomplete beta
function, the profile limits by minimising over the other parameter. It shares no code with
condsim. Prints the figures to 6 significant digits, compares them with the table as
README.md and docs/fit.md show it (the rows K1, alfa, the correlation and the RMS
residual, to 6 significant digits) and exits with status 1 when a figure differs or a row
is missing; BatchFit pins the same figures.
Usage: python3 tests/fit/check-readme-fit.py"""
import os
import sys
import mpmath as mp

mp.mp.dps = 40
N, MCA, MCX = 6, mp.mpf(88), mp.mpf(59)
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
DATA = [tuple(mp.mpf(v) for v in line.split())
        for line in open(os.path.join(ROOT, "examples", "observed-6to1-salt.txt")) if line.strip()]


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
    figures = {}
    for j, name in enumerate(["K1", "alfa"]):
        value, spread = mp.exp(theta[j]), mp.sqrt(covariance[j, j])
        profile = [mp.exp(mp.findroot(lambda v: profile_minimum(j, v, theta[1 - j]) - threshold,
                                      theta[j] + side * t * spread)) for side in (-1, 1)]
        figures[name] = [value, value * spread, value * mp.exp(-t * spread), value * mp.exp(t * spread),
                         profile[0], profile[1]]
    # The correlation row of K1 in the tables: K1 with itself, then with alfa.
    figures["correlation"] = [mp.mpf(1), covariance[0, 1] / mp.sqrt(covariance[0, 0] * covariance[1, 1])]
    figures["RMS residual"] = [mp.sqrt(s_min / m)]
    for name in ["K1", "alfa"]:
        print(name, *[g(v) for v in figures[name]], sep="\t")
    print("correlation", g(figures["correlation"][1]), sep="\t")
    print("RMS residual", g(figures["RMS residual"][0]), sep="\t")
    return max(compare_with_table(document, figures) for document in ["README.md", "docs/fit.md"])


def table_rows(document):
    # The rows of the first fit table of the document, by their first field, up to its RMS
    # residual. The parameter rows come before the correlation header; the K1 row after it
    # is the correlation row.
    rows, after_correlation = {}, False
    for line in open(os.path.join(ROOT, document), encoding="utf-8"):
        fields = line.rstrip("\n").split("\t")
        if fields[0] == "correlation":
            after_correlation = True
        elif fields[0] in ("K1", "alfa", "RMS residual") and len(fields) > 1:
            key = "correlation" if after_correlation and fields[0] == "K1" else fields[0]
            rows.setdefault(key, fields[1:])
            if key == "RMS residual":
                break
    return rows


def compare_with_table(document, figures):
    # Both sides rounded to 6 significant digits, the precision the check claims.
    rows, failed = table_rows(document), False
    six = lambda v: mp.mpf(mp.nstr(mp.mpf(v), 6))
    for name, values in figures.items():
        shown = rows.get(name)
        if shown is None or len(shown) != len(values):
            print("%s: no %s row of %d figures in the fit table" % (document, name, len(values)))
            failed = True
            continue
        for column, (text, value) in enumerate(zip(shown, values)):
            if six(text) != six(value):
                print("%s: %s, figure %d is %s; recomputed %s"
                      % (document, name, column + 1, text, mp.nstr(value, 12)))
                failed = True
    print("%s: the fit table %s" % (document, "differs" if failed else "agrees to 6 significant digits"))
    return 1 if failed else 0


sys.exit(main())
