#pragma once

// The emitter catalogues: one model a row, its figures per section, each row citing its source.

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "catalogues/catalogue.h"

namespace idrovela::catalogues {

// The header row every emitter file has, and the names of its columns.
inline constexpr std::string_view kEmitterHeader =
    "modello;altezza o interasse [mm];potenza per elemento a 75/65/20 °C [W];esponente n;"
    "contenuto per elemento [l];fonte";
inline constexpr std::array<std::string_view, 6> kEmitterColumns = {
    "modello",     "altezza o interasse [mm]",   "potenza per elemento a 75/65/20 °C [W]",
    "esponente n", "contenuto per elemento [l]", "fonte"};

// Beyond these a figure is a typing error.
inline constexpr double kMaxHeightMm = 10'000.0;
inline constexpr double kMaxSectionW = 100'000.0;
inline constexpr double kMaxSectionL = 1'000.0;

// A data row read into a model, or why it cannot be one, in words for the user.
using EmitterRow = std::variant<EmitterModel, std::string>;

// Reads one data row: the six fields, numbers with the decimal comma. The model and the source
// lose their surrounding blanks and must not be empty or hold hidden characters; the height and
// the output above zero, up to kMaxHeightMm and kMaxSectionW; the exponent from 1 to 2; the water
// zero or above, up to kMaxSectionL.
[[nodiscard]] EmitterRow ReadEmitterRow(std::string_view line);

// Reads one emitter file's text, `name` its name without ".csv", onto the end of the catalogue's
// models. Never throws. As ReadSeries reads a tube file (ReadCatalogueFile), with kEmitterHeader;
// a row ReadEmitterRow refuses, or a model's name already used in the file or in the catalogue
// (the first one stays), is skipped; so is a file without any valid model. Every problem goes to
// the catalogue's emitterProblems under `fileLabel`.
void ReadEmitterFile(std::string_view name, std::string_view fileLabel, std::string_view text,
                     Catalogue& catalogue);

}  // namespace idrovela::catalogues
