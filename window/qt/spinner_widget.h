#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace idrovela::window::qt {

// The two arrows of a spinner, in the spinner's rectangle, the lower one taking the odd pixel.
// The arrows auto-repeat and never take the focus; the pair itself is one tab stop, on which Up
// and Page Up step as the upper arrow does, Down and Page Down as the lower one, and a focus
// rectangle shows that it has the focus.
class SpinnerWidget final : public QWidget {
  public:
    SpinnerWidget(QWidget* parent, std::function<void()> up, std::function<void()> down);

    [[nodiscard]] QToolButton& UpArrow() const { return *up_; }
    [[nodiscard]] QToolButton& DownArrow() const { return *down_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::function<void()> stepUp_;
    std::function<void()> stepDown_;
    QToolButton* up_;
    QToolButton* down_;
    QWidget* focusFrame_;
};

}  // namespace idrovela::window::qt
