#include "text/version.h"

namespace idrovela::text {

std::string_view ProgramVersion() {
    return IDROVELA_VERSION;
}

}  // namespace idrovela::text
