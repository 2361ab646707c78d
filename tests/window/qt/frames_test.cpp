// The frames drawn the classic way, at the scale factor this run was started with (CTest runs
// these at 1, 1,5 and 2): the caption interrupts the top border line, and no control of a frame
// touches its border.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include "tests/window/qt/window_fixture.h"

namespace idrovela::window::qt {
namespace {

using Frames = test::MainWindowTest;

struct FrameRects {
    QRect border;
    QRect caption;
};

FrameRects RectsOf(const QGroupBox& frame) {
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.textAlignment = frame.alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    QStyle* style = frame.style();
    return {style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &frame),
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame)};
}

TEST_F(Frames, TheCaptionSitsOnTheTopLineAndNoControlTouchesTheBorder) {
    for (const char* name : {"Frame1", "Frame2"}) {
        auto& frame = Find<QGroupBox>(name);
        const auto [border, caption] = RectsOf(frame);
        EXPECT_LT(caption.top(), border.top()) << name;
        EXPECT_GT(caption.bottom(), border.top()) << name;
        EXPECT_GT(caption.left(), border.left()) << name;
        // The etched border is two lines deep on every side.
        const QRect inside = border.adjusted(2, 2, -2, -2);
        for (const QWidget* control : frame.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect placed = control->geometry();
            EXPECT_TRUE(inside.contains(placed))
                << name << ": " << control->objectName().toStdString();
            EXPECT_FALSE(placed.intersects(caption)) << control->objectName().toStdString();
        }

        // The drawing: the dark top line runs on both sides of the caption and stops at it.
        const QImage image = frame.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QRgb line = frame.palette().color(QPalette::Dark).rgb();
        const auto lineAt = [&](int x) {
            // A logical pixel covers one or more rows of the image: the line is in one of them.
            const int first = static_cast<int>(border.top() * ratio);
            const int last = static_cast<int>((border.top() + 1) * ratio) - 1;
            for (int y = first; y <= std::max(first, last); ++y) {
                if (image.pixelColor(static_cast<int>(x * ratio), y).rgb() == line) {
                    return true;
                }
            }
            return false;
        };
        EXPECT_TRUE(lineAt(caption.left() - 2)) << name;
        EXPECT_TRUE(lineAt(caption.right() + 3)) << name;
        EXPECT_FALSE(lineAt(caption.left() + 1)) << name;
    }
}

}  // namespace
}  // namespace idrovela::window::qt
