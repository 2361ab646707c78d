#include "tools/physics_panel.h"

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "physics/physics_error.h"
#include "tools/display_numbers.h"
#include "window/form_principale.h"

namespace idrovela::tools {

namespace {

// Reads one of the window's texts as its loss mode does; a text that does not convert leaves a
// message naming the field.
template <typename Convert>
bool Read(const window::TextBox& field, const char* what, Convert convert, double& value,
          std::string& message) {
    try {
        value = convert(field.Text()).toDouble();
        return true;
    } catch (const RuntimeError& error) {
        message = std::string(what) + ": " + Quoted(field.Text()) +
                  (error.code() == ErrorCode::Overflow ? " è fuori campo" : " non è un numero");
        return false;
    }
}

std::string Regime(const physics::PipeFlow& flow) {
    return flow.regime ? std::string(physics::RegimeName(*flow.regime)) : "—";
}

}  // namespace

PhysicsCheck CheckPhysics(const window::Form_Principale& form) {
    PhysicsCheck check;
    check.lossMode = form.Option_Perdita.Value();
    check.windowY = form.Text_Y.Text();
    physics::PipeFlowInputs& in = check.inputs;
    const auto integer = [](std::string_view text) { return TextToInteger(text); };
    const auto currency = [](std::string_view text) { return TextToCurrency(text); };
    if (!Read(form.Text_D, "Diametro", integer, in.diameterMm, check.message) ||
        !Read(form.Text_V, "Velocità", currency, in.velocityMs, check.message) ||
        !Read(form.Text_Rho, "Densità", currency, in.densityKgM3, check.message) ||
        !Read(form.Text_Mu, "Viscosità", currency, in.viscosityMPaS, check.message) ||
        !Read(form.Text_epsilon, "Rugosità", currency, in.roughnessMm, check.message)) {
        return check;
    }
    try {
        check.flow = physics::StandardPipeFlow(in);
    } catch (const physics::PhysicsError& error) {
        check.message = error.what();
    }
    return check;
}

std::vector<PanelLine> PanelLines(const PhysicsCheck& check) {
    std::vector<PanelLine> lines;
    if (check.flow) {
        const physics::PipeFlowInputs& in = check.inputs;
        const physics::PipeFlow& flow = *check.flow;
        lines = {
            {"Diametro interno", Shown(in.diameterMm, 0) + " mm"},
            {"Velocità", Shown(in.velocityMs, 4) + " m/s"},
            {"Densità", Shown(in.densityKgM3, 4) + " kg/m³"},
            {"Viscosità", Shown(in.viscosityMPaS, 4) + " mPa·s"},
            {"Rugosità", Shown(in.roughnessMm, 4) + " mm"},
            {"Numero di Reynolds", Shown(flow.reynolds, 0)},
            {"Regime", Regime(flow)},
            {"λ (Darcy)", flow.lambda ? Shown(*flow.lambda, 5) : "—"},
            {"Perdita di carico", Shown(flow.pascalPerMetre, 1) + " Pa/m"},
            {"", Shown(flow.mbarPerMetre, 3) + " mbar/m"},
            {"", Shown(flow.mmWaterPerMetre, 1) + " mm c.a./m"},
        };
    }
    lines.push_back({check.lossMode ? "Y calcolata" : "Y obiettivo", check.windowY});
    return lines;
}

std::vector<std::string> PanelNotes(const PhysicsCheck& check) {
    std::vector<std::string> notes;
    if (!check.flow) {
        notes.push_back(check.message);
        return notes;
    }
    const physics::PipeFlow& flow = *check.flow;
    if (flow.regime == physics::Regime::Transizione) {
        notes.emplace_back(
            "Regime di transizione (Re tra 2300 e 4000): λ di Colebrook-White, valore incerto.");
    }
    if (flow.outsideCheckedRange) {
        notes.emplace_back(
            "Fuori dal campo in cui la relazione è stata verificata (ε/D fino a 0,05, Re fino a "
            "10⁸).");
    }
    notes.emplace_back(kWhyTheyDiffer);
    notes.emplace_back(
        "Il pannello lavora al diametro intero in mm e alla rugosità della finestra; la tabella "
        "dei tubi commerciali usa il diametro interno esatto di ogni tubo e la rugosità della sua "
        "serie, perciò per lo stesso tubo le due perdite possono differire di poco.");
    return notes;
}

std::string SessionLines(const PhysicsCheck& check) {
    if (!check.flow) {
        return "physics.error=" + check.message + '\n';
    }
    const physics::PipeFlow& flow = *check.flow;
    std::string lines;
    lines += "physics.Re=" + Exact(flow.reynolds) + '\n';
    lines += "physics.regime=" +
             (flow.regime ? std::string(physics::RegimeName(*flow.regime)) : std::string("-")) +
             '\n';
    lines += "physics.lambda=" + (flow.lambda ? Exact(*flow.lambda) : std::string("-")) + '\n';
    lines += "physics.Pa_per_m=" + Exact(flow.pascalPerMetre) + '\n';
    lines += "physics.mbar_per_m=" + Exact(flow.mbarPerMetre) + '\n';
    lines += "physics.mmca_per_m=" + Exact(flow.mmWaterPerMetre) + '\n';
    return lines;
}

}  // namespace idrovela::tools
