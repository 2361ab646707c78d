#pragma once

// A heating or cooling circuit as engineers lay it out on their segment sheet: the fluid, the
// sizing limits and margins, and a tree of pipe segments (tratti) from the heat source to the
// terminals. This is the data a circuit file holds, as read, before anything is worked out.
// Each value compares equal field by field, as `==` compares the fields (a NaN equals nothing).

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace idrovela::circuit {

// A fault of a circuit or its file: the message, in Italian (UTF-8, on one line), names the
// segment and the key. Loading, checking, solving and saving throw it, and nothing else, for bad
// input.
class CircuitError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class FluidType { Acqua, Etilenico, Propilenico };

struct Project {
    std::string name;    // "nome"
    std::string author;  // "autore"
    std::string notes;   // "note"

    bool operator==(const Project&) const = default;
};

struct Fluid {
    FluidType type = FluidType::Acqua;
    double volumePercent = 0.0;  // glycols only: 10–60 % by volume
    double supplyC = 70.0;       // "mandata"
    double returnC = 60.0;       // "ritorno"; colder or warmer than the supply (cooling)

    bool operator==(const Fluid&) const = default;
};

// The automatic tube's limits: the pipe table's defaults.
struct Limits {
    double pascalPerMetre = 200.0;  // "pa_per_m"
    double velocityMs = 1.0;        // "velocita"

    bool operator==(const Limits&) const = default;
};

// Added to the pump's duty on lines of their own, never to the losses.
struct Margins {
    double flowPercent = 0.0;  // "portata", 0–100
    double headPercent = 0.0;  // "prevalenza", 0–100

    bool operator==(const Margins&) const = default;
};

// A segment's tube: fixed (a series, a designation and the bore and roughness the file gives) or
// automatic (the first tube of the series within the limits).
struct Tube {
    std::string series;
    bool automatic = false;
    // Fixed tubes only.
    std::string designation;
    double innerMm = 0.0;
    double roughnessMm = 0.0;

    bool operator==(const Tube&) const = default;
};

// A line of fittings: `count` times a fitting of the built-in library (`key`), or a custom ζ.
struct Fitting {
    std::string key;    // empty for a custom ζ
    double zeta = 0.0;  // custom only
    std::int64_t count = 1;
    std::string description;  // custom only

    bool operator==(const Fitting&) const = default;
};

struct Valve {
    double kv = 0.0;  // m³/h at 1 bar
    std::string description;

    bool operator==(const Valve&) const = default;
};

// A heating emitter (a radiator, a convector) at a terminal given by its load: its output at the
// standard rating, water entering at 75 °C and leaving at 65 °C in a room at 20 °C, and the
// exponent of its characteristic. The file always holds the figures themselves; a model and its
// number of sections say which catalogue row they came from, when they did.
struct Emitter {
    double nominalW = 0.0;      // "potenza_nominale": Φn at 75/65/20 °C
    double exponent = 1.3;      // "esponente": n, 1,0–2,0
    double roomC = 20.0;        // "ambiente": θi
    double contentL = 0.0;      // "contenuto": the water it holds, in litres
    std::string model;          // "modello": a catalogue's model, or empty
    std::int64_t sections = 0;  // "elementi": with a model, from 1; 0 without one

    bool operator==(const Emitter&) const = default;
};

// The terminal at a segment's downstream end: a load given as heat or as flow, and the device's
// own loss, as a pressure drop, a Kv, or nothing.
struct Terminal {
    enum class Load { Power, Flow };
    enum class Device { None, PressureDrop, Kv };

    std::string description;
    Load load = Load::Power;
    double loadValue = 0.0;  // W ("potenza") or l/h at the mean temperature ("portata")
    Device device = Device::None;
    double deviceValue = 0.0;                       // Pa ("dp") or m³/h at 1 bar ("kv")
    std::optional<Emitter> emitter = std::nullopt;  // "emettitore": given by its load only

    bool operator==(const Terminal&) const = default;
};

// The emitters' settings ("emettitori"): the least cooling an emitter is to give when the
// lowest supply temperature is worked out; by default the circuit's own Δθ.
struct EmitterSettings {
    std::optional<double> minimumDropK;  // "salto_minimo"

    bool operator==(const EmitterSettings&) const = default;
};

// Water the circuit holds beyond its pipes and emitters ("volumi"), in litres.
struct Volumes {
    double generatorL = 0.0;  // "generatore"
    double otherL = 0.0;      // "altro"

    bool operator==(const Volumes&) const = default;
};

// The closed expansion vessel to size ("vaso").
struct Vessel {
    double staticHeightM = 0.0;      // "altezza_statica": the system above the vessel
    double reliefValveBar = 0.0;     // "valvola_sicurezza": its set pressure, bar gauge
    std::optional<double> maximumC;  // "temperatura_massima"; for heating, by default the supply

    bool operator==(const Vessel&) const = default;
};

struct Segment {
    std::string id;
    std::optional<std::string> upstream;  // "a_monte"; none for a segment leaving the source
    std::string description;
    double lengthM = 0.0;  // supply and return together
    Tube tube;
    std::vector<Fitting> fittings;
    std::vector<Valve> valves;
    std::optional<Terminal> terminal;

    bool operator==(const Segment&) const = default;
};

struct Circuit {
    Project project;
    Fluid fluid;
    Limits limits;
    Margins margins;
    // Each written only when the circuit has it.
    std::optional<EmitterSettings> emitterSettings;
    std::optional<Volumes> volumes;
    std::optional<Vessel> vessel;
    std::vector<Segment> segments;  // in file order

    bool operator==(const Circuit&) const = default;
};

// The file's format and the versions this program reads: a circuit is written as version 1 unless
// it uses what version 2 added (emitters, their settings, volumes, the vessel).
inline constexpr const char* kFormat = "idrovela-circuito";
inline constexpr std::int64_t kVersion = 2;
inline constexpr std::int64_t kFirstVersion = 1;

// What a file may hold: beyond these, loading refuses it.
inline constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;
inline constexpr std::size_t kMaxSegments = 200'000;
inline constexpr std::int64_t kMaxSections = 1000;  // of an emitter from a catalogue

}  // namespace idrovela::circuit
