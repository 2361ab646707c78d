#include "tools/qt/tool_windows.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSettings>
#include <cstdlib>

#include "catalogues/user_catalogues.h"
#include "tools/qt/fluid_dialog.h"
#include "tools/qt/physics_panel_window.h"
#include "tools/qt/pipe_table_window.h"
#include "window/qt/main_window.h"
#include "window/qt/show_beside.h"

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
    main.DescribeOtherFluid([this] { return memory_.FluidDescription(); });
    main.AfterEachAction([this] {
        memory_.Follow(main_.Model());
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
        physics_ = new PhysicsPanelWindow(main_, memory_);
        window::qt::CloseOnEscape(*physics_);
    }
    physics_->Refresh();
    window::qt::ShowBeside(*physics_, main_, main_.Settings());
}

void ToolWindows::ShowFluidDialog() {
    if (fluid_ == nullptr) {
        fluid_ = new FluidDialog(main_, memory_);
        if (QSettings* settings = main_.Settings()) {
            fluid_->RememberIn(*settings);
        }
    }
    window::qt::ShowBeside(*fluid_, main_, main_.Settings());
}

// The catalogues are read when the table first opens: the built-in series and the user's own.
void ToolWindows::ShowPipeTable() {
    if (pipes_ == nullptr) {
        pipes_ = new PipeTableWindow(
            main_, memory_,
            catalogues::LoadCatalogues(catalogues::UserCatalogueDir(
                [](const char* name) -> const char* { return std::getenv(name); })));
        window::qt::CloseOnEscape(*pipes_);
        if (QSettings* settings = main_.Settings()) {
            pipes_->RememberIn(*settings);
        }
        pipes_->LinkCircuits(circuits_);
    }
    pipes_->Refresh();
    window::qt::ShowBeside(*pipes_, main_, main_.Settings());
}

void ToolWindows::LinkCircuits(CircuitLink link) {
    circuits_ = std::move(link);
    if (pipes_ != nullptr) {
        pipes_->LinkCircuits(circuits_);
    }
}

void ToolWindows::CircuitsChanged() {
    if (pipes_ != nullptr) {
        pipes_->CircuitsChanged();
    }
}

std::optional<ChosenTube> ToolWindows::SelectedTube() const {
    if (pipes_ == nullptr || !pipes_->isVisible()) {
        return std::nullopt;
    }
    return pipes_->SelectedTube();
}

std::optional<std::string> ToolWindows::OpenInCalculator(const CalculatorSetUp& setUp) {
    std::optional<std::string> problem;
    main_.Act([this, &setUp, &problem](window::Form_Principale& form) {
        problem = SetUpCalculator(form, memory_, setUp);
    });
    if (main_.isMinimized()) {
        main_.showNormal();
    }
    main_.raise();
    main_.activateWindow();
    return problem;
}

}  // namespace idrovela::tools::qt
