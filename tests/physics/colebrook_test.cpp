#include "physics/colebrook.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "tests/physics/expect_physics_error.h"

namespace idrovela::physics {
namespace {

// One 50-digit root: the nearest double to it, and the root's offset from that double in units
// of the spacing of doubles on the root's side.
struct Reference {
    double reynolds;
    double relativeRoughness;
    double nearest;
    double offsetUlps;
};

std::vector<Reference> ReadReferences() {
    std::ifstream file(IDROVELA_COLEBROOK_REFERENCES);
    std::vector<Reference> references;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Reference r{};
        fields >> r.reynolds >> r.relativeRoughness >> r.nearest >> r.offsetUlps;
        EXPECT_TRUE(fields) << "unreadable line: " << line;
        references.push_back(r);
    }
    return references;
}

// The error of a positive result in ulps: its distance in doubles from the nearest double to
// the root, less the root's own offset from that double.
double UlpError(double result, const Reference& r) {
    const auto steps = std::bit_cast<std::int64_t>(result) - std::bit_cast<std::int64_t>(r.nearest);
    return std::abs(static_cast<double>(steps) - r.offsetUlps);
}

struct UlpSummary {
    double worst = 0.0;
    double withinOne = 0.0;         // share of points within 1 ulp
    double correctlyRounded = 0.0;  // share within half an ulp
};

template <typename Method>
UlpSummary Measure(const std::vector<Reference>& references, Method method) {
    UlpSummary summary;
    int withinOne = 0;
    int withinHalf = 0;
    for (const Reference& r : references) {
        const double error = UlpError(method(r.reynolds, r.relativeRoughness), r);
        summary.worst = std::max(summary.worst, error);
        withinOne += error <= 1.0 ? 1 : 0;
        withinHalf += error <= 0.5 ? 1 : 0;
    }
    const auto count = static_cast<double>(references.size());
    summary.withinOne = withinOne / count;
    summary.correctlyRounded = withinHalf / count;
    return summary;
}

TEST(ColebrookLambda, WithinAnUlpOfTheFiftyDigitRootsOfTheSample) {
    const std::vector<Reference> references = ReadReferences();
    ASSERT_EQ(references.size(), 10000U);

    const UlpSummary polished = Measure(references, ColebrookLambda);
    const UlpSummary clamond = Measure(references, ClamondLambda);
    std::cout << "ColebrookLambda: worst " << polished.worst << " ulp, "
              << 100.0 * polished.withinOne << " % within 1 ulp, "
              << 100.0 * polished.correctlyRounded << " % correctly rounded\n"
              << "ClamondLambda:   worst " << clamond.worst << " ulp, " << 100.0 * clamond.withinOne
              << " % within 1 ulp\n";

    EXPECT_LE(polished.worst, 1.0);
    EXPECT_GE(polished.correctlyRounded, 0.85);
    // Two of Clamond's iterations: a relative error of about 2e-15 at most.
    EXPECT_LE(clamond.worst, 32.0);
}

TEST(ColebrookLambda, PublishedAndTabulatedValues) {
    // 50-digit roots for 3,7 and 2,51, rounded to 15 digits (a reference table), and values
    // published with a library's documentation and tests.
    const double roughness[] = {0.0, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 0.05};
    const struct {
        double reynolds;
        double lambda[7];
    } rows[] = {
        {2300,
         {0.0472833139052248, 0.0472841229538046, 0.0472914039383799, 0.0473641690413221,
          0.0480874136085502, 0.0549384058628367, 0.0806574236563997}},
        {4000,
         {0.0399070140556349, 0.0399080294461707, 0.0399171668504101, 0.0400084312335555,
          0.0409103898628461, 0.0490822694478997, 0.0769868348892249}},
        {1e4,
         {0.0308829503534877, 0.0308844980914211, 0.0308984230520412, 0.0310372122009986,
          0.0323818063630927, 0.0431265847068117, 0.0738012756385383}},
        {1e5,
         {0.0179897730842738, 0.0179951931933472, 0.0180438028950637, 0.0185138660774716,
          0.0221745359445151, 0.0385035435273351, 0.0717809294411403}},
        {1e6,
         {0.0116450409979916, 0.0116681555134858, 0.011869544827945, 0.0134414376925085,
          0.0199434658404769, 0.0379647418761601, 0.0715737538598579}},
        {1e7,
         {0.00810266943087491, 0.00821318040425939, 0.00899571174483444, 0.0121660809588966,
          0.0196670524320968, 0.0379098257518066, 0.0715529818408668}},
        {1e8,
         {0.00594046635163676, 0.00643255651969228, 0.00818755910268201, 0.0119990505553695,
          0.0196386328373853, 0.0379043233873543, 0.0715509040910833}},
    };
    for (const auto& row : rows) {
        for (int k = 0; k < 7; ++k) {
            const double expected = row.lambda[k];
            EXPECT_NEAR(ColebrookLambda(row.reynolds, roughness[k]), expected, 1e-13 * expected)
                << "Re " << row.reynolds << ", eps/D " << roughness[k];
        }
    }
    const struct {
        double reynolds;
        double relativeRoughness;
        double lambda;
        double relativeTolerance;
    } published[] = {
        {1e5, 1e-4, 0.018513866077471, 1e-13},
        {1e5, 1e-4, 0.01851386607747165, 1e-13},
        {1.048e11, 2.55e-8, 0.0037751087365339906, 1e-10},  // the library's own tolerance
        {1.048e11, 2.55e-8, 0.0037751087365340033, 1e-13},  // 40-digit root
    };
    for (const auto& p : published) {
        EXPECT_NEAR(ColebrookLambda(p.reynolds, p.relativeRoughness), p.lambda,
                    p.relativeTolerance * p.lambda)
            << "Re " << p.reynolds << ", eps/D " << p.relativeRoughness;
    }
}

// g(y) = y + 2·log10(a), a = r/3,7 + 2,51·y/Re, in long double with 3,7 and 2,51 exact: 10·r,
// 251·y and 100·Re fit the 64-bit significand. Near a = 1 (r close to 3,7) as log1p(a − 1),
// with a − 1 = −(37 − 10·r)/37 + …, where 37 − 10·r is exact too.
long double Residual(long double y, double reynolds, double relativeRoughness) {
    const long double tenR = 10.0L * relativeRoughness;
    const long double reynoldsTerm = 251.0L * y / (100.0L * reynolds);
    const long double twoOverLn10 = 2.0L / std::log(10.0L);
    const long double a = tenR / 37.0L + reynoldsTerm;
    if (a < 0.5L) {
        return y + twoOverLn10 * std::log(a);
    }
    return y + twoOverLn10 * std::log1p(-(37.0L - tenR) / 37.0L + reynoldsTerm);
}

TEST(ColebrookLambda, RootOverTheWholeAcceptedRange) {
    const double reynoldsValues[] = {1e-100, 1e-10, 1e-3, 1.0,  5.0,  9.99, 10.0,
                                     2300.0, 1e5,   1e8,  1e12, 1e20, 1e50, 1e100};
    const double below37 = std::nextafter(3.7, 0.0);
    const double roughnessValues[] = {0.0,
                                      1e-300,
                                      1e-12,
                                      1e-6,
                                      0.01,
                                      0.05,
                                      0.2,
                                      1.0,
                                      2.0,
                                      3.0,
                                      3.5,
                                      3.69,
                                      3.6999,
                                      3.6999999,
                                      3.6999999999,
                                      below37,
                                      std::nextafter(below37, 0.0)};
    constexpr long double kBracket = 1e-15L;
    for (const double reynolds : reynoldsValues) {
        for (const double roughness : roughnessValues) {
            const double lambda = ColebrookLambda(reynolds, roughness);
            ASSERT_TRUE(std::isfinite(lambda) && lambda > 0.0)
                << "Re " << reynolds << ", eps/D " << roughness << ": " << lambda;
            // The root lies within 1e-15 of y = 1/√λ: g changes sign across y·(1 ± 1e-15).
            const long double y = 1.0L / std::sqrt(static_cast<long double>(lambda));
            EXPECT_LT(Residual(y * (1.0L - kBracket), reynolds, roughness), 0.0L)
                << "Re " << reynolds << ", eps/D " << roughness;
            EXPECT_GT(Residual(y * (1.0L + kBracket), reynolds, roughness), 0.0L)
                << "Re " << reynolds << ", eps/D " << roughness;
        }
    }
}

TEST(ClamondLambda, AgreesWithTheRootOrRefusesNearTheLimit) {
    const double reynoldsValues[] = {10.0, 2300.0, 1e5, 1e8, 1e12, 1e50, 1e100};
    const double roughnessValues[] = {0.0, 1e-12, 1e-6, 0.01, 0.05, 0.5, 1.0};
    for (const double reynolds : reynoldsValues) {
        for (const double roughness : roughnessValues) {
            const double root = ColebrookLambda(reynolds, roughness);
            EXPECT_NEAR(ClamondLambda(reynolds, roughness), root, 1e-9 * root)
                << "Re " << reynolds << ", eps/D " << roughness;
        }
    }
    // Within an ulp of 3,7 the iterations lose the root: refused, never a NaN or a zero.
    EXPECT_PHYSICS_ERROR(ClamondLambda(1e100, std::nextafter(3.7, 0.0)), "Clamond");
}

TEST(ColebrookLambda, RefusesInputsOutsideItsRange) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double reynolds;
        double relativeRoughness;
        const char* message;
    } cases[] = {
        {kNaN, 1e-4, "Numero di Reynolds: il valore non è un numero"},
        {kInf, 1e-4, "Numero di Reynolds: il valore è infinito"},
        {0.0, 1e-4, "Re tra 1e\u2212100 e 1e+100"},
        {-1e5, 1e-4, "il valore \u2212100000 è fuori campo"},
        {1.1e100, 1e-4, "Re tra 1e\u2212100 e 1e+100"},
        {1e5, kNaN, "Scabrezza relativa ε/D: il valore non è un numero"},
        {1e5, -kInf, "Scabrezza relativa ε/D: il valore è infinito"},
        {1e5, -1e-9, "deve essere zero o maggiore"},
        {1e5, 3.7, "solo per ε/D minore di 3,7"},
        {1e5, 40.0, "solo per ε/D minore di 3,7"},
    };
    for (const auto& c : cases) {
        EXPECT_PHYSICS_ERROR(ColebrookLambda(c.reynolds, c.relativeRoughness), c.message);
        EXPECT_PHYSICS_ERROR(ClamondLambda(c.reynolds, c.relativeRoughness), "");
    }
    EXPECT_PHYSICS_ERROR(ClamondLambda(9.99, 1e-4), "Re tra 10 e 1e+100");
    EXPECT_NO_THROW(static_cast<void>(ClamondLambda(10.0, 1e-4)));
}

}  // namespace
}  // namespace idrovela::physics
