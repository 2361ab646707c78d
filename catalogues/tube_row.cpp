#include "catalogues/tube_row.h"

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "text/quoted.h"
#include "text/utf8.h"

namespace idrovela::catalogues {

namespace {

enum Column : std::size_t { kDesignation, kOuter, kWall, kInner, kRoughness };

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

std::string ColumnName(Column column) {
    return "«" + std::string(kColumns[column]) + "»";
}

// The number in a dimension's field, or the message that says why it is not one.
std::variant<double, std::string> ReadDimension(const std::vector<std::string_view>& fields,
                                                Column column) {
    const std::string_view field = fields[column];
    double value = 0.0;
    try {
        value = TextToDouble(field);
    } catch (const RuntimeError& error) {
        if (error.code() == ErrorCode::Overflow) {
            return ColumnName(column) + ": " + text::Quoted(field, text::Quoting::Escaped) +
                   " è un numero troppo grande";
        }
        return ColumnName(column) + ": " + text::Quoted(field, text::Quoting::Escaped) +
               " non è un numero (cifre, con la virgola per i decimali: 13,2)";
    }
    if (column == kRoughness) {
        if (value < 0.0) {
            return ColumnName(column) +
                   " non può essere negativa: " + text::Quoted(field, text::Quoting::Escaped);
        }
    } else if (value <= 0.0) {
        return ColumnName(column) +
               " deve essere maggiore di zero: " + text::Quoted(field, text::Quoting::Escaped);
    }
    if (value > kMaxDimensionMm) {
        return ColumnName(column) + " oltre " + NumberToText(kMaxDimensionMm) +
               " mm: " + text::Quoted(field, text::Quoting::Escaped);
    }
    return value + 0.0;  // a roughness of -0 is 0
}

}  // namespace

TubeRow ReadTubeRow(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != kColumns.size()) {
        return "attesi " + std::to_string(kColumns.size()) + " campi separati da «;», trovati " +
               std::to_string(fields.size()) + ": " + text::Quoted(line, text::Quoting::Escaped);
    }
    Tube tube;
    const std::string_view designation = TrimBlanks(fields[kDesignation]);
    if (designation.empty()) {
        return ColumnName(kDesignation) + " vuota";
    }
    if (text::HasHiddenCharacters(designation)) {
        return ColumnName(kDesignation) + " con caratteri invisibili o di controllo: " +
               text::Quoted(designation, text::Quoting::Escaped);
    }
    tube.designation = designation;

    double* const dimensions[] = {&tube.outerMm, &tube.wallMm, &tube.innerMm, &tube.roughnessMm};
    for (const Column column : {kOuter, kWall, kInner, kRoughness}) {
        auto read = ReadDimension(fields, column);
        if (auto* message = std::get_if<std::string>(&read)) {
            return std::move(*message);
        }
        *dimensions[column - kOuter] = std::get<double>(read);
    }

    const double twoWalls = 2.0 * tube.wallMm;
    const double expectedInner = tube.outerMm - twoWalls;
    const double gap = std::fabs(tube.innerMm - expectedInner);
    const double allowed = kInnerToleranceMm + kRepresentationMarginMm;
    if (!(gap <= allowed)) {
        return ColumnName(kInner) + " " + NumberToText(tube.innerMm) +
               " non torna con esterno − 2·spessore = " + NumberToText(tube.outerMm) + " − 2·" +
               NumberToText(tube.wallMm) + " = " + NumberToText(expectedInner) + " (scarto oltre " +
               NumberToText(kInnerToleranceMm) + " mm)";
    }
    return tube;
}

}  // namespace idrovela::catalogues
