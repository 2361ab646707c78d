#pragma once

#include <QMainWindow>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "columns/columns.h"
#include "sheet/document.h"
#include "sheet/qt/circuit_context.h"
#include "sheet/qt/recovery_file.h"

class QAction;
class QListView;
class QMenu;
class QScrollArea;
class QTabWidget;
class QTreeView;
class QUndoStack;

namespace idrovela::sheet::qt {

class CellMessage;
class CircuitDrawings;
class CircuitExports;
class CircuitFile;
class CircuitLinks;
class DetailPane;
class PumpPanel;
class SegmentModel;
class SettingsPanel;
class StructureEdits;
class WarningsModel;

// One circuit in a window of its own, titled «NAME – Circuito» ("*" while unsaved): the settings
// panel above, the segment sheet as a tree, beside it the selected segment's details, the
// engine's warnings, the schematic and the system curve (tabs, with room for more views), and the
// pump's duty below, always in sight. Every edit goes through the document, so the engine checks
// it, and onto the undo stack as one command named as the Modifica menu shows it. Its parts each
// have a room of their own: the file (saving, the recovery copy, the question on closing), the
// structure edits, the exports, the links with the calculator, and the drawings.
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

    // The window's parts.
    [[nodiscard]] CircuitFile& File() { return *file_; }
    [[nodiscard]] StructureEdits& Structure() { return *structure_; }
    [[nodiscard]] CircuitExports& Exports() { return *exports_; }
    [[nodiscard]] CircuitLinks& Links() { return *links_; }
    // "Schema" and "Curva dell'impianto".
    [[nodiscard]] CircuitDrawings& Drawings() { return *drawings_; }

    // The selected segment, which other views follow and set.
    [[nodiscard]] std::optional<std::size_t> SelectedSegment() const;
    void SelectSegment(std::size_t segment);
    void WhenSelectionChanges(std::function<void(std::optional<std::size_t>)> follow);
    // Called after every change of the circuit, once the window shows it.
    void AfterEachChange(std::function<void()> refresh);

    // Takes an edit through the engine and onto the undo stack; the reason it was refused goes
    // to `report`. True when it was taken.
    bool Take(Proposal proposal, const std::function<void(const QString&)>& report);

    // Closes without asking again: the user has agreed.
    void CloseAgreed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class Command;
    friend class Command;

    [[nodiscard]] CircuitContext Context();
    void CreateFileMenu();
    QMenu& CreateEditMenu();
    void CreateSheet();
    void CreateCellMessage();
    [[nodiscard]] QScrollArea* CreateDetail();
    void CreateWarningList();
    void CreateTabs(QScrollArea& detail);
    void LayOut();
    bool EditCell(std::size_t segment, columns::SegmentColumn column, const std::string& text);
    void Replay(Edit& edit, bool redo);
    // After every edit, undo and redo: the refusals and notes shown go, then Changed.
    void Edited();
    // After every change: title, panels, warnings, pump, drawings, autosave.
    void Changed();
    void ShowSelection();
    void Select(std::optional<std::size_t> segment);

    std::unique_ptr<Document> document_;
    const CircuitWindowServices& services_;
    SegmentModel* model_;
    WarningsModel* warnings_;
    QUndoStack* undo_;
    std::unique_ptr<CircuitFile> file_;
    std::unique_ptr<StructureEdits> structure_;
    std::unique_ptr<CircuitExports> exports_;
    std::unique_ptr<CircuitLinks> links_;
    std::unique_ptr<CircuitDrawings> drawings_;
    QTreeView* sheet_ = nullptr;
    QTabWidget* views_ = nullptr;
    SettingsPanel* settings_ = nullptr;
    DetailPane* detail_ = nullptr;
    QListView* warningList_ = nullptr;
    PumpPanel* pump_ = nullptr;
    CellMessage* cellMessage_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* fittingsAction_ = nullptr;
    QAction* moveAction_ = nullptr;
    std::vector<QAction*> structureActions_;
    std::vector<std::function<void(std::optional<std::size_t>)>> followers_;
    std::vector<std::function<void()>> afterEachChange_;
};

}  // namespace idrovela::sheet::qt
