#pragma once

// The pieces every message of the circuit engine is made of: a quoted text, a segment named by its
// id, a number with its unit. Messages stay on one line whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "circuit/circuit.h"
#include "text/quoted.h"

namespace idrovela::circuit {

// A text of the file, quoted as «text»: control characters and bytes that are not UTF-8 become
// "?", and a long text is cut on a character boundary with "…", so that a message stays one
// readable line of UTF-8 (text::Quoting::Replaced).
using text::Quoted;

// A file's path, quoted as Quoted quotes a text, but where it is too long to quote whole, cut at
// its start so that the file's name stays: «…/progetti/villetta.idrovela».
[[nodiscard]] std::string QuotedPath(const std::filesystem::path& path);

// "Tratto «A»", or "Tratto n. 3" (from 1) for a segment without a usable id.
[[nodiscard]] std::string SegmentName(const Segment& segment, std::size_t index);

// A number for a message, with its unit: "−2 m", "1054,31 kg/m³" (six significant digits).
[[nodiscard]] std::string Amount(double value, std::string_view unit);

// A whole number for a message, every digit kept, a negative one with the minus sign "−" as
// Amount writes it: "−2".
[[nodiscard]] std::string WholeText(std::int64_t value);

// Throws CircuitError("WHERE, KEY: PROBLEM"), or "WHERE: PROBLEM" without a key.
[[noreturn]] void Fail(std::string_view where, std::string_view key, std::string_view problem);

}  // namespace idrovela::circuit
