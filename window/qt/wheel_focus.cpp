#include "window/qt/wheel_focus.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

namespace idrovela::window::qt {

namespace {

// The mark on a window whose controls take the wheel only with the focus.
constexpr const char* kMarked = "idrovelaRotellaSoloConFuoco";
// The application's one filter, found again by its name.
constexpr const char* kFilterName = "idrovelaRotella";

bool ChangesWithWheel(const QWidget& widget) {
    return qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
           qobject_cast<const QComboBox*>(&widget) != nullptr ||
           (qobject_cast<const QAbstractSlider*>(&widget) != nullptr &&
            qobject_cast<const QScrollBar*>(&widget) == nullptr);
}

// Whether the widget's window, or a window that owns it, is marked.
bool InMarkedWindow(const QWidget& widget) {
    for (const QWidget* window = widget.window(); window != nullptr;
         window = window->parentWidget() != nullptr ? window->parentWidget()->window() : nullptr) {
        if (window->property(kMarked).toBool()) {
            return true;
        }
    }
    return false;
}

// The wheel does not give such a control the focus: only a click or the keyboard does.
void NoFocusFromWheel(QWidget& widget) {
    if ((widget.focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus) {
        widget.setFocusPolicy(Qt::StrongFocus);
    }
}

class WheelFilter final : public QObject {
  public:
    explicit WheelFilter(QObject* parent) : QObject(parent) { setObjectName(kFilterName); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Wheel && type != QEvent::Polish) || !watched->isWidgetType()) {
            return false;
        }
        auto& widget = static_cast<QWidget&>(*watched);
        if (!ChangesWithWheel(widget) || !InMarkedWindow(widget)) {
            return false;
        }
        if (type == QEvent::Polish) {
            NoFocusFromWheel(widget);
            return false;
        }
        if (widget.hasFocus()) {
            return false;
        }
        // Left unaccepted, the application hands the wheel on to what holds the control.
        event->ignore();
        return true;
    }
};

}  // namespace

void WheelOnlyWithFocus(QWidget& window) {
    window.setProperty(kMarked, true);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (ChangesWithWheel(*widget)) {
            NoFocusFromWheel(*widget);
        }
    }
    QCoreApplication* application = QCoreApplication::instance();
    if (application->findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly) == nullptr) {
        application->installEventFilter(new WheelFilter(application));
    }
}

}  // namespace idrovela::window::qt
