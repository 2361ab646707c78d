#include "tools/qt/tool_windows.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "catalogues/user_catalogues.h"
#include "tools/qt/fluid_dialog.h"
#include "tools/qt/physics_panel_window.h"
#include "tools/qt/pipe_table_window.h"
#include "window/qt/main_window.h"

namespace idrovela::tools::qt {

ToolWindows::ToolWindows(window::qt::MainWindow& main) : main_(main) {
    QMenu& menu = main.ToolsMenu();
    QAction* physics = menu.addAction(QStringLiteral("&Verifica fisica…"));
    physics->setObjectName(QStringLiteral("VerificaFisica"));
    QObject::connect(physics, &QAction::triggered, &main, [this] { ShowPhysicsPanel(); });
    QAction* fluid = menu.addAction(QStringLiteral("&Proprietà del fluido…"));
    fluid->setObjectName(QStringLiteral("ProprietaFluido"));
    QObject::connect(fluid, &QAction::triggered, &main, [this] { ShowFluidDialog(); });
    QAction* pipes = menu.addAction(QStringLiteral("&Tubi commerciali…"));
    pipes->setObjectName(QStringLiteral("TubiCommerciali"));
    QObject::connect(pipes, &QAction::triggered, &main, [this] { ShowPipeTable(); });
    main.AfterEachAction([this] {
        if (physics_ != nullptr && physics_->isVisible()) {
            physics_->Refresh();
        }
        if (pipes_ != nullptr && pipes_->isVisible()) {
            pipes_->Refresh();
        }
    });
}

void ToolWindows::ShowPhysicsPanel() {
    if (physics_ == nullptr) {
        physics_ = new PhysicsPanelWindow(main_);
    }
    physics_->Refresh();
    ShowBeside(*physics_, main_);
}

void ToolWindows::ShowFluidDialog() {
    if (fluid_ == nullptr) {
        fluid_ = new FluidDialog(main_);
    }
    ShowBeside(*fluid_, main_);
}

// The catalogues are read when the table first opens: the built-in series and the user's own.
void ToolWindows::ShowPipeTable() {
    if (pipes_ == nullptr) {
        pipes_ = new PipeTableWindow(
            main_, catalogues::LoadCatalogues(catalogues::UserCatalogueDir(
                       [](const char* name) -> const char* { return std::getenv(name); })));
    }
    pipes_->Refresh();
    ShowBeside(*pipes_, main_);
}

// The first time, a tool window goes where it covers neither the main window nor another tool
// window: to the right of the main window (below the tool windows already there), below it, or to
// its left, whichever fits on the screen first; on a screen too small for any, to its right as
// far as the screen allows.
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

}  // namespace idrovela::tools::qt
