#include "sheet/calculator_link.h"

#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"
#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "circuit/messages.h"
#include "columns/columns.h"
#include "physics/decimal_text.h"
#include "sheet/input.h"
#include "text/quoted.h"
#include "window/controls.h"

namespace idrovela::sheet {

namespace {

constexpr double kWattsPerKilowatt = 1000.0;

tools::FluidKind KindOf(circuit::FluidType type) {
    switch (type) {
        case circuit::FluidType::Acqua:
            return tools::FluidKind::Acqua;
        case circuit::FluidType::Etilenico:
            return tools::FluidKind::Etilenico;
        case circuit::FluidType::Propilenico:
            return tools::FluidKind::Propilenico;
    }
    return tools::FluidKind::Acqua;
}

// The range of the main window's diameter, as its spinner keeps it.
int LargestDiameterMm() {
    for (const window::SpinnerDesign& spinner : window::kSpinners) {
        if (spinner.name == "UpDown_D") {
            return spinner.maximum;
        }
    }
    return window::kSpinnerMinimum;
}

}  // namespace

std::variant<tools::CalculatorSetUp, std::string> CalculatorSetUpFor(
    const circuit::Circuit& circuit, const circuit::Solution& solution,
    const catalogues::Catalogue& catalogue, std::size_t segment) {
    const circuit::Segment& data = circuit.segments[segment];
    const circuit::SegmentResult& result = solution.segments[segment];
    const std::string named = "Il tratto " + text::Quoted(data.id);
    tools::CalculatorSetUp setUp;
    try {
        setUp.flowLph = DoubleToInteger(result.flowLph);
    } catch (const RuntimeError&) {
        return named + " porta " + physics::QuantityText(result.flowLph, "l/h") +
               ": la finestra principale tiene al più " +
               physics::QuantityText(Integer::kMax, "l/h") + ".";
    }
    if (setUp.flowLph.value() <= 0) {
        return named +
               " non porta portata: la finestra principale non calcola una perdita "
               "senza portata.";
    }
    // Rounded as UpDown_D will take it; far beyond its range there is nothing to round.
    const bool inReach = result.innerMm < LargestDiameterMm() + 1.0;
    const int wholeMm = inReach ? DoubleToInteger(result.innerMm).value() : 0;
    if (wholeMm < window::kSpinnerMinimum || wholeMm > LargestDiameterMm()) {
        return named + " ha un diametro interno di " + physics::QuantityText(result.innerMm, "mm") +
               ": la finestra principale va da " +
               physics::QuantityText(window::kSpinnerMinimum, "mm") + " a " +
               physics::QuantityText(LargestDiameterMm(), "mm") + ".";
    }
    // The window's velocity, to hundredths, at that bore: 0 makes its Reynolds number 0, and its
    // loss stops on a division by zero as for no flow at all.
    if (Module_Calcoli::CalcolaVelocita(
            Currency(setUp.flowLph), Integer(static_cast<std::int16_t>(wholeMm))) == Currency()) {
        return named + " porta " + physics::QuantityText(result.flowLph, "l/h") +
               ": in un diametro di " + physics::QuantityText(wholeMm, "mm") +
               " la finestra principale arrotonda la velocità a 0,00 m/s e non calcola una "
               "perdita.";
    }
    // dT and P as the window holds them: P is the load the sheet shows, in whole watts.
    setUp.deltaTText = NumberToText(solution.fluid.deltaK);
    setUp.powerText =
        NumberToText(TextToDouble(columns::FixedFigure(result.loadW, 0)) / kWattsPerKilowatt);
    if (!tools::FlowFromPower(setUp.powerText, setUp.deltaTText)) {
        return named + " ha un carico di " + physics::QuantityText(result.loadW, "W") + ": da P " +
               setUp.powerText + " kW e dT " + setUp.deltaTText +
               " °C la finestra principale ricaverebbe una portata oltre i " +
               physics::QuantityText(Integer::kMax, "l/h") + " che tiene.";
    }
    setUp.flowLphUnrounded = result.flowLph;
    setUp.pascalPerMetre = result.flow.pascalPerMetre;
    setUp.fluid.kind = KindOf(circuit.fluid.type);
    setUp.fluid.volumePercent = circuit.fluid.volumePercent;
    setUp.fluid.celsius = solution.fluid.meanC;
    setUp.tube.seriesName = data.tube.series;
    const catalogues::Series* series = catalogue.Find(data.tube.series);
    setUp.tube.seriesTitle = series != nullptr ? series->title : data.tube.series;
    setUp.tube.tube.designation = result.designation;
    setUp.tube.tube.innerMm = result.innerMm;
    setUp.tube.tube.roughnessMm = result.roughnessMm;
    if (series != nullptr) {
        // The outer diameter and the wall, which the circuit does not keep, from the catalogue.
        for (const catalogues::Tube& tube : series->tubes) {
            if (tube.designation == result.designation) {
                setUp.tube.tube.outerMm = tube.outerMm;
                setUp.tube.tube.wallMm = tube.wallMm;
            }
        }
    }
    return setUp;
}

Proposal AddTube(const Document& document, std::optional<std::size_t> parent,
                 const tools::ChosenTube& tube, std::string_view flowText) {
    const std::variant<double, std::string> flow = ReadNumber(flowText, "Portata G");
    if (const auto* problem = std::get_if<std::string>(&flow)) {
        return *problem;
    }
    circuit::Segment segment = NewSegment(document, parent);
    segment.lengthM = 0.0;
    segment.tube = {tube.seriesName, false, tube.tube.designation, tube.tube.innerMm,
                    tube.tube.roughnessMm};
    circuit::Terminal terminal;
    terminal.load = circuit::Terminal::Load::Flow;
    terminal.loadValue = std::get<double>(flow);
    segment.terminal = terminal;
    return AddDownstream(document, parent, std::move(segment));
}

}  // namespace idrovela::sheet
