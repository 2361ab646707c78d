#include "circuit/messages.h"
#include "circuit/parse_readers.h"

namespace idrovela::circuit::parsing {

void ReadFormatAndVersion(const Json& root) {
    const Json* format = Find(root, "formato");
    if (format == nullptr || !format->is_string() ||
        format->get_ref<const std::string&>() != kFormat) {
        throw CircuitError("Il file non è un circuito di Idrovela: manca \"formato\": \"" +
                           std::string(kFormat) + "\".");
    }
    const Place file{"Il file", ""};
    const Json* version = Find(root, "versione");
    if (version == nullptr) {
        file.Fail("versione", "manca; senza il numero di versione il circuito non si può leggere.");
    }
    const std::int64_t number = IntegerAt(*version, "versione", file);
    if (number > kVersion) {
        throw CircuitError(
            "Il circuito è stato salvato da una versione più recente di Idrovela "
            "(formato " +
            std::to_string(number) + "); questa legge il formato " + std::to_string(kVersion) +
            ".");
    }
    if (number < kVersion) {
        file.Fail("versione", "il valore " + WholeText(number) + " non è valido; il formato è " +
                                  std::to_string(kVersion) + ".");
    }
}

Project ReadProject(const Json& value) {
    const Place place{"Progetto", ""};
    ObjectAt(value, "progetto", Place{"Il file", ""});
    OnlyKeys(value, {"nome", "autore", "note"}, place);
    Project project;
    OptionalText(value, "nome", place, project.name);
    OptionalText(value, "autore", place, project.author);
    OptionalText(value, "note", place, project.notes);
    return project;
}

Fluid ReadFluid(const Json& value) {
    const Place place{"Fluido", ""};
    ObjectAt(value, "fluido", Place{"Il file", ""});
    OnlyKeys(value, {"tipo", "percentuale", "mandata", "ritorno"}, place);
    Fluid fluid;
    const std::string type = TextAt(Required(value, "tipo", place), "tipo", place);
    if (type == "acqua") {
        fluid.type = FluidType::Acqua;
    } else if (type == "etilenico") {
        fluid.type = FluidType::Etilenico;
    } else if (type == "propilenico") {
        fluid.type = FluidType::Propilenico;
    } else {
        place.Fail("tipo", Quoted(type) +
                               " non è un fluido noto; i fluidi sono «acqua», «etilenico» e "
                               "«propilenico».");
    }
    const Json* percent = Find(value, "percentuale");
    if (percent != nullptr) {
        fluid.volumePercent = NumberAt(*percent, "percentuale", place);
    } else if (fluid.type != FluidType::Acqua) {
        place.Fail("percentuale", "manca; per una miscela di glicole va da 10 a 60 % in volume.");
    }
    fluid.supplyC = NumberAt(Required(value, "mandata", place), "mandata", place);
    fluid.returnC = NumberAt(Required(value, "ritorno", place), "ritorno", place);
    return fluid;
}

Limits ReadLimits(const Json& value) {
    const Place place{"Limiti", ""};
    ObjectAt(value, "limiti", Place{"Il file", ""});
    OnlyKeys(value, {"pa_per_m", "velocita"}, place);
    Limits limits;
    OptionalNumber(value, "pa_per_m", place, limits.pascalPerMetre);
    OptionalNumber(value, "velocita", place, limits.velocityMs);
    return limits;
}

Margins ReadMargins(const Json& value) {
    const Place place{"Margini", ""};
    ObjectAt(value, "margini", Place{"Il file", ""});
    OnlyKeys(value, {"portata", "prevalenza"}, place);
    Margins margins;
    OptionalNumber(value, "portata", place, margins.flowPercent);
    OptionalNumber(value, "prevalenza", place, margins.headPercent);
    return margins;
}

}  // namespace idrovela::circuit::parsing
