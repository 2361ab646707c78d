#include "catalogues/built_in.h"

#include <string>
#include <utility>

#include "catalogues/embedded_files.h"
#include "catalogues/emitter_row.h"
#include "catalogues/read_series.h"

namespace idrovela::catalogues {

Catalogue BuiltInCatalogue() {
    Catalogue catalogue;
    for (const EmbeddedFile& file : EmbeddedFiles()) {
        const std::string label =
            std::string(file.name) + ".csv (" + std::string(kBuiltInOrigin) + ")";
        Series series = ReadSeries(file.name, label, file.text, catalogue.problems);
        if (series.tubes.empty()) {
            continue;
        }
        series.origin = kBuiltInOrigin;
        series.builtIn = true;
        catalogue.series.push_back(std::move(series));
    }
    for (const EmbeddedFile& file : EmbeddedEmitterFiles()) {
        const std::string label =
            std::string(file.name) + ".csv (" + std::string(kBuiltInOrigin) + ")";
        ReadEmitterFile(file.name, label, file.text, catalogue);
    }
    return catalogue;
}

}  // namespace idrovela::catalogues
