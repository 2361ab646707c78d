#include "window/qt/classic_frame_style.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace idrovela::window::qt {

namespace {

// The caption starts this far in from the frame's left edge, with this much room on each side
// of its text where the border line stops.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

}  // namespace

ClassicFrameStyle::ClassicFrameStyle() : QProxyStyle() {}

QRect ClassicFrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl subControl, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || box == nullptr) {
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
    const QRect& whole = option->rect;
    const int textHeight = option->fontMetrics.height();
    const int lineY = whole.top() + textHeight / 2;
    switch (subControl) {
        case SC_GroupBoxFrame:
            return QRect(whole.left(), lineY, whole.width(), whole.bottom() - lineY + 1);
        case SC_GroupBoxLabel: {
            if (box->text.isEmpty()) {
                return {};
            }
            const int width =
                option->fontMetrics.horizontalAdvance(box->text) + 2 * kCaptionPadding;
            return QRect(whole.left() + kCaptionIndent, whole.top(), width, textHeight)
                .intersected(whole);
        }
        case SC_GroupBoxContents:
            return whole.adjusted(2, textHeight, -2, -2);
        default:
            return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void ClassicFrameStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || box == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    painter->setClipRegion(QRegion(option->rect).subtracted(QRegion(caption)));
    // Etched: a dark line with a light one beside it, all round.
    qDrawShadeRect(painter, frame, option->palette, true, 1, 0);
    painter->restore();
    if (!caption.isEmpty()) {
        drawItemText(painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, option->palette,
                     option->state.testFlag(State_Enabled), box->text, QPalette::WindowText);
    }
}

}  // namespace idrovela::window::qt
