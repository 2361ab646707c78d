#include "window/qt/show_beside.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMargins>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "window/qt/windows_on_top.h"

namespace idrovela::window::qt {

namespace {

constexpr int kGap = 4;  // between two windows placed side by side

// What must show of a remembered window's title bar for the mouse to take it.
constexpr int kTitleBarHeight = 20;
constexpr int kGripWidth = 60;

// Places and sizes read back from the settings beyond these are not a screen's: ignored.
constexpr int kFarthest = 1'000'000;
constexpr int kLargest = 100'000;

QRect Transposed(const QRect& rect) {
    return {rect.y(), rect.x(), rect.height(), rect.width()};
}

// One side of the main window, as a column of the screen: the window lies along it from `start`
// down, against the column's left edge or, with `againstRight`, its right edge.
struct Column {
    QRect room;
    int start = 0;
    bool againstRight = false;
};

// The first place down the column, level with `start` or just below one of `others`, where the
// window fits at its size (the preferred one, as far as the column is wide and high) clear of
// `others`; with `mayShrink`, where it fits at least at its minimum height.
std::optional<QRect> PlaceInColumn(const Column& column, const std::vector<QRect>& others,
                                   QSize preferred, QSize minimum, bool mayShrink) {
    const QRect& room = column.room;
    if (!room.isValid()) {
        return std::nullopt;
    }
    const QSize size = preferred.boundedTo(room.size());
    if (size.width() < minimum.width() || size.height() < minimum.height()) {
        return std::nullopt;
    }
    const int left = column.againstRight ? room.right() - size.width() + 1 : room.left();
    const int right = left + size.width() - 1;
    std::vector<int> tops{std::clamp(column.start, room.top(), room.bottom() - size.height() + 1)};
    for (const QRect& other : others) {
        tops.push_back(other.bottom() + 1 + kGap);
    }
    for (const int top : tops) {
        if (top < room.top() || top > room.bottom()) {
            continue;
        }
        int bottom = std::min(room.bottom(), top + size.height() - 1);
        bool free = true;
        for (const QRect& other : others) {
            if (other.right() < left || other.left() > right || other.bottom() < top) {
                continue;  // beside the window's width, or above it
            }
            if (other.top() <= top) {
                free = false;
                break;
            }
            bottom = std::min(bottom, other.top() - 1 - kGap);
        }
        const int height = bottom - top + 1;
        if (free && height > 0 &&
            (height == size.height() || (mayShrink && height >= minimum.height()))) {
            return QRect(left, top, size.width(), height);
        }
    }
    return std::nullopt;
}

enum class Side { Right, Left, Below };

std::int64_t Area(const QRect& rect) {
    return std::int64_t{rect.width()} * rect.height();
}

struct Span {
    int start = 0;
    int length = 0;
};

// A window's span along one direction of the screen (`room`), inside it whole: no longer than
// the room; where it runs past the room's end, shortened toward `minimum` first, keeping its
// start, then moved back; where it starts before the room, moved in.
Span FitAlong(int start, int length, int minimum, int roomStart, int roomLength) {
    length = std::min(length, roomLength);
    start = std::max(start, roomStart);
    const int roomEnd = roomStart + roomLength;
    if (start + length > roomEnd) {
        length = std::max(roomEnd - start, std::min(minimum, length));
        start = roomEnd - length;
    }
    return {start, length};
}

// `frame` inside `screen` whole: across, narrowed toward `minimumWidth` first, keeping the side
// it was on clear of the main window; down, moved up first, keeping its height, as a window
// placed beside the main window is.
QRect WithinScreen(const QRect& frame, const QRect& screen, int minimumWidth) {
    const auto [left, width] =
        FitAlong(frame.left(), frame.width(), minimumWidth, screen.left(), screen.width());
    const auto [top, height] =
        FitAlong(frame.top(), frame.height(), frame.height(), screen.top(), screen.height());
    return {left, top, width, height};
}

std::optional<QRect> PlaceOnSide(Side side, const QRect& screen, const QRect& main,
                                 const std::vector<QRect>& others, QSize preferred, QSize minimum,
                                 bool mayShrink) {
    switch (side) {
        case Side::Right: {
            const QRect room(QPoint(main.right() + 1 + kGap, screen.top()), screen.bottomRight());
            return PlaceInColumn({room.intersected(screen), main.top(), false}, others, preferred,
                                 minimum, mayShrink);
        }
        case Side::Left: {
            const QRect room(screen.topLeft(), QPoint(main.left() - 1 - kGap, screen.bottom()));
            return PlaceInColumn({room.intersected(screen), main.top(), true}, others, preferred,
                                 minimum, mayShrink);
        }
        case Side::Below: {
            // The room below, turned on its side, is a column.
            const QRect room(QPoint(screen.left(), main.bottom() + 1 + kGap), screen.bottomRight());
            std::vector<QRect> turned;
            turned.reserve(others.size());
            for (const QRect& other : others) {
                turned.push_back(Transposed(other));
            }
            const auto place =
                PlaceInColumn({Transposed(room.intersected(screen)), main.left(), false}, turned,
                              preferred.transposed(), minimum.transposed(), mayShrink);
            return place ? std::optional<QRect>(Transposed(*place)) : std::nullopt;
        }
    }
    return std::nullopt;
}

// The size of the frame around a window of the program, before the window is first shown and
// has one: that of the main window's.
QMargins FrameMargins(const QWidget& main) {
    const QRect frame = main.frameGeometry();
    const QRect inner = main.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QString SettingsKey(const QWidget& tool, const char* what) {
    return QStringLiteral("windows/%1/%2").arg(tool.objectName(), QString::fromLatin1(what));
}

// The frame the settings remember for `tool`: its place (the frame's top left, as QWidget::pos
// gives it) and its size (inside the frame), when both are there and sound.
std::optional<QRect> RememberedFrame(const QSettings& settings, const QWidget& tool,
                                     const QMargins& margins) {
    const QVariant place = settings.value(SettingsKey(tool, "pos"));
    const QVariant size = settings.value(SettingsKey(tool, "size"));
    if (place.typeId() != QMetaType::QPoint || size.typeId() != QMetaType::QSize) {
        return std::nullopt;
    }
    const QPoint topLeft = place.toPoint();
    const QSize inner = size.toSize();
    if (std::abs(topLeft.x()) > kFarthest || std::abs(topLeft.y()) > kFarthest ||
        inner.width() <= 0 || inner.height() <= 0 || inner.width() > kLargest ||
        inner.height() > kLargest) {
        return std::nullopt;
    }
    return QRect(topLeft, inner.grownBy(margins));
}

// Writes a window's place and size into the settings each time either changes, and when it is
// closed.
class PlaceKeeper final : public QObject {
  public:
    PlaceKeeper(QWidget& tool, QSettings& settings)
        : QObject(&tool), tool_(tool), settings_(settings) {
        tool.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &tool_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
             event->type() == QEvent::Hide)) {
            settings_.setValue(SettingsKey(tool_, "pos"), tool_.pos());
            settings_.setValue(SettingsKey(tool_, "size"), tool_.size());
        }
        return false;
    }

  private:
    QWidget& tool_;
    QSettings& settings_;
};

// The least a window takes, inside its frame.
QSize Minimum(const QWidget& window) {
    return window.minimumSizeHint().expandedTo(window.minimumSize());
}

std::vector<QRect> ScreenAreas() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(screen->availableGeometry());
    }
    return areas;
}

}  // namespace

QRect PlaceBeside(const QRect& screen, const QRect& main, const std::vector<QRect>& others,
                  QSize preferred, QSize minimum) {
    minimum = minimum.expandedTo(QSize(1, 1));
    preferred = preferred.expandedTo(minimum);
    constexpr Side kSides[] = {Side::Right, Side::Left, Side::Below};
    for (const bool mayShrink : {false, true}) {
        // A side of the main window that holds the window whole; else the one of the two that
        // gives it the more room (the right one on a tie); else below.
        const auto right =
            PlaceOnSide(Side::Right, screen, main, others, preferred, minimum, mayShrink);
        const auto left =
            PlaceOnSide(Side::Left, screen, main, others, preferred, minimum, mayShrink);
        for (const auto& place : {right, left}) {
            if (place && place->size() == preferred) {
                return *place;
            }
        }
        if (right && (!left || Area(*right) >= Area(*left))) {
            return *right;
        }
        if (left) {
            return *left;
        }
        if (const auto below =
                PlaceOnSide(Side::Below, screen, main, others, preferred, minimum, mayShrink)) {
            return *below;
        }
    }
    // Covering another window of the program rather than the main one.
    for (const Side side : kSides) {
        if (const auto place = PlaceOnSide(side, screen, main, {}, preferred, minimum, false)) {
            return *place;
        }
    }
    const QSize size = preferred.boundedTo(screen.size());
    return {QPoint(std::clamp(main.right() + 1 + kGap, screen.left(),
                              std::max(screen.left(), screen.right() - size.width() + 1)),
                   std::clamp(main.top(), screen.top(),
                              std::max(screen.top(), screen.bottom() - size.height() + 1))),
            size};
}

std::optional<QRect> BackOnScreen(const QRect& frame, const std::vector<QRect>& screens,
                                  int minimumWidth) {
    const QRect titleBar(frame.topLeft(),
                         QSize(frame.width(), std::min(kTitleBarHeight, frame.height())));
    const int grip = std::min(kGripWidth, frame.width());
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(titleBar);
        if (seen.height() == titleBar.height() && seen.width() >= grip) {
            return WithinScreen(frame, screen, minimumWidth);
        }
    }
    return std::nullopt;
}

void ShowBeside(QWidget& tool, const QWidget& main, QSettings* settings) {
    if (!tool.property("placed").toBool()) {
        const QMargins margins = FrameMargins(main);
        const auto remembered =
            settings != nullptr ? RememberedFrame(*settings, tool, margins) : std::nullopt;
        std::optional<QRect> frame =
            remembered
                ? BackOnScreen(*remembered, ScreenAreas(), Minimum(tool).grownBy(margins).width())
                : std::nullopt;
        if (!frame) {
            if (remembered) {
                tool.resize(remembered->size().shrunkBy(margins));
            } else if (!tool.testAttribute(Qt::WA_Resized)) {
                tool.adjustSize();  // a window that has not chosen its size takes what it needs
            }
            std::vector<QRect> others;
            for (const QWidget* other : QApplication::topLevelWidgets()) {
                if (other != &tool && other != &main && other->isVisible() &&
                    IsWindowOfItsOwn(*other)) {
                    others.push_back(other->frameGeometry());
                }
            }
            const QRect screen = main.screen() != nullptr
                                     ? main.screen()->availableGeometry()
                                     : QRect(QPoint(0, 0), QSize(kLargest, kLargest));
            frame = PlaceBeside(screen, main.frameGeometry(), others, tool.size().grownBy(margins),
                                Minimum(tool).grownBy(margins));
        }
        tool.move(frame->topLeft());
        tool.resize(frame->size().shrunkBy(margins));
        tool.setProperty("placed", true);
        if (settings != nullptr) {
            new PlaceKeeper(tool, *settings);
        }
    }
    // Brought back from the task bar as it was (maximised stays maximised), in front, active.
    if (tool.isMinimized()) {
        tool.setWindowState(tool.windowState() & ~Qt::WindowMinimized);
    }
    tool.show();
    tool.raise();
    tool.activateWindow();
}

void CloseOnEscape(QWidget& tool) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &tool);
    QObject::connect(escape, &QShortcut::activated, &tool, &QWidget::close);
}

}  // namespace idrovela::window::qt
