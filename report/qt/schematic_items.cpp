#include "report/qt/schematic_items.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QWidget>

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

bool ShowLabels(const QStyleOptionGraphicsItem* option, const QPainter* painter) {
    return option->levelOfDetailFromTransform(painter->worldTransform()) >= kLabelsFromZoom;
}

}  // namespace

SegmentItem::SegmentItem(std::size_t index, const SchematicSegment& segment,
                         const SchematicMetrics& metrics)
    : index_(index),
      x0_(segment.x0),
      x1_(segment.x1),
      y_(segment.y),
      branchBottom_(segment.branchBottom),
      rowHeight_(metrics.rowHeight) {
    SetTexts(segment.texts);
    onIndexPath_ = segment.onIndexPath;
}

void SegmentItem::SetTexts(const SegmentTexts& texts) {
    if (texts == texts_ && !id_.isEmpty()) {
        return;
    }
    texts_ = texts;
    id_ = FromUtf8(texts.id);
    tube_ = FromUtf8(texts.tube);
    loss_ = FromUtf8(texts.loss);
    update();
}

void SegmentItem::SetIndexPath(bool on, std::optional<double> downToY) {
    if (on == onIndexPath_ && downToY == indexDownTo_) {
        return;
    }
    onIndexPath_ = on;
    indexDownTo_ = downToY;
    update();
}

void SegmentItem::SetSelected(bool selected) {
    if (selected != selected_) {
        selected_ = selected;
        update();
    }
}

QRectF SegmentItem::Band() const {
    return {x0_, y_ - rowHeight_ / 2, x1_ - x0_, rowHeight_};
}

QRectF SegmentItem::boundingRect() const {
    return Band().united(QRectF(x1_ - kIndexWidth, y_, 2 * kIndexWidth, branchBottom_ - y_));
}

QPainterPath SegmentItem::shape() const {
    QPainterPath path;
    path.addRect(Band());
    return path;
}

void SegmentItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    if (selected_) {
        QColor fill = kSelected;
        fill.setAlpha(40);
        painter->fillRect(Band().adjusted(1, 3, -1, -3), fill);
    }
    const QColor colour = onIndexPath_ ? kIndex : kLine;
    // The vertical line first, so the segment's own line lies over its start.
    if (branchBottom_ > y_) {
        painter->setPen(QPen(kLine, kLineWidth));
        painter->drawLine(QPointF(x1_, y_), QPointF(x1_, branchBottom_));
    }
    if (indexDownTo_ && *indexDownTo_ > y_) {
        painter->setPen(QPen(kIndex, kIndexWidth, Qt::SolidLine, Qt::FlatCap));
        painter->drawLine(QPointF(x1_, y_), QPointF(x1_, *indexDownTo_));
    }
    painter->setPen(QPen(selected_ ? kSelected : colour, onIndexPath_ ? kIndexWidth : kLineWidth,
                         Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(QPointF(x0_, y_), QPointF(x1_, y_));
    if (branchBottom_ > y_ || indexDownTo_) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawEllipse(QPointF(x1_, y_), 3.0, 3.0);
    }
    if (!ShowLabels(option, painter)) {
        return;
    }

    const double room = x1_ - x0_ - 2 * kPad;
    const QFont base = painter->font();
    QFont bold = base;
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    const QFontMetricsF metrics(base);
    const QString id = boldMetrics.elidedText(id_, Qt::ElideRight, room * 0.6);
    const double idWidth = boldMetrics.horizontalAdvance(id);
    painter->setPen(selected_ ? kSelected : (onIndexPath_ ? kIndex : Qt::black));
    painter->setFont(bold);
    const double above = y_ - kIndexWidth / 2 - metrics.descent() - 2;
    painter->drawText(QPointF(x0_ + kPad, above), id);
    painter->setFont(base);
    painter->setPen(QColor(0x44, 0x44, 0x44));
    painter->drawText(QPointF(x0_ + kPad + idWidth + kPad, above),
                      metrics.elidedText(tube_, Qt::ElideRight, room - idWidth - kPad));
    painter->drawText(QPointF(x0_ + kPad, y_ + kIndexWidth / 2 + 2 + metrics.ascent()),
                      metrics.elidedText(loss_, Qt::ElideRight, room));
}

TerminalItem::TerminalItem(const SchematicTerminal& terminal, const SchematicMetrics& metrics)
    : x_(terminal.x), y_(terminal.y), width_(metrics.terminalWidth), rowHeight_(metrics.rowHeight) {
    SetLabel(terminal.label, terminal.index);
}

void TerminalItem::SetLabel(const std::string& label, bool index) {
    if (label == label_ && index == index_ && !text_.isEmpty()) {
        return;
    }
    label_ = label;
    text_ = FromUtf8(label);
    index_ = index;
    update();
}

QRectF TerminalItem::boundingRect() const {
    return {x_, y_ - rowHeight_ / 2, width_, rowHeight_};
}

void TerminalItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    // A radiator: a box with fins, filled for the index terminal.
    const QRectF symbol(x_ + 4, y_ - kSymbolHeight / 2, kSymbolWidth, kSymbolHeight);
    const QColor colour = index_ ? kIndex : kLine;
    painter->setPen(QPen(colour, kLineWidth));
    painter->drawLine(QPointF(x_, y_), QPointF(symbol.left(), y_));
    painter->setBrush(index_ ? QBrush(colour) : QBrush(Qt::white));
    painter->drawRect(symbol);
    painter->setPen(QPen(index_ ? Qt::white : colour, 1.0));
    for (int fin = 1; fin <= 3; ++fin) {
        const double x = symbol.left() + symbol.width() * fin / 4;
        painter->drawLine(QPointF(x, symbol.top() + 3), QPointF(x, symbol.bottom() - 3));
    }
    if (!ShowLabels(option, painter)) {
        return;
    }
    QFont font = painter->font();
    font.setBold(index_);
    painter->setFont(font);
    painter->setPen(index_ ? kIndex : Qt::black);
    const QFontMetricsF metrics(font);
    const double left = symbol.right() + kPad;
    painter->drawText(QPointF(left, y_ + metrics.ascent() / 2 - metrics.descent() / 2),
                      metrics.elidedText(text_, Qt::ElideRight, x_ + width_ - left - kPad));
}

SourceItem::SourceItem(const SchematicLayout& layout)
    : box_(layout.sourceLeft, layout.sourceTop + 6, layout.sourceRight - layout.sourceLeft,
           layout.sourceBottom - layout.sourceTop - 12) {}

QRectF SourceItem::boundingRect() const {
    return box_.adjusted(-2, -2, 2, 2);
}

void SourceItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setPen(QPen(kLine, 2.0));
    painter->setBrush(QColor(0xf2, 0xf2, 0xf2));
    painter->drawRect(box_);
    QFont bold = painter->font();
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(Qt::black);
    // At the top, where the first segment leaves it, whatever its height.
    const QFontMetricsF metrics(bold);
    const QRectF head(box_.left(), box_.top(), box_.width(),
                      std::min(box_.height(), metrics.height() * 2.5));
    painter->drawText(head, Qt::AlignCenter, QStringLiteral("Sorgente"));
}

}  // namespace idrovela::report::qt
