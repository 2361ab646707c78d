#include "sheet/qt/cell_message.h"

#include <algorithm>

namespace idrovela::sheet::qt {

CellMessage::CellMessage(QWidget& viewport) : QLabel(&viewport) {
    setObjectName(QStringLiteral("MessaggioCella"));
    setAccessibleName(QStringLiteral("Messaggio"));
    setWordWrap(true);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(4);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    hide();
}

void CellMessage::ShowBeside(const QRect& cell, const QString& text) {
    const QRect room = parentWidget()->rect();
    setText(text);
    setMaximumWidth(std::max(200, room.width() / 2));
    adjustSize();
    QPoint at(cell.right() + 4, cell.top());
    if (at.x() + width() > room.right()) {
        at = QPoint(std::max(0, std::min(cell.left(), room.right() - width())), cell.bottom() + 2);
    }
    if (at.y() + height() > room.bottom()) {
        at.setY(std::max(0, cell.top() - height() - 2));
    }
    move(at);
    show();
    raise();
}

}  // namespace idrovela::sheet::qt
