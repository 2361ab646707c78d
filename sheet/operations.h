#pragma once

// The edits the user makes on the sheet, each made of steps against the document as it is now,
// and named as the undo menu shows it. One that would change nothing, or that the sheet itself
// refuses before the engine sees it, gives a reason instead.

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "circuit/circuit.h"
#include "sheet/document.h"
#include "sheet/edit.h"

namespace idrovela::sheet {

// An edit the user asks for that would change nothing (a value typed as it was, a segment moved
// where it already is): nothing to do, and nothing to tell the user.
struct NoChange {};

// An edit; no change; or, as a text for the user, why the sheet refuses one.
using Proposal = std::variant<Edit, NoChange, std::string>;

// The segment at `index` replaced by `after` (same upstream): a value edit named `name`.
[[nodiscard]] Proposal ChangeSegment(const Document& document, std::size_t index,
                                     circuit::Segment after, std::string name);

// A new id for the segment; the segments it feeds follow it.
[[nodiscard]] Proposal Rename(const Document& document, std::size_t index, std::string id);

// A new segment under `parent` (none: leaving the source), after the parent's other segments.
[[nodiscard]] Proposal AddDownstream(const Document& document, std::optional<std::size_t> parent,
                                     circuit::Segment segment);
// A new segment beside `sibling`, under the same upstream segment, right after it.
[[nodiscard]] Proposal AddAfter(const Document& document, std::size_t sibling,
                                circuit::Segment segment);
// A segment as a new one gets it: the first free id "T1", "T2", …, an automatic tube of the same
// series as `like` (or the catalogue's first), no length, no terminal.
[[nodiscard]] circuit::Segment NewSegment(const Document& document,
                                          std::optional<std::size_t> like);

// Removes the segment and everything downstream of it.
[[nodiscard]] Proposal RemoveWithDownstream(const Document& document, std::size_t index);
// Removes the segment alone: the segments it fed go to its upstream segment.
[[nodiscard]] Proposal RemoveOnly(const Document& document, std::size_t index);

// The segment under another upstream segment (none: the source). Never under itself or one of
// its own downstream segments.
[[nodiscard]] Proposal Move(const Document& document, std::size_t index,
                            std::optional<std::size_t> upstream);
// The segments a segment may go under: every other one but those downstream of it, in file
// order.
[[nodiscard]] std::vector<std::size_t> UpstreamChoices(const Document& document, std::size_t index);

[[nodiscard]] Proposal ChangeSettings(const Document& document, Settings after);
// The undo menu's name of a change of the settings: the one setting that changed ("Modifica
// mandata"; the fluid with its percentage is one), or "Modifica impostazioni del circuito" for
// several; "" when none did.
[[nodiscard]] std::string SettingsEditName(const Settings& before, const Settings& after);

}  // namespace idrovela::sheet
