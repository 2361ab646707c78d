// The icons compiled into the program: every size the window can ask for is there, square,
// of its own size, and transparent around the round pipe.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <string>
#include <utility>

namespace {

class ResourceIcon : public ::testing::TestWithParam<int> {};

TEST_P(ResourceIcon, IsTheSizeItIsNamedForAndRoundOnATransparentGround) {
    const int size = GetParam();
    const QString path = QStringLiteral(":/idrovela/icons/idrovela-%1.png").arg(size);
    const QImage image(path);
    ASSERT_FALSE(image.isNull()) << path.toStdString() << " is not in the resource";
    EXPECT_EQ(image.width(), size);
    EXPECT_EQ(image.height(), size);
    EXPECT_TRUE(image.hasAlphaChannel());
    const int last = size - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << "corner " << x << ',' << y;
    }
    // The middle of each edge is the pipe's wall, and the centre is water: all opaque.
    const int half = size / 2;
    for (const auto& [x, y] : {std::pair{half, 0}, {0, half}, {half, last}, {last, half}}) {
        EXPECT_EQ(qAlpha(image.pixel(x, y)), 255) << "edge " << x << ',' << y;
    }
    EXPECT_EQ(qAlpha(image.pixel(half, half)), 255);
}

INSTANTIATE_TEST_SUITE_P(EverySize, ResourceIcon, ::testing::Values(16, 32, 48, 64, 128, 256),
                         [](const auto& instance) {
                             return std::to_string(instance.param) + "px";
                         });

}  // namespace
