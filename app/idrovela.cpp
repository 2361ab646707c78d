// idrovela: the desktop window, with its tool windows and circuit windows. `idrovela FILE…`
// opens each circuit file in a window of its own beside the main one.

#include <QApplication>
#include <QSettings>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "report/qt/report_command.h"
#include "sheet/qt/circuit_window_manager.h"
#include "text/path_text.h"
#include "tools/qt/tool_windows.h"
#include "window/qt/after_first_paint.h"
#include "window/qt/main_window.h"
#include "window/qt/qt_italian.h"

#ifdef _WIN32
#include "app/parent_console.h"
#include "window/qt/fonts_beside_program.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // `idrovela --relazione` speaks to the console it was started from.
    if (argc > 1 && std::string_view(argv[1]) == "--relazione") {
        idrovela::app::WriteToParentConsole();
    }
#endif
    // `idrovela --relazione IN OUT.pdf` writes a circuit's report and ends, with no window.
    if (const auto status = idrovela::report::qt::RunReportCommand(argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
#ifdef _WIN32
    // The window's font before its first paint: Wine and a bare Windows may lack it.
    idrovela::window::qt::LoadFontsBesideProgram();
#endif
    // The places of the windows, the tools' choices and the recent circuits, kept between runs
    // (~/.config/idrovela/idrovela.conf; on Windows the registry,
    // HKEY_CURRENT_USER\Software\idrovela\idrovela).
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("idrovela"),
                       QStringLiteral("idrovela"));
    idrovela::window::qt::MainWindow window;
    window.KeepSettingsIn(&settings);
    idrovela::tools::qt::ToolWindows tools(window);
    idrovela::sheet::qt::CircuitWindowManager circuits(window);
    // "Tubi commerciali" adds its tubes to a circuit, and a circuit's segment opens in the main
    // window.
    circuits.LinkTools(tools);
    window.Start();
    window.show();
    // Once the window is on screen: Qt's own texts in Italian (its dialogs and context menus,
    // none of which the first paint shows), what a crash left unsaved, then the files asked for.
    std::optional<idrovela::window::qt::QtTextsInItalian> qtTexts;
    idrovela::window::qt::AfterFirstPaint(window, [&qtTexts, &circuits] {
        if (!qtTexts.emplace().Installed()) {
            std::cerr << "idrovela: Qt's Italian translations are missing (Debian package "
                         "qt6-translations-l10n); its standard dialogs speak English\n";
        }
        circuits.OfferRecoveries();
        std::vector<std::filesystem::path> files;
        for (const QString& file : QCoreApplication::arguments().mid(1)) {
            files.push_back(idrovela::text::PathFromUtf8(file.toStdString()));
        }
        circuits.OpenAtStart(files);
    });
    return QApplication::exec();
}
