// idrovela: the desktop window, with its tool windows.

#include <QApplication>
#include <iostream>

#include "tools/qt/tool_windows.h"
#include "window/qt/main_window.h"
#include "window/qt/qt_italian.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const idrovela::window::qt::QtTextsInItalian qtTexts;
    if (!qtTexts.Installed()) {
        std::cerr << "idrovela: Qt's Italian translations are missing (Debian package "
                     "qt6-translations-l10n); its standard dialogs speak English\n";
    }
    idrovela::window::qt::MainWindow window;
    const idrovela::tools::qt::ToolWindows tools(window);
    window.Start();
    window.show();
    return QApplication::exec();
}
