#include "sheet/qt/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include "sheet/qt/upstream_dialog.h"
#include "window/qt/qt_italian.h"

namespace idrovela::sheet::qt {

namespace {

const QString kFilter = QStringLiteral("Circuiti di Idrovela (*.idrovela);;Tutti i file (*)");

// The file the user chose in `dialog`, its columns as wide as their Italian captions; none when
// cancelled.
std::optional<QString> Chosen(QFileDialog& dialog) {
    window::qt::FitColumnsToCaptions(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front();
}

}  // namespace

Dialogs::Answer StandardDialogs::AskToSave(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Idrovela"), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("SalvareLeModifiche"));
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Salva"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Non salvare"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    box.setDefaultButton(QMessageBox::Save);
    box.setInformativeText(QStringLiteral("Le modifiche non salvate andranno perse."));
    switch (box.exec()) {
        case QMessageBox::Save:
            return Answer::Save;
        case QMessageBox::Discard:
            return Answer::Discard;
        default:
            break;
    }
    return Answer::Cancel;
}

std::optional<QString> StandardDialogs::OpenPath(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Apri circuito"), QString(), kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<QString> StandardDialogs::SavePath(QWidget* parent, const QString& suggested) {
    QFileDialog dialog(parent, QStringLiteral("Salva circuito"), suggested, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("idrovela"));
    return Chosen(dialog);
}

void StandardDialogs::ShowError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Idrovela"), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("Errore"));
    box.exec();
}

bool StandardDialogs::OfferRecovery(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Idrovela"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("Recupero"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Recupera"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Scarta"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> StandardDialogs::ExportPath(QWidget* parent, const QString& title,
                                                   const QString& suggested,
                                                   const QString& filter) {
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // "PDF (*.pdf)": the extension a name typed without one gets.
    const QRegularExpressionMatch extension =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (extension.hasMatch()) {
        dialog.setDefaultSuffix(extension.captured(1));
    }
    return Chosen(dialog);
}

bool StandardDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<UpstreamChoice> StandardDialogs::ChooseUpstream(QWidget* parent, const QString& title,
                                                              const QStringList& choices,
                                                              std::optional<std::size_t> current) {
    UpstreamDialog dialog(parent, title, choices, current);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

}  // namespace idrovela::sheet::qt
