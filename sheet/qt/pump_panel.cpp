#include "sheet/qt/pump_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "sheet/qt/form_fields.h"
#include "sheet/window_texts.h"

namespace idrovela::sheet::qt {

PumpPanel::PumpPanel(std::function<void()> setLowestSupply)
    : lines_(new QGridLayout),
      lowestSupply_(new QPushButton(QStringLiteral("Imposta la mandata minima"))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addLayout(lines_);
    lowestSupply_->setObjectName(QStringLiteral("MandataMinima"));
    lowestSupply_->setToolTip(QStringLiteral(
        "Porta la mandata alla mandata minima arrotondata per eccesso a 0,1 °C e il ritorno a "
        "quella meno il salto termico attuale"));
    lowestSupply_->setVisible(false);
    connect(lowestSupply_, &QPushButton::clicked, this, std::move(setLowestSupply));
    layout->addWidget(lowestSupply_, 0, Qt::AlignLeft);
    setObjectName(QStringLiteral("Pompa"));
    setAccessibleName(QStringLiteral("Pompa"));
    setToolTip(QStringLiteral(
        "Il punto di lavoro della pompa: portata e prevalenza del circuito indice; i margini su "
        "righe proprie; sotto, la mandata minima, il contenuto d'acqua e il vaso di espansione"));
    setFrameShape(QFrame::StyledPanel);
    lines_->setContentsMargins(0, 0, 0, 0);
    lines_->setVerticalSpacing(1);
    lines_->setColumnStretch(1, 1);
}

void PumpPanel::Show(const circuit::Circuit& circuit, const circuit::Solution* solution) {
    while (QLayoutItem* item = lines_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    lowestSupply_->setVisible(solution != nullptr && solution->lowestSupply.has_value());
    if (solution == nullptr) {
        return;
    }
    std::vector<Line> lines = PumpLines(circuit, *solution);
    for (Line& line : PlantLines(circuit, *solution)) {
        lines.push_back(std::move(line));
    }
    int row = 0;
    for (const Line& line : lines) {
        auto* label = new QLabel(FromUtf8(line.label + ":"));
        auto* value = new QLabel(FromUtf8(line.value));
        value->setObjectName(QStringLiteral("Pompa%1").arg(row));
        value->setAccessibleName(FromUtf8(line.label));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines_->addWidget(label, row, 0);
        lines_->addWidget(value, row, 1);
        ++row;
    }
}

}  // namespace idrovela::sheet::qt
