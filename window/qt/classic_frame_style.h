#pragma once

#include <QProxyStyle>

namespace idrovela::window::qt {

// Draws a frame the classic way: an etched border whose top line runs through the middle of the
// caption, and the caption, a little in from the left, interrupting it. The frame's controls sit
// at their twips from the frame's top-left corner, below that line, at any scale factor, since
// both the line and the caption follow the frame's font. Every other control keeps the
// application's style.
class ClassicFrameStyle final : public QProxyStyle {
  public:
    ClassicFrameStyle();

    [[nodiscard]] QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                       SubControl subControl,
                                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

}  // namespace idrovela::window::qt
