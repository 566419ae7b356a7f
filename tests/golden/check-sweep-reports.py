#!/usr/bin/env python3
"""Recomputes the calculated rows of a golden report from the report's own inputs (n, the
beta values of Table 3, MCA, MCX) and the scaling factors of a rule, with mpmath at 40
digits: the free anion from the exact mass balance, the conductivity as the sum over the
charged species of (n - i) sf(i) MCA [AXi] plus MCX [X-], the molar conductivity and the
abundances. It shares no code with condsim; the report's numbers hold 15 digits and the
designed step search stops within about 1e-14 of the balance, so they must agree to 1e-10.
Usage: python3 tests/golden/check-sweep-reports.py REPORT gradient G | hyperbolic A"""
import re
import sys
import mpmath as mp

mp.mp.dps = 40


def factors(rule, value, n):
    # Type 1: 1 + i G / 100 for species AXi; Type 2: a / (a + i).
    if rule == "gradient":
        return [1 + mp.mpf(i * int(value)) / 100 for i in range(n)]
    a = mp.mpf(value)
    return [a / (a + i) for i in range(n)]


def solve(c0, beta, n):
    def balance(x):
        d = 1 + sum(b * x ** i for i, b in beta.items())
        return n * c0 - x - c0 * sum(i * b * x ** i for i, b in beta.items()) / d
    return mp.findroot(balance, (mp.mpf(0), n * c0), solver="anderson")


def main(report, rule, value):
    text = open(report, encoding="utf-8").read()
    n = int(re.search(r"The system used: AX(\d+)", text).group(1))
    mca = mp.mpf(re.search(r"over Z was supposed as: (\S+)", text).group(1))
    mcx = mp.mpf(re.search(r"anion was supposed as: (\S+)", text).group(1))
    beta = {int(i): mp.mpf(b) for i, b in re.findall(r"Beta\((\d+)\) = \t(\S+)", text)}
    sf = factors(rule, value, n)
    worst = mp.mpf(0)

    def check(shown, exact):
        nonlocal worst
        worst = max(worst, abs(mp.mpf(shown) - exact) / abs(exact) if exact != 0 else abs(mp.mpf(shown)))

    table1, table4 = text.split("Table 1.")[1].split("Table 2.")[0], text.split("Table 4.")[1]
    for line in table1.splitlines():
        fields = line.split("\t")
        if len(fields) == 5 and re.match(r"^[0-9.E-]+$", fields[0]):
            check(fields[2], solve(mp.mpf(fields[0]), beta, n))  # [X-] at the observed concentration
    rows = 0
    for line in table4.splitlines():
        fields = line.split("\t")
        if len(fields) != n + 5 or not re.match(r"^[0-9.E-]+$", fields[0]):
            continue
        rows += 1
        c0 = mp.mpf(fields[0])
        x = solve(c0, beta, n)
        d = 1 + sum(b * x ** i for i, b in beta.items())
        species = [c0 / d] + [c0 * beta[i] * x ** i / d for i in range(1, n + 1)]
        kappa = sum((n - i) * sf[i] * mca * species[i] for i in range(n)) + mcx * x
        check(fields[1], kappa)
        check(fields[2], mp.sqrt(c0))
        check(fields[3], kappa / c0)
        for i in range(n + 1):
            check(fields[4 + i], 100 * species[i] / c0)
    print("%s: %d calculated rows, largest relative deviation %s" % (report, rows, mp.nstr(worst, 3)))
    return 0 if rows > 0 and worst < mp.mpf("1e-10") else 1


sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3]))
