#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace idrovela::catalogues {

// A tube as it is ordered, every dimension in millimetres.
struct Tube {
    std::string designation;  // "22×1", "15×1,2", "DN 25"
    double outerMm = 0.0;
    double wallMm = 0.0;
    double innerMm = 0.0;  // outer − 2·wall, within kInnerToleranceMm
    double roughnessMm = 0.0;
};

// One commercial series: one data file.
struct Series {
    std::string name;                // "rame", or a user file's stem
    std::string title;               // the first comment line, without "#"; the name without one
    std::vector<std::string> notes;  // the other comment lines (sources, date), without "#"
    std::string origin;              // kBuiltInOrigin for a built-in series, else the file's path
    bool builtIn = false;
    std::vector<Tube> tubes;  // from the smallest up: by inner diameter, then outer diameter
};

// A line or a file that was skipped, and why, in words for the user.
struct Problem {
    std::string file;
    int line = 0;  // from 1; 0 for the file as a whole
    std::string message;
};

struct Catalogue {
    // The built-ins in their fixed order, then the user's series by name.
    std::vector<Series> series;
    // Every line or file skipped, across all series.
    std::vector<Problem> problems;

    // The series called `name`, or null.
    [[nodiscard]] const Series* Find(std::string_view name) const;
};

inline constexpr std::string_view kBuiltInOrigin = "incorporato";

}  // namespace idrovela::catalogues
