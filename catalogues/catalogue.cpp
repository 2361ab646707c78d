#include "catalogues/catalogue.h"

#include <algorithm>

namespace idrovela::catalogues {

const Series* Catalogue::Find(std::string_view name) const {
    const auto found = std::find_if(series.begin(), series.end(),
                                    [name](const Series& each) { return each.name == name; });
    return found == series.end() ? nullptr : &*found;
}

const EmitterModel* Catalogue::FindEmitter(std::string_view name) const {
    const auto found = std::find_if(emitters.begin(), emitters.end(),
                                    [name](const EmitterModel& each) { return each.name == name; });
    return found == emitters.end() ? nullptr : &*found;
}

}  // namespace idrovela::catalogues
