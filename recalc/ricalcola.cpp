#include "recalc/ricalcola.h"

#include <cstdint>

#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"
#include "calc/text_conversions.h"

namespace idrovela::recalc {

namespace MC = Module_Calcoli;

void Ricalcola(RecalcWindow& window) {
    // Three independent tests, each on the selection at the moment it is made.
    if (window.Selected(Mode::Potenza)) {
        PowerSearch(window);
    }
    if (window.Selected(Mode::Perdita)) {
        LossMode(window);
    }
    if (window.Selected(Mode::Diametro)) {
        DiameterSearch(window);
    }
}

Long ValutaPerdita(RecalcWindow& window, Currency velocityMs, Integer diameterMm) {
    window.CountEvaluation();
    const Currency mu = TextToCurrency(window.Text(Field::Mu));
    const Currency rho = TextToCurrency(window.Text(Field::Rho));
    const Currency reynolds =
        DoubleToCurrency(MC::CalcolaReynolds(velocityMs, rho, mu, diameterMm));
    window.SetNumeroReynolds(reynolds);
    const Currency epsilon = TextToCurrency(window.Text(Field::Epsilon));
    std::int64_t differences = 0;
    MC::LambdaStepping lambda;
    try {
        lambda = MC::LambdaAndSteps(epsilon, diameterMm, reynolds, &differences);
    } catch (...) {
        window.CountColebrookDifferences(differences);
        throw;
    }
    window.CountColebrookDifferences(differences);
    window.CountLambdaSteps(lambda.steps);
    return MC::CalcolaPerdita(lambda.lambda, velocityMs, diameterMm);
}

void LossMode(RecalcWindow& window) {
    const Integer diameter = TextToInteger(window.Text(Field::D));
    const Currency velocity = TextToCurrency(window.Text(Field::V));
    const Long loss = ValutaPerdita(window, velocity, diameter);
    window.SetText(Field::Y, NumberToText(loss));
}

}  // namespace idrovela::recalc
