#include "window/qt/windows_on_top.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "window/qt/platform_qt.h"

namespace idrovela::window::qt {

bool IsWindowOfItsOwn(const QWidget& widget) {
    if (!widget.isWindow()) {
        return false;
    }
    switch (widget.windowType()) {
        case Qt::Window:
        case Qt::Dialog:
        case Qt::Sheet:
        case Qt::Tool:
            return true;
        default:
            return false;  // menus, tooltips, pop-up lists, the splash screen
    }
}

WindowsOnTop::WindowsOnTop(const QWidget& mainWindow, AlwaysOnTop& mainOnTop)
    : mainWindow_(mainWindow), mainOnTop_(mainOnTop) {
    // Every window of the program passes here as it is shown.
    QCoreApplication::instance()->installEventFilter(this);
}

void WindowsOnTop::SetAlwaysOnTop(bool onTop) {
    onTop_ = onTop;
    mainOnTop_.SetAlwaysOnTop(onTop);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        // A window that has no native window yet takes the state when it is shown.
        if (Follows(*widget) && widget->windowHandle() != nullptr) {
            WindowOnTop(*widget).SetAlwaysOnTop(onTop);
        }
    }
}

bool WindowsOnTop::eventFilter(QObject* watched, QEvent* event) {
    // The show event comes once the native window exists and before it is mapped, so the window
    // appears in its state.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto& widget = *static_cast<QWidget*>(watched);
        if (Follows(widget)) {
            WindowOnTop(widget).SetAlwaysOnTop(onTop_);
        }
    }
    return false;
}

bool WindowsOnTop::Follows(const QWidget& widget) const {
    return &widget != &mainWindow_ && IsWindowOfItsOwn(widget);
}

}  // namespace idrovela::window::qt
