#include "sheet/qt/circuit_links.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTreeView>

#include "circuit/messages.h"
#include "sheet/calculator_link.h"
#include "sheet/input.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/form_fields.h"
#include "text/quoted.h"

namespace idrovela::sheet::qt {

namespace {

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

// One line at the foot of the window: as much of the text as its width shows, all of it in the
// tooltip.
class CircuitLinks::NoteLine final : public QLabel {
  public:
    NoteLine() { setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); }
    void SetLine(const QString& line) {
        line_ = line;
        setToolTip(line);
        Elide();
    }
    [[nodiscard]] const QString& Line() const { return line_; }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Elide();
    }

  private:
    void Elide() { setText(fontMetrics().elidedText(line_, Qt::ElideRight, width())); }
    QString line_;
};

CircuitLinks::CircuitLinks(CircuitContext context, const CircuitWindowServices& services,
                           TakeEdit take, QMenu& edit, QTreeView& sheet, QAction& copy,
                           QAction& fittings)
    : context_(std::move(context)),
      services_(services),
      take_(std::move(take)),
      copy_(copy),
      fittings_(fittings) {
    edit.addSeparator();
    addTube_ = edit.addAction(QStringLiteral("A&ggiungi al circuito"));
    addTube_->setObjectName(QStringLiteral("AggiungiAlCircuito"));
    const QString addTip = QStringLiteral(
        "Il tubo selezionato in «Tubi commerciali» in un nuovo tratto sotto quello selezionato: "
        "lunghezza 0, un terminale con la portata G della finestra principale");
    addTube_->setToolTip(addTip);
    addTube_->setStatusTip(addTip);
    QObject::connect(addTube_, &QAction::triggered, addTube_, [this] { AddSelectedTube(); });
    calculator_ = edit.addAction(QStringLiteral("Apri ne&l calcolatore"));
    calculator_->setObjectName(QStringLiteral("ApriNelCalcolatore"));
    QObject::connect(calculator_, &QAction::triggered, calculator_, [this] { OpenInCalculator(); });
    // The entry for the tube follows "Tubi commerciali", which says nothing when its row changes:
    // asked whenever the menu opens.
    QObject::connect(&edit, &QMenu::aboutToShow, addTube_, [this] { Refresh(); });
    sheet.setContextMenuPolicy(Qt::DefaultContextMenu);
    new SegmentMenuKeys(sheet, [this](QPoint at) { ShowSegmentMenu(at); });
    // A widget of the status bar, so that the menus' status tips do not wipe it out.
    note_ = new NoteLine;
    note_->setObjectName(QStringLiteral("NotaCalcolatore"));
    note_->setAccessibleName(QStringLiteral("Nota sul calcolatore"));
    note_->hide();
    context_.window.statusBar()->addWidget(note_, 1);
}

CircuitLinks::~CircuitLinks() = default;

QString CircuitLinks::CalculatorNote() const {
    return note_->isHidden() ? QString() : note_->Line();
}

void CircuitLinks::ForgetCalculatorNote() {
    note_->SetLine({});
    note_->hide();
}

// A disabled "Apri nel calcolatore" says why in its tooltip.
void CircuitLinks::Refresh() {
    const Document& document = context_.document;
    addTube_->setEnabled(services_.selectedTube && services_.selectedTube().has_value());
    const std::optional<std::size_t> segment = context_.selected();
    const circuit::Solution* solution = document.Solution();
    QString why;
    if (!services_.openInCalculator) {
        why = QStringLiteral("La finestra principale non è collegata");
    } else if (!segment || solution == nullptr) {
        why = QStringLiteral("Nessun tratto selezionato");
    } else {
        const auto setUp =
            CalculatorSetUpFor(document.Circuit(), *solution, document.Catalogue(), *segment);
        if (const auto* reason = std::get_if<std::string>(&setUp)) {
            why = FromUtf8(*reason);
        }
    }
    calculator_->setEnabled(why.isEmpty());
    const QString tip = why.isEmpty()
                            ? QStringLiteral(
                                  "Imposta la finestra principale sul tratto selezionato: "
                                  "perdita di carico, fluido, tubo, portata e diametro")
                            : why;
    calculator_->setToolTip(tip);
    calculator_->setStatusTip(tip);
}

std::optional<std::string> CircuitLinks::AddTube(const tools::ChosenTube& tube) {
    const Document& document = context_.document;
    QStatusBar& status = *context_.window.statusBar();
    const std::optional<std::size_t> parent = context_.selected();
    const std::string flow = services_.calculatorFlow ? services_.calculatorFlow() : "";
    // The id the new segment gets, as sheet::AddTube gives it.
    const std::string id = NewSegment(document, parent).id;
    std::optional<std::string> problem;
    const bool taken = take_(sheet::AddTube(document, parent, tube, flow),
                             [&problem](const QString& reason) { problem = reason.toStdString(); });
    if (!taken) {
        problem = problem.value_or("Il tubo non è stato aggiunto.");
        status.showMessage(FromUtf8(*problem), 5000);
        return problem;
    }
    context_.select(document.Find(id));
    status.showMessage(QStringLiteral("Aggiunto ") + FromUtf8(text::Quoted(id)) +
                           QStringLiteral(" con il tubo ") +
                           FromUtf8(SeriesLabel(document.Catalogue(), tube.seriesName) + " " +
                                    tube.tube.designation),
                       5000);
    return std::nullopt;
}

void CircuitLinks::AddSelectedTube() {
    const std::optional<tools::ChosenTube> tube =
        services_.selectedTube ? services_.selectedTube() : std::nullopt;
    if (!tube) {
        context_.window.statusBar()->showMessage(
            QStringLiteral("Scegliere prima una riga in «Tubi commerciali» (menu Strumenti "
                           "della finestra principale)"),
            5000);
        return;
    }
    static_cast<void>(AddTube(*tube));
}

void CircuitLinks::OpenInCalculator() {
    const Document& document = context_.document;
    const std::optional<std::size_t> segment = context_.selected();
    const circuit::Solution* solution = document.Solution();
    if (!segment || solution == nullptr || !services_.openInCalculator) {
        return;
    }
    const auto setUp =
        CalculatorSetUpFor(document.Circuit(), *solution, document.Catalogue(), *segment);
    if (const auto* reason = std::get_if<std::string>(&setUp)) {
        context_.window.statusBar()->showMessage(FromUtf8(*reason), 5000);
        return;
    }
    ForgetCalculatorNote();
    const auto& pipe = std::get<tools::CalculatorSetUp>(setUp);
    if (const std::optional<std::string> problem = services_.openInCalculator(pipe)) {
        context_.dialogs.ShowError(&context_.window, FromUtf8(*problem));
        return;
    }
    const std::string note = services_.calculatorNote ? services_.calculatorNote(pipe) : "";
    if (!note.empty()) {
        note_->show();
        note_->SetLine(QStringLiteral("Nel calcolatore ") +
                       FromUtf8(text::Quoted(document.Circuit().segments[*segment].id)) +
                       QStringLiteral(": ") + FromUtf8(note));
    }
}

void CircuitLinks::ShowSegmentMenu(QPoint at) {
    Refresh();
    QMenu menu(&context_.window);
    menu.setObjectName(QStringLiteral("MenuTratto"));
    menu.addAction(calculator_);
    menu.addSeparator();
    menu.addAction(&copy_);
    menu.addAction(addTube_);
    menu.addAction(&fittings_);
    menu.exec(at);
}

}  // namespace idrovela::sheet::qt
