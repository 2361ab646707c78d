#pragma once

// The schematic's pieces painted with a QPainter, in the layout's units (LayoutSchematic): the
// same strokes for the window's view, item by item, and for the report's pages, part by part.
// Labels use the painter's font.

#include <QRectF>
#include <QString>
#include <optional>

#include "report/schematic_pages.h"

class QPainter;

namespace idrovela::report::qt {

// Where a segment is drawn, and how.
struct SegmentStroke {
    double x0 = 0.0;
    double x1 = 0.0;
    double y = 0.0;
    double branchBottom = 0.0;  // the vertical line at x1 runs from y down to here
    double rowHeight = 0.0;
    bool onIndexPath = false;
    std::optional<double> indexDownTo;  // the index path's heavier vertical line, down to here
    bool selected = false;
};

// A segment's id, tube and loss.
struct SegmentLabels {
    QString id;
    QString tube;
    QString loss;
};

// A segment's band: the vertical line at its end, its line, and its labels when given.
void PaintSegment(QPainter& painter, const SegmentStroke& stroke, const SegmentLabels* labels);

// The vertical line at a segment's end alone, for a page on which the segment itself is not.
void PaintBranch(QPainter& painter, const SegmentStroke& stroke);

// A terminal's symbol at (x, y), a radiator, filled for the index, and its label when shown.
void PaintTerminal(QPainter& painter, double x, double y, double width, const QString& label,
                   bool index, bool labels);

// The source's box, "Sorgente" at its top.
void PaintSource(QPainter& painter, const QRectF& box);

// The source's box of a layout.
[[nodiscard]] QRectF SourceBox(const SchematicLayout& layout);

// One part of the schematic on a report's page, into `place` (the report's picture, in the
// painter's coordinates): its caption at the top, then what PartHolds and PartCrossesBranch say
// it draws, labels in Liberation Sans.
void PaintSchematicPart(QPainter& painter, const QRectF& place, const SchematicPages& pages,
                        std::size_t part);

}  // namespace idrovela::report::qt
