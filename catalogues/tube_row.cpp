#include "catalogues/tube_row.h"

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "calc/text_conversions.h"
#include "catalogues/fields.h"
#include "text/quoted.h"
#include "text/utf8.h"

namespace idrovela::catalogues {

namespace {

enum Column : std::size_t { kDesignation, kOuter, kWall, kInner, kRoughness };

std::string ColumnName(Column column) {
    return catalogues::ColumnName(kColumns[column]);
}

// The number in a dimension's field, or the message that says why it is not one.
std::variant<double, std::string> ReadDimension(const std::vector<std::string_view>& fields,
                                                Column column) {
    const std::string_view field = fields[column];
    auto read = ReadCommaNumber(field, kColumns[column]);
    if (auto* message = std::get_if<std::string>(&read)) {
        return std::move(*message);
    }
    const double value = std::get<double>(read);
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
