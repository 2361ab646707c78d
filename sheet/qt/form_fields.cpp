#include "sheet/qt/form_fields.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace idrovela::sheet::qt {

QLabel* ProblemLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromUtf8(name));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #a00000"));
    label->setAccessibleName(QStringLiteral("Messaggio"));
    label->hide();
    return label;
}

void SetFieldText(QLineEdit& edit, const std::string& text) {
    const QString shown = FromUtf8(text);
    if (edit.text() != shown) {
        const QSignalBlocker blocker(&edit);
        edit.setText(shown);
    }
    edit.setModified(false);
}

}  // namespace idrovela::sheet::qt
