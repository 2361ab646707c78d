#include "tools/qt/number_box.h"

#include <QDoubleSpinBox>
#include <QLocale>
#include <QString>

namespace idrovela::tools::qt {

QDoubleSpinBox* CommaNumberBox(double minimum, double maximum, double value, int decimals,
                               const QString& suffix) {
    auto* box = new QDoubleSpinBox;
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    box->setLocale(italian);
    box->setDecimals(decimals);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);  // a value counts once it is typed whole
    return box;
}

}  // namespace idrovela::tools::qt
