// The circuit window and the main window's calculator, each way: "Aggiungi al circuito" takes the
// tube selected in "Tubi commerciali" into the circuit, and "Apri nel calcolatore" sets the main
// window up for a segment; the segment's own menu offers it on the row.

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStatusBar>
#include <QTreeView>

#include "circuit/messages.h"
#include "sheet/calculator_link.h"
#include "sheet/qt/circuit_window.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/segment_model.h"
#include "text/quoted.h"

namespace idrovela::sheet::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Opens the segment's menu on the sheet: a click of the right button on a row selects it first;
// the menu key and Shift+F10 open it on the current row.
class SegmentMenuKeys final : public QObject {
  public:
    SegmentMenuKeys(QTreeView& sheet, std::function<void(QPoint)> open)
        : QObject(&sheet), sheet_(sheet), open_(std::move(open)) {
        sheet.installEventFilter(this);
        sheet.viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ContextMenu) {
            const auto& menu = *static_cast<QContextMenuEvent*>(event);
            if (menu.reason() == QContextMenuEvent::Mouse && watched == sheet_.viewport()) {
                const QModelIndex row = sheet_.indexAt(menu.pos());
                if (row.isValid()) {
                    sheet_.setCurrentIndex(row);
                }
                open_(menu.globalPos());
            } else {
                open_(AtCurrentRow());
            }
            return true;
        }
        if (event->type() == QEvent::KeyPress && watched == &sheet_) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier) {
                open_(AtCurrentRow());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    [[nodiscard]] QPoint AtCurrentRow() const {
        const QRect row = sheet_.visualRect(sheet_.currentIndex());
        const QPoint at = row.isValid() ? row.bottomLeft() + QPoint(row.height(), 0)
                                        : sheet_.viewport()->rect().topLeft();
        return sheet_.viewport()->mapToGlobal(at);
    }

    QTreeView& sheet_;
    std::function<void(QPoint)> open_;
};

}  // namespace

void CircuitWindow::CreateLinks(QMenu& edit) {
    edit.addSeparator();
    addTubeAction_ = edit.addAction(QStringLiteral("A&ggiungi al circuito"));
    addTubeAction_->setObjectName(QStringLiteral("AggiungiAlCircuito"));
    const QString addTip = QStringLiteral(
        "Il tubo selezionato in «Tubi commerciali» in un nuovo tratto sotto quello selezionato: "
        "lunghezza 0, un terminale con la portata G della finestra principale");
    addTubeAction_->setToolTip(addTip);
    addTubeAction_->setStatusTip(addTip);
    connect(addTubeAction_, &QAction::triggered, this, [this] { AddSelectedTube(); });
    calculatorAction_ = edit.addAction(QStringLiteral("Apri ne&l calcolatore"));
    calculatorAction_->setObjectName(QStringLiteral("ApriNelCalcolatore"));
    connect(calculatorAction_, &QAction::triggered, this, [this] { OpenInCalculator(); });
    // The entry for the tube follows "Tubi commerciali", which says nothing when its row changes:
    // asked whenever the menu opens.
    connect(&edit, &QMenu::aboutToShow, this, [this] { ShowLinks(); });
    sheet_->setContextMenuPolicy(Qt::DefaultContextMenu);
    new SegmentMenuKeys(*sheet_, [this](QPoint at) { ShowSegmentMenu(at); });
}

// The entries as the selection and the main window allow them; a disabled "Apri nel
// calcolatore" says why in its tooltip.
void CircuitWindow::ShowLinks() {
    if (calculatorAction_ == nullptr) {
        return;  // not made yet
    }
    addTubeAction_->setEnabled(services_.selectedTube && services_.selectedTube().has_value());
    const std::optional<std::size_t> segment = SelectedSegment();
    const circuit::Solution* solution = document_->Solution();
    QString why;
    if (!services_.openInCalculator) {
        why = QStringLiteral("La finestra principale non è collegata");
    } else if (!segment || solution == nullptr) {
        why = QStringLiteral("Nessun tratto selezionato");
    } else {
        const auto setUp =
            CalculatorSetUpFor(document_->Circuit(), *solution, document_->Catalogue(), *segment);
        if (const auto* reason = std::get_if<std::string>(&setUp)) {
            why = FromUtf8(*reason);
        }
    }
    calculatorAction_->setEnabled(why.isEmpty());
    const QString tip = why.isEmpty()
                            ? QStringLiteral(
                                  "Imposta la finestra principale sul tratto selezionato: "
                                  "perdita di carico, fluido, tubo, portata e diametro")
                            : why;
    calculatorAction_->setToolTip(tip);
    calculatorAction_->setStatusTip(tip);
}

std::optional<std::string> CircuitWindow::AddTube(const tools::ChosenTube& tube) {
    const std::optional<std::size_t> parent = SelectedSegment();
    const std::string flow = services_.calculatorFlow ? services_.calculatorFlow() : "";
    // The id the new segment gets, as sheet::AddTube gives it.
    const std::string id = NewSegment(*document_, parent).id;
    std::optional<std::string> problem;
    const bool taken = Take(sheet::AddTube(*document_, parent, tube, flow),
                            [&problem](const QString& reason) { problem = reason.toStdString(); });
    if (!taken) {
        problem = problem.value_or("Il tubo non è stato aggiunto.");
        statusBar()->showMessage(FromUtf8(*problem), 5000);
        return problem;
    }
    Select(document_->Find(id));
    statusBar()->showMessage(QStringLiteral("Aggiunto ") + FromUtf8(text::Quoted(id)) +
                                 QStringLiteral(" con il tubo ") +
                                 FromUtf8(tube.seriesName + " " + tube.tube.designation),
                             5000);
    return std::nullopt;
}

void CircuitWindow::AddSelectedTube() {
    const std::optional<tools::ChosenTube> tube =
        services_.selectedTube ? services_.selectedTube() : std::nullopt;
    if (!tube) {
        statusBar()->showMessage(
            QStringLiteral("Scegliere prima una riga in «Tubi commerciali» (menu Strumenti "
                           "della finestra principale)"),
            5000);
        return;
    }
    static_cast<void>(AddTube(*tube));
}

void CircuitWindow::OpenInCalculator() {
    const std::optional<std::size_t> segment = SelectedSegment();
    const circuit::Solution* solution = document_->Solution();
    if (!segment || solution == nullptr || !services_.openInCalculator) {
        return;
    }
    const auto setUp =
        CalculatorSetUpFor(document_->Circuit(), *solution, document_->Catalogue(), *segment);
    if (const auto* reason = std::get_if<std::string>(&setUp)) {
        statusBar()->showMessage(FromUtf8(*reason), 5000);
        return;
    }
    if (const std::optional<std::string> problem =
            services_.openInCalculator(std::get<tools::CalculatorSetUp>(setUp))) {
        services_.dialogs->ShowError(this, FromUtf8(*problem));
    }
}

void CircuitWindow::ShowSegmentMenu(QPoint at) {
    ShowLinks();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MenuTratto"));
    menu.addAction(calculatorAction_);
    menu.addSeparator();
    menu.addAction(copyAction_);
    menu.addAction(addTubeAction_);
    menu.addAction(fittingsAction_);
    menu.exec(at);
}

}  // namespace idrovela::sheet::qt
