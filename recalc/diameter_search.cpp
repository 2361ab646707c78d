#include <optional>

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"
#include "recalc/ricalcola.h"

namespace idrovela::recalc {

namespace MC = Module_Calcoli;

namespace {

Integer NextMillimetre(Integer diameterMm) {
    if (diameterMm.value() == Integer::kMax) {
        Raise(ErrorCode::Overflow);
    }
    return Integer(static_cast<std::int16_t>(diameterMm.value() + 1));
}

}  // namespace

void DiameterSearch(RecalcWindow& window) {
    const Integer startFlow = TextToInteger(window.Text(Field::G));
    Integer diameter = MC::CalcolaDiametro(startFlow, Currency::fromWhole(10));
    Currency loss = Currency::fromWhole(1'000'000);
    std::optional<Currency> velocity;

    // The target is read anew for every test; the start diameter itself is never evaluated.
    while (loss > TextToCurrency(window.Text(Field::Y))) {
        diameter = NextMillimetre(diameter);
        velocity = MC::CalcolaVelocita(TextToCurrency(window.Text(Field::G)), diameter);
        loss = Currency(ValutaPerdita(window, *velocity, diameter));
    }

    window.SetText(Field::D, NumberToText(diameter));
    if (!velocity) {
        velocity = MC::CalcolaVelocita(TextToCurrency(window.Text(Field::G)), diameter);
    }
    window.SetText(Field::V, NumberToText(*velocity));
}

}  // namespace idrovela::recalc
