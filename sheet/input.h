#pragma once

// What the user types into the sheet, its detail pane and its settings panel, read into edits:
// numbers with the decimal comma as unrounded doubles, tubes from the catalogue, terminals and
// the circuit's settings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/scale.h"
#include "columns/columns.h"
#include "sheet/document.h"
#include "sheet/operations.h"

namespace idrovela::sheet {

// A number as the user writes it: an optional sign, digits and at most one decimal comma
// (TextToDouble), read unrounded; or why it is not one, naming `what` ("Lunghezza").
[[nodiscard]] std::variant<double, std::string> ReadNumber(std::string_view text,
                                                           std::string_view what);
// The same, refused above the largest value of `scale`, with the values taken: "Lunghezza:
// «12000» è fuori scala per qualunque edificio; si accettano valori da 0 a 10 000 m.".
[[nodiscard]] std::variant<double, std::string> ReadScaledNumber(std::string_view text,
                                                                 std::string_view what,
                                                                 const circuit::Scale& scale);
// A figure as an editor starts from it: up to 15 significant digits with the decimal comma.
[[nodiscard]] std::string NumberText(double value);

// A series as the window names it: its catalogue title ("Rame EN 1057"), followed by its name
// where another series has the same title; its name when the catalogue lacks it.
[[nodiscard]] std::string SeriesLabel(const catalogues::Catalogue& catalogue,
                                      std::string_view name);

// The tubes a segment can have: for each series of the catalogue "SERIES automatico", then
// "SERIES DESIGNATION" for each of its tubes, the series by its label.
struct TubeOption {
    std::string text;
    circuit::Tube tube;
};
[[nodiscard]] std::vector<TubeOption> TubeOptions(const catalogues::Catalogue& catalogue);
// The text of a segment's tube among those options.
[[nodiscard]] std::string TubeOptionText(const catalogues::Catalogue& catalogue,
                                         const circuit::Tube& tube);

// Which cells the user types into.
[[nodiscard]] bool Editable(columns::SegmentColumn column);
// The text an editor of the cell starts from: the id, the description, the tube's option, the
// length unrounded.
[[nodiscard]] std::string EditorText(const catalogues::Catalogue& catalogue,
                                     const circuit::Segment& segment,
                                     columns::SegmentColumn column);
// The edit a text typed into a cell makes: an edit, no change, or a reason to refuse it.
[[nodiscard]] Proposal CellEdit(const Document& document, std::size_t segment,
                                columns::SegmentColumn column, std::string_view text);

// A terminal's emitter as the detail pane edits it: its figures as typed, or a catalogue model
// and its number of sections (none typed: the proposed number).
struct EmitterForm {
    bool present = false;
    std::string nominalText;
    std::string exponentText;
    std::string roomText;
    std::string contentText;
    std::string model;  // empty: the figures as typed
    std::string sectionsText;

    bool operator==(const EmitterForm&) const = default;
};

// The fewest sections of the catalogue's `model` that give the load of the segment's terminal at
// the circuit's supply with a cooling of at least the salto minimo (by default the circuit's Δθ),
// in a room at `roomC`: none where the model is not in the catalogue, the terminal has no load
// given as a power, or no number of sections would do.
[[nodiscard]] std::optional<std::int64_t> ProposedSectionsAt(const Document& document,
                                                             std::size_t segment,
                                                             std::string_view model, double roomC);

// A segment's terminal as the detail pane edits it.
struct TerminalForm {
    bool present = false;
    std::string description;
    circuit::Terminal::Load load = circuit::Terminal::Load::Power;
    std::string loadText;
    circuit::Terminal::Device device = circuit::Terminal::Device::None;
    std::string deviceText;
    EmitterForm emitter;
};
[[nodiscard]] TerminalForm TerminalFormOf(const circuit::Segment& segment);
// The terminal as the form gives it, as one edit named for what changed: "Aggiungi emettitore a
// «R1»", "Modifica emettitore di «R1»", "Rimuovi emettitore da «R1»", else "Modifica terminale di
// «R1»". An emitter left as shown goes with a load turned into a flow; one added or changed on a
// flow, or in a cooling circuit, is refused by the engine with its message.
[[nodiscard]] Proposal TerminalEdit(const Document& document, std::size_t segment,
                                    const TerminalForm& form);

// A segment's fittings and valves, as their dialog gives them.
[[nodiscard]] Proposal FittingsEdit(const Document& document, std::size_t segment,
                                    std::vector<circuit::Fitting> fittings,
                                    std::vector<circuit::Valve> valves);

// The circuit's settings as the panel edits them.
struct SettingsForm {
    std::string name;
    std::string author;
    std::string notes;
    circuit::FluidType fluid = circuit::FluidType::Acqua;
    std::string percentText;
    std::string supplyText;
    std::string returnText;
    std::string pascalPerMetreText;
    std::string velocityText;
    std::string flowMarginText;
    std::string headMarginText;
    // The plant: each empty where the circuit has none (WritePlantTexts, ReadPlant).
    std::string minimumDropText;
    std::string generatorText;
    std::string otherText;
    std::string staticHeightText;
    std::string reliefValveText;
    std::string maximumText;
};
[[nodiscard]] SettingsForm SettingsFormOf(const circuit::Circuit& circuit);
// The settings as the form gives them, as one edit. A new fluid chosen with the percentage left
// as shown brings its own (PercentForNewFluid), so that the two change together.
[[nodiscard]] Proposal SettingsEdit(const Document& document, const SettingsForm& form);

// The percentage a circuit of `before` gets when the user chooses `fluid`: 0 for water, 30 for a
// glycol chosen over water, the same for the other glycol.
inline constexpr double kGlycolPercentFromWater = 30.0;
[[nodiscard]] double PercentForNewFluid(const circuit::Fluid& before, circuit::FluidType fluid);

}  // namespace idrovela::sheet
