#include "window/qt/fonts_beside_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace idrovela::window::qt {

int LoadFontsFrom(const QString& folder) {
    const QDir dir(folder);
    int added = 0;
    for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
        if (QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0) {
            ++added;
        }
    }
    return added;
}

int LoadFontsBesideProgram() {
    return LoadFontsFrom(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
}

}  // namespace idrovela::window::qt
