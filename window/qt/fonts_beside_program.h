#pragma once

// Windows has no Liberation Sans, the font every control and the report use, and no package
// manager to bring it: the program carries it in the folder "fonts" beside its executable.

#include <QString>

namespace idrovela::window::qt {

// Adds every font file (*.ttf) in `folder` to the application's fonts, and returns how many it
// added. Call it once a QGuiApplication exists.
int LoadFontsFrom(const QString& folder);

// LoadFontsFrom the folder "fonts" beside the program's executable.
int LoadFontsBesideProgram();

}  // namespace idrovela::window::qt
