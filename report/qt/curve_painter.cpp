#include "report/qt/curve_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace idrovela::report::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QColor kCurveColour(0x1f, 0x4e, 0x9a);
const QColor kMarginColour(0xb0, 0x3a, 0x2e);
const QColor kGridColour(0xd8, 0xd8, 0xd8);

}  // namespace

void PaintSystemCurve(QPainter& painter, const QRectF& rect, const SystemCurve& curve,
                      const QFont& font, bool legend) {
    painter.save();
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    const double unit = line / 12.0;  // a pen's width at any resolution

    QStringList legendLines;
    if (legend) {
        for (const std::string& text : curve.legend) {
            legendLines << FromUtf8(text);
        }
    }
    const Axis& x = curve.flowAxis;
    const Axis& y = curve.lossAxis;
    double labelWidth = 0.0;
    for (std::size_t n = 0; n <= y.Ticks(); ++n) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(FromUtf8(y.TickLabel(n))));
    }
    // Room for the y caption (turned), its tick labels, the x labels and caption, the legend.
    const QRectF plot =
        rect.adjusted(line * 1.6 + labelWidth + line * 0.4,
                      line * (0.6 + static_cast<double>(legendLines.size()) * 1.1),
                      -metrics.horizontalAdvance(QStringLiteral("000")) / 2, -line * 2.8);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    const auto at = [&](double flow, double loss) {
        return QPointF(plot.left() + plot.width() * flow / x.max,
                       plot.bottom() - plot.height() * loss / y.max);
    };

    painter.setPen(QPen(Qt::black, unit));
    for (int i = 0; i < legendLines.size(); ++i) {
        // A narrow widget shows the start of a long line, not a cut through a character.
        const QString shown =
            metrics.elidedText(legendLines[i], Qt::ElideRight, rect.right() - plot.left());
        painter.drawText(QPointF(plot.left(), rect.top() + line * (0.9 + 1.1 * i)), shown);
    }

    // The grid and the ticks' labels.
    painter.setPen(QPen(kGridColour, unit));
    for (std::size_t n = 1; n <= x.Ticks(); ++n) {
        painter.drawLine(at(x.Tick(n), 0.0), at(x.Tick(n), y.max));
    }
    for (std::size_t n = 1; n <= y.Ticks(); ++n) {
        painter.drawLine(at(0.0, y.Tick(n)), at(x.max, y.Tick(n)));
    }
    painter.setPen(QPen(Qt::black, unit));
    for (std::size_t n = 0; n <= x.Ticks(); ++n) {
        const QString label = FromUtf8(x.TickLabel(n));
        const QPointF tick = at(x.Tick(n), 0.0);
        painter.drawLine(tick, tick + QPointF(0, line * 0.25));
        painter.drawText(QPointF(tick.x() - metrics.horizontalAdvance(label) / 2,
                                 tick.y() + line * 0.25 + metrics.ascent()),
                         label);
    }
    for (std::size_t n = 0; n <= y.Ticks(); ++n) {
        const QString label = FromUtf8(y.TickLabel(n));
        const QPointF tick = at(0.0, y.Tick(n));
        painter.drawLine(tick, tick - QPointF(line * 0.25, 0));
        painter.drawText(QPointF(tick.x() - line * 0.4 - metrics.horizontalAdvance(label),
                                 tick.y() + metrics.ascent() / 2 - metrics.descent() / 2),
                         label);
    }
    painter.drawRect(plot);

    // The captions.
    const QString xCaption = FromUtf8(x.caption);
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(xCaption) / 2,
                             plot.bottom() + line * 1.4 + metrics.ascent()),
                     xCaption);
    const QString yCaption = FromUtf8(y.caption);
    painter.save();
    painter.translate(rect.left() + metrics.ascent(),
                      plot.center().y() + metrics.horizontalAdvance(yCaption) / 2);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), yCaption);
    painter.restore();

    if (curve.points.empty()) {
        painter.restore();
        return;
    }
    QPainterPath path(at(curve.points.front().flowM3h, curve.points.front().lossKPa));
    for (const CurvePoint& point : curve.points) {
        path.lineTo(at(point.flowM3h, point.lossKPa));
    }
    painter.setClipRect(plot.adjusted(-unit, -unit, unit, unit), Qt::IntersectClip);
    painter.setPen(QPen(kCurveColour, unit * 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    const double mark = line * 0.3;
    if (curve.duty) {
        const QPointF duty = at(curve.duty->flowM3h, curve.duty->lossKPa);
        painter.setPen(QPen(kCurveColour, unit, Qt::DashLine));
        painter.drawLine(duty, QPointF(duty.x(), plot.bottom()));
        painter.drawLine(duty, QPointF(plot.left(), duty.y()));
        painter.setPen(QPen(kCurveColour, unit));
        painter.setBrush(kCurveColour);
        painter.drawEllipse(duty, mark, mark);
        painter.setPen(Qt::black);
        painter.drawText(duty + QPointF(mark * 1.8, line * 0.9), QStringLiteral("punto di lavoro"));
    }
    if (curve.dutyWithMargins) {
        const QPointF margins = at(curve.dutyWithMargins->flowM3h, curve.dutyWithMargins->lossKPa);
        painter.setPen(QPen(kMarginColour, unit * 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(margins - QPointF(mark, mark), QSizeF(2 * mark, 2 * mark)));
        painter.setPen(kMarginColour);
        const QString text = QStringLiteral("con i margini");
        // Left of the mark, where the curve leaves room above it.
        painter.drawText(
            margins + QPointF(-mark * 1.8 - metrics.horizontalAdvance(text), -mark * 1.2), text);
    }
    painter.restore();
}

}  // namespace idrovela::report::qt
