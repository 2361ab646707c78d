#include "window/qt/qt_italian.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLocale>
#include <QTreeView>
#include <algorithm>
#include <cstring>

namespace idrovela::window::qt {

namespace {

struct MissingText {
    const char* context;
    const char* source;
    const char* italian;
};

// The file system's kinds of entry, as the file dialog's "Tipo" column and its "Cerca in" list
// name them.
constexpr MissingText kMissing[] = {
    {"QAbstractFileIconProvider", "Folder", "Cartella"},
    {"QAbstractFileIconProvider", "Shortcut", "Collegamento"},
    {"QAbstractFileIconProvider", "Drive", "Unità"},
    {"QAbstractFileIconProvider", "Unknown", "Sconosciuto"},
};

}  // namespace

QString MissingQtTexts::translate(const char* context, const char* sourceText,
                                  const char* /*disambiguation*/, int /*n*/) const {
    if (context == nullptr || sourceText == nullptr) {
        return {};
    }
    for (const MissingText& text : kMissing) {
        if (std::strcmp(context, text.context) == 0 && std::strcmp(sourceText, text.source) == 0) {
            return QString::fromUtf8(text.italian);
        }
    }
    return {};
}

QtTextsInItalian::QtTextsInItalian() {
    // qtbase holds the texts of Qt's widgets, dialogs and printing.
    installed_ =
        translator_.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&translator_);
    if (installed_) {
        // Installed after Qt's, so asked first: it answers only what Qt's lacks.
        QCoreApplication::installTranslator(&missing_);
    }
}

QtTextsInItalian::~QtTextsInItalian() {
    if (installed_) {
        QCoreApplication::removeTranslator(&missing_);
        QCoreApplication::removeTranslator(&translator_);
    }
}

void FitColumnsToCaptions(QFileDialog& dialog) {
    for (QTreeView* list : dialog.findChildren<QTreeView*>()) {
        QHeaderView& header = *list->header();
        // The name's column keeps the room Qt gives it; the others as wide as their captions.
        for (int column = 1; column < header.count(); ++column) {
            header.resizeSection(
                column, std::max(header.sectionSize(column), header.sectionSizeHint(column)));
        }
    }
}

QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filter) {
    QFileDialog dialog(parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    FitColumnsToCaptions(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

}  // namespace idrovela::window::qt
