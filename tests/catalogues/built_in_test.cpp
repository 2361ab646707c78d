#include "catalogues/built_in.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/text_conversions.h"

namespace idrovela::catalogues {
namespace {

TEST(BuiltInCatalogue, ReadsEverySeriesWithoutAProblem) {
    const Catalogue catalogue = BuiltInCatalogue();
    for (const Problem& problem : catalogue.problems) {
        ADD_FAILURE() << problem.file << ":" << problem.line << ": " << problem.message;
    }
    const struct {
        const char* name;
        std::size_t tubes;
        double roughnessMm;
    } expected[] = {
        {"rame", 17, 0.0015},       {"acciaio-m", 13, 0.045},   {"acciaio-h", 13, 0.045},
        {"multistrato", 10, 0.007}, {"pex", 11, 0.007},         {"pert", 8, 0.007},
        {"ppr-pn20", 10, 0.007},    {"pe100-sdr11", 10, 0.007},
    };
    ASSERT_EQ(catalogue.series.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Series& series = catalogue.series[i];
        EXPECT_EQ(series.name, expected[i].name);
        EXPECT_EQ(series.tubes.size(), expected[i].tubes) << series.name;
        EXPECT_TRUE(series.builtIn) << series.name;
        EXPECT_EQ(series.origin, kBuiltInOrigin) << series.name;
        EXPECT_NE(series.title, series.name) << series.name << " has no title";
        EXPECT_NE(std::find(series.notes.begin(), series.notes.end(), "Compilato il 2026-12-07."),
                  series.notes.end())
            << series.name;
        for (const Tube& tube : series.tubes) {
            EXPECT_EQ(tube.roughnessMm, expected[i].roughnessMm) << tube.designation;
        }
    }
}

TEST(BuiltInCatalogue, InnerDiametersAreOuterLessTwoWallsToTheDigit) {
    for (const Series& series : BuiltInCatalogue().series) {
        for (const Tube& tube : series.tubes) {
            const double twoWalls = 2.0 * tube.wallMm;
            const double expected = tube.outerMm - twoWalls;
            EXPECT_LT(std::fabs(tube.innerMm - expected), 1e-9)
                << series.name << " " << tube.designation;
        }
    }
}

TEST(BuiltInCatalogue, DesignationsSpellTheDimensions) {
    for (const Series& series : BuiltInCatalogue().series) {
        for (const Tube& tube : series.tubes) {
            if (series.name.starts_with("acciaio")) {
                EXPECT_TRUE(tube.designation.starts_with("DN ")) << tube.designation;
            } else {
                EXPECT_EQ(tube.designation,
                          NumberToText(tube.outerMm) + "×" + NumberToText(tube.wallMm));
            }
        }
    }
}

TEST(BuiltInCatalogue, KnownRows) {
    const Catalogue catalogue = BuiltInCatalogue();
    const struct {
        const char* series;
        const char* designation;
        double outerMm;
        double wallMm;
        double innerMm;
    } rows[] = {
        {"rame", "22×1", 22.0, 1.0, 20.0},           {"rame", "15×1,2", 15.0, 1.2, 12.6},
        {"rame", "108×2,5", 108.0, 2.5, 103.0},      {"acciaio-m", "DN 25", 33.7, 3.2, 27.3},
        {"acciaio-m", "DN 8", 13.5, 2.3, 8.9},       {"acciaio-h", "DN 25", 33.7, 4.0, 25.7},
        {"acciaio-h", "DN 150", 165.1, 5.4, 154.3},  {"multistrato", "26×3", 26.0, 3.0, 20.0},
        {"multistrato", "63×4,5", 63.0, 4.5, 54.0},  {"pex", "20×2,8", 20.0, 2.8, 14.4},
        {"pert", "25×3", 25.0, 3.0, 19.0},           {"ppr-pn20", "20×3,4", 20.0, 3.4, 13.2},
        {"ppr-pn20", "125×20,8", 125.0, 20.8, 83.4}, {"pe100-sdr11", "32×3", 32.0, 3.0, 26.0},
    };
    for (const auto& row : rows) {
        const Series* series = catalogue.Find(row.series);
        ASSERT_NE(series, nullptr) << row.series;
        const auto tube =
            std::find_if(series->tubes.begin(), series->tubes.end(),
                         [&](const Tube& t) { return t.designation == row.designation; });
        ASSERT_NE(tube, series->tubes.end()) << row.series << " " << row.designation;
        EXPECT_EQ(tube->outerMm, row.outerMm) << row.designation;
        EXPECT_EQ(tube->wallMm, row.wallMm) << row.designation;
        EXPECT_EQ(tube->innerMm, row.innerMm) << row.designation;
    }
    // Sizes no source confirms stay out.
    EXPECT_EQ(catalogue.Find("nessuna"), nullptr);
    const Series* copper = catalogue.Find("rame");
    ASSERT_NE(copper, nullptr);
    for (const char* absent : {"15×0,7", "22×0,9", "28×1", "133×1,5"}) {
        EXPECT_TRUE(std::none_of(copper->tubes.begin(), copper->tubes.end(), [&](const Tube& t) {
            return t.designation == absent;
        })) << absent;
    }
}

TEST(BuiltInCatalogue, TubesGoFromTheSmallestUp) {
    const Catalogue catalogue = BuiltInCatalogue();
    for (const Series& series : catalogue.series) {
        EXPECT_TRUE(std::is_sorted(series.tubes.begin(), series.tubes.end(),
                                   [](const Tube& a, const Tube& b) {
                                       return a.innerMm < b.innerMm ||
                                              (a.innerMm == b.innerMm && a.outerMm < b.outerMm);
                                   }))
            << series.name;
    }
    const Series* multilayer = catalogue.Find("multistrato");
    ASSERT_NE(multilayer, nullptr);
    EXPECT_EQ(multilayer->tubes[4].designation, "25×2,5");
    EXPECT_EQ(multilayer->tubes[5].designation, "26×3");
}

}  // namespace
}  // namespace idrovela::catalogues
