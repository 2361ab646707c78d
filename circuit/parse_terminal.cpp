#include "circuit/parse_readers.h"

namespace idrovela::circuit::parsing {

Terminal ReadTerminal(const Json& value, const Place& segment) {
    ObjectAt(value, "terminale", segment);
    const Place place = segment.Inside("terminale");
    OnlyKeys(value, {"descrizione", "potenza", "portata", "dp", "kv", "emettitore"}, place);
    Terminal terminal;
    OptionalText(value, "descrizione", place, terminal.description);
    const Json* power = Find(value, "potenza");
    const Json* flow = Find(value, "portata");
    if ((power == nullptr) == (flow == nullptr)) {
        place.FailHere("serve una e una sola tra «potenza» (W) e «portata» (l/h).");
    }
    terminal.load = power != nullptr ? Terminal::Load::Power : Terminal::Load::Flow;
    terminal.loadValue =
        power != nullptr ? NumberAt(*power, "potenza", place) : NumberAt(*flow, "portata", place);
    const Json* dp = Find(value, "dp");
    const Json* kv = Find(value, "kv");
    if (dp != nullptr && kv != nullptr) {
        place.FailHere(
            "la perdita dell'apparecchio si dà con «dp» oppure con «kv», non con entrambi.");
    }
    if (dp != nullptr) {
        terminal.device = Terminal::Device::PressureDrop;
        terminal.deviceValue = NumberAt(*dp, "dp", place);
    } else if (kv != nullptr) {
        terminal.device = Terminal::Device::Kv;
        terminal.deviceValue = NumberAt(*kv, "kv", place);
    }
    if (const Json* emitter = Find(value, "emettitore")) {
        terminal.emitter = ReadEmitter(*emitter, place);
    }
    return terminal;
}

}  // namespace idrovela::circuit::parsing
