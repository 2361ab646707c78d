#include "sheet/qt/upstream_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace idrovela::sheet::qt {

UpstreamDialog::UpstreamDialog(QWidget* parent, const QString& title, const QStringList& choices,
                               std::optional<std::size_t> current)
    : QDialog(parent), box_(new QComboBox) {
    setObjectName(QStringLiteral("SpostaSotto"));
    setWindowTitle(title);
    box_->setObjectName(QStringLiteral("NuovoAMonte"));
    box_->setAccessibleName(QStringLiteral("Nuovo tratto a monte"));
    box_->setToolTip(QStringLiteral("Il tratto sotto cui va il tratto selezionato"));
    box_->addItem(QStringLiteral("(la sorgente)"));
    box_->addItems(choices);
    if (current && *current < static_cast<std::size_t>(choices.size())) {
        box_->setCurrentIndex(static_cast<int>(*current) + 1);
    }
    auto* label = new QLabel(QStringLiteral("&A monte:"));
    label->setBuddy(box_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Sposta"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(box_);
    layout->addWidget(buttons);
}

UpstreamChoice UpstreamDialog::Choice() const {
    const int picked = box_->currentIndex();
    if (picked <= 0) {
        return {};
    }
    return {static_cast<std::size_t>(picked - 1)};
}

}  // namespace idrovela::sheet::qt
