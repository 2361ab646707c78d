#include "tools/qt/physics_panel_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "tools/physics_panel.h"
#include "tools/qt/wrapping_tool_tip.h"
#include "tools/tool_memory.h"
#include "tools/window_y.h"
#include "window/qt/main_window.h"
#include "window/qt/wheel_focus.h"

namespace idrovela::tools::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PhysicsPanelWindow::PhysicsPanelWindow(window::qt::MainWindow& main, const ToolMemory& memory)
    : QWidget(&main, Qt::Tool),
      main_(main),
      memory_(memory),
      figures_(new QGridLayout),
      notes_(new QLabel) {
    setObjectName(QStringLiteral("VerificaFisica"));
    window::qt::WheelOnlyWithFocus(*this);
    setWindowTitle(QStringLiteral("Verifica fisica"));
    setAccessibleName(QStringLiteral("Verifica fisica"));
    auto* title = new QLabel(QStringLiteral("<b>Fisica standard</b> (relazioni dei manuali)"));
    notes_->setObjectName(QStringLiteral("Note"));
    notes_->setWordWrap(true);
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(figures_);
    layout->addWidget(notes_);
    layout->addStretch();
    setMinimumWidth(300);  // beside the main window on a 1024-pixel screen
}

void PhysicsPanelWindow::Refresh() {
    const PhysicsCheck check = CheckPhysics(main_.Model(), memory_.Tube());
    const std::vector<PanelLine> lines = PanelLines(check);
    // Two labels a line, made once and reused: the number of lines changes only when the
    // figures come and go.
    while (labels_.size() < 2 * lines.size()) {
        auto* label = new QLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int index = static_cast<int>(labels_.size());
        if (index % 2 == 1) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        figures_->addWidget(label, index / 2, index % 2);
        labels_.push_back(label);
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const bool used = i / 2 < lines.size();
        labels_[i]->setVisible(used);
        if (used) {
            const PanelLine& line = lines[i / 2];
            labels_[i]->setText(FromUtf8(i % 2 == 0 ? line.caption : line.value));
            labels_[i]->setToolTip(WrappingToolTip(ToolTipFor(line.caption)));
        }
    }
    QStringList notes;
    for (const std::string& note : PanelNotes(check)) {
        notes << FromUtf8(note).toHtmlEscaped();
    }
    notes_->setText(notes.join(QStringLiteral("<br><br>")));
}

}  // namespace idrovela::tools::qt
