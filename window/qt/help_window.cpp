#include "window/qt/help_window.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "window/help_text.h"

namespace idrovela::window::qt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QDialog* NewHelpWindow(QWidget& parent, const QString& name, const QString& title,
                       std::string_view html) {
    auto* help = new QDialog(&parent);
    help->setObjectName(name);
    help->setWindowTitle(title);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->setFont(QApplication::font());
    auto* text = new QTextBrowser(help);
    text->setHtml(FromUtf8(html));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, help);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, help, &QDialog::close);
    auto* layout = new QVBoxLayout(help);
    layout->addWidget(text);
    layout->addWidget(buttons);
    help->resize(520, 560);
    return help;
}

void ShowAbout(QWidget& parent) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Informazioni su Idrovela"),
                    FromUtf8(AboutHtml(qVersion())), QMessageBox::Ok, &parent);
    box.setObjectName(QStringLiteral("Informazioni"));
    box.setTextFormat(Qt::RichText);
    box.setIconPixmap(parent.windowIcon().pixmap(64, 64));
    box.exec();
}

}  // namespace idrovela::window::qt
