#pragma once

#include <QWidget>
#include <optional>
#include <string_view>

#include "catalogues/catalogue.h"
#include "tools/pipe_table.h"
#include "tools/qt/circuit_link.h"
#include "tools/tool_memory.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QTableWidget;

namespace idrovela::window::qt {
class MainWindow;
}

namespace idrovela::tools::qt {

// "Tubi commerciali": a tool window beside the main one with the tubes of one series for the
// window's flow and fluid (ComputePipeTable), recomputed after every action of the user. The
// marked tube is bold, tubes over a limit are dimmed with a note; Enter or a double click on a row
// chooses the tube (ToolMemory::ChooseTube): its material, then its whole-mm inner diameter into
// Text_D as UpDown_D would; the table keeps its series. "Aggiungi al circuito" puts the selected
// row's tube into the active circuit. The limits are edited here; the table is exported as CSV,
// printed, or saved as a PDF.
class PipeTableWindow final : public QWidget {
  public:
    PipeTableWindow(window::qt::MainWindow& main, ToolMemory& memory,
                    catalogues::Catalogue catalogue);

    void Refresh();
    // Chooses the row at `index`, as Enter on it does.
    void ChooseRow(int index);
    // The table as CSV, or as a PDF, at `path`: written whole or not at all, a failure said in a
    // warning.
    void ExportCsv(const QString& path);
    void SavePdf(const QString& path);
    void Print();
    // The selected row's tube, with its series; none without a selected row.
    [[nodiscard]] std::optional<ChosenTube> SelectedTube() const;
    // "Aggiungi al circuito", enabled while a row is selected and a circuit is open.
    void AddSelectedTube();
    void LinkCircuits(CircuitLink link);
    // After a circuit window opened or closed.
    void CircuitsChanged() { UpdateAddButton(); }
    // Starts from the limits and the series `settings` keeps, if any (a series no longer in the
    // catalogues is let go), and keeps there the limits the user sets and the series the user
    // picks. `settings` must outlive the window.
    void RememberIn(QSettings& settings);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] const catalogues::Series* CurrentSeries() const;
    void WriteWhole(const QString& path, std::string_view bytes);
    void FillSeries();
    [[nodiscard]] QString Html() const;
    void UpdateAddButton();

    window::qt::MainWindow& main_;
    ToolMemory& memory_;
    catalogues::Catalogue catalogue_;
    SeriesChoice choice_;
    PipeLimits limits_;
    PipeTable table_;
    QComboBox* series_;
    QDoubleSpinBox* maxLoss_;
    QDoubleSpinBox* maxVelocity_;
    QTableWidget* rows_;
    QPlainTextEdit* source_;
    QLabel* notes_;
    QListWidget* problems_;
    QPushButton* add_;
    CircuitLink link_;
};

}  // namespace idrovela::tools::qt
