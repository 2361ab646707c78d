#pragma once

#include <QString>
#include <optional>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "report/report_html.h"

class QPagedPaintDevice;
class QPrinter;

namespace idrovela::report::qt {

// The report's header for a circuit printed now: today's date, the program's version, the name
// of the circuit's file (may be empty).
[[nodiscard]] ReportHeader HeaderForToday(const QString& fileName);

// Lays the report out on the pages of `device` and paints it: the tables break across pages with
// their captions and units repeated, each page has a running head (the title, the date) and a
// foot (the program, "Pagina N di M"), and the system curve is drawn as lines, not as an image.
// Gives the number of pages, or none when the device cannot be painted on.
std::optional<int> PaintReport(QPagedPaintDevice& device, const circuit::Circuit& circuit,
                               const circuit::Solution& solution, const ReportHeader& header);

// The report as an A4 PDF at `path`, written beside it and renamed over it once complete
// (circuit::AtomicFile): on any failure the old file is untouched. None on success, else why not,
// in Italian, in the words every file of the program uses.
[[nodiscard]] std::optional<QString> SaveReportPdf(const QString& path,
                                                   const circuit::Circuit& circuit,
                                                   const circuit::Solution& solution,
                                                   const ReportHeader& header);

// A printer set up for the report, before the print dialog shows it: A4, the report's margins,
// the report's title as the document's name.
void PrepareReportPrinter(QPrinter& printer, const circuit::Circuit& circuit,
                          const ReportHeader& header);

}  // namespace idrovela::report::qt
