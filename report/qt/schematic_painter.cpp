#include "report/qt/schematic_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace idrovela::report::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QColor kLine(0x33, 0x33, 0x33);
const QColor kIndex(0x9a, 0x1f, 0x1f);
const QColor kSelected(0x2a, 0x6f, 0xd6);
constexpr double kLineWidth = 1.5;
constexpr double kIndexWidth = 4.0;
constexpr double kPad = 6.0;
constexpr double kSymbolWidth = 18.0;
constexpr double kSymbolHeight = 14.0;
constexpr double kDot = 3.0;
// The labels on a page, in the layout's units: the size the window's view shows them at 1:1.
constexpr int kPageLabelPixels = 13;

QRectF Band(const SegmentStroke& stroke) {
    return {stroke.x0, stroke.y - stroke.rowHeight / 2, stroke.x1 - stroke.x0, stroke.rowHeight};
}

// The vertical lines at the segment's end: the one its segments hang from, and the index path's.
void PaintVerticals(QPainter& painter, const SegmentStroke& s) {
    if (s.branchBottom > s.y) {
        painter.setPen(QPen(kLine, kLineWidth));
        painter.drawLine(QPointF(s.x1, s.y), QPointF(s.x1, s.branchBottom));
    }
    if (s.indexDownTo && *s.indexDownTo > s.y) {
        painter.setPen(QPen(kIndex, kIndexWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(s.x1, s.y), QPointF(s.x1, *s.indexDownTo));
    }
}

// The dot where the segments it feeds leave its end.
void PaintJoint(QPainter& painter, const SegmentStroke& s) {
    if (s.branchBottom > s.y || s.indexDownTo) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(s.onIndexPath ? kIndex : kLine);
        painter.drawEllipse(QPointF(s.x1, s.y), kDot, kDot);
    }
}

void PaintLabels(QPainter& painter, const SegmentStroke& s, const SegmentLabels& labels) {
    const double room = s.x1 - s.x0 - 2 * kPad;
    const QFont base = painter.font();
    QFont bold = base;
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    const QFontMetricsF metrics(base);
    const QString id = boldMetrics.elidedText(labels.id, Qt::ElideRight, room * 0.6);
    const double idWidth = boldMetrics.horizontalAdvance(id);
    painter.setPen(s.selected ? kSelected : (s.onIndexPath ? kIndex : Qt::black));
    painter.setFont(bold);
    const double above = s.y - kIndexWidth / 2 - metrics.descent() - 2;
    painter.drawText(QPointF(s.x0 + kPad, above), id);
    painter.setFont(base);
    painter.setPen(QColor(0x44, 0x44, 0x44));
    painter.drawText(QPointF(s.x0 + kPad + idWidth + kPad, above),
                     metrics.elidedText(labels.tube, Qt::ElideRight, room - idWidth - kPad));
    painter.drawText(QPointF(s.x0 + kPad, s.y + kIndexWidth / 2 + 2 + metrics.ascent()),
                     metrics.elidedText(labels.loss, Qt::ElideRight, room));
}

}  // namespace

void PaintSegment(QPainter& painter, const SegmentStroke& s, const SegmentLabels* labels) {
    if (s.selected) {
        QColor fill = kSelected;
        fill.setAlpha(40);
        painter.fillRect(Band(s).adjusted(1, 3, -1, -3), fill);
    }
    // The vertical lines first, so the segment's own line lies over their start.
    PaintVerticals(painter, s);
    painter.setPen(QPen(s.selected ? kSelected : (s.onIndexPath ? kIndex : kLine),
                        s.onIndexPath ? kIndexWidth : kLineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(s.x0, s.y), QPointF(s.x1, s.y));
    PaintJoint(painter, s);
    if (labels != nullptr) {
        PaintLabels(painter, s, *labels);
    }
}

void PaintBranch(QPainter& painter, const SegmentStroke& stroke) {
    PaintVerticals(painter, stroke);
    PaintJoint(painter, stroke);
}

void PaintTerminal(QPainter& painter, double x, double y, double width, const QString& label,
                   bool index, bool labels) {
    // A radiator: a box with fins, filled for the index terminal.
    const QRectF symbol(x + 4, y - kSymbolHeight / 2, kSymbolWidth, kSymbolHeight);
    const QColor colour = index ? kIndex : kLine;
    painter.setPen(QPen(colour, kLineWidth));
    painter.drawLine(QPointF(x, y), QPointF(symbol.left(), y));
    painter.setBrush(index ? QBrush(colour) : QBrush(Qt::white));
    painter.drawRect(symbol);
    painter.setPen(QPen(index ? Qt::white : colour, 1.0));
    for (int fin = 1; fin <= 3; ++fin) {
        const double finX = symbol.left() + symbol.width() * fin / 4;
        painter.drawLine(QPointF(finX, symbol.top() + 3), QPointF(finX, symbol.bottom() - 3));
    }
    if (!labels) {
        return;
    }
    QFont font = painter.font();
    font.setBold(index);
    painter.setFont(font);
    painter.setPen(index ? kIndex : Qt::black);
    const QFontMetricsF metrics(font);
    const double left = symbol.right() + kPad;
    painter.drawText(QPointF(left, y + metrics.ascent() / 2 - metrics.descent() / 2),
                     metrics.elidedText(label, Qt::ElideRight, x + width - left - kPad));
}

void PaintSource(QPainter& painter, const QRectF& box) {
    painter.setPen(QPen(kLine, 2.0));
    painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
    painter.drawRect(box);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    // At the top, where the first segment leaves it, whatever its height.
    const QFontMetricsF metrics(bold);
    const QRectF head(box.left(), box.top(), box.width(),
                      std::min(box.height(), metrics.height() * 2.5));
    painter.drawText(head, Qt::AlignCenter, QStringLiteral("Sorgente"));
}

QRectF SourceBox(const SchematicLayout& layout) {
    return {layout.sourceLeft, layout.sourceTop + 6, layout.sourceRight - layout.sourceLeft,
            layout.sourceBottom - layout.sourceTop - 12};
}

void PaintSchematicPart(QPainter& painter, const QRectF& place, const SchematicPages& pages,
                        std::size_t index) {
    const SchematicPart& part = pages.parts.at(index);
    const SchematicLayout& layout = pages.layout;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // From the layout's units into the place, the same scale both ways.
    const double scale = std::min(place.width() / part.width, place.height() / part.height);
    painter.translate(place.topLeft());
    painter.scale(scale, scale);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(kPageLabelPixels);
    painter.setFont(font);
    if (!part.caption.empty()) {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(bold);
        painter.drawText(QPointF(0, metrics.ascent()), FromUtf8(part.caption));
        painter.setFont(font);
    }
    // The drawing below the caption, cut at the part's edges.
    painter.translate(-part.left, pages.captionHeight - part.top);
    painter.setClipRect(QRectF(part.left, part.top, part.width, part.height - pages.captionHeight));
    if (part.firstColumn == 0) {
        PaintSource(painter, SourceBox(layout));
        painter.setFont(font);
    }
    for (std::size_t i = 0; i < layout.segments.size(); ++i) {
        const SchematicSegment& segment = layout.segments[i];
        const bool holds = PartHolds(part, segment);
        if (!holds && !PartCrossesBranch(part, segment, layout.metrics)) {
            continue;
        }
        SegmentStroke stroke{segment.x0,
                             segment.x1,
                             segment.y,
                             segment.branchBottom,
                             layout.metrics.rowHeight,
                             segment.onIndexPath,
                             pages.indexDownTo[i],
                             false};
        if (!holds) {
            PaintBranch(painter, stroke);
            continue;
        }
        const SegmentLabels labels{FromUtf8(segment.texts.id), FromUtf8(segment.texts.tube),
                                   FromUtf8(segment.texts.loss)};
        PaintSegment(painter, stroke, &labels);
        painter.setFont(font);
        if (const std::optional<std::size_t> terminal = layout.terminalOf[i]) {
            const SchematicTerminal& t = layout.terminals[*terminal];
            PaintTerminal(painter, t.x, t.y, layout.metrics.terminalWidth, FromUtf8(t.label),
                          t.index, true);
            painter.setFont(font);
        }
    }
    painter.restore();
}

}  // namespace idrovela::report::qt
