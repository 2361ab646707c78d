#include "circuit/parse.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "circuit/messages.h"
#include "circuit/parse_readers.h"
#include "circuit/unreadable_text.h"

namespace idrovela::circuit {

namespace {

using parsing::Json;
using parsing::Place;

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

// The document as nlohmann's parser builds it, keeping the keys in file order, and refusing what
// the parser would let through: a key that repeats in its object (the parser keeps the last one,
// silently), and nesting or objects far beyond the format's. Parsing stops at the first fault.
//
// The segments, by far the most of a file, are read one by one as each is complete, and only
// the first fault among them is kept (ReadSegments gives it, in its turn, after the faults of the
// keys before them): so a large circuit is never held twice, as a document and as segments.
class DocumentBuilder {
  public:
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
        // `position` counts the bytes read, the faulty one included (and the end, at the end).
        jsonFault_ = JsonFault{position > 0 ? position - 1 : 0, error.id == 406, token};
        return false;
    }

    // The document, its list of segments left empty.
    [[nodiscard]] Json& Root() { return root_; }
    // Why the parse stopped: a fault of the JSON, or else one of the document's (a key twice,
    // too deep).
    [[nodiscard]] const std::optional<JsonFault>& Fault() const { return jsonFault_; }
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
                segments_.push_back(parsing::ReadSegment(list.back(), index));
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

    Json root_;
    std::vector<Json*> stack_;
    std::string key_;
    std::optional<JsonFault> jsonFault_;
    std::string error_;
    Json* segmentList_ = nullptr;  // the root's "tratti" while the parser is in it
    std::size_t segmentCount_ = 0;
    std::vector<Segment> segments_;
    std::optional<std::string> segmentError_;
};

}  // namespace

Circuit ParseCircuit(std::string_view text) {
    if (IsBlank(text)) {
        throw CircuitError("Il file è vuoto.");
    }
    DocumentBuilder builder;
    const bool parsed = Json::sax_parse(text.begin(), text.end(), &builder);
    if (!parsed && !builder.Fault()) {
        throw CircuitError(builder.Error());
    }
    // The parser takes a NUL byte for the end of the text, and refuses one inside a string: a
    // NUL after a whole document must not let what follows it be silently dropped.
    if (!parsed || text.find('\0') != std::string_view::npos) {
        throw CircuitError(UnreadableText(text, builder.Fault()));
    }
    const Json& root = builder.Root();
    if (!root.is_object()) {
        throw CircuitError("Il file non è un circuito di Idrovela: non è un oggetto JSON { … }.");
    }
    parsing::ReadFormatAndVersion(root);
    const Place file{"Il file", ""};
    parsing::OnlyKeys(
        root, {"formato", "versione", "progetto", "fluido", "limiti", "margini", "tratti"}, file);

    Circuit circuit;
    if (const Json* project = parsing::Find(root, "progetto")) {
        circuit.project = parsing::ReadProject(*project);
    }
    circuit.fluid = parsing::ReadFluid(parsing::Required(root, "fluido", file));
    if (const Json* limits = parsing::Find(root, "limiti")) {
        circuit.limits = parsing::ReadLimits(*limits);
    }
    if (const Json* margins = parsing::Find(root, "margini")) {
        circuit.margins = parsing::ReadMargins(*margins);
    }
    parsing::ListAt(parsing::Required(root, "tratti", file), "tratti", file);
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
