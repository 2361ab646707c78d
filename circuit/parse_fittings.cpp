#include <utility>

#include "circuit/parse_readers.h"

namespace idrovela::circuit::parsing {

std::vector<Fitting> ReadFittings(const Json& value, const Place& segment) {
    ListAt(value, "accidenti", segment);
    std::vector<Fitting> fittings;
    fittings.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string name = "accidenti n. " + std::to_string(i + 1);
        const Json& item = ObjectAt(value[i], name, segment);
        const Place place = segment.Inside(name);
        Fitting fitting;
        if (const Json* key = Find(item, "tipo")) {
            OnlyKeys(item, {"tipo", "numero"}, place);
            fitting.key = TextAt(*key, "tipo", place);
        } else {
            OnlyKeys(item, {"zeta", "numero", "descrizione"}, place);
            fitting.zeta = NumberAt(Required(item, "zeta", place), "zeta", place);
            OptionalText(item, "descrizione", place, fitting.description);
        }
        if (const Json* count = Find(item, "numero")) {
            fitting.count = IntegerAt(*count, "numero", place);
        }
        fittings.push_back(std::move(fitting));
    }
    return fittings;
}

std::vector<Valve> ReadValves(const Json& value, const Place& segment) {
    ListAt(value, "valvole", segment);
    std::vector<Valve> valves;
    valves.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string name = "valvole n. " + std::to_string(i + 1);
        const Json& item = ObjectAt(value[i], name, segment);
        const Place place = segment.Inside(name);
        OnlyKeys(item, {"kv", "descrizione"}, place);
        Valve valve;
        valve.kv = NumberAt(Required(item, "kv", place), "kv", place);
        OptionalText(item, "descrizione", place, valve.description);
        valves.push_back(std::move(valve));
    }
    return valves;
}

}  // namespace idrovela::circuit::parsing
