#include "window/qt/spinner_widget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>

namespace idrovela::window::qt {

namespace {

// A dotted rectangle over the arrows, drawn by the style as it draws any focus, that lets every
// click through to the arrows below it.
class FocusFrame final : public QWidget {
  public:
    explicit FocusFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        option.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
};

}  // namespace

SpinnerWidget::SpinnerWidget(QWidget* parent, std::function<void()> up, std::function<void()> down)
    : QWidget(parent),
      stepUp_(std::move(up)),
      stepDown_(std::move(down)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      focusFrame_(new FocusFrame(this)) {
    setFocusPolicy(Qt::TabFocus);
    const auto setUp = [](QToolButton* button, Qt::ArrowType arrow, const QString& name,
                          const QString& accessibleName) {
        button->setObjectName(name);
        button->setAccessibleName(accessibleName);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    };
    setUp(up_, Qt::UpArrow, QStringLiteral("up"), QStringLiteral("Aumenta"));
    setUp(down_, Qt::DownArrow, QStringLiteral("down"), QStringLiteral("Diminuisci"));
    connect(up_, &QToolButton::clicked, this, [this] { stepUp_(); });
    connect(down_, &QToolButton::clicked, this, [this] { stepDown_(); });
}

void SpinnerWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            stepUp_();
            return;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            stepDown_();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void SpinnerWidget::focusInEvent(QFocusEvent* event) {
    focusFrame_->show();
    focusFrame_->raise();
    QWidget::focusInEvent(event);
}

void SpinnerWidget::focusOutEvent(QFocusEvent* event) {
    focusFrame_->hide();
    QWidget::focusOutEvent(event);
}

void SpinnerWidget::resizeEvent(QResizeEvent* event) {
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
    focusFrame_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

}  // namespace idrovela::window::qt
