#include "tools/calculator_setup.h"

#include <vector>

#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"
#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "text/figures.h"
#include "tools/physics_panel.h"
#include "tools/pipe_table.h"
#include "window/form_principale.h"

namespace idrovela::tools {

namespace {

constexpr double kPercent = 100.0;

// "R della verifica fisica 412,3 Pa/m (tratto: 413,1 Pa/m, circa 0,19 % in meno)".
std::string LossPart(double panel, double pipe) {
    std::string part = "R della verifica fisica " + text::Shown(panel, 1) +
                       " Pa/m (tratto: " + text::Shown(pipe, 1) + " Pa/m";
    if (pipe != 0.0 && panel != pipe) {
        const double share = (panel > pipe ? panel - pipe : pipe - panel) / pipe * kPercent;
        const std::string shown = text::Shown(share, 2);
        part += shown == "0" ? ", meno dello 0,01 %"
                             : ", circa " + shown + " % " + (panel > pipe ? "in più" : "in meno");
    }
    return part + ')';
}

}  // namespace

std::optional<Integer> FlowFromPower(std::string_view powerText, std::string_view deltaTText) {
    try {
        const double flow =
            Module_Calcoli::CalcolaPortata(TextToDouble(powerText), TextToDouble(deltaTText));
        return TextToInteger(NumberToText(flow));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<std::string> SetUpCalculator(window::Form_Principale& form, ToolMemory& memory,
                                           const CalculatorSetUp& setUp) {
    const bool power = !setUp.powerText.empty();
    if (power && !FlowFromPower(setUp.powerText, setUp.deltaTText.empty() ? form.Text_dT.Text()
                                                                          : setUp.deltaTText)) {
        return "La finestra principale non tiene la portata che ricava da P " + setUp.powerText +
               " kW: resta com'è.";
    }
    form.UserClick(form.Option_Perdita);  // nothing when it is already selected
    const FluidEvaluation fluid = memory.ApplyFluid(form, setUp.fluid);
    if (!fluid.properties) {
        return fluid.error;
    }
    if (!setUp.deltaTText.empty()) {
        form.UserEdit(form.Text_dT, setUp.deltaTText);
    }
    if (power) {
        form.UserEdit(form.Text_P, setUp.powerText);  // its change writes G from P and dT
    }
    form.UserEdit(form.Text_G, NumberToText(setUp.flowLph));
    // The row "Tubi commerciali" would show for the tube: what choosing reads of it.
    catalogues::Series series;
    series.name = setUp.tube.seriesName;
    series.title = setUp.tube.seriesTitle;
    PipeRow row;
    row.tube = setUp.tube.tube;
    try {
        row.wholeDiameterMm = DoubleToInteger(row.tube.innerMm).value();
    } catch (const RuntimeError&) {
        return "Il diametro interno del tubo è fuori da quello che la finestra principale tiene.";
    }
    // The bore first, so that the material preset's recalculation already works at it: at the
    // old D a small flow's velocity may round to 0, and the loss stop on a division by zero.
    form.UserEdit(form.Text_D, WholeDiameterText(row));
    if (!memory.ChooseTube(form, series, row)) {
        return "La finestra principale non ha preso il tubo: il diametro non si può scegliere.";
    }
    return std::nullopt;
}

std::string CalculatorNote(const window::Form_Principale& form, const ToolMemory& memory,
                           const CalculatorSetUp& setUp) {
    std::vector<std::string> parts;
    const double bore = setUp.tube.tube.innerMm;
    if (text::Shown(bore, 2) != form.Text_D.Text()) {
        parts.push_back("D arrotondato a " + form.Text_D.Text() +
                        " mm (tratto: " + text::Shown(bore, 2) + " mm)");
    }
    const std::string flow = NumberToText(setUp.flowLph);
    if (setUp.flowLphUnrounded && text::Shown(*setUp.flowLphUnrounded, 2) != flow) {
        parts.push_back("G arrotondata a " + flow +
                        " l/h (tratto: " + text::Shown(*setUp.flowLphUnrounded, 2) + " l/h)");
    }
    if (!setUp.powerText.empty()) {
        const std::optional<Integer> fromPower =
            FlowFromPower(form.Text_P.Text(), form.Text_dT.Text());
        if (fromPower && *fromPower != setUp.flowLph) {
            parts.push_back("da P " + form.Text_P.Text() + " kW e dT " + form.Text_dT.Text() +
                            " °C la finestra ricaverebbe G " + NumberToText(*fromPower) + " l/h");
        }
    }
    const PhysicsCheck check = CheckPhysics(form, memory.Tube());
    if (check.flow && setUp.pascalPerMetre) {
        const double panel = check.flow->pascalPerMetre;
        const double pipe = *setUp.pascalPerMetre;
        if (!parts.empty() || text::Shown(panel, 1) != text::Shown(pipe, 1)) {
            parts.push_back(LossPart(panel, pipe));
        }
    }
    std::string note;
    for (const std::string& part : parts) {
        note += (note.empty() ? "" : "; ") + part;
    }
    return note.empty() ? note : note + '.';
}

}  // namespace idrovela::tools
