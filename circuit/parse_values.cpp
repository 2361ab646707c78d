#include <limits>

#include "circuit/parse_readers.h"

namespace idrovela::circuit::parsing {

const Json* Find(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

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

}  // namespace idrovela::circuit::parsing
