#pragma once

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "columns/columns.h"
#include "report/report_html.h"
#include "sheet/document.h"
#include "sheet/operations.h"
#include "sheet/qt/recovery_file.h"
#include "tools/calculator_setup.h"
#include "tools/tool_memory.h"

class QLabel;
class QGridLayout;
class QListView;
class QMenu;
class QSplitter;
class QTabWidget;
class QTreeView;
class QUndoStack;

namespace idrovela::report::qt {
class SchematicView;
class SystemCurveWidget;
}  // namespace idrovela::report::qt

namespace idrovela::sheet::qt {

class DetailPane;
class Dialogs;
class SegmentModel;
class SettingsPanel;
class WarningsModel;

// What every circuit window shares with the others and with the program.
struct CircuitWindowServices {
    Dialogs* dialogs = nullptr;
    std::function<void()> newCircuit;
    std::function<void()> openCircuit;
    // A circuit saved to a file: the recent circuits remember it.
    std::function<void(const std::filesystem::path&)> saved;
    // Where recovery copies go; none: none are written.
    std::optional<std::filesystem::path> recoveryDir;
    // How soon after a change the recovery copy is written.
    int autosaveMilliseconds = 30'000;
    // The main window's G as Text_G shows it, for a tube added to the circuit.
    std::function<std::string()> calculatorFlow;
    // The tube of the row selected in "Tubi commerciali"; none without one.
    std::function<std::optional<tools::ChosenTube>()> selectedTube;
    // "Apri nel calcolatore": sets the main window up and brings it forward; why not, when it
    // stopped. None: the entry stays disabled.
    std::function<std::optional<std::string>(const tools::CalculatorSetUp&)> openInCalculator;
};

// One circuit in a window of its own, titled «NAME – Circuito» ("*" while unsaved): the settings
// panel above, the segment sheet as a tree, beside it the selected segment's details, the
// engine's warnings, the schematic and the system curve (tabs, with room for more views), and the
// pump's duty below, always in sight. Every edit goes through the document, so the engine checks
// it, and onto the undo stack as one command named as the Modifica menu shows it. A circuit with
// unsaved changes is copied to a recovery file within the autosave interval, and closing it asks
// what to do with them.
class CircuitWindow final : public QMainWindow {
  public:
    CircuitWindow(std::unique_ptr<Document> document, const CircuitWindowServices& services,
                  QWidget* parent, std::unique_ptr<RecoveryFile> recovery = nullptr);
    ~CircuitWindow() override;
    CircuitWindow(const CircuitWindow&) = delete;
    CircuitWindow& operator=(const CircuitWindow&) = delete;

    [[nodiscard]] Document& Circuit() { return *document_; }
    [[nodiscard]] SegmentModel& Model() { return *model_; }
    [[nodiscard]] QTreeView& Sheet() { return *sheet_; }
    [[nodiscard]] QUndoStack& UndoStack() { return *undo_; }
    // The tabs beside the sheet: another view of the circuit goes here.
    [[nodiscard]] QTabWidget& Views() { return *views_; }
    // "Schema": the circuit drawn, following the sheet's selection and setting it.
    [[nodiscard]] report::qt::SchematicView& Schematic() { return *schematic_; }
    // "Curva dell'impianto", after every change.
    [[nodiscard]] report::qt::SystemCurveWidget& Curve() { return *curve_; }

    // The selected segment, which other views follow and set.
    [[nodiscard]] std::optional<std::size_t> SelectedSegment() const;
    void SelectSegment(std::size_t segment);
    void WhenSelectionChanges(std::function<void(std::optional<std::size_t>)> follow);
    // Called after every change of the circuit, once the window shows it.
    void AfterEachChange(std::function<void()> refresh);

    // Takes an edit through the engine and onto the undo stack; the reason it was refused goes
    // to `report`. True when it was taken.
    bool Take(Proposal proposal, const std::function<void(const QString&)>& report);

    // The structure, as the Modifica menu does it, on the selected segment.
    void AddDownstream();
    void AddAfter();
    void RemoveWithDownstream();
    void RemoveOnly();
    void MoveUnder(std::optional<std::size_t> upstream);
    void EditFittings();

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

    // "Aggiungi al circuito": `tube` as a new segment under the selected one (leaving the source
    // when none is), fixed, with no length and a terminal at the main window's G; one edit, then
    // selected. Why not, when it was not taken.
    std::optional<std::string> AddTube(const tools::ChosenTube& tube);
    // The menu's entry: the tube selected in "Tubi commerciali", if any.
    void AddSelectedTube();
    // "Apri nel calcolatore" on the selected segment, disabled where the main window cannot take
    // it (the reason in its tooltip).
    void OpenInCalculator();
    // The segment's menu (the mouse's right button, the menu key or Shift+F10), at `at` on the
    // screen.
    void ShowSegmentMenu(QPoint at);

    // Saves to the circuit's file, or asks for one; false when it was not saved (and the user
    // was told why).
    bool Save();
    bool SaveAs();
    // Whether the window may close: nothing unsaved, or saved now, or the user lets the changes
    // go. "Annulla" keeps it open.
    bool AgreeToClose();
    // Closes without asking again: the user has agreed.
    void CloseAgreed();
    // Writes the recovery copy now, as the autosave timer does (or removes it when nothing is
    // unsaved).
    void AutosaveNow();
    [[nodiscard]] const RecoveryFile* Recovery() const { return recovery_.get(); }
    [[nodiscard]] bool AutosavePending() const { return autosave_.isActive(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Saves to `file`: the document, the recent files, the title; false after telling the user
    // why it failed.
    bool SaveTo(const std::filesystem::path& file);
    class Command;
    friend class Command;

    void CreateMenus();
    void CreateViews();
    void CreateDrawings();
    void ShowDrawings();
    void CreateLinks(QMenu& edit);
    void ShowLinks();
    bool EditCell(std::size_t segment, columns::SegmentColumn column, const std::string& text);
    void ShowCellMessage(std::size_t segment, columns::SegmentColumn column, const QString& text);
    void HideCellMessage();
    void Replay(Edit& edit, bool redo);
    // After every change: title, panels, warnings, pump, autosave.
    void Changed();
    void ShowSelection();
    void ShowPump();
    void Select(std::optional<std::size_t> segment);
    void AskUpstream();
    [[nodiscard]] report::ReportHeader ReportHeader() const;
    [[nodiscard]] std::optional<std::filesystem::path> ExportTarget(const QString& title,
                                                                    std::string_view extension,
                                                                    const QString& filter,
                                                                    std::string_view what);

    std::unique_ptr<Document> document_;
    const CircuitWindowServices& services_;
    SegmentModel* model_;
    WarningsModel* warnings_;
    QUndoStack* undo_;
    QTreeView* sheet_ = nullptr;
    QTabWidget* views_ = nullptr;
    report::qt::SchematicView* schematic_ = nullptr;
    report::qt::SystemCurveWidget* curve_ = nullptr;
    bool schematicBehind_ = false;  // edits it has not drawn, while hidden
    SettingsPanel* settings_ = nullptr;
    DetailPane* detail_ = nullptr;
    QListView* warningList_ = nullptr;
    QWidget* pump_ = nullptr;
    QGridLayout* pumpLines_ = nullptr;
    QLabel* cellMessage_ = nullptr;
    QAction* fittingsAction_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* addTubeAction_ = nullptr;
    QAction* calculatorAction_ = nullptr;
    QAction* moveAction_ = nullptr;
    std::vector<QAction*> structureActions_;
    QTimer autosave_;
    std::unique_ptr<RecoveryFile> recovery_;
    bool closeAgreed_ = false;
    std::vector<std::function<void(std::optional<std::size_t>)>> followers_;
    std::vector<std::function<void()>> afterEachChange_;
};

}  // namespace idrovela::sheet::qt
