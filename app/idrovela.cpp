// idrovela: the desktop window, with its tool windows and circuit windows. `idrovela FILE…`
// opens each circuit file in a window of its own beside the main one.

#include <QApplication>
#include <QSettings>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "report/qt/report_command.h"
#include "sheet/qt/circuit_window_manager.h"
#include "tools/qt/tool_windows.h"
#include "window/qt/after_first_paint.h"
#include "window/qt/main_window.h"
#include "window/qt/qt_italian.h"

int main(int argc, char** argv) {
    // `idrovela --relazione IN OUT.pdf` writes a circuit's report and ends, with no window.
    if (const auto status = idrovela::report::qt::RunReportCommand(argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    // The places of the windows, the tools' choices and the recent circuits, kept between runs
    // (~/.config/idrovela/idrovela.conf).
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
            files.emplace_back(file.toStdString());
        }
        circuits.OpenAtStart(files);
    });
    return QApplication::exec();
}
