#include "report/qt/report_command.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "catalogues/user_catalogues.h"
#include "circuit/export_refusal.h"
#include "circuit/load.h"
#include "report/qt/report_printer.h"

namespace idrovela::report::qt {

std::optional<int> RunReportCommand(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--relazione") != 0) {
        return std::nullopt;
    }
    if (argc != 4) {
        std::cerr << "uso: idrovela --relazione CIRCUITO.idrovela RELAZIONE.pdf\n";
        return 2;
    }
    // A batch run has no window to show: it must work where there is no display at all.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    const char* in = argv[2];
    const QString out = QString::fromLocal8Bit(argv[3]);
    // The PDF must never take the place of the circuit it reports on.
    if (const std::optional<std::string> refused = circuit::ExportRefusal(
            std::filesystem::path(argv[3]), std::filesystem::path(in), "La relazione")) {
        std::cerr << "idrovela: " << *refused << '\n';
        return 2;
    }

    circuit::LoadedCircuit loaded;
    try {
        loaded = circuit::LoadCircuitFile(
            std::filesystem::path(in),
            catalogues::LoadCatalogues(catalogues::UserCatalogueDir(
                [](const char* name) -> const char* { return std::getenv(name); })));
    } catch (const circuit::CircuitError& error) {
        std::cerr << "idrovela: " << error.what() << '\n';
        return 1;
    }
    const QString fileName = QFileInfo(QString::fromLocal8Bit(in)).fileName();
    if (const std::optional<QString> failure =
            SaveReportPdf(out, loaded.circuit, loaded.solution, HeaderForToday(fileName))) {
        std::cerr << "idrovela: " << failure->toStdString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace idrovela::report::qt
