#include "window/qt/main_menus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "window/copy_values.h"
#include "window/help_text.h"
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

    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&?"));
    QAction* guide = help->addAction(QStringLiteral("&Guida"));
    guide->setObjectName(QStringLiteral("Guida"));
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(guide, &QAction::triggered, &window, [this] { ShowHelp(); });
    QAction* about = help->addAction(QStringLiteral("&Informazioni su Idrovela"));
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
        help_ = new QDialog(&window_);
        help_->setObjectName(QStringLiteral("Guida"));
        help_->setWindowTitle(QStringLiteral("Guida di Idrovela"));
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setFont(QApplication::font());
        auto* text = new QTextBrowser(help_);
        text->setHtml(FromUtf8(HelpHtml()));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, help_);
        buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
        QObject::connect(buttons, &QDialogButtonBox::rejected, help_.data(), &QDialog::close);
        auto* layout = new QVBoxLayout(help_);
        layout->addWidget(text);
        layout->addWidget(buttons);
        help_->resize(520, 560);
    }
    ShowBeside(*help_, window_, window_.Settings());
}

void MainMenus::ShowAbout() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Informazioni su Idrovela"),
                    FromUtf8(AboutHtml(qVersion())), QMessageBox::Ok, &window_);
    box.setObjectName(QStringLiteral("Informazioni"));
    box.setTextFormat(Qt::RichText);
    box.setIconPixmap(window_.windowIcon().pixmap(64, 64));
    box.exec();
}

}  // namespace idrovela::window::qt
