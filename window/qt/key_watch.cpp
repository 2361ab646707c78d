#include "window/qt/key_watch.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace idrovela::window::qt {

KeyWatch::KeyWatch(QWidget& window,
                   std::function<void(QWidget& receiver, const QKeyEvent&)> onRelease)
    : window_(window), onRelease_(std::move(onRelease)) {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyWatch::~KeyWatch() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool KeyWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Shortcut:
            // A menu action or a mnemonic fired: the keys held now were its keys.
            gate_.ShortcutTaken();
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // A key event reaches the native window first, then the focus widget, then its
            // parents while nobody accepts it. The focus widget settles it: by the time a parent
            // sees a release, the gate has forgotten the key.
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget == nullptr || !event->spontaneous()) {
                break;
            }
            const auto& key = *static_cast<QKeyEvent*>(event);
            const bool here = widget->window() == &window_;
            if (event->type() == QEvent::KeyPress) {
                if (here) {
                    gate_.PressedHere(key.key(), key.isAutoRepeat());
                } else {
                    gate_.PressedElsewhere(key.key());
                }
            } else if (!key.isAutoRepeat() && gate_.ReleaseCounts(key.key()) && here) {
                onRelease_(*widget, key);
            }
            break;
        }
        default:
            break;
    }
    return false;
}

}  // namespace idrovela::window::qt
