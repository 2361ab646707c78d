// idrovela: the desktop window, with its tool windows.

#include <QApplication>
#include <QSettings>
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
    // The places of the windows and the tools' choices, kept between runs
    // (~/.config/idrovela/idrovela.conf).
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("idrovela"),
                       QStringLiteral("idrovela"));
    idrovela::window::qt::MainWindow window;
    window.KeepSettingsIn(&settings);
    const idrovela::tools::qt::ToolWindows tools(window);
    window.Start();
    window.show();
    return QApplication::exec();
}
