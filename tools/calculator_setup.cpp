#include "tools/calculator_setup.h"

#include "calc/number_conversions.h"
#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "tools/pipe_table.h"
#include "window/form_principale.h"

namespace idrovela::tools {

std::optional<std::string> SetUpCalculator(window::Form_Principale& form, ToolMemory& memory,
                                           const CalculatorSetUp& setUp) {
    form.UserClick(form.Option_Perdita);  // nothing when it is already selected
    const FluidEvaluation fluid = memory.ApplyFluid(form, setUp.fluid);
    if (!fluid.properties) {
        return fluid.error;
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
    if (!memory.ChooseTube(form, series, row)) {
        return "La finestra principale non ha preso il tubo: il diametro non si può scegliere.";
    }
    return std::nullopt;
}

}  // namespace idrovela::tools
