#include "sheet/qt/circuit_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QKeySequence>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

#include "sheet/input.h"
#include "sheet/operations.h"
#include "sheet/qt/cell_message.h"
#include "sheet/qt/circuit_drawings.h"
#include "sheet/qt/circuit_exports.h"
#include "sheet/qt/circuit_file.h"
#include "sheet/qt/circuit_help.h"
#include "sheet/qt/circuit_links.h"
#include "sheet/qt/detail_pane.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/form_fields.h"
#include "sheet/qt/pump_panel.h"
#include "sheet/qt/segment_model.h"
#include "sheet/qt/settings_panel.h"
#include "sheet/qt/sheet_view.h"
#include "sheet/qt/structure_edits.h"
#include "sheet/qt/warnings_model.h"
#include "sheet/window_texts.h"
#include "window/qt/wheel_focus.h"

namespace idrovela::sheet::qt {

namespace {

// Above this many segments a circuit opens with only its first levels expanded.
constexpr std::size_t kExpandedSegments = 1000;

// A menu entry named `name` (its objectName), with `tip` as its tooltip and status tip, and
// `keys` if any, running `action`.
template <typename Action>
QAction* AddEntry(QMainWindow& window, QMenu& menu, const char* text, const char* name,
                  const char* tip, const QKeySequence& keys, Action action) {
    QAction* item = menu.addAction(QString::fromUtf8(text));
    item->setObjectName(QString::fromUtf8(name));
    item->setToolTip(QString::fromUtf8(tip));
    item->setStatusTip(QString::fromUtf8(tip));
    if (!keys.isEmpty()) {
        item->setShortcut(keys);
    }
    QObject::connect(item, &QAction::triggered, &window, action);
    return item;
}

}  // namespace

// One edit on the undo stack. Pushed once the document has taken it, so its first redo does
// nothing.
class CircuitWindow::Command final : public QUndoCommand {
  public:
    Command(CircuitWindow& window, std::unique_ptr<Edit> edit)
        : QUndoCommand(FromUtf8(edit->name)), window_(window), edit_(std::move(edit)) {}
    void undo() override { window_.Replay(*edit_, false); }
    void redo() override {
        if (taken_) {
            taken_ = false;
            return;
        }
        window_.Replay(*edit_, true);
    }

  private:
    CircuitWindow& window_;
    std::unique_ptr<Edit> edit_;
    bool taken_ = true;
};

CircuitWindow::CircuitWindow(std::unique_ptr<Document> document,
                             const CircuitWindowServices& services, QWidget* parent,
                             std::unique_ptr<RecoveryFile> recovery)
    : QMainWindow(parent, Qt::Window),
      document_(std::move(document)),
      services_(services),
      model_(new SegmentModel(*document_, this)),
      warnings_(new WarningsModel(*document_, this)),
      undo_(new QUndoStack(this)),
      file_(std::make_unique<CircuitFile>(*document_, services, *this, std::move(recovery),
                                          [this] { Changed(); })) {
    setObjectName(QStringLiteral("Circuito"));
    setAttribute(Qt::WA_DeleteOnClose);
    window::qt::WheelOnlyWithFocus(*this);
    model_->SetCellEditor(
        [this](std::size_t segment, columns::SegmentColumn column, const std::string& text) {
            return EditCell(segment, column, text);
        });
    const TakeEdit take = [this](Proposal proposal,
                                 const std::function<void(const QString&)>& report) {
        return Take(std::move(proposal), report);
    };
    structure_ = std::make_unique<StructureEdits>(Context(), take);
    CreateFileMenu();
    QMenu& edit = CreateEditMenu();
    AddHelpMenu(*this, [this] {
        if (services_.showGuide) {
            services_.showGuide(*this);
        }
    });
    CreateSheet();
    exports_ = std::make_unique<CircuitExports>(Context(), *sheet_, *model_);
    CreateCellMessage();
    QScrollArea* detail = CreateDetail();
    CreateWarningList();
    CreateTabs(*detail);
    links_ = std::make_unique<CircuitLinks>(Context(), services_, take, edit, *sheet_, *copyAction_,
                                            *fittingsAction_);
    LayOut();
    if (document_->Circuit().segments.size() <= kExpandedSegments) {
        sheet_->expandAll();
    } else {
        sheet_->expandToDepth(1);
    }
    if (!document_->Tree().Roots().empty()) {
        Select(document_->Tree().Roots().front());
    }
    Changed();
    resize(1000, 680);
}

CircuitWindow::~CircuitWindow() {
    // The views and their models go before the document they read: as children of the window
    // they would outlive its members.
    sheet_->setModel(nullptr);
    warningList_->setModel(nullptr);
    delete model_;
    delete warnings_;
}

CircuitContext CircuitWindow::Context() {
    return {*document_, *this, *services_.dialogs, [this] { return SelectedSegment(); },
            [this](std::optional<std::size_t> segment) { Select(segment); }};
}

// ---- The window's parts ----

void CircuitWindow::CreateFileMenu() {
    QMenu& file = *menuBar()->addMenu(QStringLiteral("&File"));
    AddEntry(*this, file, "&Nuovo", "Nuovo", "Un nuovo circuito, in una finestra sua",
             QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
                 if (services_.newCircuit) {
                     services_.newCircuit();
                 }
             });
    AddEntry(*this, file, "&Apri…", "Apri", "Apre un circuito salvato, in una finestra sua",
             QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
                 if (services_.openCircuit) {
                     services_.openCircuit();
                 }
             });
    AddEntry(*this, file, "&Salva", "Salva", "Salva il circuito nel suo file",
             QKeySequence(Qt::CTRL | Qt::Key_S), [this] { file_->Save(); });
    AddEntry(*this, file, "Salva &con nome…", "SalvaConNome", "Salva il circuito in un altro file",
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { file_->SaveAs(); });
    file.addSeparator();
    AddEntry(*this, file, "Esporta &relazione…", "EsportaRelazione",
             "La relazione di calcolo del circuito in un file PDF", QKeySequence(),
             [this] { exports_->ExportReport(); });
    AddEntry(*this, file, "S&tampa…", "Stampa", "Stampa la relazione di calcolo del circuito",
             QKeySequence(Qt::CTRL | Qt::Key_P), [this] { exports_->PrintReport(); });
    AddEntry(*this, file, "Esporta CS&V…", "EsportaCSV",
             "La tabella dei tratti e quella dei terminali in un file CSV per un foglio di calcolo",
             QKeySequence(), [this] { exports_->ExportCsv(); });
    file.addSeparator();
    AddEntry(*this, file, "C&hiudi", "Chiudi", "Chiude la finestra del circuito",
             QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
}

QMenu& CircuitWindow::CreateEditMenu() {
    QMenu& edit = *menuBar()->addMenu(QStringLiteral("&Modifica"));
    QAction* undo = undo_->createUndoAction(this, QStringLiteral("&Annulla"));
    undo->setObjectName(QStringLiteral("Annulla"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undo_->createRedoAction(this, QStringLiteral("Ri&peti"));
    redo->setObjectName(QStringLiteral("Ripeti"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit.addAction(undo);
    edit.addAction(redo);
    edit.addSeparator();
    // Ctrl+C copies rows where rows are selected; a field, and a cell's editor, copy their text.
    copyAction_ =
        AddEntry(*this, edit, "C&opia", "Copia",
                 "Copia le righe selezionate del foglio, per un foglio di calcolo o un testo",
                 QKeySequence(QKeySequence::Copy), [this] { exports_->CopyRows(); });
    copyAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    edit.addSeparator();
    // The keys of the structure work in the sheet, where a segment is selected: Delete in a
    // field deletes characters.
    const auto sheetKey = [this](QAction* action) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        structureActions_.push_back(action);
    };
    StructureEdits& structure = *structure_;
    sheetKey(AddEntry(*this, edit, "Aggiungi tratto a &valle", "AggiungiAValle",
                      "Un nuovo tratto sotto quello selezionato (alla sorgente se nessuno lo è)",
                      QKeySequence(Qt::Key_Insert), [&structure] { structure.AddDownstream(); }));
    sheetKey(
        AddEntry(*this, edit, "Aggiungi tratto &dopo", "AggiungiDopo",
                 "Un nuovo tratto accanto a quello selezionato, sotto lo stesso tratto a monte",
                 QKeySequence(Qt::SHIFT | Qt::Key_Insert), [&structure] { structure.AddAfter(); }));
    sheetKey(AddEntry(*this, edit, "&Rimuovi tratto e tratti a valle", "Rimuovi",
                      "Toglie il tratto selezionato e tutti quelli a valle",
                      QKeySequence(Qt::Key_Delete),
                      [&structure] { structure.RemoveWithDownstream(); }));
    sheetKey(AddEntry(*this, edit, "Rimuovi &solo il tratto", "RimuoviSolo",
                      "Toglie il tratto selezionato; quelli a valle passano al suo tratto a monte",
                      QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                      [&structure] { structure.RemoveOnly(); }));
    moveAction_ =
        AddEntry(*this, edit, "Spos&ta sotto…", "SpostaSotto",
                 "Mette il tratto selezionato sotto un altro tratto a monte",
                 QKeySequence(Qt::CTRL | Qt::Key_M), [&structure] { structure.AskUpstream(); });
    edit.addSeparator();
    fittingsAction_ =
        AddEntry(*this, edit, "A&ccidenti e valvole…", "AccidentiValvole",
                 "I coefficienti ζ e le valvole del tratto selezionato",
                 QKeySequence(Qt::CTRL | Qt::Key_E), [&structure] { structure.EditFittings(); });
    return edit;
}

void CircuitWindow::CreateSheet() {
    sheet_ = NewSheetView(*model_, document_->Catalogue());
    for (QAction* action : structureActions_) {
        sheet_->addAction(action);
    }
    sheet_->addAction(copyAction_);
    connect(sheet_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex&) {
                cellMessage_->hide();
                ShowSelection();
                const std::optional<std::size_t> selected = SelectedSegment();
                if (drawings_ != nullptr) {
                    drawings_->Follow(selected);
                }
                for (const auto& follow : followers_) {
                    follow(selected);
                }
            });
}

void CircuitWindow::CreateCellMessage() {
    cellMessage_ = new CellMessage(*sheet_->viewport());
}

// The "Tratto" tab: the selected segment and its terminal, which is edited there.
QScrollArea* CircuitWindow::CreateDetail() {
    detail_ = new DetailPane(
        [this](const TerminalForm& form) {
            const std::optional<std::size_t> segment = SelectedSegment();
            if (segment) {
                QString refusal;
                const bool taken = Take(TerminalEdit(*document_, *segment, form),
                                        [&refusal](const QString& problem) { refusal = problem; });
                if (!taken) {
                    // The terminal as it was, and why the text was refused beside it.
                    ShowSelection();
                    detail_->ShowProblem(refusal);
                }
            }
        },
        *fittingsAction_, *moveAction_);
    auto* scroll = new QScrollArea;
    scroll->setWidget(detail_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setObjectName(QStringLiteral("SchedaTratto"));
    scroll->setAccessibleName(QStringLiteral("Tratto selezionato"));
    scroll->setToolTip(QStringLiteral("Il tratto selezionato e il suo terminale"));
    return scroll;
}

void CircuitWindow::CreateWarningList() {
    warningList_ = new QListView;
    warningList_->setObjectName(QStringLiteral("Avvisi"));
    warningList_->setAccessibleName(QStringLiteral("Avvisi del calcolo"));
    warningList_->setToolTip(
        QStringLiteral("Gli avvisi del calcolo: un clic o Invio seleziona il tratto nel foglio"));
    warningList_->setModel(warnings_);
    warningList_->setWordWrap(true);
    warningList_->setUniformItemSizes(false);
    const auto selectWarned = [this](const QModelIndex& index) {
        if (const std::optional<std::size_t> segment = warnings_->SegmentAt(index)) {
            Select(*segment);
        }
    };
    connect(warningList_, &QListView::clicked, this, selectWarned);
    connect(warningList_, &QListView::activated, this, selectWarned);
}

// The tabs beside the sheet: "Tratto", "Avvisi", then the drawings.
void CircuitWindow::CreateTabs(QScrollArea& detail) {
    views_ = new QTabWidget;
    views_->setObjectName(QStringLiteral("Viste"));
    views_->setAccessibleName(QStringLiteral("Dettagli del circuito"));
    views_->setToolTip(QStringLiteral(
        "Il tratto selezionato e gli avvisi del calcolo; Ctrl+Tab passa da una scheda all'altra"));
    views_->tabBar()->setToolTip(views_->toolTip());
    views_->tabBar()->setAccessibleName(QStringLiteral("Schede"));
    views_->addTab(&detail, QStringLiteral("&Tratto"));
    views_->addTab(warningList_, QStringLiteral("Avv&isi"));
    views_->setTabToolTip(0, QStringLiteral("Il tratto selezionato e il suo terminale"));
    views_->setTabToolTip(1, QStringLiteral("Gli avvisi del calcolo"));
    drawings_ = std::make_unique<CircuitDrawings>(Context(), *model_, *views_, *copyAction_);
}

// The settings above, the sheet and its tabs side by side, the pump below.
void CircuitWindow::LayOut() {
    settings_ = new SettingsPanel([this](const SettingsForm& form) {
        const bool taken = Take(SettingsEdit(*document_, form), [this](const QString& problem) {
            settings_->ShowProblem(problem);
        });
        if (!taken) {
            settings_->Mirror(document_->Circuit());  // the refused value gives way
        }
    });
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("Divisore"));
    splitter->addWidget(sheet_);
    splitter->addWidget(views_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({580, 400});
    splitter->setChildrenCollapsible(false);
    pump_ = new PumpPanel([this] {
        Take(SetLowestSupply(*document_),
             [this](const QString& problem) { statusBar()->showMessage(problem); });
    });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(settings_);
    layout->addWidget(splitter, 1);
    layout->addWidget(pump_);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("BarraDiStato"));
    sheet_->setFocus();
}

// ---- Selection ----

std::optional<std::size_t> CircuitWindow::SelectedSegment() const {
    return model_->SegmentAt(sheet_->currentIndex());
}

void CircuitWindow::SelectSegment(std::size_t segment) {
    Select(segment);
}

void CircuitWindow::Select(std::optional<std::size_t> segment) {
    // The selection is the segment's alone, whatever keys are held (Shift+Ins, say).
    QItemSelectionModel& selection = *sheet_->selectionModel();
    if (!segment || *segment >= document_->Circuit().segments.size()) {
        selection.setCurrentIndex({}, QItemSelectionModel::Clear);
        return;
    }
    const int column = std::max(sheet_->currentIndex().column(), 0);
    const QModelIndex index = model_->IndexOf(*segment, column);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        sheet_->expand(parent);
    }
    selection.setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    sheet_->scrollTo(index);
}

void CircuitWindow::WhenSelectionChanges(std::function<void(std::optional<std::size_t>)> follow) {
    followers_.push_back(std::move(follow));
}

void CircuitWindow::AfterEachChange(std::function<void()> refresh) {
    afterEachChange_.push_back(std::move(refresh));
}

void CircuitWindow::ShowSelection() {
    detail_->ShowProblem({});
    detail_->Show(*document_, SelectedSegment());
    const bool selected = SelectedSegment().has_value();
    fittingsAction_->setEnabled(selected);
    moveAction_->setEnabled(selected);
    if (links_ != nullptr) {
        links_->Refresh();
    }
}

// ---- Edits ----

bool CircuitWindow::Take(Proposal proposal, const std::function<void(const QString&)>& report) {
    if (std::holds_alternative<NoChange>(proposal)) {
        return false;
    }
    if (const auto* reason = std::get_if<std::string>(&proposal)) {
        report(FromUtf8(*reason));
        return false;
    }
    auto edit = std::make_unique<Edit>(std::move(std::get<Edit>(proposal)));
    if (const std::optional<std::string> refused = document_->Apply(*edit)) {
        report(FromUtf8(*refused));
        return false;
    }
    undo_->push(new Command(*this, std::move(edit)));
    Edited();
    return true;
}

void CircuitWindow::Replay(Edit& edit, bool redo) {
    try {
        if (redo) {
            document_->Redo(edit);
        } else {
            document_->Undo(edit);
        }
    } catch (const std::exception& error) {
        services_.dialogs->ShowError(this, FromUtf8(error.what()));
    }
    Edited();
}

// A refusal said beside a field or a cell, and what the calculator could not hold of a segment,
// belong to the circuit as it was.
void CircuitWindow::Edited() {
    settings_->ShowProblem({});
    cellMessage_->hide();
    links_->ForgetCalculatorNote();
    Changed();
}

bool CircuitWindow::EditCell(std::size_t segment, columns::SegmentColumn column,
                             const std::string& text) {
    bool refused = false;
    Take(CellEdit(*document_, segment, column, text),
         [this, segment, column, &refused](const QString& problem) {
             refused = true;
             cellMessage_->ShowBeside(
                 sheet_->visualRect(model_->IndexOf(segment, static_cast<int>(column))), problem);
         });
    if (!refused) {
        cellMessage_->hide();
    }
    return !refused;
}

// ---- After each change ----

void CircuitWindow::Changed() {
    setWindowTitle(FromUtf8(WindowTitle(document_->File(), document_->Modified())));
    settings_->Mirror(document_->Circuit());
    warnings_->Reset();
    const circuit::Solution* solution = document_->Solution();
    views_->setTabText(
        1, QStringLiteral("Avv&isi (%1)").arg(solution == nullptr ? 0 : solution->warnings.size()));
    ShowSelection();
    pump_->Show(document_->Circuit(), solution);
    drawings_->Changed();
    file_->Changed();
    for (const auto& refresh : afterEachChange_) {
        refresh();
    }
}

// ---- Closing ----

void CircuitWindow::CloseAgreed() {
    file_->Agree();
    close();
}

void CircuitWindow::closeEvent(QCloseEvent* event) {
    if (!file_->AgreeToClose()) {
        event->ignore();
        return;
    }
    file_->Closed();
    event->accept();
}

}  // namespace idrovela::sheet::qt
