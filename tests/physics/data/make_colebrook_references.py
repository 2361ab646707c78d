#!/usr/bin/python3
"""Writes colebrook_references.txt: the Colebrook-White friction factor at 50 digits for a seeded
sample of turbulent flows, as the C++ tests read it.

Colebrook-White for the Darcy friction factor lambda, with 3.7 and 2.51 as exact decimals:

    1/sqrt(lambda) = -2 log10(r/3.7 + 2.51/(Re sqrt(lambda))),   r = eps/D

The sample: Re log-uniform in 2300..1e8, r log-uniform in 1e-7..0.05, every tenth point r = 0.
Each line holds Re and r as doubles that read back exactly, the double nearest to the true root,
and the true root's offset from that double in units of the spacing of doubles on the root's
side, so that a double-precision test can measure its error in ulps exactly.

Needs Debian's python3-mpmath; run it with /usr/bin/python3 from the repository's root:
    /usr/bin/python3 tests/physics/data/make_colebrook_references.py
"""

import math
import pathlib
import random

import mpmath
from mpmath import mp, mpf

SEED = 20240611
POINTS = 10_000
RE_MIN, RE_MAX = 2300.0, 1e8
R_MIN, R_MAX = 1e-7, 0.05

mp.dps = 50
A = mpf("2.51")
B = mpf("3.7")


def log_uniform(rng, low, high):
    return 10.0 ** rng.uniform(math.log10(low), math.log10(high))


def sample():
    rng = random.Random(SEED)
    points = []
    for i in range(POINTS):
        reynolds = log_uniform(rng, RE_MIN, RE_MAX)
        roughness = log_uniform(rng, R_MIN, R_MAX)
        if i % 10 == 0:
            roughness = 0.0
        points.append((reynolds, roughness))
    return points


def colebrook_root(reynolds, roughness):
    """The root lambda at mp.dps digits, solved for y = 1/sqrt(lambda)."""
    re = mpf(reynolds)  # exact: a double converts without rounding
    r = mpf(roughness)

    def residual(y):
        return y + 2 * mpmath.log10(r / B + A * y / re)

    start = mpf(-2) * mpmath.log10(r / B + mpf("5.74") / re ** mpf("0.9"))  # Swamee-Jain
    y = mpmath.findroot(residual, start, solver="newton", tol=mpf(10) ** (-2 * mp.dps + 10))
    assert abs(residual(y)) < mpf(10) ** (-mp.dps + 5), (reynolds, roughness)
    return 1 / (y * y)


def nearest_double(x):
    """The double nearest to x (ties to even) and x's offset from it in units of the spacing of
    doubles on x's side of it."""
    candidate = float(x)
    best = min(
        (math.nextafter(candidate, -math.inf), candidate, math.nextafter(candidate, math.inf)),
        key=lambda d: (abs(mpf(d) - x), math.frexp(d)[0] * 2**53 % 2),
    )
    if x >= mpf(best):
        spacing = mpf(math.nextafter(best, math.inf)) - mpf(best)
    else:
        spacing = mpf(best) - mpf(math.nextafter(best, -math.inf))
    return best, (x - mpf(best)) / spacing


def main():
    out = pathlib.Path(__file__).with_name("colebrook_references.txt")
    lines = [
        "# Colebrook-White friction factor, 50 digits; written by make_colebrook_references.py.",
        f"# seed {SEED}, {POINTS} points: Re log-uniform {RE_MIN:g}..{RE_MAX:g}, "
        f"eps/D log-uniform {R_MIN:g}..{R_MAX:g}, every tenth eps/D = 0",
        "# Re eps/D nearest-double-to-root root-offset-in-ulps",
    ]
    for reynolds, roughness in sample():
        root = colebrook_root(reynolds, roughness)
        nearest, offset = nearest_double(root)
        assert abs(offset) <= 0.5
        lines.append(f"{reynolds!r} {roughness!r} {nearest!r} {float(offset):+.6f}")
    out.write_text("\n".join(lines) + "\n")
    print(f"wrote {len(lines) - 3} points to {out}")


if __name__ == "__main__":
    main()
