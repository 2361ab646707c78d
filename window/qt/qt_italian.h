#pragma once

#include <QTranslator>

class QFileDialog;
class QWidget;

namespace idrovela::window::qt {

// What Qt 6.4's Italian lacks of its file dialogs' texts ("Folder" in the type column, ...),
// answered by the program itself; every other text is left to Qt's own translations.
class MissingQtTexts final : public QTranslator {
  public:
    [[nodiscard]] QString translate(const char* context, const char* sourceText,
                                    const char* disambiguation, int n) const override;
    [[nodiscard]] bool isEmpty() const override { return false; }
};

// Qt's own texts in Italian, as every text of the program is: the standard buttons ("Annulla",
// "Salva"), the file and print dialogs. They come from Qt's translations (Debian package
// qt6-translations-l10n), whatever the desktop's language, completed by MissingQtTexts. Installed
// in the application while this lives; when Qt's are not installed Qt keeps its English and
// nothing else changes.
class QtTextsInItalian final {
  public:
    QtTextsInItalian();
    ~QtTextsInItalian();
    QtTextsInItalian(const QtTextsInItalian&) = delete;
    QtTextsInItalian& operator=(const QtTextsInItalian&) = delete;

    [[nodiscard]] bool Installed() const { return installed_; }

  private:
    QTranslator translator_;
    MissingQtTexts missing_;
    bool installed_ = false;
};

// Widens the columns of a file dialog's detailed list to their Italian captions, which Qt sizes
// for its English ones ("Dimensione" came out cut). Before the dialog is shown.
void FitColumnsToCaptions(QFileDialog& dialog);

// As QFileDialog::getSaveFileName, with the columns fitted: the file chosen, or an empty text.
[[nodiscard]] QString SaveFileName(QWidget* parent, const QString& caption,
                                   const QString& suggested, const QString& filter);

}  // namespace idrovela::window::qt
