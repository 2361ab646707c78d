#include "circuit/parse.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "circuit/messages.h"
#include "text/utf8.h"

namespace idrovela::circuit {

namespace {

using Json = nlohmann::ordered_json;

// No circuit nests deeper than a fitting inside a segment inside the list (depth 4), and no
// object of the format has more than nine keys: these bounds only stop a hostile file early.
constexpr std::size_t kMaxDepth = 32;
constexpr std::size_t kMaxKeysPerObject = 64;

// A key of the file as Quoted makes any text fit a message (one line of UTF-8), without the
// quotes: any key may be on the way to a fault, unknown ones too, and the format's own keys
// stand as they are.
std::string Unquoted(std::string_view key) {
    constexpr std::string_view kOpen = "«";
    constexpr std::string_view kClose = "»";
    const std::string quoted = Quoted(key);
    return quoted.substr(kOpen.size(), quoted.size() - kOpen.size() - kClose.size());
}

// The line and column of byte `at` of the text, counted from 1, the column in characters.
std::string LineAndColumn(std::string_view text, std::size_t at) {
    const std::string_view before = text.substr(0, std::min(at, text.size()));
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t lineStart = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    const auto breaks = std::count(before.begin(), before.end(), '\n');
    const std::size_t line = 1 + static_cast<std::size_t>(breaks);
    // A continuation byte belongs to the character before it, UTF-8 or not.
    const std::size_t column = 1 + text::CharacterCount(before.substr(lineStart));
    return "riga " + std::to_string(line) + ", colonna " + std::to_string(column);
}

Segment ReadSegment(const Json& value, std::size_t index);

// The document as nlohmann's parser builds it, keeping the keys in file order, and refusing what
// the parser would let through: a key that repeats in its object (the parser keeps the last one,
// silently), and nesting or objects far beyond the format's. Parsing stops at the first fault.
//
// The segments, by far the most of a file, are read one by one as each is complete, and only
// the first fault among them is kept (ReadSegments gives it, in its turn, after the faults of the
// keys before them): so a large circuit is never held twice, as a document and as segments.
class DocumentBuilder {
  public:
    explicit DocumentBuilder(std::string_view text) : text_(text) {}

    bool null() { return Value(Json(nullptr)); }
    bool boolean(bool value) { return Value(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return Value(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return Value(Json(value)); }
    bool number_float(Json::number_float_t value, const std::string& /*text*/) {
        return Value(Json(value));
    }
    bool string(std::string& value) { return Value(Json(std::move(value))); }
    bool binary(Json::binary_t& /*value*/) { return false; }  // not in JSON text
    bool start_object(std::size_t /*elements*/) { return Open(Json::object()); }
    bool start_array(std::size_t /*elements*/) { return Open(Json::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(std::string& key) {
        Json& object = *stack_.back();
        if (object.size() >= kMaxKeysPerObject) {
            error_ =
                Where() + ": troppe chiavi in un solo oggetto; il formato ne prevede al più nove.";
            return false;
        }
        if (object.contains(key)) {
            error_ = Where() + ": la chiave " + Quoted(key) + " compare due volte.";
            return false;
        }
        key_ = std::move(key);
        return true;
    }

    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception& error) {
        // `position` counts the bytes read, the faulty one included.
        const std::size_t at = position > 0 ? position - 1 : 0;
        error_ = "Il file non è JSON valido (" + LineAndColumn(text_, at) + "): ";
        error_ += error.id == 406 ? "numero troppo grande" : "sintassi non valida";
        if (!token.empty()) {
            error_ += " vicino a " + Quoted(token);
        }
        error_ += '.';
        return false;
    }

    // The document, its list of segments left empty.
    [[nodiscard]] Json& Root() { return root_; }
    [[nodiscard]] const std::string& Error() const { return error_; }

    // The segments the list held, read, or CircuitError for the first that could not be. More
    // than kMaxSegments are counted, not read.
    [[nodiscard]] std::size_t SegmentCount() const { return segmentCount_; }
    [[nodiscard]] std::vector<Segment> ReadSegments() {
        if (segmentError_) {
            throw CircuitError(*segmentError_);
        }
        return std::move(segments_);
    }

  private:
    // Puts a value where the parser is: the root, the end of the open list, or under the last
    // key of the open object. Gives where it went.
    Json* Add(Json value) {
        if (stack_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Json& container = *stack_.back();
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        Json& slot = container[key_];
        slot = std::move(value);
        return &slot;
    }

    bool Value(Json value) {
        Add(std::move(value));
        TakeFinishedSegment();
        return true;
    }

    bool Open(Json container) {
        if (stack_.size() >= kMaxDepth) {
            error_ =
                "Il file non è un circuito: è annidato più a fondo di quanto il formato preveda.";
            return false;
        }
        const bool segmentList = stack_.size() == 1 && stack_[0]->is_object() && key_ == "tratti" &&
                                 container.is_array();
        // Only the open containers are held, and a value goes only into the innermost one, so
        // none of the held pointers moves.
        stack_.push_back(Add(std::move(container)));
        if (segmentList) {
            segmentList_ = stack_.back();
        }
        return true;
    }

    bool Close() {
        if (stack_.back() == segmentList_) {
            // The root may take more keys, which may move the list: no segment comes after it.
            segmentList_ = nullptr;
        }
        stack_.pop_back();
        TakeFinishedSegment();
        return true;
    }

    // When the value just finished is a segment of the list: reads it, unless a segment before
    // it had a fault, and takes it out of the document.
    void TakeFinishedSegment() {
        if (segmentList_ == nullptr || stack_.back() != segmentList_) {
            return;
        }
        Json::array_t& list = segmentList_->get_ref<Json::array_t&>();
        const std::size_t index = segmentCount_++;
        if (index < kMaxSegments && !segmentError_) {
            try {
                segments_.push_back(ReadSegment(list.back(), index));
            } catch (const CircuitError& error) {
                segmentError_ = error.what();
            }
        }
        list.pop_back();
    }

    // Where the open object is, in the words of the other messages: "Tratto «A», tubo".
    [[nodiscard]] std::string Where() const {
        std::string where;
        for (std::size_t level = 1; level < stack_.size(); ++level) {
            const Json& parent = *stack_[level - 1];
            std::string part;
            if (parent.is_array()) {
                if (&parent == segmentList_) {
                    // The list holds only the segment being read.
                    const Json& segment = *stack_[level];
                    const auto id = segment.find("id");
                    part = id != segment.end() && id->is_string()
                               ? "Tratto " + Quoted(id->get_ref<const std::string&>())
                               : "Tratto n. " + std::to_string(segmentCount_ + 1);
                } else {
                    const auto position = static_cast<std::size_t>(stack_[level] - &parent.front());
                    part = "n. " + std::to_string(position + 1);
                }
            } else if (stack_[level] == segmentList_ && level + 1 < stack_.size()) {
                continue;  // the segment inside it names itself
            } else {
                for (const auto& [name, value] : parent.items()) {
                    if (&value == stack_[level]) {
                        part = Unquoted(name);
                    }
                }
            }
            where += (where.empty() ? "" : ", ") + part;
        }
        if (where.empty()) {
            return "Il file";
        }
        where[0] =
            static_cast<char>(where[0] >= 'a' && where[0] <= 'z' ? where[0] - 'a' + 'A' : where[0]);
        return where;
    }

    std::string_view text_;
    Json root_;
    std::vector<Json*> stack_;
    std::string key_;
    std::string error_;
    Json* segmentList_ = nullptr;  // the root's "tratti" while the parser is in it
    std::size_t segmentCount_ = 0;
    std::vector<Segment> segments_;
    std::optional<std::string> segmentError_;
};

// ---- Reading the document's values, each with its place named for a message ----

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

const Json* Find(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

// Refuses the first key, in file order, that the object may not hold.
void OnlyKeys(const Json& object, std::initializer_list<std::string_view> allowed,
              const Place& place) {
    for (const auto& [key, value] : object.items()) {
        bool known = false;
        for (const std::string_view name : allowed) {
            known = known || key == name;
        }
        if (!known) {
            place.FailHere("la chiave " + Quoted(key) + " non è prevista.");
        }
    }
}

const Json& Required(const Json& object, const char* key, const Place& place) {
    const Json* value = Find(object, key);
    if (value == nullptr) {
        place.Fail(key, "manca.");
    }
    return *value;
}

const Json& ObjectAt(const Json& value, std::string_view key, const Place& place) {
    if (!value.is_object()) {
        place.Fail(key, "deve essere un oggetto { … }.");
    }
    return value;
}

const Json& ListAt(const Json& value, std::string_view key, const Place& place) {
    if (!value.is_array()) {
        place.Fail(key, "deve essere un elenco [ … ].");
    }
    return value;
}

double NumberAt(const Json& value, std::string_view key, const Place& place) {
    if (!value.is_number()) {
        place.Fail(key, "deve essere un numero.");
    }
    return value.get<double>();
}

std::string TextAt(const Json& value, std::string_view key, const Place& place) {
    if (!value.is_string()) {
        place.Fail(key, "deve essere un testo tra virgolette.");
    }
    return value.get<std::string>();
}

std::int64_t IntegerAt(const Json& value, std::string_view key, const Place& place) {
    if (!value.is_number_integer()) {
        place.Fail(key, "deve essere un numero intero.");
    }
    if (value.is_number_unsigned() &&
        value.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        place.Fail(key, "il numero è troppo grande.");
    }
    return value.get<std::int64_t>();
}

// The optional keys: each read only when the object holds it.
void OptionalNumber(const Json& object, const char* key, const Place& place, double& into) {
    if (const Json* value = Find(object, key)) {
        into = NumberAt(*value, key, place);
    }
}
void OptionalText(const Json& object, const char* key, const Place& place, std::string& into) {
    if (const Json* value = Find(object, key)) {
        into = TextAt(*value, key, place);
    }
}

// A whole number for a message, a negative one with the minus sign "−" as every figure there.
std::string WholeText(std::int64_t value) {
    if (value >= 0) {
        return std::to_string(value);
    }
    // The magnitude as unsigned, which holds that of the most negative value too.
    return "−" + std::to_string(0 - static_cast<std::uint64_t>(value));
}

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

Terminal ReadTerminal(const Json& value, const Place& segment) {
    ObjectAt(value, "terminale", segment);
    const Place place = segment.Inside("terminale");
    OnlyKeys(value, {"descrizione", "potenza", "portata", "dp", "kv"}, place);
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
    return terminal;
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

}  // namespace

Circuit ParseCircuit(std::string_view text) {
    DocumentBuilder builder(text);
    if (!Json::sax_parse(text.begin(), text.end(), &builder)) {
        throw CircuitError(builder.Error());
    }
    // The parser takes a NUL byte for the end of the text, and refuses one inside a string: a
    // NUL here follows a whole document, and what comes after it must not be silently dropped.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        throw CircuitError("Il file non è JSON valido (" + LineAndColumn(text, nul) +
                           "): sintassi non valida vicino a «<U+0000>».");
    }
    const Json& root = builder.Root();
    if (!root.is_object()) {
        throw CircuitError("Il file non è un circuito di Idrovela: non è un oggetto JSON { … }.");
    }
    ReadFormatAndVersion(root);
    const Place file{"Il file", ""};
    OnlyKeys(root, {"formato", "versione", "progetto", "fluido", "limiti", "margini", "tratti"},
             file);

    Circuit circuit;
    if (const Json* project = Find(root, "progetto")) {
        circuit.project = ReadProject(*project);
    }
    circuit.fluid = ReadFluid(Required(root, "fluido", file));
    if (const Json* limits = Find(root, "limiti")) {
        circuit.limits = ReadLimits(*limits);
    }
    if (const Json* margins = Find(root, "margini")) {
        circuit.margins = ReadMargins(*margins);
    }
    ListAt(Required(root, "tratti", file), "tratti", file);
    const std::size_t count = builder.SegmentCount();
    if (count > kMaxSegments) {
        file.Fail("tratti", "il circuito ha " + std::to_string(count) +
                                " tratti; se ne leggono al più " + std::to_string(kMaxSegments) +
                                ".");
    }
    circuit.segments = builder.ReadSegments();
    return circuit;
}

}  // namespace idrovela::circuit
