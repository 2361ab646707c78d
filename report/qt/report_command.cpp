#include "report/qt/report_command.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "catalogues/user_catalogues.h"
#include "circuit/export_refusal.h"
#include "circuit/load.h"
#include "report/qt/report_printer.h"
#include "text/path_text.h"
#include "text/program_arguments.h"
#ifdef _WIN32
#include "window/qt/fonts_beside_program.h"
#endif

namespace idrovela::report::qt {

std::optional<int> RunReportCommand(int argc, char** argv) {
    // In UTF-8 whatever the system: a circuit named «Łódź – Δp» is found on Windows too.
    const std::vector<std::string> arguments = text::ProgramArguments(argc, argv);
    if (arguments.size() < 2 || arguments[1] != "--relazione") {
        return std::nullopt;
    }
    if (arguments.size() != 4) {
        std::cerr << "uso: idrovela --relazione CIRCUITO.idrovela RELAZIONE.pdf\n";
        return 2;
    }
    // A batch run has no window to show: it must work where there is no display at all.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
#ifdef _WIN32
    window::qt::LoadFontsBesideProgram();
#endif
    const std::filesystem::path in = text::PathFromUtf8(arguments[2]);
    const QString out = QString::fromStdString(arguments[3]);
    // The PDF must never take the place of the circuit it reports on.
    if (const std::optional<std::string> refused =
            circuit::ExportRefusal(text::PathFromUtf8(arguments[3]), in, "La relazione")) {
        std::cerr << "idrovela: " << *refused << '\n';
        return 2;
    }

    circuit::LoadedCircuit loaded;
    try {
        loaded = circuit::LoadCircuitFile(
            in, catalogues::LoadCatalogues(catalogues::UserCatalogueDir(
                    [](const char* name) -> const char* { return std::getenv(name); })));
    } catch (const circuit::CircuitError& error) {
        std::cerr << "idrovela: " << error.what() << '\n';
        return 1;
    }
    const QString fileName = QFileInfo(QString::fromStdString(arguments[2])).fileName();
    if (const std::optional<QString> failure =
            SaveReportPdf(out, loaded.circuit, loaded.solution, HeaderForToday(fileName))) {
        std::cerr << "idrovela: " << failure->toStdString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace idrovela::report::qt
