#pragma once

#include <QPoint>
#include <QString>
#include <optional>
#include <string>

#include "sheet/qt/circuit_context.h"
#include "tools/tool_memory.h"

class QAction;
class QMenu;
class QTreeView;

namespace idrovela::sheet::qt {

// The circuit window and the main window's calculator, each way: "Aggiungi al circuito" takes the
// tube selected in "Tubi commerciali" into the circuit, and "Apri nel calcolatore" sets the main
// window up for a segment; the segment's own menu offers it on the row.
class CircuitLinks {
  public:
    // The two entries go at the end of `edit`; the segment's menu opens on `sheet`, with `copy`
    // and `fittings` beside them.
    CircuitLinks(CircuitContext context, const CircuitWindowServices& services, TakeEdit take,
                 QMenu& edit, QTreeView& sheet, QAction& copy, QAction& fittings);
    ~CircuitLinks();
    CircuitLinks(const CircuitLinks&) = delete;
    CircuitLinks& operator=(const CircuitLinks&) = delete;

    // "Aggiungi al circuito": `tube` as a new segment under the selected one (leaving the source
    // when none is), fixed, with no length and a terminal at the main window's G; one edit, then
    // selected. Why not, when it was not taken.
    std::optional<std::string> AddTube(const tools::ChosenTube& tube);
    // The menu's entry: the tube selected in "Tubi commerciali", if any.
    void AddSelectedTube();
    // "Apri nel calcolatore" on the selected segment, disabled where the main window cannot take
    // it (the reason in its tooltip). What the main window could not hold of the segment goes on
    // one line in the status bar ("NotaCalcolatore"), until the circuit changes or another
    // segment is opened.
    void OpenInCalculator();
    // The line of the segment opened last in the calculator; empty when none shows.
    [[nodiscard]] QString CalculatorNote() const;
    void ForgetCalculatorNote();
    // The segment's menu (the mouse's right button, the menu key or Shift+F10), at `at` on the
    // screen.
    void ShowSegmentMenu(QPoint at);
    // The entries as the selection and the main window allow them now.
    void Refresh();

  private:
    class NoteLine;

    CircuitContext context_;
    const CircuitWindowServices& services_;
    TakeEdit take_;
    QAction& copy_;
    QAction& fittings_;
    QAction* addTube_;
    QAction* calculator_;
    NoteLine* note_;  // in the window's status bar, which owns it
};

}  // namespace idrovela::sheet::qt
