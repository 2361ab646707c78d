#include "sheet/qt/pump_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "sheet/qt/form_fields.h"
#include "sheet/window_texts.h"

namespace idrovela::sheet::qt {

PumpPanel::PumpPanel() : lines_(new QGridLayout(this)) {
    setObjectName(QStringLiteral("Pompa"));
    setAccessibleName(QStringLiteral("Pompa"));
    setToolTip(QStringLiteral(
        "Il punto di lavoro della pompa: portata e prevalenza del circuito indice; i margini su "
        "righe proprie"));
    setFrameShape(QFrame::StyledPanel);
    lines_->setContentsMargins(8, 4, 8, 4);
    lines_->setVerticalSpacing(1);
    lines_->setColumnStretch(1, 1);
}

void PumpPanel::Show(const circuit::Circuit& circuit, const circuit::Solution* solution) {
    while (QLayoutItem* item = lines_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (solution == nullptr) {
        return;
    }
    int row = 0;
    for (const Line& line : PumpLines(circuit, *solution)) {
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
