#include "report/qt/schematic_items.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QWidget>

namespace idrovela::report::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr double kIndexWidth = 4.0;  // the index path's vertical line, within the bounds

bool ShowLabels(const QStyleOptionGraphicsItem* option, const QPainter* painter) {
    return option->levelOfDetailFromTransform(painter->worldTransform()) >= kLabelsFromZoom;
}

}  // namespace

SegmentItem::SegmentItem(std::size_t index, const SchematicSegment& segment,
                         const SchematicMetrics& metrics)
    : index_(index), stroke_{segment.x0,        segment.x1,
                             segment.y,         segment.branchBottom,
                             metrics.rowHeight, segment.onIndexPath,
                             std::nullopt,      false} {
    SetTexts(segment.texts);
}

void SegmentItem::SetTexts(const SegmentTexts& texts) {
    if (texts == texts_ && !labels_.id.isEmpty()) {
        return;
    }
    texts_ = texts;
    labels_ = {FromUtf8(texts.id), FromUtf8(texts.tube), FromUtf8(texts.loss)};
    update();
}

void SegmentItem::SetIndexPath(bool on, std::optional<double> downToY) {
    if (on == stroke_.onIndexPath && downToY == stroke_.indexDownTo) {
        return;
    }
    stroke_.onIndexPath = on;
    stroke_.indexDownTo = downToY;
    update();
}

void SegmentItem::SetSelected(bool selected) {
    if (selected != stroke_.selected) {
        stroke_.selected = selected;
        update();
    }
}

QRectF SegmentItem::Band() const {
    return {stroke_.x0, stroke_.y - stroke_.rowHeight / 2, stroke_.x1 - stroke_.x0,
            stroke_.rowHeight};
}

QRectF SegmentItem::boundingRect() const {
    return Band().united(QRectF(stroke_.x1 - kIndexWidth, stroke_.y, 2 * kIndexWidth,
                                stroke_.branchBottom - stroke_.y));
}

QPainterPath SegmentItem::shape() const {
    QPainterPath path;
    path.addRect(Band());
    return path;
}

void SegmentItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    PaintSegment(*painter, stroke_, ShowLabels(option, painter) ? &labels_ : nullptr);
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
    PaintTerminal(*painter, x_, y_, width_, text_, index_, ShowLabels(option, painter));
}

SourceItem::SourceItem(const SchematicLayout& layout) : box_(SourceBox(layout)) {}

QRectF SourceItem::boundingRect() const {
    return box_.adjusted(-2, -2, 2, 2);
}

void SourceItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    PaintSource(*painter, box_);
}

}  // namespace idrovela::report::qt
