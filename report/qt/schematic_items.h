#pragma once

// The schematic's pieces on a QGraphicsScene: one item a segment (its line, the vertical line
// the segments it feeds hang from, and its labels), one a terminal (its end symbol and excess),
// one the source. Each paints itself, so a 10 000-segment circuit is 10 000 items, and a changed
// figure repaints one item.

#include <QGraphicsItem>
#include <QString>
#include <optional>

#include "report/qt/schematic_painter.h"
#include "report/schematic_layout.h"

namespace idrovela::report::qt {

class SegmentItem final : public QGraphicsItem {
  public:
    SegmentItem(std::size_t index, const SchematicSegment& segment,
                const SchematicMetrics& metrics);

    [[nodiscard]] std::size_t Index() const { return index_; }

    // Each repaints only when it changes something.
    void SetTexts(const SegmentTexts& texts);
    // On the index path: heavier, and so is the vertical line down to the next segment of the
    // path when that one hangs lower.
    void SetIndexPath(bool on, std::optional<double> downToY);
    void SetSelected(bool selected);

    [[nodiscard]] const SegmentTexts& Texts() const { return texts_; }
    [[nodiscard]] bool OnIndexPath() const { return stroke_.onIndexPath; }
    [[nodiscard]] bool Selected() const { return stroke_.selected; }

    [[nodiscard]] QRectF boundingRect() const override;
    // Only the segment's own band is where a click finds it, not the vertical line.
    [[nodiscard]] QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    [[nodiscard]] QRectF Band() const;

    std::size_t index_;
    SegmentStroke stroke_;
    SegmentTexts texts_;
    SegmentLabels labels_;
};

class TerminalItem final : public QGraphicsItem {
  public:
    TerminalItem(const SchematicTerminal& terminal, const SchematicMetrics& metrics);

    void SetLabel(const std::string& label, bool index);
    [[nodiscard]] const std::string& Label() const { return label_; }
    [[nodiscard]] bool Index() const { return index_; }

    [[nodiscard]] QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    double x_;
    double y_;
    double width_;
    double rowHeight_;
    std::string label_;
    QString text_;
    bool index_ = false;
};

class SourceItem final : public QGraphicsItem {
  public:
    explicit SourceItem(const SchematicLayout& layout);

    [[nodiscard]] QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    QRectF box_;
};

// Below this zoom the labels are left out: lines alone read better there, and paint faster.
inline constexpr double kLabelsFromZoom = 0.35;

}  // namespace idrovela::report::qt
