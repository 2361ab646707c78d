#include "circuit/parse_readers.h"

namespace idrovela::circuit::parsing {

Emitter ReadEmitter(const Json& value, const Place& terminal) {
    ObjectAt(value, "emettitore", terminal);
    const Place place = terminal.Inside("emettitore");
    OnlyKeys(value,
             {"potenza_nominale", "esponente", "ambiente", "contenuto", "modello", "elementi"},
             place);
    Emitter emitter;
    emitter.nominalW =
        NumberAt(Required(value, "potenza_nominale", place), "potenza_nominale", place);
    OptionalNumber(value, "esponente", place, emitter.exponent);
    OptionalNumber(value, "ambiente", place, emitter.roomC);
    OptionalNumber(value, "contenuto", place, emitter.contentL);
    const Json* model = Find(value, "modello");
    const Json* sections = Find(value, "elementi");
    if ((model == nullptr) != (sections == nullptr)) {
        place.FailHere(
            "«modello» ed «elementi» vanno insieme: il modello del catalogo e il numero dei suoi "
            "elementi.");
    }
    if (model != nullptr) {
        emitter.model = TextAt(*model, "modello", place);
        emitter.sections = IntegerAt(*sections, "elementi", place);
    }
    return emitter;
}

EmitterSettings ReadEmitterSettings(const Json& value) {
    const Place place{"Emettitori", ""};
    ObjectAt(value, "emettitori", Place{"Il file", ""});
    OnlyKeys(value, {"salto_minimo"}, place);
    EmitterSettings settings;
    if (const Json* drop = Find(value, "salto_minimo")) {
        settings.minimumDropK = NumberAt(*drop, "salto_minimo", place);
    }
    return settings;
}

Volumes ReadVolumes(const Json& value) {
    const Place place{"Volumi", ""};
    ObjectAt(value, "volumi", Place{"Il file", ""});
    OnlyKeys(value, {"generatore", "altro"}, place);
    Volumes volumes;
    OptionalNumber(value, "generatore", place, volumes.generatorL);
    OptionalNumber(value, "altro", place, volumes.otherL);
    return volumes;
}

Vessel ReadVessel(const Json& value) {
    const Place place{"Vaso", ""};
    ObjectAt(value, "vaso", Place{"Il file", ""});
    OnlyKeys(value, {"altezza_statica", "valvola_sicurezza", "temperatura_massima"}, place);
    Vessel vessel;
    vessel.staticHeightM =
        NumberAt(Required(value, "altezza_statica", place), "altezza_statica", place);
    vessel.reliefValveBar =
        NumberAt(Required(value, "valvola_sicurezza", place), "valvola_sicurezza", place);
    if (const Json* maximum = Find(value, "temperatura_massima")) {
        vessel.maximumC = NumberAt(*maximum, "temperatura_massima", place);
    }
    return vessel;
}

}  // namespace idrovela::circuit::parsing
