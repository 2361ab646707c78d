#pragma once

#include <span>
#include <string_view>

namespace idrovela::catalogues {

// A data file the build wrote into the program (embed_files.cmake).
struct EmbeddedFile {
    std::string_view name;  // the file name without ".csv"
    std::string_view text;  // the file's bytes
};

// The built-in data files, in the order the catalogue lists them: the tube series, and the
// emitter files.
[[nodiscard]] std::span<const EmbeddedFile> EmbeddedFiles();
[[nodiscard]] std::span<const EmbeddedFile> EmbeddedEmitterFiles();

}  // namespace idrovela::catalogues
