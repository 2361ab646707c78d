#pragma once

#include "report/system_curve.h"

class QFont;
class QPainter;
class QRectF;

namespace idrovela::report::qt {

// Paints a system curve into `rect`: the axes with their ticks and captions, a light grid, the
// curve, the duty point (a filled dot) and the duty with margins (a hollow square), each named
// beside it; the legend above the plot when `legend` is set. Sizes follow the font on the
// painter's device, so the same call draws a widget and a page of a PDF.
void PaintSystemCurve(QPainter& painter, const QRectF& rect, const SystemCurve& curve,
                      const QFont& font, bool legend);

}  // namespace idrovela::report::qt
