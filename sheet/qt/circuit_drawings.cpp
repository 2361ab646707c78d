#include "sheet/qt/circuit_drawings.h"

#include <QEvent>
#include <QTabBar>
#include <QTabWidget>

#include "report/qt/schematic_view.h"
#include "report/qt/system_curve_widget.h"
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

CircuitDrawings::CircuitDrawings(CircuitContext context, SegmentModel& model, QTabWidget& views,
                                 QAction& copy)
    : context_(std::move(context)),
      schematic_(new report::qt::SchematicView),
      curve_(new report::qt::SystemCurveWidget) {
    const Document& document = context_.document;
    schematic_->setToolTip(
        QStringLiteral("Lo schema del circuito: un clic su un tratto lo seleziona nel foglio; "
                       "Ctrl+rotella, Ctrl++ e Ctrl+− cambiano la scala, Ctrl+0 la riporta a 1:1"));
    if (const circuit::Solution* solution = document.Solution()) {
        schematic_->ShowCircuit(document.Circuit(), *solution);
    }
    schematic_->OnSegmentClicked([this](std::size_t segment) { context_.select(segment); });
    schematic_->addAction(&copy);
    model.WhenRecalculated([this](const std::vector<std::size_t>& changed) {
        const circuit::Solution* solution = context_.document.Solution();
        if (!schematic_->isVisible() || solution == nullptr) {
            behind_ = true;
            return;
        }
        schematic_->Update(context_.document.Circuit(), *solution, changed);
    });
    new WhenShown(*schematic_, [this] {
        const circuit::Solution* solution = context_.document.Solution();
        if (behind_ && solution != nullptr) {
            schematic_->Update(context_.document.Circuit(), *solution);
            behind_ = false;
            schematic_->SelectSegment(context_.selected());
        }
    });

    // Smaller than the curve likes, so that the window still fits a small screen; the user
    // widens the tabs with the splitter.
    curve_->setMinimumSize(curve_->minimumSizeHint() / 2);

    const int schema = views.addTab(schematic_, QStringLiteral("S&chema"));
    views.setTabToolTip(schema, QStringLiteral("Lo schema del circuito dalla sorgente"));
    const int curve = views.addTab(curve_, QStringLiteral("Curva dell'impianto"));
    views.setTabToolTip(
        curve, QStringLiteral("La curva dell'impianto con il punto di lavoro della pompa"));
    views.setToolTip(QStringLiteral(
        "Il tratto selezionato, gli avvisi del calcolo, lo schema e la curva dell'impianto; "
        "Ctrl+Tab passa da una scheda all'altra"));
    views.tabBar()->setToolTip(views.toolTip());
}

void CircuitDrawings::Follow(std::optional<std::size_t> segment) {
    schematic_->SelectSegment(segment);
}

void CircuitDrawings::Changed() {
    schematic_->SelectSegment(context_.selected());
    if (const circuit::Solution* solution = context_.document.Solution()) {
        curve_->ShowPump(solution->pump);
    }
}

}  // namespace idrovela::sheet::qt
