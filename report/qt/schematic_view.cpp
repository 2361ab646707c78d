#include "report/qt/schematic_view.h"

#include <QGraphicsScene>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "columns/columns.h"
#include "report/qt/schematic_items.h"

namespace idrovela::report::qt {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.05;
constexpr double kMaxZoom = 4.0;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SchematicView::SchematicView(QWidget* parent)
    : QGraphicsView(parent), scene_(new QGraphicsScene(this)) {
    setObjectName(QStringLiteral("SchemaCircuito"));
    setAccessibleName(QStringLiteral("Schema del circuito"));
    setAccessibleDescription(QStringLiteral(
        "Il circuito dalla sorgente ai terminali: un clic su un tratto lo seleziona; Ctrl+rotella, "
        "Ctrl++ e Ctrl+− ingrandiscono e rimpiccioliscono, Ctrl+0 torna alla scala 1:1"));
    setScene(scene_);
    setFocusPolicy(Qt::StrongFocus);
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(Qt::white);
    // Items repaint themselves where they changed; a 10 000-item scene is never redrawn whole for
    // one figure.
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
}

SchematicView::~SchematicView() = default;

void SchematicView::ShowCircuit(const circuit::Circuit& circuit,
                                const circuit::Solution& solution) {
    scene_->clear();
    segments_.clear();
    terminals_.clear();
    selected_.reset();
    indexPath_.clear();
    layout_ = LayoutSchematic(circuit, solution);
    shape_ = ShapeOf(solution);
    scene_->setFont(font());
    scene_->setSceneRect(0, 0, layout_.width, layout_.height);
    scene_->addItem(new SourceItem(layout_));
    segments_.reserve(layout_.segments.size());
    for (std::size_t i = 0; i < layout_.segments.size(); ++i) {
        auto* item = new SegmentItem(i, layout_.segments[i], layout_.metrics);
        segments_.push_back(item);
        scene_->addItem(item);
    }
    terminals_.assign(layout_.segments.size(), nullptr);
    for (const SchematicTerminal& terminal : layout_.terminals) {
        auto* item = new TerminalItem(terminal, layout_.metrics);
        terminals_[terminal.segment] = item;
        scene_->addItem(item);
    }
    descriptions_.clear();
    descriptions_.reserve(circuit.segments.size());
    for (const circuit::Segment& segment : circuit.segments) {
        descriptions_.push_back(segment.description);
    }
    MarkIndexPath(solution);
    redrawn_ = true;
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

void SchematicView::Update(const circuit::Circuit& circuit, const circuit::Solution& solution,
                           std::span<const std::size_t> changed) {
    SchematicShape shape = ShapeOf(solution);
    if (shape != shape_ || circuit.segments.size() != segments_.size()) {
        const std::optional<std::size_t> selected = selected_;
        ShowCircuit(circuit, solution);
        if (selected && *selected < segments_.size()) {
            SelectSegment(selected);
        }
        return;
    }
    redrawn_ = false;
    for (const std::size_t i : changed) {
        if (i < segments_.size()) {
            layout_.segments[i].texts = SchematicSegmentTexts(circuit, solution, i);
            segments_[i]->SetTexts(layout_.segments[i].texts);
            descriptions_[i] = circuit.segments[i].description;
        }
    }
    UpdateTerminals(solution);
    MarkIndexPath(solution);
}

void SchematicView::Update(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::vector<std::size_t> all(circuit.segments.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    Update(circuit, solution, all);
}

void SchematicView::UpdateTerminals(const circuit::Solution& solution) {
    for (SchematicTerminal& terminal : layout_.terminals) {
        terminal.label = SchematicTerminalLabel(solution, terminal.segment);
        terminal.index = solution.index == terminal.segment;
        terminals_[terminal.segment]->SetLabel(terminal.label, terminal.index);
    }
}

void SchematicView::MarkIndexPath(const circuit::Solution& solution) {
    for (const std::size_t i : indexPath_) {
        layout_.segments[i].onIndexPath = false;
        segments_[i]->SetIndexPath(false, std::nullopt);
    }
    indexPath_ = solution.indexPath;
    for (std::size_t k = 0; k < indexPath_.size(); ++k) {
        std::optional<double> downTo;
        if (k + 1 < indexPath_.size()) {
            downTo = layout_.segments[indexPath_[k + 1]].y;
        }
        layout_.segments[indexPath_[k]].onIndexPath = true;
        segments_[indexPath_[k]]->SetIndexPath(true, downTo);
    }
}

void SchematicView::SelectSegment(std::optional<std::size_t> segment) {
    if (segment && *segment >= segments_.size()) {
        segment.reset();
    }
    if (selected_ == segment) {
        return;
    }
    if (selected_) {
        segments_[*selected_]->SetSelected(false);
    }
    selected_ = segment;
    if (selected_) {
        SegmentItem* item = segments_[*selected_];
        item->SetSelected(true);
        ensureVisible(item->shape().boundingRect(), 40, 20);
    }
}

void SchematicView::OnSegmentClicked(std::function<void(std::size_t)> clicked) {
    clicked_ = std::move(clicked);
}

std::optional<std::size_t> SchematicView::SegmentAt(QPoint viewPoint) const {
    const QPointF at = mapToScene(viewPoint);
    for (QGraphicsItem* item : scene_->items(at)) {
        if (const auto* segment = dynamic_cast<const SegmentItem*>(item)) {
            return segment->Index();
        }
    }
    return std::nullopt;
}

QPoint SchematicView::SegmentPoint(std::size_t segment) const {
    const SchematicSegment& s = layout_.segments.at(segment);
    return mapFromScene(QPointF((s.x0 + s.x1) / 2, s.y));
}

const SegmentItem* SchematicView::Item(std::size_t segment) const {
    return segment < segments_.size() ? segments_[segment] : nullptr;
}

const TerminalItem* SchematicView::TerminalAt(std::size_t segment) const {
    return segment < terminals_.size() ? terminals_[segment] : nullptr;
}

double SchematicView::Zoom() const {
    return transform().m11();
}

void SchematicView::ZoomBy(double factor) {
    const double zoom = std::clamp(Zoom() * factor, kMinZoom, kMaxZoom);
    const double by = zoom / Zoom();
    scale(by, by);
}

void SchematicView::ZoomIn() {
    ZoomBy(kZoomStep);
}

void SchematicView::ZoomOut() {
    ZoomBy(1.0 / kZoomStep);
}

void SchematicView::ResetZoom() {
    resetTransform();
}

void SchematicView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y();
        if (steps != 0) {
            ZoomBy(std::pow(kZoomStep, steps / 120.0));
        }
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void SchematicView::keyPressEvent(QKeyEvent* event) {
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    if (event->matches(QKeySequence::ZoomIn) ||
        (control && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal))) {
        ZoomIn();
        return;
    }
    if (event->matches(QKeySequence::ZoomOut) || (control && event->key() == Qt::Key_Minus)) {
        ZoomOut();
        return;
    }
    if (control && event->key() == Qt::Key_0) {
        ResetZoom();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void SchematicView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const std::optional<std::size_t> segment = SegmentAt(event->position().toPoint())) {
            SelectSegment(segment);
            if (clicked_) {
                clicked_(*segment);
            }
            event->accept();
            return;
        }
    }
    QGraphicsView::mousePressEvent(event);
}

bool SchematicView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<std::size_t> segment = SegmentAt(help->pos())) {
            const SegmentTexts& shown = layout_.segments[*segment].texts;
            QString text = FromUtf8(shown.id) + QStringLiteral("\n") + FromUtf8(shown.tube) +
                           QStringLiteral("\n") + FromUtf8(shown.loss);
            if (!descriptions_[*segment].empty()) {
                text += QStringLiteral("\n") + FromUtf8(descriptions_[*segment]);
            }
            QToolTip::showText(help->globalPos(), text, viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QGraphicsView::viewportEvent(event);
}

}  // namespace idrovela::report::qt
