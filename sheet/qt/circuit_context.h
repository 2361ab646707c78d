#pragma once

// What a circuit window works with: the services every window shares with the others and with
// the program, and what the window's parts (its file, exports, links, drawings, structure edits)
// are given of the window they belong to.

#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "sheet/document.h"
#include "sheet/operations.h"
#include "tools/calculator_setup.h"
#include "tools/tool_memory.h"

class QMainWindow;
class QWidget;

namespace idrovela::sheet::qt {

class Dialogs;

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
    // Once it is set up: what the main window could not hold of the segment
    // (tools::CalculatorNote); empty when it holds every figure.
    std::function<std::string(const tools::CalculatorSetUp&)> calculatorNote;
    // The circuit guide, shown beside the window it is asked from.
    std::function<void(QWidget&)> showGuide;
};

// Takes an edit through the engine and onto the window's undo stack; the reason it was refused
// goes to the second argument. True when it was taken.
using TakeEdit = std::function<bool(Proposal, const std::function<void(const QString&)>&)>;

// What a part of a circuit window is given of it: the open circuit, the window (the parent of
// the part's dialogs, with the status bar for short messages), the questions and messages, and
// the sheet's selection, which the part reads and sets.
struct CircuitContext {
    Document& document;
    QMainWindow& window;
    Dialogs& dialogs;
    std::function<std::optional<std::size_t>()> selected;
    std::function<void(std::optional<std::size_t>)> select;
};

}  // namespace idrovela::sheet::qt
