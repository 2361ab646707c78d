#pragma once

#include <string>
#include <vector>

namespace idrovela::text {

// The program's arguments, its own name first, in UTF-8. On Linux they are argv's bytes as they
// are. On Windows they are read from the wide command line: argv holds only what the ANSI code
// page can, and «Łódź – Δp» would come as question marks.
[[nodiscard]] std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace idrovela::text
