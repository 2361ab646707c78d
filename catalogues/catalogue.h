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

// A heating emitter as a catalogue lists it: one model, its figures for one section (a panel
// radiator is a model of one section). Its output is at the standard rating, water entering at
// 75 °C and leaving at 65 °C in a room at 20 °C ("ΔT 50").
struct EmitterModel {
    std::string name;       // "modello", unique in the catalogue
    double heightMm = 0.0;  // height or centre distance
    double sectionW = 0.0;  // Φn of one section
    double exponent = 0.0;  // n of its characteristic, 1–2
    double sectionL = 0.0;  // the water one section holds
    std::string source;     // where the figures come from
    std::string file;       // the file it was read from: "esempio", or a user file's stem
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
    // The emitter models: the built-in files' in their order, then the user's files by name, each
    // file's in its order; and every line or file of theirs skipped.
    std::vector<EmitterModel> emitters;
    std::vector<Problem> emitterProblems;

    // The series called `name`, or null.
    [[nodiscard]] const Series* Find(std::string_view name) const;
    // The emitter model called `name`, or null.
    [[nodiscard]] const EmitterModel* FindEmitter(std::string_view name) const;
};

inline constexpr std::string_view kBuiltInOrigin = "incorporato";

}  // namespace idrovela::catalogues
