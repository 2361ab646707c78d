#pragma once

// The pump's duty in words, as the circuit window's status lines and the report both write it:
// a flow in l/h and in m³/h, a head in kPa and in metres of the circuit's fluid.

#include <string>

namespace idrovela::columns {

// "307 l/h = 0,307 m³/h"
[[nodiscard]] std::string FlowText(double flowLph);

// How much a head's text says. Short, for a status line: "2,91 kPa = 0,30 m di fluido". Full,
// for a page: the pascals first, "2908 Pa = 2,91 kPa = 0,30 m di colonna del fluido".
enum class HeadForm { Short, Full };
[[nodiscard]] std::string HeadText(double headPa, double headM, HeadForm form);

}  // namespace idrovela::columns
