#pragma once

// What reading a circuit file's document is made of: its values read each with its place named
// for a message, and the readers of its parts (the format and version, the project, the fluid,
// the limits and the margins; a segment and its tube; its fittings and valves; its terminal).
// Only ParseCircuit uses them.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/messages.h"

namespace idrovela::circuit::parsing {

using Json = nlohmann::ordered_json;

// A place in the document: "Fluido", "Tratto «A»", with the keys leading to it inside that.
struct Place {
    std::string where;
    std::string prefix;  // "tubo, " for a key inside the segment's tube

    [[nodiscard]] Place Inside(std::string_view key) const {
        return {where, prefix + std::string(key) + ", "};
    }
    [[noreturn]] void Fail(std::string_view key, std::string_view problem) const {
        circuit::Fail(where, prefix + std::string(key), problem);
    }
    [[noreturn]] void FailHere(std::string_view problem) const {
        std::string path = prefix;
        if (path.size() >= 2) {
            path.resize(path.size() - 2);  // the ", " after the last key
        }
        circuit::Fail(where, path, problem);
    }
};

// ---- The document's values ----

// The value under `key`, or null.
[[nodiscard]] const Json* Find(const Json& object, const char* key);
// Refuses the first key, in file order, that the object may not hold.
void OnlyKeys(const Json& object, std::initializer_list<std::string_view> allowed,
              const Place& place);
// The value under `key`; "manca." without one.
[[nodiscard]] const Json& Required(const Json& object, const char* key, const Place& place);
// The value, refused unless it has the type: named by `key` in the message.
const Json& ObjectAt(const Json& value, std::string_view key, const Place& place);
const Json& ListAt(const Json& value, std::string_view key, const Place& place);
[[nodiscard]] double NumberAt(const Json& value, std::string_view key, const Place& place);
[[nodiscard]] std::string TextAt(const Json& value, std::string_view key, const Place& place);
[[nodiscard]] std::int64_t IntegerAt(const Json& value, std::string_view key, const Place& place);
// The optional keys: each read only when the object holds it.
void OptionalNumber(const Json& object, const char* key, const Place& place, double& into);
void OptionalText(const Json& object, const char* key, const Place& place, std::string& into);

// ---- The readers of the file's parts ----

// The format's name and a version this program reads, which it gives; CircuitError for any other.
[[nodiscard]] std::int64_t ReadFormatAndVersion(const Json& root);
[[nodiscard]] Project ReadProject(const Json& value);
[[nodiscard]] Fluid ReadFluid(const Json& value);
[[nodiscard]] Limits ReadLimits(const Json& value);
[[nodiscard]] Margins ReadMargins(const Json& value);
// What version 2 added at the top: the emitters' settings, the volumes, the vessel.
[[nodiscard]] EmitterSettings ReadEmitterSettings(const Json& value);
[[nodiscard]] Volumes ReadVolumes(const Json& value);
[[nodiscard]] Vessel ReadVessel(const Json& value);

// Segment n. `index` + 1 of the list, with its tube.
[[nodiscard]] Segment ReadSegment(const Json& value, std::size_t index);
[[nodiscard]] Tube ReadTube(const Json& value, const Place& segment);

[[nodiscard]] std::vector<Fitting> ReadFittings(const Json& value, const Place& segment);
[[nodiscard]] std::vector<Valve> ReadValves(const Json& value, const Place& segment);

[[nodiscard]] Terminal ReadTerminal(const Json& value, const Place& segment);
// A terminal's emitter; `terminal` is the terminal's place.
[[nodiscard]] Emitter ReadEmitter(const Json& value, const Place& terminal);

}  // namespace idrovela::circuit::parsing
