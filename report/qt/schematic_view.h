#pragma once

#include <QGraphicsView>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/load.h"
#include "circuit/solve.h"
#include "report/schematic_layout.h"

class QGraphicsScene;

namespace idrovela::report::qt {

class SegmentItem;
class SourceItem;
class TerminalItem;

// "Schema del circuito": the circuit drawn from the source on the left (LayoutSchematic), each
// segment a line with its id, tube and Δp, each terminal an end symbol with its excess, the index
// path heavier and darker. It scrolls, and zooms with Ctrl+wheel, Ctrl++ and Ctrl+− (Ctrl+0 back
// to 1:1). A click on a segment selects it and tells the window; the window selects one with
// SelectSegment, which tells no one.
//
// After an edit, Update() repaints only what changed when the tree keeps its shape; a segment
// added, removed or moved, or a terminal added or removed, draws the circuit afresh.
class SchematicView final : public QGraphicsView {
  public:
    explicit SchematicView(QWidget* parent = nullptr);
    ~SchematicView() override;

    // Draws a circuit afresh, nothing selected, scrolled to the source.
    void ShowCircuit(const circuit::Circuit& circuit, const circuit::Solution& solution);
    void ShowCircuit(const circuit::LoadedCircuit& loaded) {
        ShowCircuit(loaded.circuit, loaded.solution);
    }
    // After an edit that may have changed the texts of `changed` segments alone (see
    // EditedAndUpstream), and any terminal's excess and the index path.
    void Update(const circuit::Circuit& circuit, const circuit::Solution& solution,
                std::span<const std::size_t> changed);
    // After an edit that may have changed any segment's texts (the fluid, the limits).
    void Update(const circuit::Circuit& circuit, const circuit::Solution& solution);
    // Whether the last Update drew the circuit afresh.
    [[nodiscard]] bool Redrawn() const { return redrawn_; }

    void SelectSegment(std::optional<std::size_t> segment);
    [[nodiscard]] std::optional<std::size_t> SelectedSegment() const { return selected_; }
    // Called with the segment the user clicks.
    void OnSegmentClicked(std::function<void(std::size_t)> clicked);

    // The segment whose line is under a point of the view, if any.
    [[nodiscard]] std::optional<std::size_t> SegmentAt(QPoint viewPoint) const;
    // Where a segment's line is, in the view's coordinates, for a test's click.
    [[nodiscard]] QPoint SegmentPoint(std::size_t segment) const;

    void ZoomIn();
    void ZoomOut();
    void ResetZoom();
    [[nodiscard]] double Zoom() const;

    [[nodiscard]] const SchematicLayout& Layout() const { return layout_; }
    [[nodiscard]] const SegmentItem* Item(std::size_t segment) const;
    [[nodiscard]] const TerminalItem* TerminalAt(std::size_t segment) const;

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void ZoomBy(double factor);
    void MarkIndexPath(const circuit::Solution& solution);
    void UpdateTerminals(const circuit::Solution& solution);

    QGraphicsScene* scene_;
    SchematicLayout layout_;
    SchematicShape shape_;
    std::vector<SegmentItem*> segments_;    // by segment; owned by the scene
    std::vector<TerminalItem*> terminals_;  // by segment, null without a terminal
    std::vector<std::size_t> indexPath_;
    std::vector<std::string> descriptions_;  // for the tooltips
    std::optional<std::size_t> selected_;
    std::function<void(std::size_t)> clicked_;
    bool redrawn_ = false;
};

}  // namespace idrovela::report::qt
