#pragma once

#include "catalogues/catalogue.h"

namespace idrovela::catalogues {

// The series that come with the program, read from the data files the build embedded, through
// the same reader as a user's files: rame, acciaio-m, acciaio-h, multistrato, pex, pert,
// ppr-pn20, pe100-sdr11; and the emitter models of data/emettitori: esempio.
[[nodiscard]] Catalogue BuiltInCatalogue();

}  // namespace idrovela::catalogues
