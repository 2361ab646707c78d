#include "window/qt/show_beside.h"

#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace idrovela::window::qt {

void ShowBeside(QWidget& tool, const QWidget& main) {
    if (!tool.property("placed").toBool()) {
        if (!tool.testAttribute(Qt::WA_Resized)) {
            tool.adjustSize();  // a window that has not chosen its size takes what it needs
        }
        // Before it is first shown the window has no frame yet: allow for a title bar.
        constexpr int kGap = 8;
        constexpr int kTitleBar = 30;
        const QRect mainFrame = main.frameGeometry();
        const QSize size = tool.size() + QSize(0, kTitleBar);
        std::vector<QRect> taken{mainFrame};
        for (QWidget* other : main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != &tool && other->isWindow() && other->isVisible()) {
                taken.push_back(other->frameGeometry());
            }
        }
        std::vector<QPoint> candidates;
        int columnTop = mainFrame.top();
        for (const QRect& other : taken) {
            if (other.left() == mainFrame.right() + kGap) {
                columnTop = std::max(columnTop, other.bottom() + kGap);
            }
        }
        candidates.emplace_back(mainFrame.right() + kGap, columnTop);
        candidates.emplace_back(mainFrame.left(), mainFrame.bottom() + kGap);
        candidates.emplace_back(mainFrame.left() - kGap - size.width(), mainFrame.top());
        const QRect screen = main.screen() != nullptr
                                 ? main.screen()->availableGeometry()
                                 : QRect(QPoint(0, 0), QSize(1 << 20, 1 << 20));
        // When nothing fits, the first place, moved onto the screen.
        QPoint place(std::clamp(candidates.front().x(), screen.left(),
                                std::max(screen.left(), screen.right() - size.width())),
                     std::clamp(candidates.front().y(), screen.top(),
                                std::max(screen.top(), screen.bottom() - size.height())));
        for (const QPoint& candidate : candidates) {
            const QRect where(candidate, size);
            const bool free = std::none_of(taken.begin(), taken.end(), [&where](const QRect& r) {
                return r.intersects(where);
            });
            if (screen.contains(where) && free) {
                place = candidate;
                break;
            }
        }
        tool.move(place);
        tool.setProperty("placed", true);
    }
    tool.show();
    tool.raise();
    tool.activateWindow();
}

}  // namespace idrovela::window::qt
