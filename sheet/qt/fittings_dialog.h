#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "circuit/circuit.h"
#include "sheet/document.h"

class QLabel;
class QTableWidget;

namespace idrovela::sheet::qt {

// "Accidenti e valvole" of one segment: the built-in fittings with their ζ and source and a count
// for each, lines of other ζ, and valves by Kv. Σζ, Z and the valves' loss follow every change,
// at the segment's flow and velocity.
class FittingsDialog final : public QDialog {
  public:
    FittingsDialog(const Document& document, std::size_t segment, QWidget* parent);

    // What the dialog holds now, or none while a line is not a number (the reason is shown).
    struct Contents {
        std::vector<circuit::Fitting> fittings;
        std::vector<circuit::Valve> valves;
    };
    [[nodiscard]] std::optional<Contents> Read();

    void accept() override;

  private:
    void Fill(const circuit::Segment& segment);
    void Update();
    static void AddRow(QTableWidget& table, const QStringList& texts);

    const Document& document_;
    std::size_t segment_;
    QTableWidget* library_;
    QTableWidget* custom_;
    QTableWidget* valves_;
    QLabel* sums_;
    QLabel* message_;
};

}  // namespace idrovela::sheet::qt
