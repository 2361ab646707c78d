#include "report/qt/system_curve_widget.h"

#include <QPainter>

#include "report/qt/curve_painter.h"

namespace idrovela::report::qt {

SystemCurveWidget::SystemCurveWidget(QWidget* parent)
    : QWidget(parent), curve_(MakeSystemCurve(circuit::PumpDuty{})) {
    setObjectName(QStringLiteral("CurvaImpianto"));
    setAccessibleName(QStringLiteral("Curva dell'impianto"));
    setToolTip(QStringLiteral(
        "Curva dell'impianto: la perdita del circuito al variare della portata, da 0 a 1,5 "
        "volte quella di progetto, con il punto di lavoro della pompa"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void SystemCurveWidget::ShowPump(const circuit::PumpDuty& pump) {
    curve_ = MakeSystemCurve(pump);
    update();
}

QSize SystemCurveWidget::sizeHint() const {
    const int line = fontMetrics().height();
    return {line * 36, line * 22};
}

QSize SystemCurveWidget::minimumSizeHint() const {
    const int line = fontMetrics().height();
    return {line * 18, line * 12};
}

void SystemCurveWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int pad = fontMetrics().height() / 2;
    PaintSystemCurve(painter, QRectF(rect().adjusted(pad, pad, -pad, -pad)), curve_, font(), true);
}

}  // namespace idrovela::report::qt
