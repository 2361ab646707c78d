#include "sheet/qt/circuit_help.h"

#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "sheet/circuit_guide.h"
#include "window/qt/help_window.h"
#include "window/qt/main_window.h"
#include "window/qt/show_beside.h"

namespace idrovela::sheet::qt {

namespace {

const QString kName = QStringLiteral("GuidaCircuiti");

QAction* GuideEntry(QObject& parent, std::function<void()> showGuide) {
    auto* entry = new QAction(QStringLiteral("Guida ai &circuiti"), &parent);
    entry->setObjectName(kName);
    entry->setStatusTip(QStringLiteral(
        "Come si costruisce un circuito, i tasti, le colonne del foglio, la pompa e gli avvisi"));
    QObject::connect(entry, &QAction::triggered, &parent, std::move(showGuide));
    return entry;
}

}  // namespace

CircuitGuide::CircuitGuide(window::qt::MainWindow& main) : main_(main) {
    QMenu& help = main.Menus().Help();
    const QList<QAction*> entries = help.actions();
    // Under «Guida», the first entry.
    entry_ = GuideEntry(help, [this] { ShowBeside(main_); });
    help.insertAction(entries.size() > 1 ? entries[1] : nullptr, entry_);
}

CircuitGuide::~CircuitGuide() {
    delete entry_.data();
}

void CircuitGuide::ShowBeside(QWidget& beside) {
    if (window_ == nullptr) {
        window_ = window::qt::NewHelpWindow(main_, kName, QStringLiteral("Guida ai circuiti"),
                                            CircuitGuideHtml());
    }
    window::qt::ShowBeside(*window_, beside, main_.Settings());
}

void AddHelpMenu(QMainWindow& circuit, std::function<void()> showGuide) {
    QMenu& help = *circuit.menuBar()->addMenu(QStringLiteral("&?"));
    QAction* guide = GuideEntry(circuit, std::move(showGuide));
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    help.addAction(guide);
    QAction* about = help.addAction(QStringLiteral("&Informazioni su Idrovela"));
    about->setObjectName(QStringLiteral("Informazioni"));
    QObject::connect(about, &QAction::triggered, &circuit,
                     [&circuit] { window::qt::ShowAbout(circuit); });
}

}  // namespace idrovela::sheet::qt
