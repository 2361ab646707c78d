#include "catalogues/fields.h"

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "text/quoted.h"

namespace idrovela::catalogues {

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t separator = line.find(kSeparator, start);
        fields.push_back(line.substr(start, separator - start));
        if (separator == std::string_view::npos) {
            return fields;
        }
        start = separator + 1;
    }
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string ColumnName(std::string_view column) {
    return "«" + std::string(column) + "»";
}

std::variant<double, std::string> ReadCommaNumber(std::string_view field, std::string_view column) {
    try {
        return TextToDouble(field);
    } catch (const RuntimeError& error) {
        if (error.code() == ErrorCode::Overflow) {
            return ColumnName(column) + ": " + text::Quoted(field, text::Quoting::Escaped) +
                   " è un numero troppo grande";
        }
        return ColumnName(column) + ": " + text::Quoted(field, text::Quoting::Escaped) +
               " non è un numero (cifre, con la virgola per i decimali: 13,2)";
    }
}

}  // namespace idrovela::catalogues
