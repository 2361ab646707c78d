#pragma once

#include <QObject>
#include <functional>

#include "window/key_gate.h"

class QKeyEvent;
class QWidget;

namespace idrovela::window::qt {

// Watches every key event of the program before its receiver sees it, and every shortcut, so
// that a key release reaches a field of the window only when it ends a keystroke of the window
// (KeyReleaseGate): the release of a key whose press went to a message box, to another window
// or to a menu shortcut is not one. Installed on the application for as long as it lives.
class KeyWatch final : public QObject {
  public:
    // `onRelease` receives each release that counts, with the widget it was delivered to.
    KeyWatch(QWidget& window, std::function<void(QWidget& receiver, const QKeyEvent&)> onRelease);
    ~KeyWatch() override;
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    // A run-time error ended the keystroke under way: its key's release is not the field's.
    void KeystrokeStopped() { gate_.KeystrokeStopped(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void(QWidget&, const QKeyEvent&)> onRelease_;
    KeyReleaseGate gate_;
};

}  // namespace idrovela::window::qt
