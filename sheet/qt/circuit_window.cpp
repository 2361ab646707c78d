#include "sheet/qt/circuit_window.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

#include "circuit/messages.h"
#include "sheet/files.h"
#include "sheet/input.h"
#include "sheet/qt/cell_delegate.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/fittings_dialog.h"
#include "sheet/qt/panels.h"
#include "sheet/qt/segment_model.h"
#include "sheet/window_texts.h"

namespace idrovela::sheet::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Above this many segments a circuit opens with only its first levels expanded.
constexpr std::size_t kExpandedSegments = 1000;

}  // namespace

// The engine's warnings, one line each, with the warning icon; read from the document when
// asked, reset after each change.
class WarningsModel final : public QAbstractListModel {
  public:
    WarningsModel(const Document& document, QObject* parent)
        : QAbstractListModel(parent),
          document_(document),
          icon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    [[nodiscard]] std::optional<std::size_t> SegmentAt(const QModelIndex& index) const {
        const circuit::Solution* solution = document_.Solution();
        if (solution == nullptr || !index.isValid() ||
            static_cast<std::size_t>(index.row()) >= solution->warnings.size()) {
            return std::nullopt;
        }
        return solution->warnings[static_cast<std::size_t>(index.row())].segment;
    }
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override {
        const circuit::Solution* solution = document_.Solution();
        return parent.isValid() || solution == nullptr
                   ? 0
                   : static_cast<int>(solution->warnings.size());
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        const circuit::Solution* solution = document_.Solution();
        if (solution == nullptr || !index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const circuit::Warning& warning = solution->warnings[static_cast<std::size_t>(index.row())];
        switch (role) {
            case Qt::DisplayRole:
            case Qt::ToolTipRole:
                return FromUtf8(WarningLine(document_.Circuit(), warning));
            case Qt::DecorationRole:
                return icon_;
            default:
                break;
        }
        return {};
    }

  private:
    const Document& document_;
    QIcon icon_;
};

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
      recovery_(std::move(recovery)) {
    setObjectName(QStringLiteral("Circuito"));
    setAttribute(Qt::WA_DeleteOnClose);
    model_->SetCellEditor(
        [this](std::size_t segment, columns::SegmentColumn column, const std::string& text) {
            return EditCell(segment, column, text);
        });
    autosave_.setSingleShot(true);
    autosave_.setInterval(services_.autosaveMilliseconds);
    connect(&autosave_, &QTimer::timeout, this, [this] { AutosaveNow(); });
    CreateMenus();
    CreateViews();
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

void CircuitWindow::CreateMenus() {
    const auto add = [this](QMenu* menu, const char* text, const char* name, const char* tip,
                            QKeySequence keys, auto action) {
        QAction* item = menu->addAction(QString::fromUtf8(text));
        item->setObjectName(QString::fromUtf8(name));
        item->setToolTip(QString::fromUtf8(tip));
        item->setStatusTip(QString::fromUtf8(tip));
        if (!keys.isEmpty()) {
            item->setShortcut(keys);
        }
        connect(item, &QAction::triggered, this, action);
        return item;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, "&Nuovo", "Nuovo", "Un nuovo circuito, in una finestra sua",
        QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
            if (services_.newCircuit) {
                services_.newCircuit();
            }
        });
    add(file, "&Apri…", "Apri", "Apre un circuito salvato, in una finestra sua",
        QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
            if (services_.openCircuit) {
                services_.openCircuit();
            }
        });
    add(file, "&Salva", "Salva", "Salva il circuito nel suo file",
        QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(); });
    add(file, "Salva &con nome…", "SalvaConNome", "Salva il circuito in un altro file",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveAs(); });
    file->addSeparator();
    add(file, "Esporta &relazione…", "EsportaRelazione",
        "La relazione di calcolo del circuito in un file PDF", QKeySequence(),
        [this] { ExportReport(); });
    add(file, "S&tampa…", "Stampa", "Stampa la relazione di calcolo del circuito",
        QKeySequence(Qt::CTRL | Qt::Key_P), [this] { PrintReport(); });
    add(file, "Esporta CS&V…", "EsportaCSV",
        "La tabella dei tratti e quella dei terminali in un file CSV per un foglio di calcolo",
        QKeySequence(), [this] { ExportCsv(); });
    file->addSeparator();
    add(file, "C&hiudi", "Chiudi", "Chiude la finestra del circuito",
        QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Modifica"));
    editMenu_ = edit;
    QAction* undo = undo_->createUndoAction(this, QStringLiteral("&Annulla"));
    undo->setObjectName(QStringLiteral("Annulla"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undo_->createRedoAction(this, QStringLiteral("Ri&peti"));
    redo->setObjectName(QStringLiteral("Ripeti"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    // Ctrl+C copies rows where rows are selected; a field, and a cell's editor, copy their text.
    copyAction_ = add(edit, "C&opia", "Copia",
                      "Copia le righe selezionate del foglio, per un foglio di calcolo o un testo",
                      QKeySequence(QKeySequence::Copy), [this] { CopyRows(); });
    copyAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    edit->addSeparator();
    // The keys of the structure work in the sheet, where a segment is selected: Delete in a
    // field deletes characters.
    const auto sheetKey = [this](QAction* action) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        structureActions_.push_back(action);
    };
    sheetKey(add(edit, "Aggiungi tratto a &valle", "AggiungiAValle",
                 "Un nuovo tratto sotto quello selezionato (alla sorgente se nessuno lo è)",
                 QKeySequence(Qt::Key_Insert), [this] { AddDownstream(); }));
    sheetKey(add(edit, "Aggiungi tratto &dopo", "AggiungiDopo",
                 "Un nuovo tratto accanto a quello selezionato, sotto lo stesso tratto a monte",
                 QKeySequence(Qt::SHIFT | Qt::Key_Insert), [this] { AddAfter(); }));
    sheetKey(add(edit, "&Rimuovi tratto e tratti a valle", "Rimuovi",
                 "Toglie il tratto selezionato e tutti quelli a valle",
                 QKeySequence(Qt::Key_Delete), [this] { RemoveWithDownstream(); }));
    sheetKey(add(edit, "Rimuovi &solo il tratto", "RimuoviSolo",
                 "Toglie il tratto selezionato; quelli a valle passano al suo tratto a monte",
                 QKeySequence(Qt::SHIFT | Qt::Key_Delete), [this] { RemoveOnly(); }));
    moveAction_ = add(edit, "Spos&ta sotto…", "SpostaSotto",
                      "Mette il tratto selezionato sotto un altro tratto a monte",
                      QKeySequence(Qt::CTRL | Qt::Key_M), [this] { AskUpstream(); });
    edit->addSeparator();
    fittingsAction_ = add(edit, "A&ccidenti e valvole…", "AccidentiValvole",
                          "I coefficienti ζ e le valvole del tratto selezionato",
                          QKeySequence(Qt::CTRL | Qt::Key_E), [this] { EditFittings(); });
}

void CircuitWindow::CreateViews() {
    settings_ = new SettingsPanel([this](const SettingsForm& form) {
        const bool taken = Take(SettingsEdit(*document_, form), [this](const QString& problem) {
            settings_->ShowProblem(problem);
        });
        if (!taken) {
            settings_->Mirror(document_->Circuit());  // the refused value gives way
        }
    });

    sheet_ = new QTreeView;
    sheet_->setObjectName(QStringLiteral("Foglio"));
    sheet_->setAccessibleName(QStringLiteral("Foglio dei tratti"));
    sheet_->setToolTip(QStringLiteral(
        "I tratti del circuito, ciascuno sotto il suo tratto a monte; ▶ e il colore segnano il "
        "circuito indice. F2 o un doppio clic modifica una cella; Ins aggiunge un tratto, Canc lo "
        "toglie."));
    sheet_->setModel(model_);
    sheet_->setUniformRowHeights(true);
    sheet_->setAlternatingRowColors(true);
    // Several rows for "Copia"; the edits act on the current one.
    sheet_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sheet_->setSelectionBehavior(QAbstractItemView::SelectItems);
    sheet_->setAllColumnsShowFocus(false);
    sheet_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    QStringList tubes;
    for (const TubeOption& option : TubeOptions(document_->Catalogue())) {
        tubes << FromUtf8(option.text);
    }
    sheet_->setItemDelegate(new CellDelegate(tubes, sheet_));
    sheet_->header()->setStretchLastSection(false);
    // Each column as wide as its caption or its widest usual figure; the id's with room for the
    // tree's indentation, the texts' for a few words.
    const QFontMetrics metrics = sheet_->fontMetrics();
    for (std::size_t column = 0; column < columns::kSegmentColumns; ++column) {
        const columns::ColumnInfo& info = columns::SegmentColumns()[column];
        int width = std::max(metrics.horizontalAdvance(FromUtf8(std::string(info.caption))),
                             metrics.horizontalAdvance(QStringLiteral("000000,00")));
        switch (static_cast<columns::SegmentColumn>(column)) {
            case columns::SegmentColumn::Id:
                width = metrics.horizontalAdvance(QStringLiteral("▶ T0000")) + 4 * 20;
                break;
            case columns::SegmentColumn::Descrizione:
                width = metrics.horizontalAdvance(QStringLiteral("collettore piano"));
                break;
            case columns::SegmentColumn::Tubo:
                width = metrics.horizontalAdvance(QStringLiteral("rame 28×1,5 (automatico)"));
                break;
            default:
                break;
        }
        sheet_->setColumnWidth(static_cast<int>(column), width + 16);
    }
    for (QAction* action : structureActions_) {
        sheet_->addAction(action);
    }
    sheet_->addAction(copyAction_);
    connect(sheet_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex&) {
                HideCellMessage();
                ShowSelection();
                for (const auto& follow : followers_) {
                    follow(SelectedSegment());
                }
            });

    cellMessage_ = new QLabel(sheet_->viewport());
    cellMessage_->setObjectName(QStringLiteral("MessaggioCella"));
    cellMessage_->setAccessibleName(QStringLiteral("Messaggio"));
    cellMessage_->setWordWrap(true);
    cellMessage_->setAutoFillBackground(true);
    cellMessage_->setFrameShape(QFrame::Box);
    cellMessage_->setMargin(4);
    cellMessage_->setForegroundRole(QPalette::ToolTipText);
    cellMessage_->setBackgroundRole(QPalette::ToolTipBase);
    cellMessage_->hide();

    detail_ = new DetailPane(
        [this](const TerminalForm& form) {
            const std::optional<std::size_t> segment = SelectedSegment();
            if (segment) {
                const bool taken =
                    Take(TerminalEdit(*document_, *segment, form),
                         [this](const QString& problem) { detail_->ShowProblem(problem); });
                if (!taken) {
                    ShowSelection();
                }
            }
        },
        *fittingsAction_, *moveAction_);
    auto* detailScroll = new QScrollArea;
    detailScroll->setWidget(detail_);
    detailScroll->setWidgetResizable(true);
    detailScroll->setFrameShape(QFrame::NoFrame);
    detailScroll->setObjectName(QStringLiteral("SchedaTratto"));
    detailScroll->setAccessibleName(QStringLiteral("Tratto selezionato"));
    detailScroll->setToolTip(QStringLiteral("Il tratto selezionato e il suo terminale"));

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

    views_ = new QTabWidget;
    views_->setObjectName(QStringLiteral("Viste"));
    views_->setAccessibleName(QStringLiteral("Dettagli del circuito"));
    views_->setToolTip(QStringLiteral(
        "Il tratto selezionato e gli avvisi del calcolo; Ctrl+Tab passa da una scheda all'altra"));
    views_->tabBar()->setToolTip(views_->toolTip());
    views_->tabBar()->setAccessibleName(QStringLiteral("Schede"));
    views_->addTab(detailScroll, QStringLiteral("&Tratto"));
    views_->addTab(warningList_, QStringLiteral("Avv&isi"));
    views_->setTabToolTip(0, QStringLiteral("Il tratto selezionato e il suo terminale"));
    views_->setTabToolTip(1, QStringLiteral("Gli avvisi del calcolo"));
    CreateDrawings();
    CreateLinks(*editMenu_);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("Divisore"));
    splitter->addWidget(sheet_);
    splitter->addWidget(views_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({580, 400});
    splitter->setChildrenCollapsible(false);

    pump_ = new QFrame;
    pump_->setObjectName(QStringLiteral("Pompa"));
    pump_->setAccessibleName(QStringLiteral("Pompa"));
    pump_->setToolTip(QStringLiteral(
        "Il punto di lavoro della pompa: portata e prevalenza del circuito indice; i margini su "
        "righe proprie"));
    static_cast<QFrame*>(pump_)->setFrameShape(QFrame::StyledPanel);
    pumpLines_ = new QGridLayout(pump_);
    pumpLines_->setContentsMargins(8, 4, 8, 4);
    pumpLines_->setVerticalSpacing(1);
    pumpLines_->setColumnStretch(1, 1);

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
    if (!segment || *segment >= document_->Circuit().segments.size()) {
        sheet_->setCurrentIndex({});
        return;
    }
    const int column = std::max(sheet_->currentIndex().column(), 0);
    const QModelIndex index = model_->IndexOf(*segment, column);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        sheet_->expand(parent);
    }
    sheet_->setCurrentIndex(index);
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
    detail_->Show(document_->Circuit(), document_->Solution(), SelectedSegment());
    const bool selected = SelectedSegment().has_value();
    fittingsAction_->setEnabled(selected);
    moveAction_->setEnabled(selected);
    ShowLinks();
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
    Changed();
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
    Changed();
}

bool CircuitWindow::EditCell(std::size_t segment, columns::SegmentColumn column,
                             const std::string& text) {
    const bool taken = Take(CellEdit(*document_, segment, column, text),
                            [this, segment, column](const QString& problem) {
                                ShowCellMessage(segment, column, problem);
                            });
    if (taken) {
        HideCellMessage();
    }
    return taken;
}

void CircuitWindow::ShowCellMessage(std::size_t segment, columns::SegmentColumn column,
                                    const QString& text) {
    const QRect cell = sheet_->visualRect(model_->IndexOf(segment, static_cast<int>(column)));
    const QRect room = sheet_->viewport()->rect();
    cellMessage_->setText(text);
    cellMessage_->setMaximumWidth(std::max(200, room.width() / 2));
    cellMessage_->adjustSize();
    // Beside the cell, below it, or above it: wherever the viewport has room.
    QPoint at(cell.right() + 4, cell.top());
    if (at.x() + cellMessage_->width() > room.right()) {
        at = QPoint(std::max(0, std::min(cell.left(), room.right() - cellMessage_->width())),
                    cell.bottom() + 2);
    }
    if (at.y() + cellMessage_->height() > room.bottom()) {
        at.setY(std::max(0, cell.top() - cellMessage_->height() - 2));
    }
    cellMessage_->move(at);
    cellMessage_->show();
    cellMessage_->raise();
}

void CircuitWindow::HideCellMessage() {
    cellMessage_->hide();
}

void CircuitWindow::AddDownstream() {
    const std::optional<std::size_t> parent = SelectedSegment();
    const circuit::Segment segment = NewSegment(*document_, parent);
    const std::string id = segment.id;
    if (Take(sheet::AddDownstream(*document_, parent, segment),
             [this](const QString& problem) { statusBar()->showMessage(problem); })) {
        Select(document_->Find(id));
    }
}

void CircuitWindow::AddAfter() {
    const std::optional<std::size_t> sibling = SelectedSegment();
    if (!sibling) {
        AddDownstream();
        return;
    }
    const circuit::Segment segment = NewSegment(*document_, sibling);
    const std::string id = segment.id;
    if (Take(sheet::AddAfter(*document_, *sibling, segment),
             [this](const QString& problem) { statusBar()->showMessage(problem); })) {
        Select(document_->Find(id));
    }
}

void CircuitWindow::RemoveWithDownstream() {
    const std::optional<std::size_t> segment = SelectedSegment();
    if (!segment) {
        return;
    }
    const std::optional<std::size_t> parent = document_->Tree().Parent(*segment);
    const std::optional<std::string> parentId =
        parent ? std::optional(document_->Circuit().segments[*parent].id) : std::nullopt;
    if (Take(sheet::RemoveWithDownstream(*document_, *segment),
             [this](const QString& problem) { statusBar()->showMessage(problem); })) {
        Select(parentId ? document_->Find(*parentId) : std::nullopt);
    }
}

void CircuitWindow::RemoveOnly() {
    const std::optional<std::size_t> segment = SelectedSegment();
    if (!segment) {
        return;
    }
    Take(sheet::RemoveOnly(*document_, *segment),
         [this](const QString& problem) { statusBar()->showMessage(problem); });
}

void CircuitWindow::MoveUnder(std::optional<std::size_t> upstream) {
    const std::optional<std::size_t> segment = SelectedSegment();
    if (!segment) {
        return;
    }
    const std::string id = document_->Circuit().segments[*segment].id;
    if (Take(Move(*document_, *segment, upstream),
             [this](const QString& problem) { statusBar()->showMessage(problem); })) {
        Select(document_->Find(id));
    }
}

// "Sposta sotto…": the other segments but those downstream of the selected one, and the source.
void CircuitWindow::AskUpstream() {
    const std::optional<std::size_t> segment = SelectedSegment();
    if (!segment) {
        return;
    }
    const std::vector<std::size_t> choices = UpstreamChoices(*document_, *segment);
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SpostaSotto"));
    dialog.setWindowTitle(QStringLiteral("Sposta ") +
                          FromUtf8(circuit::Quoted(document_->Circuit().segments[*segment].id)));
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("NuovoAMonte"));
    box->setAccessibleName(QStringLiteral("Nuovo tratto a monte"));
    box->setToolTip(QStringLiteral("Il tratto sotto cui va il tratto selezionato"));
    box->addItem(QStringLiteral("(la sorgente)"));
    const std::optional<std::size_t> parent = document_->Tree().Parent(*segment);
    for (const std::size_t choice : choices) {
        box->addItem(FromUtf8(document_->Circuit().segments[choice].id));
        if (parent == choice) {
            box->setCurrentIndex(box->count() - 1);
        }
    }
    auto* label = new QLabel(QStringLiteral("&A monte:"));
    label->setBuddy(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Sposta"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(box);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int picked = box->currentIndex();
    MoveUnder(picked <= 0 ? std::nullopt
                          : std::optional(choices[static_cast<std::size_t>(picked - 1)]));
}

void CircuitWindow::EditFittings() {
    const std::optional<std::size_t> segment = SelectedSegment();
    if (!segment) {
        return;
    }
    FittingsDialog dialog(*document_, *segment, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::optional<FittingsDialog::Contents> contents = dialog.Read();
    if (contents) {
        Take(FittingsEdit(*document_, *segment, std::move(contents->fittings),
                          std::move(contents->valves)),
             [this](const QString& problem) { services_.dialogs->ShowError(this, problem); });
    }
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
    ShowPump();
    ShowDrawings();
    if (document_->Modified()) {
        if (!autosave_.isActive()) {
            autosave_.start();
        }
    } else if (recovery_ != nullptr) {
        // Back to what the file holds: nothing to recover.
        recovery_->Remove();
        recovery_.reset();
    }
    for (const auto& refresh : afterEachChange_) {
        refresh();
    }
}

void CircuitWindow::ShowPump() {
    while (QLayoutItem* item = pumpLines_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const circuit::Solution* solution = document_->Solution();
    if (solution == nullptr) {
        return;
    }
    int row = 0;
    for (const Line& line : PumpLines(document_->Circuit(), *solution)) {
        auto* label = new QLabel(FromUtf8(line.label + ":"));
        auto* value = new QLabel(FromUtf8(line.value));
        value->setObjectName(QStringLiteral("Pompa%1").arg(row));
        value->setAccessibleName(FromUtf8(line.label));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        pumpLines_->addWidget(label, row, 0);
        pumpLines_->addWidget(value, row, 1);
        ++row;
    }
}

// ---- Files ----

bool CircuitWindow::Save() {
    if (!document_->File()) {
        return SaveAs();
    }
    return SaveTo(*document_->File());
}

bool CircuitWindow::SaveAs() {
    const QString suggested = document_->File()
                                  ? FromPath(*document_->File())
                                  : FromUtf8(DocumentName(std::nullopt) + std::string(kExtension));
    const std::optional<QString> chosen = services_.dialogs->SavePath(this, suggested);
    if (!chosen) {
        return false;
    }
    return SaveTo(WithExtension(ToPath(*chosen)));
}

bool CircuitWindow::SaveTo(const std::filesystem::path& file) {
    if (const std::optional<std::string> failed = document_->SaveAs(file)) {
        services_.dialogs->ShowError(this, FromUtf8(*failed));
        return false;
    }
    if (services_.saved) {
        services_.saved(file);
    }
    Changed();
    statusBar()->showMessage(QStringLiteral("Salvato in ") + FromPath(file), 5000);
    return true;
}

bool CircuitWindow::AgreeToClose() {
    if (closeAgreed_ || !document_->Modified()) {
        return true;
    }
    raise();
    activateWindow();
    switch (services_.dialogs->AskToSave(this, FromUtf8(SaveQuestion(document_->File())))) {
        case Dialogs::Answer::Save:
            return Save();
        case Dialogs::Answer::Discard:
            return true;
        case Dialogs::Answer::Cancel:
            break;
    }
    return false;
}

void CircuitWindow::CloseAgreed() {
    closeAgreed_ = true;
    close();
}

void CircuitWindow::closeEvent(QCloseEvent* event) {
    if (!AgreeToClose()) {
        event->ignore();
        return;
    }
    closeAgreed_ = true;
    autosave_.stop();
    // Saved, or let go: the recovery copy has nothing left to keep.
    if (recovery_ != nullptr) {
        recovery_->Remove();
        recovery_.reset();
    }
    event->accept();
}

void CircuitWindow::AutosaveNow() {
    autosave_.stop();
    if (!document_->Modified()) {
        if (recovery_ != nullptr) {
            recovery_->Remove();
            recovery_.reset();
        }
        return;
    }
    if (recovery_ == nullptr && services_.recoveryDir) {
        recovery_ = RecoveryFile::Create(*services_.recoveryDir);
    }
    if (recovery_ == nullptr) {
        statusBar()->showMessage(
            QStringLiteral("Impossibile scrivere la copia di recupero: la cartella ") +
            (services_.recoveryDir ? FromPath(*services_.recoveryDir) : QString()) +
            QStringLiteral(" non si può usare."));
        return;
    }
    if (const std::optional<std::string> failed =
            recovery_->Write(RecoveryText(document_->Circuit(), document_->File()))) {
        statusBar()->showMessage(QStringLiteral("Copia di recupero non scritta: ") +
                                 FromUtf8(*failed));
    }
}

}  // namespace idrovela::sheet::qt
