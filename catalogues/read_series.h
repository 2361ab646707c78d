#pragma once

#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"

namespace idrovela::catalogues {

// Reads one catalogue file's text into a series called `name`, with the file's path as its
// origin. Never throws. Every line it skips goes to `problems` under `fileLabel`, with its line
// number, and so does a reason that stops the whole file, with line 0 or the line at fault; a
// series that comes back without tubes is one to leave out.
//
// The file: comment lines starting with "#" (the first one is the title, the others are notes;
// blank lines in between are passed over), then the header row, kHeader exactly, then one tube a
// line (see ReadTubeRow). After the header, blank lines and "#" lines (a row put aside) are
// passed over. The tubes come back sorted by inner diameter, then outer diameter, rows that tie
// in the file's order.
//
// Skipped lines: a row ReadTubeRow refuses; a designation already used (the first one stays); a
// line that is not valid UTF-8 — only that line, as the other lines hold nothing of it, and a
// file in another encoding fails at the header anyway, which holds an "à". A comment that is not
// UTF-8 is skipped the same way; when it is the first one, the series' title is its name.
// Stopping the whole file: an empty text, no header or another header, no tube left. Lines past
// kMaxLines or kMaxBytes are ignored with one problem at the first of them.
[[nodiscard]] Series ReadSeries(std::string_view name, std::string_view fileLabel,
                                std::string_view text, std::vector<Problem>& problems);

}  // namespace idrovela::catalogues
