#pragma once

#include <QLabel>

namespace idrovela::sheet::qt {

// Why the sheet or the engine refused what was typed into a cell, shown beside the cell on the
// sheet's viewport, never in a message box; hidden again once the cell takes a text or the
// selection moves.
class CellMessage final : public QLabel {
  public:
    explicit CellMessage(QWidget& viewport);

    // Shows `text` beside `cell` (in the viewport's coordinates), else below it, else above it:
    // wherever the viewport has room.
    void ShowBeside(const QRect& cell, const QString& text);
};

}  // namespace idrovela::sheet::qt
