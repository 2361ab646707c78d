#pragma once

#include <cstdint>
#include <string>

#include "calc/numbers.h"

namespace idrovela::recalc {

// The fields the recalculation reads and writes, by the quantity they hold.
enum class Field { D, V, Y, G, P, dT, Mu, Rho, Epsilon };

// The solve modes, one option button each.
enum class Mode { Potenza, Perdita, Diametro };

// What a recalculation needs of its window. Writing a field's text runs, inside the write, what
// the window's change handler of that field does; reading has no effect.
class RecalcWindow {
  public:
    [[nodiscard]] virtual const std::string& Text(Field field) const = 0;
    virtual void SetText(Field field, const std::string& text) = 0;
    [[nodiscard]] virtual bool Selected(Mode mode) const = 0;
    virtual void SetNumeroReynolds(Currency reynolds) = 0;
    // Counts one loss evaluation as it starts, then the friction-factor steps it took once it is
    // done, so that the work of a recalculation can be bounded and measured. The steps are the
    // stepping's nominal count; the differences are the Colebrook-White differences the friction
    // factor really worked out, counted also when it ended in an error.
    virtual void CountEvaluation() = 0;
    virtual void CountLambdaSteps(std::int64_t steps) = 0;
    virtual void CountColebrookDifferences(std::int64_t differences) = 0;

  protected:
    RecalcWindow() = default;
    RecalcWindow(const RecalcWindow&) = default;
    RecalcWindow& operator=(const RecalcWindow&) = default;
    ~RecalcWindow() = default;
};

}  // namespace idrovela::recalc
