#include "sheet/qt/circuit_window_manager.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "catalogues/user_catalogues.h"
#include "circuit/load.h"
#include "circuit/messages.h"
#include "sheet/qt/circuit_file.h"
#include "sheet/qt/circuit_links.h"
#include "sheet/qt/form_fields.h"
#include "sheet/recent_and_recovery.h"
#include "text/path_text.h"
#include "tools/qt/tool_windows.h"
#include "window/qt/main_window.h"
#include "window/qt/show_beside.h"

namespace idrovela::sheet::qt {

std::optional<QPoint> PlaceForRoom(const QRect& screen, const QRect& mainFrame, int neededWidth,
                                   int minimumWidth) {
    const int right = screen.right() - mainFrame.right();
    const int left = mainFrame.left() - screen.left();
    const int moved = screen.width() - mainFrame.width();  // right of it, once at the left edge
    if (right >= neededWidth || left >= neededWidth || moved <= std::max(right, left) ||
        moved < minimumWidth) {
        return std::nullopt;  // a side has the room already, or moving gives none or no more
    }
    return QPoint(screen.left(), mainFrame.top());
}

namespace {

// Before a circuit window opens, the main window, where the window manager or the user put it,
// may leave no side as wide as the circuit window needs: then the main window goes to the left
// of its screen, where the circuit window fits beside it as far as the screen has the room.
void MakeRoomBeside(QWidget& main, const QWidget& circuit) {
    QWindow* handle = main.windowHandle();
    QElapsedTimer waited;
    waited.start();
    // At start-up its frame comes with the window manager's first answer.
    constexpr int kLongestWaitMs = 500;
    while (handle != nullptr && !handle->isExposed() && waited.elapsed() < kLongestWaitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    if (main.screen() == nullptr) {
        return;
    }
    const QRect frame = main.frameGeometry();
    const int border = frame.width() - main.width();
    // What its settings and tabs ask for, at most the size it opens at; and the least it takes.
    const int needed = std::min(circuit.sizeHint().width(), circuit.width()) + border;
    const int least = circuit.minimumSizeHint().expandedTo(circuit.minimumSize()).width() + border;
    if (const auto place = PlaceForRoom(main.screen()->availableGeometry(), frame,
                                        std::max(needed, least), least)) {
        main.move(*place);
    }
}

}  // namespace

namespace {

const QString kRecentKey = QStringLiteral("circuiti/recenti");

std::vector<std::string> ToStrings(const QStringList& list) {
    std::vector<std::string> strings;
    for (const QString& item : list) {
        strings.push_back(item.toStdString());
    }
    return strings;
}

QStringList FromStrings(const std::vector<std::string>& strings) {
    QStringList list;
    for (const std::string& item : strings) {
        list << QString::fromStdString(item);
    }
    return list;
}

}  // namespace

CircuitWindowManager::CircuitWindowManager(window::qt::MainWindow& main, Dialogs* dialogs,
                                           std::function<const char*(const char*)> getenv)
    : QObject(&main),
      main_(main),
      ownDialogs_(dialogs == nullptr ? std::make_unique<StandardDialogs>() : nullptr),
      getenv_(getenv ? std::move(getenv)
                     : [](const char* name) -> const char* { return std::getenv(name); }),
      guide_(main) {
    services_.dialogs = dialogs == nullptr ? ownDialogs_.get() : dialogs;
    services_.newCircuit = [this] { NewCircuit(); };
    // From a circuit window's own menu: its dialogs open over it.
    services_.openCircuit = [this] { OpenCircuit(Active()); };
    services_.saved = [this](const std::filesystem::path& file) { Remember(file); };
    services_.recoveryDir = sheet::RecoveryDir(getenv_);
    services_.calculatorFlow = [this] { return main_.Model().Text_G.Text(); };
    services_.showGuide = [this](QWidget& beside) { guide_.ShowBeside(beside); };

    QMenu& file = main.FileMenu();
    QAction* first = file.actions().isEmpty() ? nullptr : file.actions().front();
    auto* create = new QAction(QStringLiteral("&Nuovo circuito"), &file);
    create->setObjectName(QStringLiteral("NuovoCircuito"));
    create->setStatusTip(QStringLiteral("Un nuovo circuito, in una finestra sua"));
    connect(create, &QAction::triggered, this, [this] { NewCircuit(); });
    auto* open = new QAction(QStringLiteral("&Apri circuito…"), &file);
    open->setObjectName(QStringLiteral("ApriCircuito"));
    open->setStatusTip(QStringLiteral("Apre un circuito salvato, in una finestra sua"));
    connect(open, &QAction::triggered, this, [this] { OpenCircuit(); });
    auto* recent = new QMenu(QStringLiteral("Circuiti &recenti"), &file);
    recent->setObjectName(QStringLiteral("CircuitiRecenti"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecent(*recent); });
    FillRecent(*recent);
    file.insertAction(first, create);
    file.insertAction(first, open);
    file.insertMenu(first, recent);
    file.insertSeparator(first);
    main.installEventFilter(this);
    // The main window completes its icon after its first paint; the circuit windows carry it too.
    connect(&main, &QWidget::windowIconChanged, this, [this](const QIcon& icon) {
        for (const QPointer<CircuitWindow>& window : windows_) {
            if (window != nullptr) {
                window->setWindowIcon(icon);
            }
        }
    });
}

CircuitWindowManager::~CircuitWindowManager() {
    if (tools_ != nullptr) {
        tools_->LinkCircuits({});
    }
    // The windows read the services and the catalogue this holds: they go first.
    for (const QPointer<CircuitWindow>& window : windows_) {
        delete window.data();
    }
}

std::shared_ptr<const catalogues::Catalogue> CircuitWindowManager::Catalogue() {
    if (catalogue_ == nullptr) {
        catalogue_ = std::make_shared<const catalogues::Catalogue>(
            catalogues::LoadCatalogues(catalogues::UserCatalogueDir(getenv_)));
    }
    return catalogue_;
}

// A circuit window has no owner: an owned window always stays above its owner, and the main
// window must come above a circuit window when the user clicks it. This manager deletes the
// windows still open when it goes.
CircuitWindow* CircuitWindowManager::Show(std::unique_ptr<Document> document,
                                          std::unique_ptr<RecoveryFile> recovery) {
    auto* window = new CircuitWindow(std::move(document), services_, nullptr, std::move(recovery));
    window->setWindowIcon(main_.windowIcon());
    windows_.emplace_back(window);
    active_ = window;
    window->installEventFilter(this);
    MakeRoomBeside(main_, *window);
    window::qt::ShowBeside(*window, main_, nullptr);
    return window;
}

void CircuitWindowManager::OpenAtStart(const std::vector<std::filesystem::path>& files) {
    for (const std::filesystem::path& file : files) {
        Open(file);
    }
}

CircuitWindow* CircuitWindowManager::NewCircuit() {
    return Show(std::make_unique<Document>(Catalogue()));
}

CircuitWindow* CircuitWindowManager::OpenCircuit(QWidget* over) {
    QWidget& parent = over != nullptr ? *over : main_;
    const std::optional<QString> path = services_.dialogs->OpenPath(&parent);
    return path ? Open(text::PathFromUtf8(path->toStdString()), parent) : nullptr;
}

CircuitWindow* CircuitWindowManager::Open(const std::filesystem::path& file) {
    return Open(file, main_);
}

CircuitWindow* CircuitWindowManager::Open(const std::filesystem::path& file, QWidget& over) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    const std::filesystem::path path = error ? file : absolute;
    for (CircuitWindow* window : Windows()) {
        const auto& open = window->Circuit().File();
        if (open && std::filesystem::equivalent(*open, path, error)) {
            window::qt::ShowBeside(*window, main_, nullptr);
            return window;
        }
    }
    std::unique_ptr<Document> document;
    try {
        document = Document::Open(Catalogue(), path);
    } catch (const circuit::CircuitError& failure) {
        services_.dialogs->ShowError(&over, FromUtf8(failure.what()));
        return nullptr;
    }
    Remember(path);
    return Show(std::move(document));
}

void CircuitWindowManager::OfferRecoveries() {
    if (!services_.recoveryDir) {
        return;
    }
    for (const std::filesystem::path& file : RecoveryFile::In(*services_.recoveryDir)) {
        std::unique_ptr<RecoveryFile> claimed = RecoveryFile::Claim(file);
        if (claimed == nullptr) {
            continue;  // a running program's
        }
        std::optional<Recovered> recovered;
        try {
            recovered = ReadRecovery(circuit::ReadCircuitFile(file), *Catalogue());
        } catch (const circuit::CircuitError& failure) {
            services_.dialogs->ShowError(
                &main_, QStringLiteral("La copia di recupero ") +
                            QString::fromStdString(text::Utf8OfPath(file)) +
                            QStringLiteral(" non si può riaprire, e resta dov'è: ") +
                            FromUtf8(failure.what()));
            continue;
        }
        if (!services_.dialogs->OfferRecovery(&main_, FromUtf8(RecoveryQuestion(*recovered)))) {
            claimed->Remove();
            continue;
        }
        auto document =
            std::make_unique<Document>(Catalogue(), std::move(recovered->loaded), recovered->file);
        document->MarkModified();
        Show(std::move(document), std::move(claimed));
    }
}

CircuitWindow* CircuitWindowManager::Active() const {
    if (active_ != nullptr && active_->isVisible()) {
        return active_.data();
    }
    const std::vector<CircuitWindow*> open = Windows();
    return open.empty() ? nullptr : open.back();
}

void CircuitWindowManager::LinkTools(tools::qt::ToolWindows& tools) {
    tools_ = &tools;
    services_.selectedTube = [&tools] { return tools.SelectedTube(); };
    services_.openInCalculator = [&tools](const tools::CalculatorSetUp& setUp) {
        return tools.OpenInCalculator(setUp);
    };
    services_.calculatorNote = [this, &tools](const tools::CalculatorSetUp& setUp) {
        return tools::CalculatorNote(main_.Model(), tools.Memory(), setUp);
    };
    tools::qt::CircuitLink link;
    link.circuitOpen = [this] { return Active() != nullptr; };
    link.addTube = [this](const tools::ChosenTube& tube) -> std::optional<std::string> {
        CircuitWindow* circuit = Active();
        if (circuit == nullptr) {
            return std::string("Nessun circuito aperto.");
        }
        return circuit->Links().AddTube(tube);
    };
    tools.LinkCircuits(std::move(link));
}

std::vector<CircuitWindow*> CircuitWindowManager::Windows() const {
    std::vector<CircuitWindow*> open;
    for (const QPointer<CircuitWindow>& window : windows_) {
        if (window != nullptr && window->isVisible()) {
            open.push_back(window.data());
        }
    }
    return open;
}

QStringList CircuitWindowManager::Recent() const {
    QSettings* settings = main_.Settings();
    return settings != nullptr ? settings->value(kRecentKey).toStringList() : recent_;
}

void CircuitWindowManager::Remember(const std::filesystem::path& file) {
    const QStringList list =
        FromStrings(sheet::Remember(ToStrings(Recent()), text::Utf8OfPath(file)));
    if (QSettings* settings = main_.Settings()) {
        settings->setValue(kRecentKey, list);
    } else {
        recent_ = list;
    }
}

void CircuitWindowManager::FillRecent(QMenu& menu) {
    menu.clear();
    const QStringList recent = Recent();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* entry =
            menu.addAction(FromUtf8(RecentEntry(static_cast<std::size_t>(i), path.toStdString())));
        entry->setStatusTip(path);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this,
                [this, path] { Open(text::PathFromUtf8(path.toStdString())); });
    }
    if (recent.isEmpty()) {
        menu.addAction(QStringLiteral("(nessuno)"))->setEnabled(false);
    }
}

bool CircuitWindowManager::CloseAll() {
    const std::vector<CircuitWindow*> open = Windows();
    for (CircuitWindow* window : open) {
        if (!window->File().AgreeToClose()) {
            return false;
        }
    }
    for (CircuitWindow* window : open) {
        window->CloseAgreed();
    }
    return true;
}

// Quitting closes the main window: each circuit with unsaved changes is asked about first, and
// "Annulla" on any keeps the program running.
bool CircuitWindowManager::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &main_ && event->type() == QEvent::Close && !CloseAll()) {
        event->ignore();
        return true;
    }
    // A circuit window activated is the one tubes go to; one shown or hidden changes whether
    // "Tubi commerciali" has a circuit to add to.
    if (watched != &main_) {
        switch (event->type()) {
            case QEvent::WindowActivate:
                for (const QPointer<CircuitWindow>& window : windows_) {
                    if (window == watched) {
                        active_ = window;
                    }
                }
                break;
            case QEvent::Show:
            case QEvent::Hide:
                if (tools_ != nullptr) {
                    tools_->CircuitsChanged();
                }
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace idrovela::sheet::qt
