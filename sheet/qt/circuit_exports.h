#pragma once

#include <QString>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "report/report_html.h"
#include "sheet/qt/circuit_context.h"

class QTreeView;

namespace idrovela::sheet::qt {

class SegmentModel;

// What the circuit window hands on: the report as a PDF or on paper, the sheet as CSV, and the
// selected rows on the clipboard.
class CircuitExports {
  public:
    // The rows come from the selection of `sheet`, whose model is `model`.
    CircuitExports(CircuitContext context, QTreeView& sheet, const SegmentModel& model);

    // "Esporta relazione…": the report as a PDF where the user says, never over the circuit's
    // own file, its header naming that file. "Stampa…": the same report on a printer. "Esporta
    // CSV…": the segment and terminal tables. Each false when not written: cancelled, or the
    // user was told why (the old file stays as it was).
    bool ExportReport();
    bool PrintReport();
    bool ExportCsv();
    // "Copia": the selected rows (the current one, if none is), in the sheet's order, as TSV and
    // HTML on the clipboard.
    void CopyRows();
    [[nodiscard]] std::vector<std::size_t> SelectedRows() const;

  private:
    [[nodiscard]] report::ReportHeader ReportHeader() const;
    // Asks where to write an export, and whether it may go there; none when cancelled or refused
    // (the user was told why).
    [[nodiscard]] std::optional<std::filesystem::path> ExportTarget(const QString& title,
                                                                    std::string_view extension,
                                                                    const QString& filter,
                                                                    std::string_view what);

    CircuitContext context_;
    QTreeView& sheet_;
    const SegmentModel& model_;
};

}  // namespace idrovela::sheet::qt
