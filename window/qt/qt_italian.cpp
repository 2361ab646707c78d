#include "window/qt/qt_italian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace idrovela::window::qt {

QtTextsInItalian::QtTextsInItalian() {
    // qtbase holds the texts of Qt's widgets, dialogs and printing.
    installed_ =
        translator_.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&translator_);
}

QtTextsInItalian::~QtTextsInItalian() {
    if (installed_) {
        QCoreApplication::removeTranslator(&translator_);
    }
}

}  // namespace idrovela::window::qt
