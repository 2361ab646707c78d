#pragma once

#include <string_view>

class QDialog;
class QString;
class QWidget;

namespace idrovela::window::qt {

// A help window over `parent`: the HTML text, scrolling, and «Chiudi». Not modal; deleted once
// closed; Escape closes it, as it closes a dialog. `name` is its objectName, which also names
// its place in the settings (ShowBeside).
[[nodiscard]] QDialog* NewHelpWindow(QWidget& parent, const QString& name, const QString& title,
                                     std::string_view html);

// «Informazioni su Idrovela»: the version, the licence and Qt's version, in a box over `parent`
// until the user closes it.
void ShowAbout(QWidget& parent);

}  // namespace idrovela::window::qt
