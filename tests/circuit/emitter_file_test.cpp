// The file's emitters, their settings, the volumes and the vessel: every fault refused with where
// it is, the version a circuit is written as, and files of both versions read back the same.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/parse.h"
#include "circuit/write.h"
#include "tests/circuit/circuits.h"

namespace idrovela::circuit {
namespace {

using test::BuiltIn;
using test::LoadFault;

// A file of `version` with the top-level keys `top` and one radiator whose terminal has `more`.
std::string File(int version, const std::string& more, const std::string& top = "") {
    return R"({"formato": "idrovela-circuito", "versione": )" + std::to_string(version) +
           R"(, "fluido": {"tipo": "acqua", "mandata": 55, "ritorno": 45}, )" + top +
           (top.empty() ? "" : ", ") +
           R"("tratti": [{"id": "R1", "lunghezza": 5, "tubo": {"serie": "rame", )"
           R"("designazione": "15×1", "diametro_interno": 13, "rugosita": 0.0015}, )"
           R"("terminale": {"potenza": 1000)" +
           (more.empty() ? "" : ", " + more) + "}}]}";
}

constexpr const char* kEmitter = R"("emettitore": {"potenza_nominale": 2000})";

TEST(EmitterFile, EveryFaultIsRefusedWithWhereItIs) {
    struct Fault {
        const char* what;
        std::string text;
        std::vector<std::string> says;
    };
    const Fault faults[] = {
        {"an emitter in a version 1 file",
         File(1, kEmitter),
         {"Tratto «R1», terminale, emettitore", "«versione»: 2"}},
        {"a vessel in a version 1 file",
         File(1, "", R"("vaso": {"altezza_statica": 5, "valvola_sicurezza": 3})"),
         {"Il file, vaso", "«versione»: 2"}},
        {"a version 3 file", File(3, kEmitter), {"salvato da una versione più recente"}},
        {"an emitter without its output",
         File(2, R"("emettitore": {"esponente": 1.3})"),
         {"Tratto «R1», terminale, emettitore", "potenza_nominale", "manca"}},
        {"an emitter's unknown key",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "colore": "bianco"})"),
         {"emettitore", "«colore»", "non è prevista"}},
        {"an output in words",
         File(2, R"("emettitore": {"potenza_nominale": "2000"})"),
         {"potenza_nominale", "numero"}},
        {"an output of 0",
         File(2, R"("emettitore": {"potenza_nominale": 0})"),
         {"potenza_nominale", "maggiore di 0 W"}},
        {"an exponent below 1",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "esponente": 0.99})"),
         {"esponente", "tra 1 e 2"}},
        {"a room above 40 °C",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "ambiente": 40.5})"),
         {"ambiente", "tra 0 e 40 °C"}},
        {"a negative content",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "contenuto": -1})"),
         {"contenuto", "almeno 0 l"}},
        {"a model without its sections",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "modello": "X"})"),
         {"«modello» ed «elementi» vanno insieme"}},
        {"sections that are not whole",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "modello": "X", "elementi": 2.5})"),
         {"elementi", "intero"}},
        {"no sections",
         File(2, R"("emettitore": {"potenza_nominale": 2000, "modello": "X", "elementi": 0})"),
         {"elementi", "tra 1 e 1000"}},
        {"an emitter at a terminal by flow",
         File(2, kEmitter).replace(File(2, kEmitter).find("potenza\""), 7, "portata"),
         {"emettitore", "portata"}},
        {"an emitter in a cooling circuit",
         File(2, kEmitter).replace(File(2, kEmitter).find("55"), 2, " 7"),
         {"raffrescamento"}},
        {"a salto_minimo of 51 K",
         File(2, "", R"("emettitori": {"salto_minimo": 51})"),
         {"Emettitori, salto_minimo", "tra 1 e 50 K"}},
        {"the emitters' unknown key",
         File(2, "", R"("emettitori": {"salto": 5})"),
         {"Emettitori", "«salto»"}},
        {"a negative volume",
         File(2, "", R"("volumi": {"generatore": -5})"),
         {"Volumi, generatore", "almeno 0 l"}},
        {"volumes that are not an object", File(2, "", R"("volumi": 5)"), {"volumi", "oggetto"}},
        {"a vessel without its valve",
         File(2, "", R"("vaso": {"altezza_statica": 5})"),
         {"Vaso", "valvola_sicurezza", "manca"}},
        {"a negative static height",
         File(2, "", R"("vaso": {"altezza_statica": -1, "valvola_sicurezza": 3})"),
         {"Vaso, altezza_statica", "almeno 0 m"}},
        {"a maximum at the filling temperature",
         File(
             2, "",
             R"("vaso": {"altezza_statica": 5, "valvola_sicurezza": 3, "temperatura_massima": 10})"),
         {"Vaso, temperatura_massima", "maggiore di 10 °C"}},
        {"a maximum beyond the fluid's data",
         File(
             2, "",
             R"("vaso": {"altezza_statica": 5, "valvola_sicurezza": 3, "temperatura_massima": 300})"),
         {"Vaso, temperatura_massima"}},
    };
    for (const Fault& fault : faults) {
        const std::string message = LoadFault(fault.text);
        for (const std::string& piece : fault.says) {
            EXPECT_NE(message.find(piece), std::string::npos) << fault.what << ": " << message;
        }
    }
}

// Version 2 is written only for what needs it; a version 1 circuit keeps its bytes; a version 2
// file may hold nothing new and is then written as version 1; everything reads back the same.
TEST(EmitterFile, EachVersionIsWrittenAndReadBackTheSame) {
    const std::string plain = WriteCircuit(ParseCircuit(File(1, "")));
    EXPECT_NE(plain.find("\"versione\": 1,"), std::string::npos);
    EXPECT_EQ(plain.find("emettitor"), std::string::npos);
    EXPECT_EQ(plain.find("vaso"), std::string::npos);
    EXPECT_EQ(WriteCircuit(ParseCircuit(File(2, ""))), plain);

    const std::string full = File(
        2,
        R"("emettitore": {"potenza_nominale": 1612.5, "esponente": 1.33, "ambiente": 18, )"
        R"("contenuto": 4.2, "modello": "Esempio alluminio 600", "elementi": 12})",
        R"("emettitori": {"salto_minimo": 7.5}, "volumi": {"generatore": 30, "altro": 0.25}, )"
        R"("vaso": {"altezza_statica": 9, "valvola_sicurezza": 3, "temperatura_massima": 80})");
    const Circuit circuit = ParseCircuit(full);
    const Emitter& emitter = *circuit.segments[0].terminal->emitter;
    EXPECT_EQ(emitter.nominalW, 1612.5);
    EXPECT_EQ(emitter.exponent, 1.33);
    EXPECT_EQ(emitter.roomC, 18.0);
    EXPECT_EQ(emitter.contentL, 4.2);
    EXPECT_EQ(emitter.model, "Esempio alluminio 600");
    EXPECT_EQ(emitter.sections, 12);
    EXPECT_EQ(circuit.emitterSettings->minimumDropK, 7.5);
    EXPECT_EQ(circuit.volumes->otherL, 0.25);
    EXPECT_EQ(circuit.vessel->maximumC, 80.0);
    const std::string written = WriteCircuit(circuit);
    EXPECT_NE(written.find("\"versione\": 2,"), std::string::npos);
    EXPECT_EQ(WriteCircuit(ParseCircuit(written)), written);
    EXPECT_EQ(ParseCircuit(written), circuit);
    EXPECT_LT(written.find("\"margini\""), written.find("\"emettitori\""));
    EXPECT_LT(written.find("\"vaso\""), written.find("\"tratti\""));

    // The defaults are written out; an optional setting left out stays out.
    const Circuit least = ParseCircuit(
        File(2, kEmitter,
             R"("emettitori": {}, "vaso": {"altezza_statica": 0, "valvola_sicurezza": 3})"));
    EXPECT_EQ(least.segments[0].terminal->emitter->exponent, 1.3);
    EXPECT_EQ(least.segments[0].terminal->emitter->roomC, 20.0);
    EXPECT_FALSE(least.emitterSettings->minimumDropK);
    EXPECT_FALSE(least.vessel->maximumC);
    const std::string leastText = WriteCircuit(least);
    EXPECT_NE(leastText.find(R"("emettitori": {})"), std::string::npos) << leastText;
    EXPECT_NE(leastText.find(R"("esponente": 1.3)"), std::string::npos);
    EXPECT_EQ(leastText.find("temperatura_massima"), std::string::npos);
    EXPECT_EQ(leastText.find("modello"), std::string::npos);
    EXPECT_EQ(ParseCircuit(leastText), least);

    // Each new object alone makes the file version 2.
    for (const std::string& top :
         {std::string(R"("emettitori": {})"), std::string(R"("volumi": {})"),
          std::string(R"("vaso": {"altezza_statica": 0, "valvola_sicurezza": 3})")}) {
        EXPECT_NE(WriteCircuit(ParseCircuit(File(2, "", top))).find("\"versione\": 2,"),
                  std::string::npos)
            << top;
    }
}

}  // namespace
}  // namespace idrovela::circuit
