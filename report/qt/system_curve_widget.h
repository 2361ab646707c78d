#pragma once

#include <QWidget>

#include "circuit/solve.h"
#include "report/system_curve.h"

namespace idrovela::report::qt {

// "Curva dell'impianto": the system curve of a circuit's pump duty, painted to fill the widget,
// with its legend. Show it again after every recalculation.
class SystemCurveWidget final : public QWidget {
  public:
    explicit SystemCurveWidget(QWidget* parent = nullptr);

    void ShowPump(const circuit::PumpDuty& pump);
    [[nodiscard]] const SystemCurve& Curve() const { return curve_; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SystemCurve curve_;
};

}  // namespace idrovela::report::qt
