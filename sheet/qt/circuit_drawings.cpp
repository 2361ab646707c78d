// The circuit window's drawings: the schematic and the system curve, in tabs beside the sheet.

#include <QEvent>
#include <QTabBar>
#include <QTabWidget>

#include "report/qt/schematic_view.h"
#include "report/qt/system_curve_widget.h"
#include "sheet/qt/circuit_window.h"
#include "sheet/qt/segment_model.h"

namespace idrovela::sheet::qt {

namespace {

// Runs `shown` each time the widget it watches is shown: its tab chosen, or its window opened.
class WhenShown final : public QObject {
  public:
    WhenShown(QWidget& watched, std::function<void()> shown)
        : QObject(&watched), shown_(std::move(shown)) {
        watched.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            shown_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> shown_;
};

}  // namespace

// The schematic and the sheet select alike: a click on a segment's line selects its row, and the
// schematic marks the row the sheet selects. After an edit the schematic changes what the
// document names as changed, in place; only a change of the tree's shape draws it afresh. While
// its tab is hidden it waits, and catches up on all the edits at once when shown, so that an
// edit costs the sheet nothing for a drawing no one sees.
void CircuitWindow::CreateDrawings() {
    schematic_ = new report::qt::SchematicView;
    schematic_->setToolTip(
        QStringLiteral("Lo schema del circuito: un clic su un tratto lo seleziona nel foglio; "
                       "Ctrl+rotella, Ctrl++ e Ctrl+− cambiano la scala, Ctrl+0 la riporta a 1:1"));
    if (const circuit::Solution* solution = document_->Solution()) {
        schematic_->ShowCircuit(document_->Circuit(), *solution);
    }
    schematic_->OnSegmentClicked([this](std::size_t segment) { Select(segment); });
    schematic_->addAction(copyAction_);
    WhenSelectionChanges(
        [this](std::optional<std::size_t> segment) { schematic_->SelectSegment(segment); });
    model_->WhenRecalculated([this](const std::vector<std::size_t>& changed) {
        const circuit::Solution* solution = document_->Solution();
        if (!schematic_->isVisible() || solution == nullptr) {
            schematicBehind_ = true;
            return;
        }
        schematic_->Update(document_->Circuit(), *solution, changed);
    });
    new WhenShown(*schematic_, [this] {
        const circuit::Solution* solution = document_->Solution();
        if (schematicBehind_ && solution != nullptr) {
            schematic_->Update(document_->Circuit(), *solution);
            schematicBehind_ = false;
            schematic_->SelectSegment(SelectedSegment());
        }
    });

    curve_ = new report::qt::SystemCurveWidget;
    // Smaller than the curve likes, so that the window still fits a small screen; the user
    // widens the tabs with the splitter.
    curve_->setMinimumSize(curve_->minimumSizeHint() / 2);

    const int schema = views_->addTab(schematic_, QStringLiteral("S&chema"));
    views_->setTabToolTip(schema, QStringLiteral("Lo schema del circuito dalla sorgente"));
    const int curve = views_->addTab(curve_, QStringLiteral("Curva dell'impianto"));
    views_->setTabToolTip(
        curve, QStringLiteral("La curva dell'impianto con il punto di lavoro della pompa"));
    views_->setToolTip(QStringLiteral(
        "Il tratto selezionato, gli avvisi del calcolo, lo schema e la curva dell'impianto; "
        "Ctrl+Tab passa da una scheda all'altra"));
    views_->tabBar()->setToolTip(views_->toolTip());
}

// After every change, with the rest of the window: the selection may stand at another index
// now, and the pump's duty may have moved.
void CircuitWindow::ShowDrawings() {
    schematic_->SelectSegment(SelectedSegment());
    if (const circuit::Solution* solution = document_->Solution()) {
        curve_->ShowPump(solution->pump);
    }
}

}  // namespace idrovela::sheet::qt
