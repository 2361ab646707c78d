#pragma once

#include <string_view>

namespace idrovela::sheet {

// The circuit guide, in HTML: how to build a circuit, every key of the circuit window, what each
// column and figure means, and every warning. Keys are written as the menus show them, each in
// <kbd>; the sheet's column captions in <b>; warning codes and file keys in <code>.
[[nodiscard]] std::string_view CircuitGuideHtml();

}  // namespace idrovela::sheet
