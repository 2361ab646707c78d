#include "tools/pipe_table.h"

#include <algorithm>
#include <numbers>
#include <stdexcept>
#include <utility>

#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"
#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "physics/physics_error.h"
#include "recalc/recalc_window.h"
#include "recalc/ricalcola.h"
#include "text/csv_cell.h"
#include "text/figures.h"
#include "text/html.h"
#include "text/quoted.h"
#include "window/form_principale.h"

namespace idrovela::tools {

using text::CsvCell;
using text::Exact;
using text::Fixed;
using text::Shown;

namespace {

// The window's fields as the loss evaluation reads them, for a figure the window does not show:
// nothing is written, and the Reynolds number of the evaluation is not kept.
class ReadOnlyFields final : public recalc::RecalcWindow {
  public:
    explicit ReadOnlyFields(const window::Form_Principale& form) : form_(form) {}

    [[nodiscard]] const std::string& Text(recalc::Field field) const override {
        switch (field) {
            case recalc::Field::D:
                return form_.Text_D.Text();
            case recalc::Field::V:
                return form_.Text_V.Text();
            case recalc::Field::Y:
                return form_.Text_Y.Text();
            case recalc::Field::G:
                return form_.Text_G.Text();
            case recalc::Field::P:
                return form_.Text_P.Text();
            case recalc::Field::dT:
                return form_.Text_dT.Text();
            case recalc::Field::Mu:
                return form_.Text_Mu.Text();
            case recalc::Field::Rho:
                return form_.Text_Rho.Text();
            case recalc::Field::Epsilon:
                return form_.Text_epsilon.Text();
        }
        throw std::logic_error("unknown field");
    }
    void SetText(recalc::Field, const std::string&) override {
        throw std::logic_error("the table writes nothing into the window");
    }
    [[nodiscard]] bool Selected(recalc::Mode) const override { return false; }
    void SetNumeroReynolds(Currency) override {}
    void CountEvaluation() override {}
    void CountLambdaSteps(std::int64_t) override {}
    void CountColebrookDifferences(std::int64_t) override {}

  private:
    const window::Form_Principale& form_;
};

// The window's Y for the flow at the whole-mm diameter, as its loss mode would give it with that
// diameter typed: the velocity rounded as Text_V holds it, then the evaluation.
void WindowY(const window::Form_Principale& form, PipeRow& row) {
    try {
        const Integer diameter = DoubleToInteger(row.tube.innerMm);
        row.wholeDiameterMm = diameter.value();
        const Currency velocity =
            Module_Calcoli::CalcolaVelocita(TextToCurrency(form.Text_G.Text()), diameter);
        ReadOnlyFields fields(form);
        row.windowY = NumberToText(recalc::ValutaPerdita(fields, velocity, diameter));
    } catch (const RuntimeError& error) {
        row.windowYError = error.number();
        row.windowY = "errore " + std::to_string(error.number());
    }
}

bool Passes(const PipeRow& row) {
    return row.standard.has_value() && !row.overLoss && !row.overVelocity;
}

std::string MarkText(PipeMark mark) {
    switch (mark) {
        case PipeMark::Scelto:
            return "scelto";
        case PipeMark::Fuori:
            return "fuori";
        case PipeMark::None:
            break;
    }
    return {};
}

// One of the inputs above an exported table.
struct Input {
    std::string caption;
    std::string value;
    bool number = true;
};

std::vector<Input> Inputs(const PipeTable& table, const catalogues::Series& series,
                          const PipeLimits& limits) {
    return {
        {"Serie", series.title, false},
        {"Portata G [litri/h]", Shown(table.flowLph, 4)},
        {"Densità [kg/m³]", Shown(table.densityKgM3, 4)},
        {"Viscosità [mPa·s]", Shown(table.viscosityMPaS, 4)},
        {"Limite di perdita [Pa/m]", Shown(limits.pascalPerMetre, 4)},
        {"Limite di velocità [m/s]", Shown(limits.velocityMs, 4)},
    };
}

// A cell of the printed table; numbers go right, so that their digits line up.
std::string HtmlCell(const char* tag, const std::string& text, bool number) {
    return std::string("<") + tag + (number ? " align=\"right\">" : ">") + text::EscapeHtml(text) +
           "</" + tag + ">";
}

}  // namespace

PipeTable ComputePipeTable(const window::Form_Principale& form, const catalogues::Series& series,
                           const PipeLimits& limits) {
    PipeTable table;
    table.choosingAllowed = !form.Option_Diametro.Value();
    try {
        table.flowLph = TextToCurrency(form.Text_G.Text()).toDouble();
    } catch (const RuntimeError&) {
        table.message = "La portata " + text::Quoted(form.Text_G.Text(), text::Quoting::AsTyped) +
                        " non è un numero valido.";
        return table;
    }
    try {
        table.densityKgM3 = TextToCurrency(form.Text_Rho.Text()).toDouble();
        table.viscosityMPaS = TextToCurrency(form.Text_Mu.Text()).toDouble();
    } catch (const RuntimeError&) {
        table.message = "La densità " + text::Quoted(form.Text_Rho.Text(), text::Quoting::AsTyped) +
                        " o la viscosità " +
                        text::Quoted(form.Text_Mu.Text(), text::Quoting::AsTyped) +
                        " del fluido non è un numero valido.";
        return table;
    }

    std::optional<double> windowRoughness;
    try {
        windowRoughness = TextToCurrency(form.Text_epsilon.Text()).toDouble();
    } catch (const RuntimeError&) {
        // Every row's Y then shows the error; the standard loss does not need it.
    }
    std::vector<double> seriesRoughness;
    table.rows.reserve(series.tubes.size());
    for (const catalogues::Tube& tube : series.tubes) {
        PipeRow& row = table.rows.emplace_back();
        row.tube = tube;
        row.velocityMs = VelocityIn(table.flowLph, tube.innerMm);
        WindowY(form, row);
        try {
            row.standard =
                physics::StandardPipeFlow({tube.innerMm, row.velocityMs, table.densityKgM3,
                                           table.viscosityMPaS, tube.roughnessMm});
            row.overLoss = row.standard->pascalPerMetre > limits.pascalPerMetre;
            row.overVelocity = row.velocityMs > limits.velocityMs;
        } catch (const physics::PhysicsError& error) {
            row.standardError = error.what();
        }
        if (row.overLoss || row.overVelocity) {
            row.mark = PipeMark::Fuori;
        } else if (!table.chosen && Passes(row)) {
            // The rows go from the smallest inner diameter up, ties by the outer one.
            row.mark = PipeMark::Scelto;
            table.chosen = table.rows.size() - 1;
        }
        if (std::find(seriesRoughness.begin(), seriesRoughness.end(), tube.roughnessMm) ==
            seriesRoughness.end()) {
            seriesRoughness.push_back(tube.roughnessMm);
        }
    }

    const bool sameRoughness = windowRoughness && seriesRoughness.size() == 1 &&
                               seriesRoughness.front() == *windowRoughness;
    if (!seriesRoughness.empty() && !sameRoughness) {
        table.notes.push_back(
            "La Y della finestra usa la rugosità della finestra (" + form.Text_epsilon.Text() +
            " mm), la perdita standard quella della serie (" +
            (seriesRoughness.size() == 1 ? Shown(seriesRoughness.front(), 4) + " mm"
                                         : std::string("diversa da tubo a tubo")) +
            ").");
    }
    table.notes.emplace_back(
        "La verifica fisica, per il tubo scelto qui, usa come questa tabella il suo diametro "
        "interno esatto e la rugosità della sua serie, e dà la stessa perdita; con un diametro "
        "scritto a mano usa il diametro intero in mm e la rugosità della finestra.");
    if (!table.chosen && !table.rows.empty()) {
        table.notes.emplace_back("Nessun tubo della serie rispetta entrambi i limiti.");
    }
    if (!table.choosingAllowed) {
        table.notes.emplace_back(
            "Nel modo «Calcola il diametro» la finestra calcola D da sé: la scelta di un tubo "
            "funziona negli altri due modi.");
    }
    return table;
}

std::string LimitNote(const PipeRow& row) {
    if (row.overLoss && row.overVelocity) {
        return "oltre entrambi i limiti";
    }
    if (row.overLoss) {
        return "oltre il limite di perdita";
    }
    if (row.overVelocity) {
        return "oltre il limite di velocità";
    }
    return {};
}

double VelocityIn(double flowLph, double innerMm) {
    const double cubicMetresPerSecond = flowLph / 1000.0 / 3600.0;
    const double radiusM = innerMm / 2000.0;
    const double area = std::numbers::pi * radiusM * radiusM;
    return cubicMetresPerSecond / area;
}

window::OptionButton* MaterialPresetFor(window::Form_Principale& form, double roughnessMm) {
    // The roughness each preset writes into Text_epsilon.
    const std::pair<window::OptionButton*, double> presets[] = {
        {&form.Option_Tubo1, 0.0015},
        {&form.Option_Tubo2, 0.045},
        {&form.Option_Tubo3, 0.3},
        {&form.Option_Tubo4, 0.007},
    };
    for (const auto& [button, presetMm] : presets) {
        if (presetMm == roughnessMm) {
            return button;
        }
    }
    return nullptr;
}

std::string WholeDiameterText(const PipeRow& row) {
    return NumberToText(Integer(static_cast<std::int16_t>(row.wholeDiameterMm)));
}

std::string SelectedMaterial(const window::Form_Principale& form) {
    for (const window::OptionButton* button : form.MaterialGroup.Buttons()) {
        if (button->Value()) {
            return std::string(button->Name());
        }
    }
    return {};
}

bool ChooseTube(window::Form_Principale& form, const PipeRow& row) {
    if (form.Option_Diametro.Value() || !form.UpDown_D.Visible()) {
        return false;
    }
    if (window::OptionButton* preset = MaterialPresetFor(form, row.tube.roughnessMm)) {
        form.UserClick(*preset);  // nothing when it is already selected
    } else {
        form.UserClick(form.Option_TuboX);
        form.UserEdit(form.Text_epsilon, NumberToText(row.tube.roughnessMm));
    }
    form.UserSpin(form.UpDown_D, WholeDiameterText(row));
    return true;
}

std::optional<std::string_view> DefaultSeriesFor(const window::Form_Principale& form) {
    if (form.Option_Tubo1.Value()) {
        return "rame";
    }
    if (form.Option_Tubo2.Value() || form.Option_Tubo3.Value()) {
        return "acciaio-m";
    }
    if (form.Option_Tubo4.Value()) {
        return "multistrato";
    }
    return std::nullopt;
}

const std::string& SeriesChoice::Current(const window::Form_Principale& form) {
    const std::string material = SelectedMaterial(form);
    if (material != material_) {
        material_ = material;
        if (const auto series = DefaultSeriesFor(form)) {
            picked_ = *series;
        }
    }
    return picked_;
}

void SeriesChoice::Chose(std::string_view series, const window::Form_Principale& form) {
    picked_ = series;
    material_ = SelectedMaterial(form);
}

const std::vector<std::string>& TableColumns() {
    static const std::vector<std::string> columns = {
        "Tubo", "Ø interno [mm]", "w [m/s]", "Y finestra", "Perdita [Pa/m]", "Regime", "Nota"};
    return columns;
}

bool IsNumberColumn(std::size_t column) {
    return column >= 1 && column <= 4;  // the inner diameter, w, the window's Y, the loss
}

std::vector<std::string> TableCells(const PipeRow& row) {
    std::string note = row.mark == PipeMark::Scelto ? "scelto" : LimitNote(row);
    if (!row.standardError.empty()) {
        note = row.standardError;
    }
    return {row.tube.designation,
            InnerDiameterText(row),
            VelocityText(row),
            row.windowY,
            StandardLossText(row),
            RegimeText(row),
            note};
}

std::string InnerDiameterText(const PipeRow& row) {
    return Fixed(row.tube.innerMm, 1);
}

std::string VelocityText(const PipeRow& row) {
    return Fixed(row.velocityMs, 2);
}

std::string StandardLossText(const PipeRow& row) {
    return row.standard ? Fixed(row.standard->pascalPerMetre, 1) : "—";
}

std::string RegimeText(const PipeRow& row) {
    return row.standard && row.standard->regime
               ? std::string(physics::RegimeName(*row.standard->regime))
               : "—";
}

std::string SessionLines(const PipeTable& table) {
    if (!table.message.empty()) {
        return "pipes.error=" + table.message + '\n';
    }
    std::string lines;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const PipeRow& row = table.rows[i];
        const bool regime = row.standard && row.standard->regime;
        lines +=
            "pipe." + std::to_string(i + 1) + '=' + row.tube.designation + ';' +
            InnerDiameterText(row) + ';' + VelocityText(row) + ';' + row.windowY + ';' +
            (row.standard ? Exact(row.standard->pascalPerMetre) : std::string("-")) + ';' +
            (regime ? std::string(physics::RegimeName(*row.standard->regime)) : std::string("-")) +
            ';' + MarkText(row.mark) + '\n';
    }
    return lines;
}

std::string PipeTableCsv(const PipeTable& table, const catalogues::Series& series,
                         const PipeLimits& limits) {
    // The byte order mark tells a spreadsheet that the file is UTF-8, where it would otherwise
    // read it in the system's own code page and garble "Densità" and "Ø".
    std::string csv = "\xEF\xBB\xBF";
    for (const Input& input : Inputs(table, series, limits)) {
        csv += CsvCell(input.caption) + ';' + CsvCell(input.value) + '\n';
    }
    csv += '\n';
    for (std::size_t i = 0; i < TableColumns().size(); ++i) {
        if (i > 0) {
            csv += ';';
        }
        csv += CsvCell(TableColumns()[i]);
    }
    csv += '\n';
    for (const PipeRow& row : table.rows) {
        const std::vector<std::string> cells = TableCells(row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                csv += ';';
            }
            csv += CsvCell(cells[i]);
        }
        csv += '\n';
    }
    return csv;
}

std::string PipeTableHtml(const PipeTable& table, const catalogues::Series& series,
                          const PipeLimits& limits) {
    std::string html =
        "<html><body><h2>Tubi commerciali: " + text::EscapeHtml(series.title) + "</h2>\n";
    html += "<table>\n";
    for (const Input& input : Inputs(table, series, limits)) {
        html += "<tr><th align=\"left\">" + text::EscapeHtml(input.caption) + "</th>" +
                HtmlCell("td", input.value, input.number) + "</tr>\n";
    }
    html += "</table>\n<p><small>";
    for (const std::string& note : series.notes) {
        html += text::EscapeHtml(note) + "<br>\n";
    }
    html += "</small></p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>";
    for (std::size_t c = 0; c < TableColumns().size(); ++c) {
        html += HtmlCell("th", TableColumns()[c], IsNumberColumn(c));
    }
    html += "</tr>\n";
    for (const PipeRow& row : table.rows) {
        const bool chosen = row.mark == PipeMark::Scelto;
        html += chosen ? "<tr style=\"font-weight:bold\">" : "<tr>";
        const std::vector<std::string> cells = TableCells(row);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            html += HtmlCell("td", cells[c], IsNumberColumn(c));
        }
        html += "</tr>\n";
    }
    html += "</table>\n";
    for (const std::string& note : table.notes) {
        html += "<p>" + text::EscapeHtml(note) + "</p>\n";
    }
    html += "</body></html>\n";
    return html;
}

}  // namespace idrovela::tools
