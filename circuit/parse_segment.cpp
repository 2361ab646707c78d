#include <utility>

#include "circuit/parse_readers.h"

namespace idrovela::circuit::parsing {

Tube ReadTube(const Json& value, const Place& segment) {
    ObjectAt(value, "tubo", segment);
    const Place place = segment.Inside("tubo");
    Tube tube;
    if (const Json* automatic = Find(value, "automatico")) {
        if (!automatic->is_boolean()) {
            place.Fail("automatico", "deve essere true o false.");
        }
        tube.automatic = automatic->get<bool>();
    }
    if (tube.automatic) {
        OnlyKeys(value, {"serie", "automatico"}, place);
        tube.series = TextAt(Required(value, "serie", place), "serie", place);
        return tube;
    }
    OnlyKeys(value, {"serie", "designazione", "diametro_interno", "rugosita", "automatico"}, place);
    tube.series = TextAt(Required(value, "serie", place), "serie", place);
    tube.designation = TextAt(Required(value, "designazione", place), "designazione", place);
    tube.innerMm = NumberAt(Required(value, "diametro_interno", place), "diametro_interno", place);
    tube.roughnessMm = NumberAt(Required(value, "rugosita", place), "rugosita", place);
    return tube;
}

Segment ReadSegment(const Json& value, std::size_t index) {
    Segment segment;
    Place place{"Tratto n. " + std::to_string(index + 1), ""};
    if (!value.is_object()) {
        place.FailHere("deve essere un oggetto { … }.");
    }
    segment.id = TextAt(Required(value, "id", place), "id", place);
    place.where = SegmentName(segment, index);
    OnlyKeys(
        value,
        {"id", "a_monte", "descrizione", "lunghezza", "tubo", "accidenti", "valvole", "terminale"},
        place);
    if (const Json* upstream = Find(value, "a_monte")) {
        segment.upstream = TextAt(*upstream, "a_monte", place);
    }
    OptionalText(value, "descrizione", place, segment.description);
    segment.lengthM = NumberAt(Required(value, "lunghezza", place), "lunghezza", place);
    segment.tube = ReadTube(Required(value, "tubo", place), place);
    if (const Json* fittings = Find(value, "accidenti")) {
        segment.fittings = ReadFittings(*fittings, place);
    }
    if (const Json* valves = Find(value, "valvole")) {
        segment.valves = ReadValves(*valves, place);
    }
    if (const Json* terminal = Find(value, "terminale")) {
        segment.terminal = ReadTerminal(*terminal, place);
    }
    return segment;
}

}  // namespace idrovela::circuit::parsing
