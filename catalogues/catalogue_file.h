#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "catalogues/file_lines.h"

namespace idrovela::catalogues {

// What every catalogue file holds around its rows: a title, notes, and whether its header was
// read.
struct CatalogueText {
    std::string title;               // the first comment line; the file's name without one
    std::vector<std::string> notes;  // the other comment lines before the header
    bool headerRead = false;
};

// Reads a catalogue file of any kind: comment lines starting with "#" (the first one is the
// title, the others are notes; blank lines in between are passed over), then the header row,
// `header` exactly, then one row a line, each handed to `row` with its number. After the header,
// blank lines and "#" lines (a row put aside) are passed over, and so is a line that is not valid
// UTF-8, with a problem: only that line, as the other lines hold nothing of it (a file in another
// encoding fails at the header anyway, which holds an "à"). A comment that is not UTF-8 is skipped
// the same way; when it is the first one, the title is `name`. Stopping the whole file, with a
// problem: an empty text, no header or another header. Lines past kMaxLines or kMaxBytes are
// ignored with one problem at the first of them. Every problem goes to `problems` under
// `fileLabel`. Never throws but for want of memory.
[[nodiscard]] CatalogueText ReadCatalogueFile(std::string_view name, std::string_view fileLabel,
                                              std::string_view text, std::string_view header,
                                              std::vector<Problem>& problems,
                                              const std::function<void(const NumberedLine&)>& row);

}  // namespace idrovela::catalogues
