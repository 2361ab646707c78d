#pragma once

#include <QTranslator>

namespace idrovela::window::qt {

// Qt's own texts in Italian, as every text of the program is: the standard buttons ("Annulla",
// "Salva"), the file and print dialogs. They come from Qt's translations (Debian package
// qt6-translations-l10n), whatever the desktop's language. Installed in the application while
// this lives; when they are not installed Qt keeps its English and nothing else changes.
class QtTextsInItalian final {
  public:
    QtTextsInItalian();
    ~QtTextsInItalian();
    QtTextsInItalian(const QtTextsInItalian&) = delete;
    QtTextsInItalian& operator=(const QtTextsInItalian&) = delete;

    [[nodiscard]] bool Installed() const { return installed_; }

  private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace idrovela::window::qt
