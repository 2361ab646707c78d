// Work put off until the window is on screen: it runs once, after the first paint; without a
// paint, after the fallback; never for a window that is gone.

#include "window/qt/after_first_paint.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTest>
#include <QWidget>
#include <memory>

namespace idrovela::window::qt {
namespace {

class CountedWidget final : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(AfterFirstPaint, RunsOnceAfterThePaintOrTheFallback) {
    struct Case {
        const char* name;
        bool shown;
        int fallbackMs;
    };
    for (const Case& c :
         {Case{"shown: after its first paint, long before the fallback", true, 60'000},
          Case{"never shown: after the fallback", false, 50}}) {
        SCOPED_TRACE(c.name);
        CountedWidget window;
        int runs = 0;
        int paintsWhenRun = -1;
        QElapsedTimer clock;
        clock.start();
        AfterFirstPaint(
            window,
            [&] {
                ++runs;
                paintsWhenRun = window.paints;
            },
            c.fallbackMs);
        EXPECT_EQ(runs, 0) << "runs from the event loop, never at once";
        if (c.shown) {
            window.show();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5'000));
        EXPECT_EQ(paintsWhenRun, c.shown ? 1 : 0);
        if (!c.shown) {
            EXPECT_GE(clock.elapsed(), c.fallbackMs);
        }
        window.update();
        QTest::qWait(100);
        EXPECT_EQ(runs, 1);
    }
}

TEST(AfterFirstPaint, NeverRunsForAWindowThatIsGone) {
    int runs = 0;
    auto window = std::make_unique<QWidget>();
    AfterFirstPaint(
        *window, [&] { ++runs; }, 20);
    window.reset();
    QTest::qWait(100);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace idrovela::window::qt
