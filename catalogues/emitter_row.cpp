#include "catalogues/emitter_row.h"

#include <map>
#include <utility>
#include <vector>

#include "calc/text_conversions.h"
#include "catalogues/catalogue_file.h"
#include "catalogues/fields.h"
#include "text/quoted.h"
#include "text/utf8.h"

namespace idrovela::catalogues {

namespace {

enum Column : std::size_t { kModel, kHeight, kOutput, kExponent, kContent, kSource };

// A text field, trimmed, or why it cannot be one.
struct TextField {
    std::string text;
    std::string problem;  // empty for a good one
};

TextField ReadText(const std::vector<std::string_view>& fields, Column column) {
    const std::string_view text = TrimBlanks(fields[column]);
    if (text.empty()) {
        return {"", ColumnName(kEmitterColumns[column]) + " vuoto"};
    }
    if (text::HasHiddenCharacters(text)) {
        return {"", ColumnName(kEmitterColumns[column]) +
                        " con caratteri invisibili o di controllo: " +
                        text::Quoted(text, text::Quoting::Escaped)};
    }
    return {std::string(text), ""};
}

// A number field from `low` (above it, unless `lowTaken`) up to `high`: or why it is not one.
std::variant<double, std::string> ReadFigure(const std::vector<std::string_view>& fields,
                                             Column column, double low, bool lowTaken,
                                             double high) {
    const std::string_view field = fields[column];
    auto read = ReadCommaNumber(field, kEmitterColumns[column]);
    if (std::holds_alternative<std::string>(read)) {
        return read;
    }
    const double value = std::get<double>(read);
    if ((lowTaken ? value < low : value <= low) || value > high) {
        return ColumnName(kEmitterColumns[column]) + " fuori campo (" +
               (lowTaken ? "da " : "oltre ") + NumberToText(low) + " a " + NumberToText(high) +
               "): " + text::Quoted(field, text::Quoting::Escaped);
    }
    return value + 0.0;  // a content of -0 is 0
}

}  // namespace

EmitterRow ReadEmitterRow(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != kEmitterColumns.size()) {
        return "attesi " + std::to_string(kEmitterColumns.size()) +
               " campi separati da «;», trovati " + std::to_string(fields.size()) + ": " +
               text::Quoted(line, text::Quoting::Escaped);
    }
    EmitterModel model;
    for (const auto& [column, into] :
         {std::pair<Column, std::string*>{kModel, &model.name}, {kSource, &model.source}}) {
        TextField read = ReadText(fields, column);
        if (!read.problem.empty()) {
            return std::move(read.problem);
        }
        *into = std::move(read.text);
    }
    const struct {
        Column column;
        double low;
        bool lowTaken;
        double high;
        double* into;
    } figures[] = {
        {kHeight, 0.0, false, kMaxHeightMm, &model.heightMm},
        {kOutput, 0.0, false, kMaxSectionW, &model.sectionW},
        {kExponent, 1.0, true, 2.0, &model.exponent},
        {kContent, 0.0, true, kMaxSectionL, &model.sectionL},
    };
    for (const auto& figure : figures) {
        auto read = ReadFigure(fields, figure.column, figure.low, figure.lowTaken, figure.high);
        if (auto* message = std::get_if<std::string>(&read)) {
            return std::move(*message);
        }
        *figure.into = std::get<double>(read);
    }
    return model;
}

void ReadEmitterFile(std::string_view name, std::string_view fileLabel, std::string_view text,
                     Catalogue& catalogue) {
    std::vector<Problem>& problems = catalogue.emitterProblems;
    const auto report = [&](int line, std::string message) {
        problems.push_back({std::string(fileLabel), line, std::move(message)});
    };
    std::map<std::string, int, std::less<>> modelLines;
    std::size_t read = 0;
    const CatalogueText file = ReadCatalogueFile(
        name, fileLabel, text, kEmitterHeader, problems, [&](const NumberedLine& line) {
            EmitterRow row = ReadEmitterRow(line.text);
            if (auto* message = std::get_if<std::string>(&row)) {
                report(line.number, std::move(*message));
                return;
            }
            EmitterModel& model = std::get<EmitterModel>(row);
            const std::string quoted = text::Quoted(model.name, text::Quoting::Escaped);
            if (const auto first = modelLines.find(model.name); first != modelLines.end()) {
                report(line.number, "modello " + quoted + " già usato alla riga " +
                                        std::to_string(first->second));
                return;
            }
            if (const EmitterModel* other = catalogue.FindEmitter(model.name)) {
                report(line.number, "modello " + quoted + " già nel catalogo, dal file «" +
                                        other->file + "»: riga ignorata");
                return;
            }
            modelLines.emplace(model.name, line.number);
            model.file = name;
            catalogue.emitters.push_back(std::move(model));
            ++read;
        });
    if (file.headerRead && read == 0) {
        report(0, "nessun modello valido: file ignorato");
    }
}

}  // namespace idrovela::catalogues
