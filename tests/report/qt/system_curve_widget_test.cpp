// The system curve widget, grabbed offscreen: the curve and the duty point are drawn where the
// axes put them, the duty with margins only with margins, and no curve without a flowing
// terminal.

#include "report/qt/system_curve_widget.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "report/qt/curve_painter.h"
#include "tests/report/test_circuits.h"

namespace idrovela::report::qt {
namespace {

// How many pixels are near a colour.
int Pixels(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) <
                40) {
                ++count;
            }
        }
    }
    return count;
}

const QColor kCurve(0x1f, 0x4e, 0x9a);
const QColor kMargins(0xb0, 0x3a, 0x2e);

QImage Grab(const circuit::PumpDuty& pump) {
    SystemCurveWidget widget;
    widget.resize(480, 320);
    widget.ShowPump(pump);
    return widget.grab().toImage();
}

TEST(SystemCurveWidget, DrawsTheCurveTheDutyAndTheMargins) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const QImage withMargins = Grab(loaded.solution.pump);
    EXPECT_GT(Pixels(withMargins, kCurve), 300);
    EXPECT_GT(Pixels(withMargins, kMargins), 20);

    circuit::PumpDuty plain = loaded.solution.pump;
    plain.flowWithMarginLph.reset();
    plain.headWithMarginPa.reset();
    plain.headWithMarginM.reset();
    const QImage withoutMargins = Grab(plain);
    EXPECT_GT(Pixels(withoutMargins, kCurve), 300);
    EXPECT_EQ(Pixels(withoutMargins, kMargins), 0);

    // No flowing terminal: the axes and the reason, no curve.
    const QImage none = Grab(circuit::PumpDuty{});
    EXPECT_EQ(Pixels(none, kCurve), 0);
    EXPECT_GT(Pixels(none, Qt::black), 100);
}

TEST(SystemCurveWidget, TheDutyPointSitsWhereTheAxesPutIt) {
    // 2 m³/h at 10 kPa on axes to 3 m³/h and 25 kPa: a third of the way across from the right,
    // 40 % of the way up. Painted on a plain image with no legend.
    circuit::PumpDuty pump;
    pump.flowLph = 2000.0;
    pump.headPa = 10000.0;
    const SystemCurve curve = MakeSystemCurve(pump);
    ASSERT_DOUBLE_EQ(curve.flowAxis.max, 3.0);
    ASSERT_DOUBLE_EQ(curve.lossAxis.max, 25.0);
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintSystemCurve(painter, QRectF(0, 0, 600, 400), curve, QFont(), false);
    }
    // The plot's frame: the columns and rows that are mostly black (grey or black, not the
    // curve's blue or the grid's light grey).
    const auto black = [&image](int x, int y) {
        const QColor pixel = image.pixelColor(x, y);
        return pixel.lightness() < 160 && pixel.hslSaturation() < 60;
    };
    int left = -1, right = -1, top = -1, bottom = -1;
    for (int x = 0; x < image.width(); ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            count += black(x, y) ? 1 : 0;
        }
        if (count > image.height() / 2) {
            (left < 0 ? left : right) = x;
        }
    }
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += black(x, y) ? 1 : 0;
        }
        if (count > image.width() / 2) {
            (top < 0 ? top : bottom) = y;
        }
    }
    ASSERT_GT(right - left, 300);
    ASSERT_GT(bottom - top, 200);
    const QPoint duty(left + (right - left) * 2 / 3, bottom - (bottom - top) * 2 / 5);
    EXPECT_EQ(Pixels(image.copy(duty.x() - 2, duty.y() - 2, 5, 5), kCurve), 25)
        << "no dot at " << duty.x() << "," << duty.y();
}

}  // namespace
}  // namespace idrovela::report::qt
