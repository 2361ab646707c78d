#include "circuit/check_plant.h"

#include <cmath>
#include <string>

#include "circuit/check.h"
#include "circuit/messages.h"
#include "circuit/requirements.h"
#include "physics/physics_error.h"
#include "text/utf8.h"

namespace idrovela::circuit {

namespace {

bool Cooling(const Fluid& fluid) {
    return fluid.supplyC < fluid.returnC;
}

void CheckVessel(const Circuit& circuit) {
    constexpr std::string_view kWhere = "Vaso";
    const Vessel& vessel = *circuit.vessel;
    RequireAtLeast(vessel.staticHeightM, 0.0, kWhere, "altezza_statica", "m");
    RequireAbove(vessel.reliefValveBar, 0.0, kWhere, "valvola_sicurezza", "bar");
    if (!vessel.maximumC) {
        if (Cooling(circuit.fluid)) {
            Fail(kWhere, "temperatura_massima",
                 "manca; in un circuito di raffrescamento si dà la temperatura più alta che il "
                 "fluido raggiunge, anche a impianto fermo.");
        }
        if (!(circuit.fluid.supplyC > kFillC)) {
            Fail(kWhere, "temperatura_massima",
                 "manca, e la mandata (" + Amount(circuit.fluid.supplyC, "°C") + ") non supera i " +
                     Amount(kFillC, "°C") +
                     " del riempimento: il fluido non si dilata; si dà la temperatura massima.");
        }
        return;
    }
    const double maximum = *vessel.maximumC;
    if (!std::isfinite(maximum)) {
        Fail(kWhere, "temperatura_massima", "la temperatura deve essere un numero finito.");
    }
    try {
        static_cast<void>(PropertiesAt(circuit.fluid, maximum));
    } catch (const physics::PhysicsError& error) {
        Fail(kWhere, "temperatura_massima", error.what());
    }
    RequireAbove(maximum, kFillC, kWhere, "temperatura_massima", "°C");
}

}  // namespace

void CheckEmitter(const Terminal& terminal, std::string_view where, const Fluid& fluid) {
    if (!terminal.emitter) {
        return;
    }
    if (terminal.load == Terminal::Load::Flow) {
        Fail(where, "terminale, emettitore",
             "un terminale dato con la portata non ha emettitore: con l'emettitore la portata "
             "segue dal carico, dato con «potenza».");
    }
    if (Cooling(fluid)) {
        Fail(where, "terminale, emettitore",
             "il circuito è di raffrescamento (mandata " + Amount(fluid.supplyC, "°C") +
                 ", ritorno " + Amount(fluid.returnC, "°C") +
                 "): il modello dell'emettitore vale solo per il riscaldamento.");
    }
    const Emitter& emitter = *terminal.emitter;
    RequireAbove(emitter.nominalW, 0.0, where, "terminale, emettitore, potenza_nominale", "W");
    RequireBetween(emitter.exponent, 1.0, 2.0, where, "terminale, emettitore, esponente", "");
    RequireBetween(emitter.roomC, kRoomLowC, kRoomHighC, where, "terminale, emettitore, ambiente",
                   "°C");
    RequireAtLeast(emitter.contentL, 0.0, where, "terminale, emettitore, contenuto", "l");
    if (emitter.model.empty() && emitter.sections == 0) {
        return;
    }
    if (emitter.model.empty() || text::HasControlCharacter(emitter.model) ||
        emitter.model.find(';') != std::string::npos) {
        Fail(where, "terminale, emettitore, modello",
             Quoted(emitter.model) +
                 " non è il nome di un modello: non è vuoto e non ha «;» né caratteri di "
                 "controllo.");
    }
    if (emitter.sections < 1 || emitter.sections > kMaxSections) {
        Fail(where, "terminale, emettitore, elementi",
             "il valore " + std::to_string(emitter.sections) +
                 " è fuori campo; deve essere tra 1 e " + std::to_string(kMaxSections) + ".");
    }
}

void CheckPlant(const Circuit& circuit) {
    if (circuit.emitterSettings && circuit.emitterSettings->minimumDropK) {
        RequireBetween(*circuit.emitterSettings->minimumDropK, kMinimumDropLowK, kMinimumDropHighK,
                       "Emettitori", "salto_minimo", "K");
    }
    if (circuit.volumes) {
        RequireAtLeast(circuit.volumes->generatorL, 0.0, "Volumi", "generatore", "l");
        RequireAtLeast(circuit.volumes->otherL, 0.0, "Volumi", "altro", "l");
    }
    if (circuit.vessel) {
        CheckVessel(circuit);
    }
}

}  // namespace idrovela::circuit
