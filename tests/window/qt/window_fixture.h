#pragma once

// The desktop window driven as a user drives it: QTest key and mouse events on the widgets,
// found by their control names, with the platform replaced by recorders.

#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "window/qt/main_window.h"
#include "window/qt/spinner_widget.h"

namespace idrovela::window::qt::test {

// Rolls the mouse wheel `notches` clicks (up when positive) over the middle of `widget`, as the
// window system delivers it: to the widget under the pointer, then to what holds it while none
// takes it.
inline void RollWheel(QWidget& widget, int notches) {
    constexpr int kNotch = 120;
    const QPoint middle = widget.rect().center();
    QWidget* under = widget.childAt(middle);
    QWidget& target = under != nullptr ? *under : widget;
    const QPointF at = target.mapFrom(&widget, middle);
    QWheelEvent event(at, target.mapToGlobal(at), QPoint(), QPoint(0, kNotch * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    // As QTest sends its keys: sendEvent would mark it as the program's own.
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(&target, &event);
}

class RecordingOnTop final : public AlwaysOnTop {
  public:
    void SetAlwaysOnTop(bool onTop) override { calls.push_back(onTop); }
    std::vector<bool> calls;
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.Start();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Makes the window the active one, as a user's click on it does, so that focus and keys
    // reach it.
    void Activate() {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename Widget = QWidget>
    Widget& Find(const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
        if (widget == nullptr) {
            throw std::runtime_error(std::string("no widget named ") + name);
        }
        return *widget;
    }
    QLineEdit& Field(const char* name) { return Find<QLineEdit>(name); }
    QString Text(const char* name) { return Field(name).text(); }

    // Replaces the text of a field by typing, as the user does after selecting it all.
    void TypeOver(const char* name, const char* text) {
        QLineEdit& field = Field(name);
        field.setFocus();
        field.selectAll();
        QTest::keyClicks(&field, QString::fromUtf8(text));
    }
    // Clicks near the left end, where an option button or a check box has its indicator.
    void Click(const char* name) {
        QWidget& widget = Find(name);
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(6, widget.height() / 2));
    }
    void ClickArrow(const char* spinner, const char* arrow) {
        QTest::mouseClick(Find(spinner).findChild<QToolButton*>(arrow), Qt::LeftButton);
    }
    // The name of the control that has the focus, or "" when none of the window's has it.
    std::string FocusName() {
        QWidget* focus = QApplication::focusWidget();
        return focus == nullptr ? std::string() : focus->objectName().toStdString();
    }
    std::int64_t Evaluations() { return window.Model().Work().evaluations; }
    // Lets queued calls run, as the event loop does once a handler has returned.
    std::vector<ErrorCode> ShownErrors() {
        QCoreApplication::processEvents();
        return std::exchange(shown, {});
    }

    RecordingOnTop onTop;
    std::vector<ErrorCode> shown;
    MainWindow window{
        &onTop, [this](QWidget*, const RuntimeError& error) { shown.push_back(error.code()); }};
};

}  // namespace idrovela::window::qt::test
