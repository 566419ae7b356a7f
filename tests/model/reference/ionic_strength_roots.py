#!/usr/bin/env python3
"""Every self-consistent ionic strength of a setting, found independently of condsim.

The species of AXn at ionic strength I follow from the mass action with extended
Debye-Hueckel activities (log10 g_z = -z^2 A sqrt(I) / (1 + B a sqrt(I))), the free-anion
balance solved by plain bisection; G(I) = I(species at I) - I is then sampled on a fine
uniform grid over the physically possible range 0 .. (n^2 + n) C0 / 2 and every sign
change is refined by bisection, all at 40 digits with mpmath and the CODATA 2018
constants. Prints the roots; the numbers are pinned in tests/model/IonicStrengthModelTest.cpp.

Run: python3 tests/model/reference/ionic_strength_roots.py
"""
from mpmath import mp, mpf, sqrt, pi, log

mp.dps = 40

E = mpf('1.602176634e-19')
NA = mpf('6.02214076e23')
KB = mpf('1.380649e-23')
EPS0 = mpf('8.8541878128e-12')


def coefficients(T, eps_r):
    thermal = EPS0 * eps_r * KB * T
    kappa1 = sqrt(2 * 1000 * E**2 * NA / thermal)
    A = E**2 * kappa1 / (8 * pi * thermal * log(10))
    B = kappa1 * mpf('1e-10')
    return A, B


def model1(n, K1, alfa):
    beta = [mpf(1)]
    K = mpf(K1)
    beta.append(K)
    for _ in range(2, n + 1):
        K = alfa * K / 100
        beta.append(beta[-1] * K)
    return beta


def strength_at(n, beta, C0, A, B, a, I):
    L = -A * sqrt(I) / (1 + B * a * sqrt(I))
    primed = [beta[i] * mpf(10) ** (L * i * (2 * n - i + 1)) for i in range(n + 1)]

    def balance(X):
        D = sum(primed[i] * X**i for i in range(n + 1))
        mean = sum(i * primed[i] * X**i for i in range(n + 1)) / D
        return (n * C0 - X) / C0 - mean

    lo, hi = mpf(0), n * C0
    for _ in range(200):
        mid = (lo + hi) / 2
        if balance(mid) > 0:
            lo = mid
        else:
            hi = mid
    X = (lo + hi) / 2
    D = sum(primed[i] * X**i for i in range(n + 1))
    conc = [C0 * primed[i] * X**i / D for i in range(n + 1)]
    return (sum((n - i) ** 2 * conc[i] for i in range(n)) + X) / 2


def roots(n, K1, alfa, a, T, eps_r, C0, samples=4000):
    A, B = coefficients(mpf(T), mpf(eps_r))
    beta = model1(n, mpf(K1), mpf(alfa))
    C0 = mpf(C0)
    top = (n * n + n) * C0 / 2
    G = lambda I: strength_at(n, beta, C0, A, B, mpf(a), I) - I
    grid = [top * k / samples for k in range(1, samples + 1)]
    found = []
    previous, g_previous = mpf(0), G(mpf(0))
    for I in grid:
        g = G(I)
        if (g > 0) != (g_previous > 0):
            lo, hi = previous, I
            for _ in range(120):
                mid = (lo + hi) / 2
                if (G(mid) > 0) == (g_previous > 0):
                    lo = mid
                else:
                    hi = mid
            found.append((lo + hi) / 2)
        previous, g_previous = I, g
    return found


if __name__ == '__main__':
    # The setting of three roots: n 5, beta1 3946.09, alfa 76, a 3.392 A, T 339.39 K,
    # eps_r 33.34, C0 = 0.01277 M.
    for r in roots(5, '3946.09', 76, '3.392', '339.39', '33.34', '0.01277'):
        print(mp.nstr(r, 15))
