// What the circuit window hands on: the report as a PDF or on paper, the sheet as CSV, and the
// selected rows on the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QTreeView>

#include "report/circuit_csv.h"
#include "report/qt/report_printer.h"
#include "sheet/copied_rows.h"
#include "sheet/exports.h"
#include "sheet/qt/circuit_window.h"
#include "sheet/qt/dialogs.h"
#include "sheet/qt/segment_model.h"

namespace idrovela::sheet::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

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

report::ReportHeader CircuitWindow::ReportHeader() const {
    const auto& file = document_->File();
    return report::qt::HeaderForToday(file ? FromPath(file->filename()) : QString());
}

// Asks where to write an export, and whether it may go there; none when cancelled or refused
// (the user was told why).
std::optional<std::filesystem::path> CircuitWindow::ExportTarget(const QString& title,
                                                                 std::string_view extension,
                                                                 const QString& filter,
                                                                 std::string_view what) {
    const std::optional<QString> chosen = services_.dialogs->ExportPath(
        this, title, FromPath(ExportSuggestion(document_->File(), extension)), filter);
    if (!chosen) {
        return std::nullopt;
    }
    const std::filesystem::path target(chosen->toStdString());
    if (const std::optional<std::string> refused = ExportRefusal(target, document_->File(), what)) {
        services_.dialogs->ShowError(this, FromUtf8(*refused));
        return std::nullopt;
    }
    return target;
}

bool CircuitWindow::ExportReport() {
    const circuit::Solution* solution = document_->Solution();
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
        const Busy busy(*statusBar(), QStringLiteral("Scrittura della relazione…"));
        failed = report::qt::SaveReportPdf(FromPath(*target), document_->Circuit(), *solution,
                                           ReportHeader());
    }
    if (failed) {
        services_.dialogs->ShowError(this, *failed);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Relazione scritta in ") + FromPath(*target), 5000);
    return true;
}

bool CircuitWindow::PrintReport() {
    const circuit::Solution* solution = document_->Solution();
    if (solution == nullptr) {
        return false;
    }
    QPrinter printer;
    report::qt::PrepareReportPrinter(printer, document_->Circuit(), ReportHeader());
    if (!services_.dialogs->ChoosePrinter(this, printer)) {
        return false;
    }
    std::optional<int> pages;
    {
        const Busy busy(*statusBar(), QStringLiteral("Stampa della relazione…"));
        pages = report::qt::PaintReport(printer, document_->Circuit(), *solution, ReportHeader());
    }
    if (!pages) {
        services_.dialogs->ShowError(
            this, QStringLiteral("La relazione non si può stampare: la stampante «%1» non la "
                                 "accetta.")
                      .arg(printer.printerName().isEmpty() ? printer.outputFileName()
                                                           : printer.printerName()));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Relazione stampata: %1 pagine").arg(*pages), 5000);
    return true;
}

bool CircuitWindow::ExportCsv() {
    const circuit::Solution* solution = document_->Solution();
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
        report::SaveCircuitCsv(*target, document_->Circuit(), *solution);
    } catch (const circuit::CircuitError& error) {
        services_.dialogs->ShowError(this, FromUtf8(error.what()));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Tabelle scritte in ") + FromPath(*target), 5000);
    return true;
}

std::vector<std::size_t> CircuitWindow::SelectedRows() const {
    std::vector<std::size_t> segments;
    for (const QModelIndex& index : sheet_->selectionModel()->selectedIndexes()) {
        if (const std::optional<std::size_t> segment = model_->SegmentAt(index)) {
            segments.push_back(*segment);
        }
    }
    if (segments.empty()) {
        if (const std::optional<std::size_t> segment = SelectedSegment()) {
            segments.push_back(*segment);
        }
    }
    return InSheetOrder(document_->Tree(), segments);
}

void CircuitWindow::CopyRows() {
    const circuit::Solution* solution = document_->Solution();
    const std::vector<std::size_t> rows = SelectedRows();
    if (solution == nullptr || rows.empty()) {
        statusBar()->showMessage(QStringLiteral("Nessun tratto selezionato da copiare"), 5000);
        return;
    }
    auto* mime = new QMimeData;
    mime->setText(FromUtf8(RowsAsTabSeparated(document_->Circuit(), *solution, rows)));
    mime->setHtml(FromUtf8(RowsAsHtmlTable(document_->Circuit(), *solution, rows)));
    QGuiApplication::clipboard()->setMimeData(mime);
    statusBar()->showMessage(rows.size() == 1
                                 ? QStringLiteral("1 tratto copiato")
                                 : QStringLiteral("%1 tratti copiati").arg(rows.size()),
                             5000);
}

}  // namespace idrovela::sheet::qt
