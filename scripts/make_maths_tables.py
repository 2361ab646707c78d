#!/usr/bin/python3
"""Writes maths/tables.cpp: the constants and tables of the correctly rounded maths (maths/).

Every value is worked out with mpmath at 400 bits and then rounded as the comment beside it
says, so the file is the same on every run. Needs Debian's python3-mpmath; run it from the
repository's root and format the result:

    /usr/bin/python3 scripts/make_maths_tables.py && clang-format -i maths/tables.cpp
"""

import pathlib

import mpmath
from mpmath import mp, mpf

mp.prec = 400
LIMBS = 12  # the slow path's 32-bit limbs (maths/big_float.h)


def rounded(value, bits):
    """value rounded to nearest with `bits` significant bits, as an mpf."""
    if value == 0:
        return mpf(0)
    exponent = int(mpmath.floor(mpmath.log(abs(value), 2))) + 1
    scale = mpf(2) ** (bits - exponent)
    return mpmath.nint(value * scale) / scale


def double(value):
    """value rounded to the nearest double, as an mpf."""
    with mpmath.workprec(53):
        return +value


def hexfloat(value):
    return float(value).hex()


def two_doubles(value):
    hi = double(value)
    lo = double(value - hi)
    return hi, lo


def big_constant(value):
    """value truncated to LIMBS 32-bit limbs: the limbs (most significant first) and the exponent
    e with value = 0.limbs * 2^e."""
    exponent = int(mpmath.floor(mpmath.log(abs(value), 2))) + 1
    mantissa = int(mpmath.floor(abs(value) * mpf(2) ** (32 * LIMBS - exponent)))
    assert mantissa >> (32 * LIMBS - 1) == 1
    limbs = [(mantissa >> (32 * (LIMBS - 1 - i))) & 0xFFFFFFFF for i in range(LIMBS)]
    return limbs, exponent


def dd_line(value):
    hi, lo = two_doubles(value)
    return "{%s, %s}" % (hexfloat(hi), hexfloat(lo))


def main():
    ln2 = mpmath.log(2)
    out = []
    out.append("// Written by scripts/make_maths_tables.py: do not edit by hand.")
    out.append("")
    out.append('#include "maths/tables.h"')
    out.append("")
    out.append("namespace idrovela::maths::detail {")
    out.append("")

    # ln 2 / 65536 in four parts: three of 26 bits, so that K times each is exact for |K| < 2^27,
    # and the rest rounded to a double.
    step = ln2 / 65536
    parts = []
    rest = step
    for _ in range(3):
        part = rounded(rest, 26)
        parts.append(part)
        rest = rest - part
    parts.append(double(rest))
    out.append("// ln(2)/65536 = kExpStep[0] + ... + kExpStep[3]: the first three of 26 bits each.")
    out.append("const std::array<double, 4> kExpStep = {%s};" %
               ", ".join(hexfloat(p) for p in parts))
    out.append("// 65536/ln(2), rounded.")
    out.append("const double kExpStepsPerUnit = %s;" % hexfloat(double(65536 / ln2)))
    out.append("")

    out.append("// 2^(j/256), j = 0..255, as two doubles.")
    out.append("const std::array<TwoDoubleEntry, 256> kExpCoarse = {{")
    out.extend("    %s," % dd_line(mpf(2) ** (mpf(j) / 256)) for j in range(256))
    out.append("}};")
    out.append("// 2^(j/65536), j = 0..255, as two doubles.")
    out.append("const std::array<TwoDoubleEntry, 256> kExpFine = {{")
    out.extend("    %s," % dd_line(mpf(2) ** (mpf(j) / 65536)) for j in range(256))
    out.append("}};")
    out.append("")

    # ln 2 in three parts for e*ln 2 with |e| < 2^11: two of 42 bits (exact products), the rest.
    l1 = rounded(ln2, 42)
    l2 = rounded(ln2 - l1, 42)
    l3 = double(ln2 - l1 - l2)
    out.append("// ln(2) = kLn2Parts[0] + kLn2Parts[1] + kLn2Parts[2]: the first two of 42 bits each.")
    out.append("const std::array<double, 3> kLn2Parts = {%s, %s, %s};" %
               (hexfloat(l1), hexfloat(l2), hexfloat(l3)))
    out.append("")

    # The logarithm's buckets: the top 9 bits i of the significand m in [1, 2). For i >= 256 the
    # argument is taken as m/2 in [0,75, 1) with the exponent one higher. c is the reciprocal of
    # the bucket's centre rounded to 24 bits, and exactly 1 in the two buckets next to 1.
    out.append("// Per bucket i of the top 9 significand bits: c (24 bits) near 1/m, and -ln(c).")
    out.append("const std::array<LogEntry, 512> kLogBuckets = {{")
    for i in range(512):
        low = 1 + mpf(i) / 512
        high = 1 + mpf(i + 1) / 512
        if i >= 256:
            low, high = low / 2, high / 2
        if i in (0, 511):
            c = mpf(1)
        else:
            c = rounded(2 / (low + high), 24)
        hi, lo = two_doubles(-mpmath.log(c))
        out.append("    {%s, %s, %s}," % (hexfloat(c), hexfloat(hi), hexfloat(lo)))
    out.append("}};")
    out.append("")

    out.append("// 1/3, 1/5 and 1/6 as two doubles (the logarithm's series).")
    out.append("const TwoDoubleEntry kOneThird = %s;" % dd_line(mpf(1) / 3))
    out.append("const TwoDoubleEntry kOneFifth = %s;" % dd_line(mpf(1) / 5))
    out.append("const TwoDoubleEntry kOneSixth = %s;" % dd_line(mpf(1) / 6))
    out.append("// 1/ln(10) as two doubles.")
    out.append("const TwoDoubleEntry kInverseLn10 = %s;" % dd_line(1 / mpmath.log(10)))
    out.append("")

    for name, value, what in (("kBigLn2", ln2, "ln(2)"),
                              ("kBigInverseLn10", 1 / mpmath.log(10), "1/ln(10)")):
        limbs, exponent = big_constant(value)
        out.append("// %s truncated to %d bits: 0.limbs * 2^exponent." % (what, 32 * LIMBS))
        out.append("const BigConstant %s = {{%s}, %d};" %
                   (name, ", ".join("0x%08x" % limb for limb in limbs), exponent))
    out.append("")
    out.append("}  // namespace idrovela::maths::detail")
    out.append("")

    path = pathlib.Path(__file__).resolve().parent.parent / "maths" / "tables.cpp"
    path.write_text("\n".join(out))


if __name__ == "__main__":
    main()
