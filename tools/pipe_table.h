#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "physics/pipe_flow.h"

namespace idrovela::window {
class Form_Principale;
class OptionButton;
}  // namespace idrovela::window

namespace idrovela::tools {

// The two limits of the commercial-pipe table. A tube passes when its standard loss and its
// velocity (unrounded) are each at most their limit; a value equal to a limit passes.
struct PipeLimits {
    double pascalPerMetre = 200.0;
    double velocityMs = 1.0;
};

enum class PipeMark { None, Scelto, Fuori };

// One tube of the chosen series, for the window's current flow and fluid.
struct PipeRow {
    catalogues::Tube tube;
    int wholeDiameterMm = 0;  // the inner diameter rounded half to even to whole mm
    double velocityMs = 0;    // the flow's velocity in the exact inner diameter
    // The window's own Y at the whole-mm diameter: CalcolaVelocita of Text_G there, then
    // ValutaPerdita with the window's ρ, μ and ε. Its text, or the run-time error it raised.
    std::string windowY;
    std::optional<int> windowYError;
    // The standard loss at the exact bore with the series' roughness, or why there is none.
    std::optional<physics::PipeFlow> standard;
    std::string standardError;
    bool overLoss = false;
    bool overVelocity = false;
    PipeMark mark = PipeMark::None;
};

struct PipeTable {
    std::string message;  // a flow or fluid text that does not convert: no rows, and why
    std::vector<PipeRow> rows;
    std::optional<std::size_t> chosen;  // the marked row
    std::vector<std::string> notes;
    // What the table was worked out from, as the window's texts give it.
    double flowLph = 0;
    double densityKgM3 = 0;
    double viscosityMPaS = 0;
    bool choosingAllowed = true;  // off in the diameter mode, where the window works D out
};

// Recomputes the table for the window as it stands; reads the window, changes nothing in it.
[[nodiscard]] PipeTable ComputePipeTable(const window::Form_Principale& form,
                                         const catalogues::Series& series,
                                         const PipeLimits& limits);

// Why a row is dimmed: "oltre il limite di perdita", "… di velocità", "… di entrambi i limiti";
// empty for a row within both.
[[nodiscard]] std::string LimitNote(const PipeRow& row);

// The flow's mean velocity in m/s in a bore of `innerMm`, unrounded and with the true π: the
// velocity of the table's rows and of the physics panel.
[[nodiscard]] double VelocityIn(double flowLph, double innerMm);

// The window's material preset whose roughness is `roughnessMm` exactly: "Rame" 0,0015,
// "Acciaio Nuovi" 0,045, "Acciaio Vecchi" 0,3, "Polietilene" 0,007; none for any other.
[[nodiscard]] window::OptionButton* MaterialPresetFor(window::Form_Principale& form,
                                                      double roughnessMm);

// The row's whole-mm inner diameter as the spinner writes it into Text_D: "9" for 9,4 mm.
[[nodiscard]] std::string WholeDiameterText(const PipeRow& row);

// The name of the window's selected material button, "Option_Tubo4".
[[nodiscard]] std::string SelectedMaterial(const window::Form_Principale& form);

// What choosing a row does, as the user would do it by hand: first the material, then the
// diameter. The material is the preset of the tube's roughness (MaterialPresetFor) clicked, or
// else "Altro" clicked and the roughness pasted into Text_epsilon; then the tube's whole-mm inner
// diameter goes into Text_D as UpDown_D would put it (the spinner writes its field, then raises
// its change, and the window recalculates), so that the window's Y uses the tube's roughness.
// Off in the diameter mode: returns false and changes nothing.
bool ChooseTube(window::Form_Principale& form, const PipeRow& row);

// The series each of the window's materials selects by default: "Rame" copper, both steels the
// medium steel series, "Polietilene" multilayer; none for "Altro", which keeps the user's pick.
[[nodiscard]] std::optional<std::string_view> DefaultSeriesFor(const window::Form_Principale& form);

// Keeps the table's series: the material's default until the user picks another; a change of
// material selects that material's default again, unless choosing a tube clicked it.
class SeriesChoice {
  public:
    // The series to show now.
    [[nodiscard]] const std::string& Current(const window::Form_Principale& form);
    void Pick(std::string_view series) { picked_ = series; }
    // A tube of `series` was chosen: the series stays, whatever material choosing clicked.
    void Chose(std::string_view series, const window::Form_Principale& form);

  private:
    std::string picked_ = "rame";
    std::string material_;
};

// The table as text: one `pipe.N=DESIGNATION;DI_MM;W;Y;PA_PER_M;REGIME;MARK` line per tube for
// idrovela-session, or `pipes.error=MESSAGE`.
[[nodiscard]] std::string SessionLines(const PipeTable& table);

// The table's columns, and a row's cells as the table shows them: the designation, the figures
// below, the window's Y, the regime, and a note ("scelto", the limit a tube fails, or why it has
// no standard loss).
[[nodiscard]] const std::vector<std::string>& TableColumns();
[[nodiscard]] std::vector<std::string> TableCells(const PipeRow& row);
// Whether a column holds figures, which line up on the right.
[[nodiscard]] bool IsNumberColumn(std::size_t column);

// The figures as the table shows them: the inner diameter with one decimal, the velocity with
// two, the standard loss with one, the decimal comma always.
[[nodiscard]] std::string InnerDiameterText(const PipeRow& row);
[[nodiscard]] std::string VelocityText(const PipeRow& row);
[[nodiscard]] std::string StandardLossText(const PipeRow& row);
[[nodiscard]] std::string RegimeText(const PipeRow& row);

// The table exported: CSV (UTF-8 with a byte order mark, ";", decimal comma) with the inputs on
// top, and an HTML page for printing with the inputs, the series and its source, and the table,
// its figures aligned on the right.
[[nodiscard]] std::string PipeTableCsv(const PipeTable& table, const catalogues::Series& series,
                                       const PipeLimits& limits);
[[nodiscard]] std::string PipeTableHtml(const PipeTable& table, const catalogues::Series& series,
                                        const PipeLimits& limits);

}  // namespace idrovela::tools
