#!/usr/bin/python3
"""Checks maths/ against mpmath: every result must be the double nearest the exact value.

Draws random inputs over the ranges the program uses and over the whole range of doubles, adds
the hard cases (halfway and exact powers, arguments whose values come close to a halfway point),
runs them through the driver (tests/maths/maths_driver.cpp, built with the tests) and compares
each result with the exact value at 200 bits (60 digits), again at 1200 bits where it lies near a
halfway point, and exactly for the powers that are halfway. Needs Debian's python3-mpmath.

    /usr/bin/python3 scripts/check_maths.py [--count 10000000] [--jobs 2]
    /usr/bin/python3 scripts/check_maths.py --write-sample tests/maths/data/references.txt

The second form writes the sample the regular tests replay: some thousands of inputs a function
and every hard case, each with its correctly rounded result and its 50-digit value.
"""

import argparse
import array
import fractions
import math
import multiprocessing
import pathlib
import random
import struct
import subprocess
import sys
import time

import mpmath
from mpmath import mpf

ROOT = pathlib.Path(__file__).resolve().parent.parent
DRIVER = ROOT / "build" / "tests" / "maths" / "maths_driver"
FUNCTIONS = ("exp", "log", "log1p", "log10", "pow")
SEED = 20250127
CHUNK = 20000


def from_bits(bits):
    return struct.unpack("<d", struct.pack("<Q", bits))[0]


def random_double(rng, low=-math.inf, high=math.inf):
    """A random finite double (uniform over bit patterns) within [low, high]."""
    while True:
        x = from_bits(rng.getrandbits(64))
        if math.isfinite(x) and low <= x <= high:
            return x


def log_uniform(rng, low, high, signed=False):
    x = 10.0 ** rng.uniform(math.log10(low), math.log10(high))
    return -x if signed and rng.random() < 0.5 else x


# The ranges the program uses (see the calls in calc/, physics/ and report/), then the whole range.
def draw(function, rng):
    kind = rng.random()
    if function == "exp":
        if kind < 0.4:
            return (rng.uniform(-50.0, 50.0),)  # Colebrook's e^-F, glycol and viscosity terms
        if kind < 0.6:
            return (rng.uniform(-1.0, 1.0) * 2.0 ** rng.uniform(-60, 0),)
        return (rng.uniform(-745.2, 709.8),)
    if function == "log":
        if kind < 0.5:
            return (log_uniform(rng, 1e-3, 1e9),)  # Reynolds numbers, Colebrook's argument
        if kind < 0.6:
            return (1.0 + rng.uniform(-1.0, 1.0) * 2.0 ** rng.uniform(-52, -1),)
        return (random_double(rng, 0.0),)
    if function == "log1p":
        if kind < 0.4:
            return (log_uniform(rng, 1e-18, 1.0, signed=True) * 0.5,)  # near 0
        if kind < 0.6:
            return (rng.uniform(-0.5, 1.0),)  # Colebrook's a − 1
        return (random_double(rng, -1.0),)
    if function == "log10":
        if kind < 0.6:
            return (log_uniform(rng, 1e-6, 1e9),)  # the curve's figures, Colebrook's argument
        return (random_double(rng, 0.0),)
    # pow
    if kind < 0.25:  # IF97 region 1: (7,1 − π)^I and (τ − 1,222)^J
        return (rng.uniform(1.0, 7.1), float(rng.randint(-43, 32)))
    if kind < 0.4:  # IAPWS 2008 viscosity and the window's square roots
        return (rng.uniform(-0.6, 2.0), float(rng.randint(0, 6)))
    if kind < 0.55:
        return (log_uniform(rng, 1e-9, 1e3), 0.5)
    if kind < 0.65:
        return (10.0, float(rng.randint(-20, 20)))  # the curve's round steps
    if kind < 0.8:
        return (log_uniform(rng, 1e-3, 1e3), rng.uniform(-30.0, 30.0))
    x = random_double(rng, 0.0)
    return (x, rng.uniform(-1.0, 1.0) * 700.0 / max(abs(math.log(x)), 1e-300))


# ---- hard cases ----------------------------------------------------------------------------

def odd_powers_near_53_bits():
    """Integer powers t^n with t odd whose value has 53 or 54 bits: exact or halfway."""
    cases = []
    for n in range(2, 35):
        t = int(2 ** (54 / n))
        for candidate in (t, t - 1, t - 2, t + 1):
            if candidate % 2 == 1 and candidate > 1 and 2 ** 52 <= candidate ** n < 2 ** 54:
                cases.append((float(candidate), float(n)))
                cases.append((-float(candidate), float(n)))
    return cases


def hard_cases():
    cases = {f: [] for f in FUNCTIONS}
    pw = cases["pow"]
    pw.extend(odd_powers_near_53_bits())
    pw.extend([(10.0, float(k)) for k in range(-25, 26)])
    pw.extend([(2.0, -1074.0), (2.0, -1075.0), (2.0, -1076.0), (0.5, 1075.0), (2.0, 1023.0),
               (2.0, 1024.0), (2.0, -3.0), (4.0, -0.5), (2.0 ** -537, 2.0)])
    pw.append((3.0 * 2.0 ** -215, 5.0))  # 243·2^-1075: halfway between two subnormals
    pw.append((3.0 * 2.0 ** -216, 5.0))
    for t in (3, 7, 49, 12345, 94906265):  # squares and their roots
        pw.append((float(t * t), 0.5))
        pw.append((float(t * t), 1.5))
        pw.append((float(t * t), -0.5))
    for t in (262143, 262141, 208063):  # t^3 of 54 bits: (t²)^1,5 halfway
        pw.append((float(t * t), 1.5))
    pw.append((float(3 ** 4), 0.25))
    pw.append((float(3 ** 32), 1.0 / 32.0))
    pw.append((float(3 ** 32), 3.0 / 32.0))
    pw.append((2.0 ** 1000, 1.0 / 1000.0 * 1000.0))
    pw.append((1.0 + 2.0 ** -52, 2.0 ** 60))
    pw.append((1.0 - 2.0 ** -53, -2.0 ** 62))
    # e^x, ln(1 + x) and ln(x) near 0 and 1, where the series' terms line up with the grid.
    for k in range(20, 54):
        for m in (1, 3, 5, -1, -3):
            x = m * 2.0 ** -k
            cases["exp"].append((x,))
            cases["log1p"].append((x,))
            if abs(x) < 0.5:
                cases["log"].append((1.0 + x,))
    cases["exp"].extend([(709.782712893384,), (709.7827128933840,), (-745.1332191019411,),
                         (-745.1332191019412,), (-708.3964185322641,), (-708.4,)])
    cases["log10"].extend([(10.0 ** k,) for k in range(0, 23)])
    cases["log10"].extend([(float.fromhex("0x1.fffffffffffffp+1023"),), (5e-324,)])
    cases["log"].extend([(5e-324,), (float.fromhex("0x1.fffffffffffffp+1023"),), (2.0,)])
    return cases


# ---- reference values ----------------------------------------------------------------------

def exact(function, args, prec):
    with mpmath.workprec(prec):
        x = mpf(args[0])
        if function == "exp":
            return mpmath.exp(x)
        if function == "log":
            return mpmath.log(x)
        if function == "log1p":
            return mpmath.log1p(x)
        if function == "log10":
            return mpmath.log(x) / mpmath.log(10)
        y = mpf(args[1])
        if x < 0:
            value = mpmath.power(-x, y)
            return -value if int(args[1]) % 2 else value
        return mpmath.power(x, y)


def integer_root(n, k):
    """The integer k-th root of n when n is a perfect k-th power, else None."""
    low, high = 0, 1 << (n.bit_length() // k + 1)
    while low < high:
        middle = (low + high + 1) // 2
        if middle ** k <= n:
            low = middle
        else:
            high = middle - 1
    return low if low ** k == n else None


def exact_pow_rational(x, y):
    """x^y as a Fraction when it is rational with a small enough description, else None."""
    fy = fractions.Fraction(y)
    if fy.denominator > 1024 or abs(fy.numerator) > 2000:
        return None
    fx = fractions.Fraction(abs(x))
    root = fy.denominator
    num, den = fx.numerator, fx.denominator
    candidates = [integer_root(base, root) for base in (num, den)]
    if None in candidates:
        return None
    value = fractions.Fraction(candidates[0], candidates[1]) ** fy.numerator
    return -value if x < 0 and fy.denominator == 1 and fy.numerator % 2 else value


def nearest(value, prec):
    """The double nearest value (an mpf of at most prec bits), ties to even, and whether value
    lies so near a halfway point between doubles (within 2^(16 - prec) of itself) that its
    rounding error of 2^-prec could have moved it across."""
    if value == 0:
        return 0.0, False
    sign, man, exp, bc = value._mpf_
    top = exp + bc  # 2^(top - 1) <= |value| < 2^top
    if top > 1025:
        return (-math.inf if sign else math.inf), False
    keep = 53 if top - 1 >= -1022 else top + 1074
    if keep < 0:
        return (-0.0 if sign else 0.0), False
    shift = bc - keep
    if shift <= 0:
        kept, close = man << -shift, False
    else:
        kept = man >> shift
        difference = (man - (kept << shift)) - (1 << (shift - 1))
        close = abs(difference) <= man >> (prec - 16)
        if difference > 0 or (difference == 0 and kept % 2 == 1):
            kept += 1
    try:
        magnitude = math.ldexp(float(kept), top - keep)
    except OverflowError:
        magnitude = math.inf
    return (-magnitude if sign else magnitude), close


def check(function, args, result, want_reference=False):
    """None when result is the correctly rounded value; else a message. With want_reference,
    returns (message, correctly rounded double, 50-digit text)."""
    value = exact(function, args, 200)
    expected, close = nearest(value, 200)
    if close:
        value = exact(function, args, 1200)
        expected, close = nearest(value, 1200)
    if close:
        rational = exact_pow_rational(*args) if function == "pow" else None
        if rational is None:
            message = "undecided at 1200 bits"
            return (message, expected, "") if want_reference else message
        expected = float(rational)  # Fraction to float rounds to nearest, ties to even
    digits = ""
    if want_reference:
        digits = mpmath.nstr(value, 50, min_fixed=-mpmath.inf, max_fixed=mpmath.inf)
    same = (math.isnan(result) and math.isnan(expected)) or (
        result == expected and math.copysign(1.0, result) == math.copysign(1.0, expected))
    message = None if same else "got %s, want %s" % (result.hex(), expected.hex())
    return (message, expected, digits) if want_reference else message


# ---- running -------------------------------------------------------------------------------

def run_driver(driver, function, inputs):
    arity = 2 if function == "pow" else 1
    data = array.array("d", [v for args in inputs for v in args[:arity]])
    output = subprocess.run([str(driver), function], input=data.tobytes(), capture_output=True,
                            check=True).stdout
    results = array.array("d")
    results.frombytes(output)
    return list(results)


def check_chunk(task):
    driver, function, seed, count = task
    rng = random.Random(seed)
    inputs = [draw(function, rng) for _ in range(count)]
    results = run_driver(driver, function, inputs)
    failures = []
    for args, result in zip(inputs, results):
        message = check(function, args, result)
        if message:
            failures.append((function, args, message))
    return function, count, failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=10_000_000)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--driver", default=str(DRIVER))
    parser.add_argument("--write-sample", metavar="PATH")
    parser.add_argument("--sample-count", type=int, default=3000)
    args = parser.parse_args()
    driver = pathlib.Path(args.driver)
    started = time.time()

    if args.write_sample:
        write_sample(driver, pathlib.Path(args.write_sample), args.sample_count)
        return 0

    failures = []
    hard = hard_cases()
    for function in FUNCTIONS:
        results = run_driver(driver, function, hard[function])
        for case, result in zip(hard[function], results):
            message = check(function, case, result)
            if message:
                failures.append((function, case, message))
    per_function = args.count // len(FUNCTIONS)
    tasks = []
    for index, function in enumerate(FUNCTIONS):
        for start in range(0, per_function, CHUNK):
            tasks.append((driver, function, SEED + index * 1_000_003 + start,
                          min(CHUNK, per_function - start)))
    checked = 0
    with multiprocessing.Pool(args.jobs) as pool:
        for function, count, chunk_failures in pool.imap_unordered(check_chunk, tasks):
            checked += count
            failures.extend(chunk_failures)
            if checked % 1_000_000 < CHUNK:
                print("... %d checked, %d misrounded, %.0f s" % (checked, len(failures),
                                                                time.time() - started), flush=True)
    for function, case, message in failures[:50]:
        print("%s%s: %s" % (function, tuple(v.hex() for v in case), message))
    hard_count = sum(len(v) for v in hard.values())
    print("checked %d random inputs and %d hard cases in %.0f s: %d misrounded"
          % (checked, hard_count, time.time() - started, len(failures)))
    return 1 if failures else 0


def write_sample(driver, path, count):
    rng = random.Random(SEED - 1)
    hard = hard_cases()
    lines = ["# Written by scripts/check_maths.py --write-sample: function, arguments and the",
             "# correctly rounded result as hexadecimal doubles, then the value to 50 digits."]
    for function in FUNCTIONS:
        cases = hard[function] + [draw(function, rng) for _ in range(count)]
        results = run_driver(driver, function, cases)
        for case, result in zip(cases, results):
            message, expected, digits = check(function, case, result, want_reference=True)
            if message and message.startswith("undecided"):
                sys.exit("%s%s is undecided" % (function, case))
            lines.append(" ".join([function] + [v.hex() for v in case] + [expected.hex(), digits]))
    path.write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    sys.exit(main())
