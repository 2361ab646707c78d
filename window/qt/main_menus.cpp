#include "window/qt/main_menus.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "window/copy_values.h"
#include "window/help_text.h"
#include "window/qt/help_window.h"
#include "window/qt/main_window.h"
#include "window/qt/show_beside.h"

namespace idrovela::window::qt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainMenus::MainMenus(MainWindow& window)
    : window_(window), file_(window.menuBar()->addMenu(QStringLiteral("&File"))), tools_(nullptr) {
    QAction* copy = file_->addAction(QStringLiteral("&Copia i valori"));
    copy->setObjectName(QStringLiteral("CopiaValori"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QObject::connect(copy, &QAction::triggered, &window, [this] { CopyValues(); });
    file_->addSeparator();
    QAction* quit = file_->addAction(QStringLiteral("&Esci"));
    quit->setObjectName(QStringLiteral("Esci"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(quit, &QAction::triggered, &window, [&window] { window.close(); });

    tools_ = window.menuBar()->addMenu(QStringLiteral("&Strumenti"));

    helpMenu_ = window.menuBar()->addMenu(QStringLiteral("&?"));
    QAction* guide = helpMenu_->addAction(QStringLiteral("&Guida"));
    guide->setObjectName(QStringLiteral("Guida"));
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(guide, &QAction::triggered, &window, [this] { ShowHelp(); });
    QAction* about = helpMenu_->addAction(QStringLiteral("&Informazioni su Idrovela"));
    about->setObjectName(QStringLiteral("Informazioni"));
    QObject::connect(about, &QAction::triggered, &window, [this] { ShowAbout(); });
}

// The figures go on the clipboard twice: as tab-separated lines for a spreadsheet, and as an
// HTML table for a document.
void MainMenus::CopyValues() {
    const std::vector<CopiedValue> values =
        ValuesToCopy(window_.Model(),
                     describeOtherFluid_ ? describeOtherFluid_() : std::optional<std::string>());
    auto* mime = new QMimeData;
    mime->setText(FromUtf8(ValuesAsTabSeparated(values)));
    mime->setHtml(FromUtf8(ValuesAsHtmlTable(values)));
    QGuiApplication::clipboard()->setMimeData(mime);
}

// The help window stays open beside the window until the user closes it; asking again brings
// the same one forward.
void MainMenus::ShowHelp() {
    if (help_ == nullptr) {
        help_ = NewHelpWindow(window_, QStringLiteral("Guida"), QStringLiteral("Guida di Idrovela"),
                              HelpHtml());
    }
    ShowBeside(*help_, window_, window_.Settings());
}

void MainMenus::ShowAbout() {
    qt::ShowAbout(window_);
}

}  // namespace idrovela::window::qt
