#include "tools/physics_panel.h"

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "physics/physics_error.h"
#include "text/figures.h"
#include "text/quoted.h"
#include "tools/pipe_table.h"
#include "window/form_principale.h"

namespace idrovela::tools {

using text::Exact;
using text::Shown;

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
        message = std::string(what) + ": " + text::Quoted(field.Text(), text::Quoting::AsTyped) +
                  (error.code() == ErrorCode::Overflow ? " è fuori campo" : " non è un numero");
        return false;
    }
}

std::string TubeName(const ChosenTube& tube) {
    return tube.tube.designation + " (" + tube.seriesTitle + ")";
}

std::string Regime(const physics::PipeFlow& flow) {
    return flow.regime ? std::string(physics::RegimeName(*flow.regime)) : "—";
}

}  // namespace

PhysicsCheck CheckPhysics(const window::Form_Principale& form, const ChosenTube* tube) {
    PhysicsCheck check;
    check.lossMode = form.Option_Perdita.Value();
    check.windowY = form.Text_Y.Text();
    physics::PipeFlowInputs& in = check.inputs;
    const auto integer = [](std::string_view text) { return TextToInteger(text); };
    const auto currency = [](std::string_view text) { return TextToCurrency(text); };
    if (tube != nullptr) {
        check.tube = *tube;
        in.diameterMm = tube->tube.innerMm;
        in.roughnessMm = tube->tube.roughnessMm;
    }
    double flowLph = 0;
    if ((tube == nullptr &&
         !Read(form.Text_D, "Diametro", integer, in.diameterMm, check.message)) ||
        !Read(form.Text_G, "Portata", currency, flowLph, check.message) ||
        !Read(form.Text_Rho, "Densità", currency, in.densityKgM3, check.message) ||
        !Read(form.Text_Mu, "Viscosità", currency, in.viscosityMPaS, check.message) ||
        (tube == nullptr &&
         !Read(form.Text_epsilon, "Rugosità", currency, in.roughnessMm, check.message))) {
        return check;
    }
    in.velocityMs = VelocityIn(flowLph, in.diameterMm);
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
            {"Diametro interno", Shown(in.diameterMm, 2) + " mm"},
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
    if (check.tube) {
        lines.insert(lines.begin(), {"Tubo", TubeName(*check.tube)});
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
    if (check.tube) {
        notes.emplace_back(
            "Diametro interno esatto e rugosità del tubo scelto in «Tubi commerciali»: la perdita "
            "è quella della tabella per lo stesso tubo. Cambiando il diametro, la rugosità o il "
            "materiale nella finestra, il pannello torna ai valori della finestra.");
    } else {
        notes.emplace_back(
            "Diametro della finestra in mm interi e rugosità della finestra. Scelto un tubo in "
            "«Tubi commerciali», il pannello usa il suo diametro interno esatto e la rugosità "
            "della sua serie, e la sua perdita è quella della tabella.");
    }
    notes.emplace_back(
        "La velocità è quella della portata G nel diametro usato, non arrotondata come quella "
        "della finestra.");
    return notes;
}

std::string SessionLines(const PhysicsCheck& check) {
    if (!check.flow) {
        return "physics.error=" + check.message + '\n';
    }
    const physics::PipeFlow& flow = *check.flow;
    std::string lines;
    if (check.tube) {
        lines +=
            "physics.tube=" + check.tube->seriesName + ' ' + check.tube->tube.designation + '\n';
    }
    lines += "physics.D_mm=" + Exact(check.inputs.diameterMm) + '\n';
    lines += "physics.w_m_s=" + Exact(check.inputs.velocityMs) + '\n';
    lines += "physics.epsilon_mm=" + Exact(check.inputs.roughnessMm) + '\n';
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
