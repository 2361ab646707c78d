#include "catalogues/read_series.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "catalogues/catalogue_file.h"
#include "catalogues/tube_row.h"
#include "text/quoted.h"

namespace idrovela::catalogues {

Series ReadSeries(std::string_view name, std::string_view fileLabel, std::string_view text,
                  std::vector<Problem>& problems) {
    Series series;
    series.name = name;
    series.origin = fileLabel;
    std::map<std::string, int, std::less<>> designationLines;
    const auto report = [&](int line, std::string message) {
        problems.push_back({std::string(fileLabel), line, std::move(message)});
    };
    CatalogueText read =
        ReadCatalogueFile(name, fileLabel, text, kHeader, problems, [&](const NumberedLine& line) {
            TubeRow row = ReadTubeRow(line.text);
            if (auto* message = std::get_if<std::string>(&row)) {
                report(line.number, std::move(*message));
                return;
            }
            Tube& tube = std::get<Tube>(row);
            const auto [first, inserted] = designationLines.emplace(tube.designation, line.number);
            if (!inserted) {
                report(line.number, "designazione " +
                                        text::Quoted(tube.designation, text::Quoting::Escaped) +
                                        " già usata alla riga " + std::to_string(first->second));
                return;
            }
            series.tubes.push_back(std::move(tube));
        });
    series.title = std::move(read.title);
    series.notes = std::move(read.notes);
    if (read.headerRead && series.tubes.empty()) {
        report(0, "nessun tubo valido: file ignorato");
    }
    std::stable_sort(series.tubes.begin(), series.tubes.end(), [](const Tube& a, const Tube& b) {
        if (a.innerMm != b.innerMm) {
            return a.innerMm < b.innerMm;
        }
        return a.outerMm < b.outerMm;
    });
    return series;
}

}  // namespace idrovela::catalogues
