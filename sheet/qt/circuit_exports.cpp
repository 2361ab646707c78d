#include "sheet/qt/circuit_exports.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMainWindow>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QTreeView>

#include "circuit/export_refusal.h"
#include "report/circuit_csv.h"
#include "report/qt/report_printer.h"
#include "sheet/copied_rows.h"
#include "sheet/exports.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/form_fields.h"
#include "sheet/qt/segment_model.h"
#include "text/path_text.h"

namespace idrovela::sheet::qt {

namespace {

// The busy cursor, and what is going on in the status bar, while a long job keeps the window
// from answering: the report of a large circuit runs to hundreds of pages and takes a while.
class Busy {
  public:
    Busy(QStatusBar& bar, const QString& what) : bar_(bar) {
        bar_.showMessage(what);
        bar_.repaint();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Busy() {
        QApplication::restoreOverrideCursor();
        bar_.clearMessage();
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

  private:
    QStatusBar& bar_;
};

}  // namespace

CircuitExports::CircuitExports(CircuitContext context, QTreeView& sheet, const SegmentModel& model)
    : context_(std::move(context)), sheet_(sheet), model_(model) {}

report::ReportHeader CircuitExports::ReportHeader() const {
    const auto& file = context_.document.File();
    return report::qt::HeaderForToday(file ? FromPath(file->filename()) : QString());
}

std::optional<std::filesystem::path> CircuitExports::ExportTarget(const QString& title,
                                                                  std::string_view extension,
                                                                  const QString& filter,
                                                                  std::string_view what) {
    const std::optional<QString> chosen = context_.dialogs.ExportPath(
        &context_.window, title, FromPath(ExportSuggestion(context_.document.File(), extension)),
        filter);
    if (!chosen) {
        return std::nullopt;
    }
    const std::filesystem::path target = text::PathFromUtf8(chosen->toStdString());
    if (const std::optional<std::string> refused =
            circuit::ExportRefusal(target, context_.document.File(), what)) {
        context_.dialogs.ShowError(&context_.window, FromUtf8(*refused));
        return std::nullopt;
    }
    return target;
}

bool CircuitExports::ExportReport() {
    const circuit::Solution* solution = context_.document.Solution();
    if (solution == nullptr) {
        return false;
    }
    const std::optional<std::filesystem::path> target = ExportTarget(
        QStringLiteral("Esporta relazione"), ".pdf", QStringLiteral("PDF (*.pdf)"), "La relazione");
    if (!target) {
        return false;
    }
    std::optional<QString> failed;
    {
        const Busy busy(*context_.window.statusBar(), QStringLiteral("Scrittura della relazione…"));
        failed = report::qt::SaveReportPdf(FromPath(*target), context_.document.Circuit(),
                                           *solution, ReportHeader());
    }
    if (failed) {
        context_.dialogs.ShowError(&context_.window, *failed);
        return false;
    }
    context_.window.statusBar()->showMessage(
        QStringLiteral("Relazione scritta in ") + FromPath(*target), 5000);
    return true;
}

bool CircuitExports::PrintReport() {
    const circuit::Solution* solution = context_.document.Solution();
    if (solution == nullptr) {
        return false;
    }
    QPrinter printer;
    report::qt::PrepareReportPrinter(printer, context_.document.Circuit(), ReportHeader());
    if (!context_.dialogs.ChoosePrinter(&context_.window, printer)) {
        return false;
    }
    std::optional<int> pages;
    {
        const Busy busy(*context_.window.statusBar(), QStringLiteral("Stampa della relazione…"));
        pages = report::qt::PaintReport(printer, context_.document.Circuit(), *solution,
                                        ReportHeader());
    }
    if (!pages) {
        context_.dialogs.ShowError(
            &context_.window,
            QStringLiteral("La relazione non si può stampare: la stampante «%1» non la "
                           "accetta.")
                .arg(printer.printerName().isEmpty() ? printer.outputFileName()
                                                     : printer.printerName()));
        return false;
    }
    context_.window.statusBar()->showMessage(
        QStringLiteral("Relazione stampata: %1 pagine").arg(*pages), 5000);
    return true;
}

bool CircuitExports::ExportCsv() {
    const circuit::Solution* solution = context_.document.Solution();
    if (solution == nullptr) {
        return false;
    }
    const std::optional<std::filesystem::path> target =
        ExportTarget(QStringLiteral("Esporta CSV"), ".csv",
                     QStringLiteral("CSV, testo separato da punto e virgola (*.csv)"), "Il CSV");
    if (!target) {
        return false;
    }
    try {
        report::SaveCircuitCsv(*target, context_.document.Circuit(), *solution);
    } catch (const circuit::CircuitError& error) {
        context_.dialogs.ShowError(&context_.window, FromUtf8(error.what()));
        return false;
    }
    context_.window.statusBar()->showMessage(
        QStringLiteral("Tabelle scritte in ") + FromPath(*target), 5000);
    return true;
}

std::vector<std::size_t> CircuitExports::SelectedRows() const {
    std::vector<std::size_t> segments;
    for (const QModelIndex& index : sheet_.selectionModel()->selectedIndexes()) {
        if (const std::optional<std::size_t> segment = model_.SegmentAt(index)) {
            segments.push_back(*segment);
        }
    }
    if (segments.empty()) {
        if (const std::optional<std::size_t> segment = context_.selected()) {
            segments.push_back(*segment);
        }
    }
    return InSheetOrder(context_.document.Tree(), segments);
}

void CircuitExports::CopyRows() {
    const circuit::Solution* solution = context_.document.Solution();
    const std::vector<std::size_t> rows = SelectedRows();
    if (solution == nullptr || rows.empty()) {
        context_.window.statusBar()->showMessage(
            QStringLiteral("Nessun tratto selezionato da copiare"), 5000);
        return;
    }
    auto* mime = new QMimeData;
    mime->setText(FromUtf8(RowsAsTabSeparated(context_.document.Circuit(), *solution, rows)));
    mime->setHtml(FromUtf8(RowsAsHtmlTable(context_.document.Circuit(), *solution, rows)));
    QGuiApplication::clipboard()->setMimeData(mime);
    context_.window.statusBar()->showMessage(
        rows.size() == 1 ? QStringLiteral("1 tratto copiato")
                         : QStringLiteral("%1 tratti copiati").arg(rows.size()),
        5000);
}

}  // namespace idrovela::sheet::qt
