#include "window/qt/after_first_paint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace idrovela::window::qt {

namespace {

// Watches the window's events for its first paint; runs the work on the next turn of the event
// loop, after the paint has reached the screen, and goes.
class FirstPaintWatch final : public QObject {
  public:
    FirstPaintWatch(QWidget& window, std::function<void()> work, int fallbackMs)
        : QObject(&window), work_(std::move(work)) {
        window.installEventFilter(this);
        QTimer::singleShot(fallbackMs, this, [this] { Run(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { Run(); });
        }
        return false;
    }

  private:
    void Run() {
        if (!work_) {
            return;
        }
        parent()->removeEventFilter(this);
        const std::function<void()> work = std::exchange(work_, nullptr);
        deleteLater();
        work();
    }

    std::function<void()> work_;
};

}  // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> work, int fallbackMs) {
    new FirstPaintWatch(window, std::move(work), fallbackMs);
}

}  // namespace idrovela::window::qt
